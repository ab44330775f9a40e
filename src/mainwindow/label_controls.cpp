// The five label lines: Clear, and F6/F7 to copy them to and paste them from the clipboard.
#include "mainwindow/main_window.h"

#include "common/dialogs.h"
#include "common/steps.h"
#include "mainwindow/label_clipboard.h"
#include "model/layout_data.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace quillet {

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        std::find(labelBoxes_.begin(), labelBoxes_.end(), watched) != labelBoxes_.end()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F6) {
            copyLabelToClipboard();
            return true;
        }
        if (key == Qt::Key_F7) {
            pasteLabelFromClipboard();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::clearLabelText()
{
    Steps step(QStringLiteral("Error clearing label text"), Buttons::Ok);
    for (int line = 1; line <= LabelLineCount; ++line) {
        step.setContext(line);
        if (!step(line, [&] { setLabelLine(line, QString()); })) return;
    }
}

void MainWindow::copyLabelToClipboard()
{
    Steps step(QStringLiteral("Error copying or pasting address into label"), Buttons::Ok);
    if (!step(1, [this] {
            QStringList lines;
            for (int line = 1; line <= LabelLineCount; ++line) lines << labelLine(line);
            QClipboard* clipboard = QGuiApplication::clipboard();
            clipboard->clear();
            clipboard->setText(JoinLabelLines(lines));
        }))
        return;
    step(2, [] { ShowMessage(QStringLiteral("Address copied to Clipboard")); });
}

void MainWindow::pasteLabelFromClipboard()
{
    Steps step(QStringLiteral("Error copying or pasting address into label"), Buttons::Ok);
    QString text;
    if (!step(1, [&] { text = QGuiApplication::clipboard()->text(); })) return;
    if (IsBlankText(text)) {
        step(2, [] { ShowMessage(QStringLiteral("The clipboard is empty")); });
        return;
    }
    step(3, [&] {
        const QStringList lines = SplitLabelLines(text);
        for (int i = 0; i < lines.size(); ++i) setLabelLine(i + 1, lines.at(i));
    });
}

void MainWindow::pasteLabelLines(int firstLine, const QStringList& lines)
{
    Steps step(QStringLiteral("Error copying or pasting address into label"), Buttons::Ok);
    step(1, [&] {
        for (int i = 0; i < lines.size() && firstLine + i <= LabelLineCount; ++i)
            setLabelLine(firstLine + i, lines.at(i));
    });
}

} // namespace quillet
