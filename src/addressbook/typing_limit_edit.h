#pragma once

#include <QLineEdit>

namespace quillet {

// A line edit whose length limit holds for typing only. Qt's own limit also cuts text the program
// sets, which would lose the end of a longer line read from a data file the moment the user edits
// it; here such a line is shown whole and may be shortened, but typing never makes it longer than
// the limit or than it already is.
class TypingLimitEdit : public QLineEdit {
    Q_OBJECT
public:
    TypingLimitEdit(int limit, QWidget* parent = nullptr);

    // Shows `text` whole, whatever its length.
    void showText(const QString& text);

private:
    void allowCurrentLength();

    int limit_;
};

} // namespace quillet
