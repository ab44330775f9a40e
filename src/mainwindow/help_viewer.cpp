#include "mainwindow/help_viewer.h"

#include "common/failure.h"
#include "common/steps.h"
#include "model/bounded_read.h"
#include "model/startup.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <cerrno>

namespace quillet {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quillet Help"));
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpViewer::showFrontPage(const QString& file)
{
    // The guide is small; a file many times its size, or a pipe or device, is not ours.
    const QByteArray bytes = ReadSmallFile(file, 4 << 20);
    browser_->setHtml(QString::fromUtf8(bytes));
    browser_->setSearchPaths({QFileInfo(file).absolutePath()});
    browser_->moveCursor(QTextCursor::Start);
    show();
    raise();
    activateWindow();
}

void ShowHelpFrontPage(QWidget* parent)
{
    static QPointer<HelpViewer> viewer;
    Steps step(QStringLiteral("Error displaying Help file"), Buttons::Ok);
    step(1, [&] {
        if (!viewer) {
            viewer = new HelpViewer(parent);
            viewer->setAttribute(Qt::WA_DeleteOnClose);
        }
        viewer->showFrontPage(HelpFile);
    });
}

} // namespace quillet
