#pragma once

#include <QString>
#include <QUrl>

// What the help viewer does with a link of the help file: the help file may link to places in
// itself, to other pages in its own folder and to web pages, which open in the desktop's browser.
// Everything else (other schemes, files outside the folder, pipes and devices) is left alone.
namespace quillet {

struct HelpLink {
    enum class Kind { Ignore, Anchor, HelpPage, Browser };
    Kind kind = Kind::Ignore;
    QString page; // HelpPage: the file's path
};

// `link` as written in the help file `helpFile`.
HelpLink ClassifyHelpLink(const QUrl& link, const QString& helpFile);

} // namespace quillet
