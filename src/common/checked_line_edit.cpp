#include "common/checked_line_edit.h"

#include <QFocusEvent>
#include <QScopeGuard>

namespace quillet {

void CheckedLineEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    switch (e->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        break;
    }
    // A window being closed or hidden takes the focus with it; nothing is left to check then.
    if (!window()->isVisible() || checking_) return;
    asCheck([this] { Q_EMIT focusLeft(); });
}

void CheckedLineEdit::asCheck(const std::function<void()>& body)
{
    const bool outer = !checking_;
    checking_ = true;
    const auto done = qScopeGuard([outer] {
        if (outer) checking_ = false;
    });
    body();
}

} // namespace quillet
