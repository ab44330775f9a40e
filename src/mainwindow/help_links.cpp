#include "mainwindow/help_links.h"

#include <QDir>
#include <QFileInfo>

namespace quillet {

HelpLink ClassifyHelpLink(const QUrl& link, const QString& helpFile)
{
    const QString scheme = link.scheme().toLower();
    if (scheme == u"http" || scheme == u"https" || scheme == u"mailto") return {HelpLink::Kind::Browser, {}};
    if (!scheme.isEmpty() && scheme != u"file") return {};
    if (scheme.isEmpty() && link.path().isEmpty()) return {HelpLink::Kind::Anchor, {}};
    const QString folder = QFileInfo(helpFile).canonicalPath();
    const QString wanted =
        scheme.isEmpty() ? QFileInfo(QFileInfo(helpFile).absolutePath(), link.path()).filePath() : link.toLocalFile();
    const QFileInfo target(wanted);
    const QString path = target.canonicalFilePath();
    if (folder.isEmpty() || path.isEmpty() || !target.isFile() || !path.startsWith(folder + u'/')) return {};
    return {HelpLink::Kind::HelpPage, path};
}

} // namespace quillet
