#include "cli/command_line.h"

#include <optional>

namespace quillet {

namespace {

const QStringList ValueOptions{QStringLiteral("--layout"),    QStringLiteral("--what"),
                               QStringLiteral("--text"),      QStringLiteral("--copies"),
                               QStringLiteral("--start-row"), QStringLiteral("--start-column"),
                               QStringLiteral("--printer"),   QStringLiteral("--pdf")};
constexpr int MaxTextLines = 5;

CommandLine Invalid(const QString& error)
{
    CommandLine line;
    line.mode = CommandLine::Mode::Invalid;
    line.error = error;
    return line;
}

std::optional<int> PrintWhatArgument(const QString& value)
{
    if (value == u"typed") return 1;
    if (value == u"all") return 2;
    if (value == u"selected") return 3;
    return std::nullopt;
}

} // namespace

int LayoutNumberArgument(const QString& value)
{
    bool number = false;
    const int n = value.toInt(&number);
    return number && n >= 1 && n <= 12 && value == QString::number(n) ? n : 0;
}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    // Help and version answer whatever else is on the line.
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        CommandLine line;
        line.mode = CommandLine::Mode::Help;
        return line;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        CommandLine line;
        line.mode = CommandLine::Mode::Version;
        return line;
    }

    CommandLine line;
    QStringList files;
    QStringList printOptions; // given, to refuse them without --print
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            files << argument;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (argument == u"--print") {
            line.mode = CommandLine::Mode::Print;
            continue;
        }
        if (argument == u"--yes") {
            line.yes = true;
            printOptions << argument;
            continue;
        }
        // "--name value" or "--name=value".
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (!ValueOptions.contains(name)) return Invalid(QStringLiteral("unknown option ") + argument);
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Invalid(name + QStringLiteral(" needs a value"));
        }
        printOptions << name;
        if (name == u"--layout") {
            if (value.isEmpty()) return Invalid(QStringLiteral("--layout needs a layout number (1-12) or title"));
            line.layout = value;
        } else if (name == u"--what") {
            const std::optional<int> what = PrintWhatArgument(value);
            if (!what) return Invalid(QStringLiteral("--what is typed, all or selected, not ") + value);
            line.printWhat = *what;
        } else if (name == u"--text") {
            if (line.texts.size() == MaxTextLines)
                return Invalid(QStringLiteral("a label has at most five lines of --text"));
            line.texts << value;
        } else if (name == u"--copies") {
            line.copies = value;
        } else if (name == u"--start-row") {
            line.startRow = value;
        } else if (name == u"--start-column") {
            line.startColumn = value;
        } else if (name == u"--printer") {
            if (value.isEmpty()) return Invalid(QStringLiteral("--printer needs a printer's name"));
            line.printer = value;
        } else {
            if (value.isEmpty()) return Invalid(QStringLiteral("--pdf needs a file name"));
            line.pdf = value;
        }
    }

    if (line.mode == CommandLine::Mode::Window && !printOptions.isEmpty())
        return Invalid(printOptions.first() + QStringLiteral(" is used only with --print"));
    if (!line.printer.isEmpty() && !line.pdf.isEmpty())
        return Invalid(QStringLiteral("--printer and --pdf cannot be used together"));
    if (files.size() > 1) return Invalid(QStringLiteral("one data file at a time: ") + files.join(u' '));
    if (files.size() == 1 && files[0].isEmpty()) return Invalid(QStringLiteral("the data file's name is empty"));
    if (line.mode == CommandLine::Mode::Print && files.isEmpty())
        return Invalid(QStringLiteral("--print needs the data file to print from"));
    if (!files.isEmpty()) line.dataFile = files[0];
    return line;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage: quillet [FILE.QX3]\n"
        "       quillet --print FILE.QX3 [options]\n"
        "       quillet --help | --version\n"
        "\n"
        "Without arguments Quillet opens its window on the data file used last; with FILE.QX3, on\n"
        "that file.\n"
        "\n"
        "--print prints from FILE.QX3 without a window, with the same checks and questions as the\n"
        "window's Print button. The file is opened read-only; neither it nor the settings are written.\n"
        "  --layout N|TITLE       the layout, by number (1-12) or title (default: the first one)\n"
        "  --what typed|all|selected\n"
        "                         the --text lines (default), every address-book entry, or the\n"
        "                         selected entries\n"
        "  --text LINE            a label line; up to five, each cut to 50 characters\n"
        "  --copies N             copies (default 1)\n"
        "  --start-row R          the first free label's row on the sheet (default 1)\n"
        "  --start-column C       and its column (default 1)\n"
        "  --printer NAME         print on this print queue instead of the default printer\n"
        "  --pdf OUT.pdf          write a PDF file instead (a file already there is kept: the\n"
        "                         labels go to OUT-2.pdf, ...); the names written are printed\n"
        "  --yes                  answer Yes or OK to every question (default: No or Cancel)\n"
        "\n"
        "Messages and questions go to standard error, answered as above. Exit status: 0 printed,\n"
        "1 refused or answered No, 2 a fault while reading the file or printing.\n");
}

QString VersionText()
{
    return QStringLiteral("Quillet " QUILLET_VERSION "\n");
}

} // namespace quillet
