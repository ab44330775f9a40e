#include "cli/command_line.h"
#include "cli/terminal_dialogs.h"
#include "common/error_report.h"
#include "mainwindow/main_window_test_support.h"
#include "model/data_file.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "model/settings_file.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace quillet;
using namespace quillet::test;

namespace {

// The program itself, as a user's script starts it: no display, nothing of Qt's set.
ProgramRun Quillet(const QStringList& arguments, const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    return RunProgram(QStringLiteral(QUILLET_PROGRAM), arguments, folder, environment);
}

// A fresh data set with three addresses, one of them selected, saved as mail.QX3 in the folder;
// the run state is fresh again afterwards.
QString WriteDataFile(const QTemporaryDir& folder)
{
    QString path = folder.filePath(QStringLiteral("mail.QX3"));
    StartNewData();
    const Cell cells[] = {{0, 0, Line1, "Ann Smith"}, {0, 0, Line2, "1 Main St"}, {0, 3, Line1, "Åsa Berg"},
                          {0, 3, Selected, "True"},   {2, 0, Line1, "Carl Chu"},  {2, 0, Line3, "Eugene, OR 97401"}};
    SetCells(cells);
    [&] { QCOMPARE(SaveDataFile(path), 1); }();
    Run().reset();
    return path;
}

QString Words(const QList<PdfWord>& words)
{
    QString all;
    for (const PdfWord& w : words)
        all += QStringLiteral("%1 %2 %3 %4\n").arg(w.page).arg(w.left, 0, 'f', 3).arg(w.top, 0, 'f', 3).arg(w.text);
    return all;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        ui.clear();
        QFile::remove(SettingsFilePath());
    }
    void cleanup() { ui.checkAllUsed(); }

