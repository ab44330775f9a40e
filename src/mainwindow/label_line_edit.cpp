#include "mainwindow/label_line_edit.h"

#include "mainwindow/label_clipboard.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace quillet {

bool LabelLineEdit::pasteLines(const QString& text)
{
    if (isReadOnly() || !HasLineBreak(text)) return false;
    const QStringList lines = SplitPastedLines(text);
    if (lines.size() == 1) {
        // One line and its break: the line goes in where the cursor is, as any single line does.
        insert(lines.front());
        return true;
    }
    Q_EMIT linesPasted(lines);
    return true;
}

bool LabelLineEdit::pasteLinesFrom(QClipboard::Mode mode)
{
    return pasteLines(QGuiApplication::clipboard()->text(mode));
}

void LabelLineEdit::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Shift+Insert pastes the selection, as the line edit itself does.
    const bool selection =
        event->key() == Qt::Key_Insert && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    if (event->matches(QKeySequence::Paste) &&
        pasteLinesFrom(selection ? QClipboard::Selection : QClipboard::Clipboard)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LabelLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection where the platform has one, at the cursor.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
        rect().contains(event->position().toPoint()) && HasLineBreak(clipboard->text(QClipboard::Selection))) {
        deselect();
        pasteLinesFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void LabelLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste is the line edit's own; it is found by its caption, translated as Qt does.
    const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text() != pasteCaption && !action->text().startsWith(pasteCaption + u'\t')) continue;
        disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this, [this] {
            if (!pasteLinesFrom(QClipboard::Clipboard)) paste();
        });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void LabelLineEdit::dropEvent(QDropEvent* event)
{
    const QMimeData* dropped = event->mimeData();
    if (dropped && dropped->hasText() && HasLineBreak(dropped->text()) && !isReadOnly()) {
        event->acceptProposedAction();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteLines(dropped->text());
        return;
    }
    QLineEdit::dropEvent(event);
}

} // namespace quillet
