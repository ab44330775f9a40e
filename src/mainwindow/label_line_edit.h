#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QStringList>

class QMenu;

namespace quillet {

// A label line. A pasted or dropped text that holds line breaks never lands in it whole: its lines
// are handed on (linesPasted) to fill this box and the ones below, while a single line is inserted
// as usual. Ctrl+V, Shift+Insert, the context menu's Paste, a middle-click and a drop all count.
class LabelLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    // Two or more lines, each cut to a label line's length.
    void linesPasted(const QStringList& lines);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // False when `text` is one line, for the plain line edit to insert as ever.
    bool pasteLines(const QString& text);
    bool pasteLinesFrom(QClipboard::Mode mode);
};

} // namespace quillet