    void readsTheArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // mode, then what was read, or the error
        QTest::newRow("nothing") << QStringList{} << QStringLiteral("window ||1|||||||no");
        QTest::newRow("help wins") << QStringList{"--print", "--bogus", "--help"} << QStringLiteral("help");
        QTest::newRow("every option")
            << QStringList{"--print", "d.QX3", "--layout", "Avery 5160", "--what=selected", "--text", "a",
                           "--text",  "",      "--copies", "2.5",        "--start-row",     "3",      "--start-column",
                           "2",       "--pdf", "o.pdf",    "--yes"}
            << QStringLiteral("print d.QX3|Avery 5160|3|a/|2.5|3|2||o.pdf|yes");
        QTest::newRow("printer") << QStringList{"--printer=Labels", "x.QX3", "--print", "--what", "all"}
                                 << QStringLiteral("print x.QX3||2|||||Labels||no");
        QTest::newRow("six lines") << QStringList{"--print", "x",      "--text", "1",      "--text", "2",      "--text",
                                                  "3",       "--text", "4",      "--text", "5",      "--text", "6"}
                                   << QStringLiteral("invalid a label has at most five lines of --text");
        QTest::newRow("print option alone")
            << QStringList{"x.QX3", "--copies", "2"} << QStringLiteral("invalid --copies is used only with --print");
        QTest::newRow("two outputs") << QStringList{"--print", "x", "--pdf", "o.pdf", "--printer", "p"}
                                     << QStringLiteral("invalid --printer and --pdf cannot be used together");
        QTest::newRow("no file") << QStringList{"--print"}
                                 << QStringLiteral("invalid --print needs the data file to print from");
        QTest::newRow("what") << QStringList{"--print", "x", "--what", "some"}
                              << QStringLiteral("invalid --what is typed, all or selected, not some");
    }
    void readsTheArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const CommandLine c = ParseCommandLine(arguments);
        static const char* const modes[] = {"window", "print", "help", "version", "invalid"};
        QString read = QString::fromLatin1(modes[int(c.mode)]);
        if (c.mode == CommandLine::Mode::Invalid) read += u' ' + c.error;
        if (c.mode == CommandLine::Mode::Window || c.mode == CommandLine::Mode::Print)
            read += QStringLiteral(" %1|%2|%3|%4|%5|%6|%7|%8|%9|")
                        .arg(c.dataFile, c.layout, QString::number(c.printWhat), c.texts.join(u'/'), c.copies,
                             c.startRow, c.startColumn, c.printer, c.pdf) +
                    QLatin1String(c.yes ? "yes" : "no");
        QCOMPARE(read, expected);
        // A layout is named by number only as 1-12 written plainly; anything else is a title.
        for (const auto& [value, number] : {std::pair{"1", 1}, {"12", 12}, {"13", 0}, {"03", 0}, {"Avery", 0}})
            QCOMPARE(LayoutNumberArgument(QString::fromLatin1(value)), number);
    }

    void answersOnTheTerminal()
    {
        std::FILE* out = std::tmpfile();
        TerminalDialogs no(out, false), yes(out, true);
        QCOMPARE(no.message({QStringLiteral("Two\rlines"), ProgramTitle, Buttons::OkCancel, Icon::Warning}),
                 Answer::Cancel);
        QVERIFY(no.declined() && !no.faultSeen());
        InstallDialogs(&yes);
        QCOMPARE(ShowMessage(QStringLiteral("Print 100 copies?"), Buttons::YesNo, Icon::Question,
                             QStringLiteral("Caution"), Answer::No),
                 Answer::Yes);
        // A failure is never retried, whatever the user said in advance.
        QCOMPARE(ReportError(QStringLiteral("Error printing single labels"), QStringLiteral("Disk full"), 28, 3, 0, 0,
                             0, Buttons::RetryCancel),
                 Answer::Cancel);
        QVERIFY(yes.faultSeen() && !yes.declined());
        InstallDialogs(&ui);
        std::rewind(out);
        QByteArray written(4096, '\0');
        written.resize(qsizetype(std::fread(written.data(), 1, std::size_t(written.size()), out)));
        std::fclose(out);
        QVERIFY2(written.startsWith("Quillet: Two\nlines\n  [OK/Cancel] Cancel\nCaution: Print 100 copies?\n"
                                    "  [Yes/No] Yes\nQuillet Error: Error printing single labels"),
                 written.constData());
        QVERIFY(written.endsWith("  [Retry/Cancel] Cancel\n"));
    }

    void startsOnTheFileNamed()
    {
        QTemporaryDir dir;
        const QString file = WriteDataFile(dir);
        // The remembered file is not looked for, so its absence is not reported.
        WriteBytes(SettingsFilePath(), "Quillet initialization data file\r\nQX.INI\r\n/gone.QX3\r\n");
        {
            MainWindow window;
            QVERIFY(window.load(file));
            QCOMPARE(QStringList({window.windowTitle(), Control<QRadioButton>(window, "PrintWhatOB2")->text(),
                                  Control<QRadioButton>(window, "PrintWhatOB3")->text()}),
                     QStringList({"Quillet:  " + file, "Print all entries in address book (3)",
                                  "Print all entries selected in address book (1)"}));
            QVERIFY(!Run().dataChanged && !Run().readOnlyMode());
        }
        // A missing file leaves the fresh data set, with File > Open's message.
        Run().reset();
        MainWindow window;
        ui.answer(Answer::Ok); // "Filename not found"
        QVERIFY(window.load(dir.filePath(QStringLiteral("missing.QX3"))));
        QVERIFY(window.windowTitle() == QStringLiteral("Quillet") && window.layoutsList()->count() == 9);
    }

    void printsWithoutAWindowWhereTheWindowDoes()
    {
        QTemporaryDir dir;
        const QString file = WriteDataFile(dir);
        // Everything the run must leave alone: the data file, both settings stores, the
        // running-copy lock's folder.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quillet");
        QDir().mkpath(config);
        WriteBytes(config + QStringLiteral("/QX.INI"), "Quillet initialization data file\r\nQX.INI\r\n/x.QX3\r\n");
        WriteBytes(config + QStringLiteral("/Quillet.conf"), "[Settings]\nLastUsedDataFile=/x.QX3\n");
        const QStringList watched{file, config + QStringLiteral("/QX.INI"), config + QStringLiteral("/Quillet.conf"),
                                  QFileInfo(QStringLiteral(QUILLET_PROGRAM)).path() + QStringLiteral("/QX.INI")};
        QList<QByteArray> before;
        for (const QString& path : watched) before << ReadBytes(path);
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        const QStringList runtimeBefore = QDir(runtime).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        // Printed while this copy holds the file for editing: the printing copy only reads it.
        QCOMPARE(LoadDataFile(file, false), int(LoadResult::Loaded));
        // The boxes are taken as typed and left: copies "2.7" are 2 and start row "2.9" is 2, as in the window.
        const ProgramRun printed = Quillet({"--print", "mail.QX3", "--pdf", "cli.pdf", "--layout", "1", "--what", "all",
                                            "--copies", "2.7", "--start-row", "2.9", "--start-column", "3"},
                                           dir.path());
        QCOMPARE(printed.status, 0);
        QCOMPARE(printed.out, dir.filePath(QStringLiteral("cli.pdf")) + u'\n');
        QCOMPARE(printed.err, QStringLiteral("Output: PDF file ") + dir.filePath(QStringLiteral("cli.pdf")) + u'\n');

        // The same job from the window's Print button and printing window.
        PdfLabels pdf;
        MainWindow window;
        window.refillLayoutsList();
        window.setPrintWhat(2);
        window.copiesBox()->setText(QStringLiteral("2"));
        SetPosition(window, "3", "2");
        const QString fromWindow = Words(pdf.print(window));
        QCOMPARE(fromWindow.count(QStringLiteral("Smith")), 2);
        QCOMPARE(Words(ReadPdfWords(dir.filePath(QStringLiteral("cli.pdf")))), fromWindow);

        // A refusal: its text, status 1 and nothing written.
        const ProgramRun refused = Quillet({"--print", file, "--copies", "0", "--pdf", "none.pdf"}, dir.path());
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, QStringLiteral("Quillet: Number of copies must be at least one\nNothing was printed.\n"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.pdf"))));

        for (int i = 0; i < watched.size(); ++i) QCOMPARE(ReadBytes(watched[i]), before[i]);
        QCOMPARE(QDir(runtime).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), runtimeBefore);
        QCOMPARE(QDir(config).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"Quillet.conf", "QX.INI"}));
    }

private:
    ScriptedDialogs ui;
};

QUILLET_TEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
