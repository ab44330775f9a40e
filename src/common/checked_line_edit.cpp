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
    if (!window()->isVisible()) return;
    static bool checking = false;
    if (checking) return;
    checking = true;
    const auto done = qScopeGuard([] { checking = false; });
    Q_EMIT focusLeft();
}

} // namespace quillet
