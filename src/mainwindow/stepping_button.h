#pragma once

#include <QPushButton>

namespace quillet {

// A push button that steps the first-label position instead of clicking: every key press and
// mouse press is handed on as a signal. Its access key (Alt + the marked letter) only moves the
// focus to it, so the user can then type into it. Tab, Shift+Tab and keys held with Alt, Ctrl or
// Meta are left to Qt, so focus moves, access keys and menu shortcuts keep working.
class SteppingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // True for the keys the button leaves to Qt.
    static bool LeftToQt(int key, Qt::KeyboardModifiers modifiers);

Q_SIGNALS:
    void keyPressed(int key);
    void mousePressed(Qt::MouseButton button);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

} // namespace quillet
