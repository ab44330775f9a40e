#include "common/program_folder.h"
#include "data_file_fixtures.h"
#include "mainwindow/main_window_test_support.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/file_commands.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/settings_file.h"
#include "model/startup.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

using namespace quillet;
using namespace quillet::test;

// The program's start and exit with the settings they keep, and the File commands.
class TestStartupAndFileCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        Run().reset();
        dir_ = std::make_unique<QTemporaryDir>();
        SetProgramFolderForTesting(dir_->path());
        QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet")).clear();
    }

    void cleanup() { ui.checkAllUsed(); }

    // The remembered file at start-up, or the one chosen in File > Open, is gone, held by another
    // copy or of a bad header: the one message (the file's name at %1) and what its answer does.
    void questionsAtStartAndOpen_data()
    {
        TextColumns({"file", "answer", "message", "title"}); // the file gone, held or odd
        const QString openHeld = "The file selected:  \r%1\ris currently in use.\r\rWould you like to open it as "
                                 "read-only?\r\r(Opening as read-only will allow you the full use of the file, but "
                                 "will not allow you to save any changes you make)";
        const QString openOdd = "The file selected:\r\r%1\r\rdoes not appear to be a valid Quillet data file.  "
                                "Attempt to load anyway?\r\r(Loading this file is NOT recommened, unless you're "
                                "confident that it contains Quillet data.  QX will automatically overwrite this file "
                                "upon exiting, unless a different filename is selected.)";
        // clang-format off
        Row("start, gone", "gone", "Ok", "Warning:  The last saved/opened data file (%1) could not be found.", "Data File Not Found");
        Row("start, held, declined", "held", "No", "The default data file:  \r%1\ris currently in use.\r\rWould you like to open it as read-only?\r\r(Opening as read-only will allow full access to the data, but will not allow any changes to be made)", "Data File in Use");
        Row("start, odd, loaded", "odd", "Yes", "The default data file:\r%1\rdoes not appear to be a valid QX data file - - the header information is invalid.  Should Quillet attempt to open it anyway?", "Invalid Data File Header");
        Row("open, held, declined", "held", "No", openHeld, "File in Use");
        Row("open, held, read-only", "held", "Yes", openHeld, "File in Use");
        Row("open, odd, declined", "odd", "No", openOdd, "Bad File Header");
        Row("open, odd, loaded", "odd", "Yes", openOdd, "Bad File Header");
        // clang-format on
    }

    void questionsAtStartAndOpen()
    {
        const bool atStart = QByteArray(QTest::currentDataTag()).startsWith("start");
        const QString file = Data("file"), answer = Data("answer");
        const QString name = path(file + QStringLiteral(".QX3"));
        if (file != u"gone") WriteBytes(name, (file == u"odd" ? "hello\r\nworld\r\n" : DataHeader) + "01011Ana\r\n");
        HeldDataFile otherCopy;
        if (file == u"held") otherCopy.hold(OpenShared(name, ShareMode::Editor).fd, ShareMode::Editor);
        ui.answer(answer == u"Ok" ? Answer::Ok : answer == u"No" ? Answer::No : Answer::Yes);
        if (atStart) {
            WriteBytes(SettingsFilePath(), "Quillet initialization data file\r\nQX.INI\r\n" + name.toUtf8() + "\r\n");
            LoadStartupData();
        } else {
            ui.answerFile(name);
            FileOpen();
        }
        const bool ok = answer == u"Ok", yes = answer == u"Yes";
        QVERIFY(IsOnlyMessage(ui, Data("message").arg(name), Data("title"), ok ? Buttons::Ok : Buttons::YesNo,
                              Icon::Warning, ok ? Answer::None : (atStart ? Answer::Yes : Answer::No)));
        QCOMPARE(Run().dataFileName(), yes ? name : QString());
        QCOMPARE(LayoutData().cell(0, 0, 0), yes ? QStringLiteral("Ana") : QString());
        QCOMPARE(Run().readOnlyMode(), yes && file == u"held");
        // A declined start begins a new data set, and the next exit remembers no file.
        if (atStart) QVERIFY(Run().settingsData[0] == Run().dataFileName() && LayoutIsUsable(1) == !yes);
    }

    void settingsFileReadAndWritten()
    {
        // "qx.ini" passes; entries 3-9 are kept; lines after the twelfth are ignored.
        WriteBytes(SettingsFilePath(),
                   "x\r\nqx.ini\r\n/a.QX3\r\n 1440\r\n-30\r\nr3\nr4\rr5\r\n\r\nr7\r\nr8\r\nr9\r\nextra\r\n");
        QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Loaded));
        QVERIFY(Run().settingsData ==
                (std::array<QString, 10>{"/a.QX3", " 1440", "-30", "r3", "r4", "r5", "", "r7", "r8", "r9"}));
        Run().settingsData[0] = QStringLiteral("/home/ana/Müller.QX3");
        SaveSettingsFile();
        QCOMPARE(ReadBytes(SettingsFilePath()),
                 QByteArray("Quillet initialization data file\r\nQX.INI\r\n/home/ana/M\xFCller.QX3\r\n 1440\r\n-30\r\n"
                            "r3\r\nr4\r\nr5\r\n\r\nr7\r\nr8\r\nr9\r\n"));
        // A path beyond Windows-1252 is kept whole.
        Run().settingsData[0] = QStringLiteral("/home/şule/labels.QX3");
        SaveSettingsFile();
        Run().settingsData[0].clear();
        QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Loaded));
        QCOMPARE(Run().settingsData[0], QStringLiteral("/home/şule/labels.QX3"));
    }

    // A settings file that loads is used even when it names no data file; one that does not is
    // reported and cleared, and the per-user value names the file.
    void settingsFileOrElseTheUserValue_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("ending"); // of the message; none when the file loads
        QTest::newRow("loads") << QByteArray("Quillet initialization data file\r\nQX.INI\r\n") << QString();
        QTest::newRow("empty") << QByteArray() << QStringLiteral("File exists, but appears to be empty of data.");
        QTest::newRow("one line") << QByteArray("Quillet initialization data file\r\n")
                                  << QStringLiteral("File exists, but appears to be missing some header information.");
        QTest::newRow("binary") << QByteArray("\x00\xFF\x01\n\x80\x81", 6)
                                << QStringLiteral("File exists, but does not appear to be in the proper format.");
    }

    void settingsFileOrElseTheUserValue()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, ending);
        const QString file = path(QStringLiteral("user.QX3"));
        WriteBytes(file, DataHeader + "01011from user value\r\n");
        QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet"))
            .setValue(QStringLiteral("Settings/LastUsedDataFile"), file);
        WriteBytes(SettingsFilePath(), bytes);
        Run().settingsData[3] = QStringLiteral("from before");
        if (!ending.isEmpty()) ui.answer(Answer::Ok);
        LoadStartupData();
        QVERIFY(ending.isEmpty() ||
                (IsOnlyMessage(ui, QStringLiteral("Error loading QX.INI initiallization file (this file contains the "
                                                  "name of your last saved data file, and a few other program "
                                                  "settings):  ") +
                                       ending) &&
                 Run().settingsData[3].isEmpty()));
        QCOMPARE(Run().dataFileName(), ending.isEmpty() ? QString() : file);
        QCOMPARE(LayoutData().cell(0, 0, 0), ending.isEmpty() ? QString() : QStringLiteral("from user value"));
    }

    void openGuardsAndLoads()
    {
        const QString file = path(QStringLiteral("open.QX3"));
        WriteBytes(file, DataHeader + "01011Ana\r\n");
        // Cancelled dialogs do nothing at all.
        for (const QString& cancelled : {QString(), QStringLiteral("*.QX3"), dir_->path() + QStringLiteral("/*.QX3")}) {
            ui.answerFile(cancelled.isNull() ? std::nullopt : std::optional<QString>(cancelled));
            FileOpen();
        }
        QCOMPARE(ui.fileRequests[0].mode, FileDialogRequest::Mode::Open);
        QCOMPARE(ui.fileRequests[0].nameFilters, QStringList({"Quillet Data Files (*.QX3 *.qx3)", "All Files (*)"}));
        QCOMPARE(ui.fileRequests[0].defaultSuffix, QStringLiteral("QX3"));

        // Changed data: the unsaved-changes question waits until the file passed its check.
        Run().dataChanged = true;
        ui.answerFile(path(QStringLiteral("missing.QX3")));
        ui.answer(Answer::Ok);
        FileOpen();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Filename not found: \r\r") + path(QStringLiteral("missing.QX3"))));

        ui.clear();
        ui.answerFile(file);
        ui.answer(Answer::No); // data changed, no name yet: the short form of the question
        FileOpen();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Data has changed but has not been saved.  Save it now?"),
                              QStringLiteral("Data Changed Warning"), Buttons::YesNoCancel, Icon::Question));
        QCOMPARE(Run().dataFileName(), file);
        QCOMPARE(LayoutData().cell(0, 0, 0), QStringLiteral("Ana"));
        QVERIFY(!Run().readOnlyMode());

        ui.answerFile(file);
        FileOpen(); // already open
    }

    void saveSaveAsAndNew()
    {
        LayoutData().setCell(0, 0, 0, QStringLiteral("Ana"));
        const QString first = path(QStringLiteral("first.QX3"));
        ui.answerFile(first);
        FileSave(); // no name yet: the dialog asks
        QCOMPARE(Run().dataFileName(), first);
        QCOMPARE(ui.fileRequests[0].mode, FileDialogRequest::Mode::Save);
        // Saved again under its name: no dialog, the new content.
        LayoutData().setCell(0, 0, 0, QStringLiteral("Bo"));
        FileSave();
        QCOMPARE(ReadBytes(first), DataHeader + "01011Bo\r\n");

        ui.answerFile(std::nullopt);
        ui.answerFile(dir_->path() + QStringLiteral("/*.QX3"));
        FileSaveAs();
        FileSaveAs();
        QCOMPARE(Run().dataFileName(), first);
        QCOMPARE(ui.fileRequests[1].initialName, first);
        QCOMPARE(ui.fileRequests[1].mode, FileDialogRequest::Mode::Save);

        const QString second = path(QStringLiteral("second.QX3"));
        ui.answerFile(second);
        FileSaveAs();
        QCOMPARE(Run().dataFileName(), second);
        QCOMPARE(CheckDataFileHeader(first, false), int(HeaderCheck::Valid)); // released
        QCOMPARE(CheckDataFileHeader(second, false), int(HeaderCheck::InUse));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"first.QX3", "second.QX3"}));

        // New asks first, then about unsaved changes: No and Cancel stop it; Yes saves first, then
        // the new data set releases the file.
        Run().dataChanged = true;
        ui.answer(Answer::No);
        FileNew();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Start a new data file?"), QStringLiteral("New Data File"),
                              Buttons::YesNo, Icon::Question, Answer::No));
        ui.answer(Answer::Yes);
        ui.answer(Answer::Cancel);
        FileNew();
        QVERIFY(IsMessage(ui.last(),
                          QStringLiteral("The current data file: \r") + second +
                              QStringLiteral("\rhas changed but has not been saved.  Save it now?"),
                          QStringLiteral("Data Changed Warning"), Buttons::YesNoCancel, Icon::Question));
        QVERIFY(Run().dataFileName() == second && LayoutData().cell(0, 0, 0) == QStringLiteral("Bo"));
        LayoutData().setCell(0, 0, 0, QStringLiteral("Cy"));
        ui.answer(Answer::Yes);
        ui.answer(Answer::Yes);
        FileNew();
        QCOMPARE(ReadBytes(second), DataHeader + "01011Cy\r\n");
        QVERIFY(Run().dataFileName().isEmpty() && !Run().dataChanged);
        ui.answer(Answer::Yes); // unchanged data: no second question
        FileNew();
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

QUILLET_TEST_MAIN(TestStartupAndFileCommands)
#include "tst_startup_and_file_commands.moc"
