#pragma once

#include <QDialog>

class QTextBrowser;
class QUrl;

namespace quillet {

// A small window that shows the program's help file, "QX.hlp" (HTML) in the program's folder.
// Links are followed only as mainwindow/help_links.h allows; web links are handed on.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads `file` afresh and shows its front page; a failure to read it throws Failure.
    void showFrontPage(const QString& file);
    QTextBrowser* browser() const { return browser_; }

Q_SIGNALS:
    // The user clicked a web link of the help file; it belongs in the desktop's browser.
    void openInBrowser(const QUrl& link);

private:
    void showPage(const QString& file);
    void followLink(const QUrl& link);

    QTextBrowser* browser_;
    QString helpFile_;
};

// Help > "&Help && Information (Front Page)...": the help file at its front page, in the one
// viewer of the program (created on first use, brought to the front afterwards).
void ShowHelpFrontPage(QWidget* parent);

} // namespace quillet
