#include "cli/command_line.h"
#include "cli/command_line_print.h"
#include "common/widget_dialogs.h"
#include "mainwindow/main_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList ArgumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Printing needs no display: without one, Qt's offscreen platform stands in.
void UseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void NameTheProgram()
{
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setOrganizationName(QStringLiteral("Quillet"));
}

} // namespace

int main(int argc, char* argv[])
{
    using quillet::CommandLine;
    const CommandLine line = quillet::ParseCommandLine(ArgumentsOf(argc, argv));
    switch (line.mode) {
    case CommandLine::Mode::Help:
        std::fputs(qPrintable(quillet::UsageText()), stdout);
        return EXIT_SUCCESS;
    case CommandLine::Mode::Version:
        std::fputs(qPrintable(quillet::VersionText()), stdout);
        return EXIT_SUCCESS;
    case CommandLine::Mode::Invalid:
        std::fprintf(stderr, "quillet: %s\nTry 'quillet --help'.\n", qPrintable(line.error));
        return quillet::PrintStatus::Refused;
    case CommandLine::Mode::Print: {
        UseOffscreenWithoutDisplay();
        QApplication app(argc, argv);
        NameTheProgram();
        return quillet::PrintFromCommandLine(line, stderr, stdout);
    }
    case CommandLine::Mode::Window:
        break;
    }

    QApplication app(argc, argv);
    NameTheProgram();
    QApplication::setDesktopFileName(QStringLiteral("com.tolvansoftware.Quillet"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillet")));
    quillet::WidgetDialogs dialogs;
    quillet::InstallDialogs(&dialogs);
    quillet::MainWindow window;
    const QString file = line.dataFile.isEmpty() ? QString() : QFileInfo(line.dataFile).absoluteFilePath();
    if (!window.load(file)) {
        quillet::InstallDialogs(nullptr);
        return 0;
    }
    const int result = QApplication::exec();
    quillet::InstallDialogs(nullptr);
    return result;
}
