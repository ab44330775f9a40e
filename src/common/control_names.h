#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace quillet {

// The object name of a control in a numbered row: "LTB" and 3 give "LTB3".
QString Indexed(const char* name, int index);

// A named push button that is never the window's default button: Enter in a box presses nothing.
QPushButton* NonDefaultButton(const QString& caption, const QString& objectName, QWidget* parent);

} // namespace quillet
