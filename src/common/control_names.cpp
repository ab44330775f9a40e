#include "common/control_names.h"

#include <QPushButton>

namespace quillet {

QString Indexed(const char* name, int index)
{
    return QString::fromLatin1(name) + QString::number(index);
}

QPushButton* NonDefaultButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

} // namespace quillet
