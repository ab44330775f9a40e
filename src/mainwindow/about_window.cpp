#include "mainwindow/about_window.h"

#include "model/factory_layouts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quillet {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About Quillet"));
    auto* name = new QLabel(QStringLiteral("Quillet"), this);
    name->setObjectName(QStringLiteral("ProgramName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version ") + QStringLiteral(QUILLET_VERSION), this);
    version->setObjectName(QStringLiteral("ProgramVersion"));
    auto* purpose =
        new QLabel(QStringLiteral("Mailing labels, name badges and file-folder labels on sheet stock."), this);
    auto* maker =
        new QLabel(MakerName + u'\n' + MakerAddress[0] + u'\n' + MakerAddress[1] + u'\n' + MakerAddress[2], this);
    maker->setObjectName(QStringLiteral("ProgramMaker"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(version), static_cast<QWidget*>(purpose),
                       static_cast<QWidget*>(maker), static_cast<QWidget*>(buttons)})
        layout->addWidget(w);
}

} // namespace quillet
