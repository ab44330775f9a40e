#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do by its arguments. Without any it opens the window on the data
// file used last; with a file name, on that file; with --print it prints without a window.
namespace quillet {

struct CommandLine {
    enum class Mode { Window, Print, Help, Version, Invalid };
    Mode mode = Mode::Window;
    QString dataFile; // as given; empty: the remembered one (window only)
    // --print: what to print and how. Empty strings leave the window's own defaults.
    QString layout;    // a layout number 1-12 or a title
    int printWhat = 1; // 1 typed text, 2 all entries, 3 selected entries
    QStringList texts; // at most five lines, each cut to the label line's length
    QString copies;
    QString startRow;
    QString startColumn;
    QString printer;
    QString pdf;
    bool yes = false;
    QString error; // Invalid: what was wrong, for the usage message
};

// `arguments` without the program's own name.
CommandLine ParseCommandLine(const QStringList& arguments);

// The --help text and the --version line.
QString UsageText();
QString VersionText();

// A --layout value that is a whole number 1-12 names a layout by number; anything else is a title.
int LayoutNumberArgument(const QString& value);

} // namespace quillet
