#pragma once

#include <QDialog>

class QTextBrowser;

namespace quillet {

// A small window that shows the program's help file, "QX.hlp" (HTML) in the program's folder.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads `file` afresh and shows its front page; a failure to read it throws Failure.
    void showFrontPage(const QString& file);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// Help > "&Help && Information (Front Page)...": the help file at its front page, in the one
// viewer of the program (created on first use, brought to the front afterwards).
void ShowHelpFrontPage(QWidget* parent);

} // namespace quillet
