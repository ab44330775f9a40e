#include "mainwindow/stepping_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace quillet {

bool SteppingButton::LeftToQt(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return true;
    default:
        return (modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) != 0;
    }
}

bool SteppingButton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        // The access key takes the user to the button; it does not step.
        setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QPushButton::event(e);
}

void SteppingButton::keyPressEvent(QKeyEvent* e)
{
    if (LeftToQt(e->key(), e->modifiers())) {
        e->ignore();
        return;
    }
    e->accept();
    Q_EMIT keyPressed(e->key());
}

void SteppingButton::keyReleaseEvent(QKeyEvent* e)
{
    // A released Space must not click the button.
    e->ignore();
}

void SteppingButton::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() == Qt::LeftButton) setDown(true);
    Q_EMIT mousePressed(e->button());
}

void SteppingButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The second press of a quick double click steps again.
    mousePressEvent(e);
}

void SteppingButton::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    setDown(false);
}

void SteppingButton::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
}

} // namespace quillet
