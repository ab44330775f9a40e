#include "mainwindow/help_viewer.h"

#include "common/failure.h"
#include "common/steps.h"
#include "mainwindow/help_links.h"
#include "model/bounded_read.h"
#include "model/run_state.h"
#include "model/startup.h"

#include <QDesktopServices>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quillet {

namespace {

constexpr qint64 MaxHelpFileBytes = 4 << 20;

// The help file may be anybody's: a resource it names is read only from the help file's folder,
// bounded and without blocking, and never by the text document's own fallback.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QString helpFile;

    QVariant loadResource(int, const QUrl& name) override
    {
        const HelpLink link = ClassifyHelpLink(name, helpFile);
        if (link.kind == HelpLink::Kind::HelpPage) {
            try {
                return ReadSmallFile(link.page, MaxHelpFileBytes);
            } catch (const Failure&) {
            }
        }
        return QByteArray(); // empty, not null: a null answer would make Qt read the file itself
    }
};

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), browser_(new HelpBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quillet Help"));
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpViewer::showFrontPage(const QString& file)
{
    helpFile_ = file;
    static_cast<HelpBrowser*>(browser_)->helpFile = file;
    showPage(file);
    show();
    raise();
    activateWindow();
}

void HelpViewer::showPage(const QString& file)
{
    // The guide is small; a file many times its size, or a pipe or device, is not ours.
    browser_->setHtml(QString::fromUtf8(ReadSmallFile(file, MaxHelpFileBytes)));
    browser_->moveCursor(QTextCursor::Start);
}

void HelpViewer::followLink(const QUrl& link)
{
    const HelpLink target = ClassifyHelpLink(link, helpFile_);
    switch (target.kind) {
    case HelpLink::Kind::Anchor:
        browser_->scrollToAnchor(link.fragment());
        break;
    case HelpLink::Kind::HelpPage:
        try {
            showPage(target.page);
            if (link.hasFragment()) browser_->scrollToAnchor(link.fragment());
        } catch (const Failure&) {
        }
        break;
    case HelpLink::Kind::Browser:
        Q_EMIT openInBrowser(link);
        break;
    case HelpLink::Kind::Ignore:
        break;
    }
}

void ShowHelpFrontPage(QWidget* parent)
{
    static QPointer<HelpViewer> viewer;
    Steps step(QStringLiteral("Error displaying Help file"), Buttons::Ok);
    step(1, [&] {
        if (!viewer) {
            viewer = new HelpViewer(parent);
            viewer->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(viewer, &HelpViewer::openInBrowser,
                             [](const QUrl& link) { QDesktopServices::openUrl(link); });
        }
        viewer->showFrontPage(Run().helpFile);
    });
}

} // namespace quillet
