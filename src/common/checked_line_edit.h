#pragma once

#include <QLineEdit>

#include <functional>

namespace quillet {

// A line edit that tells when the user leaves it for another control of the program. Losing the
// focus to another window, a menu or a popup (the box is still the one being edited) does not count.
// While one box's check runs, no other starts: the focus its message box takes and gives back, and
// the focus the check puts back into its own box, would otherwise check the box the user moved to.
class CheckedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Runs the rest of a check that had to wait (a page switch must end before its page is called
    // back): the focus it moves starts no other check.
    static void asCheck(const std::function<void()>& body);

Q_SIGNALS:
    void focusLeft();

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    static inline bool checking_ = false;
};

} // namespace quillet
