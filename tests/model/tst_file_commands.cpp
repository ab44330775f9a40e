#include "common/scripted_dialogs.h"
#include "data_file_fixtures.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/file_commands.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "support/test_environment.h"

#include <QDir>
#include <QTemporaryDir>

using namespace quillet;
using namespace quillet::test;

class TestFileCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ResetPersistenceState();
        dir_ = std::make_unique<QTemporaryDir>();
        saveEnabled_.clear();
        MainLink().setSaveEnabled = [this](bool on) { saveEnabled_ << on; };
        MainLink().setTitle = [this](const QString& t) { title_ = t; };
    }

    void cleanup()
    {
        ResetPersistenceState();
        dir_.reset();
    }

    void newAsksFirst()
    {
        ScriptedDialogs ui;
        LayoutData.setCell(0, 0, 0, QStringLiteral("kept"));
        ui.answer(Answer::No);
        FileNew();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Start a new data file?"), QStringLiteral("New Data File"),
                              Buttons::YesNo, Icon::Question, Answer::No));
        QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("kept"));

        ui.answer(Answer::Yes); // unchanged data: no second question
        FileNew();
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QVERIFY(LayoutData.cell(0, 0, 0).isEmpty());
        QVERIFY(LayoutIsUsable(9));
        QVERIFY(!DataChanged);
        QCOMPARE(title_, QStringLiteral("Quillet"));
    }

    void newAfterASaveStillAsksAboutChanges()
    {
        ScriptedDialogs ui;
        const QString file = path(QStringLiteral("a.QX3"));
        QString name = file;
        LayoutData.setCell(0, 0, 0, QStringLiteral("Ana"));
        QCOMPARE(SaveDataFile(name), 1);
        DataChanged = true; // a save does not clear it
        ui.answer(Answer::Yes);
        ui.answer(Answer::Cancel);
        FileNew();
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QVERIFY(IsMessage(ui.last(),
                          QStringLiteral("The current data file: \r") + file +
                              QStringLiteral("\rhas changed but has not been saved.  Save it now?"),
                          QStringLiteral("Data Changed Warning"), Buttons::YesNoCancel, Icon::Question));
        QCOMPARE(DataFileName, file); // Cancel stopped it
        QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("Ana"));

        // Yes saves first, then the new data set releases the file.
        LayoutData.setCell(0, 0, 0, QStringLiteral("Bo"));
        ui.answer(Answer::Yes);
        ui.answer(Answer::Yes);
        FileNew();
        QCOMPARE(ReadBytes(file), DataHeader + "01011Bo\r\n");
        QVERIFY(DataFileName.isEmpty());
        QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::Valid));
        QVERIFY(!DataChanged);
    }

    void openGuardsAndLoads()
    {
        ScriptedDialogs ui;
        const QString file = path(QStringLiteral("open.QX3"));
        WriteBytes(file, DataHeader + "01011Ana\r\n");
        // Cancelled dialogs do nothing at all.
        for (const QString& cancelled : {QString(), QStringLiteral("*.QX3"), dir_->path() + QStringLiteral("/*.QX3")}) {
            ui.answerFile(cancelled.isNull() ? std::nullopt : std::optional<QString>(cancelled));
            FileOpen();
        }
        QVERIFY(ui.messages.empty());
        QCOMPARE(ui.fileRequests[0].mode, FileDialogRequest::Mode::Open);
        QCOMPARE(ui.fileRequests[0].nameFilters, QStringList({"Quillet Data Files (*.QX3 *.qx3)", "All Files (*)"}));
        QCOMPARE(ui.fileRequests[0].defaultSuffix, QStringLiteral("QX3"));

        ui.answerFile(path(QStringLiteral("missing.QX3")));
        FileOpen();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Filename not found: \r\r") + path(QStringLiteral("missing.QX3"))));

        ui.clear();
        DataChanged = true;
        ui.answerFile(file);
        ui.answer(Answer::No); // data changed, no name yet: the short form of the question
        FileOpen();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Data has changed but has not been saved.  Save it now?"),
                              QStringLiteral("Data Changed Warning"), Buttons::YesNoCancel, Icon::Question));
        QCOMPARE(DataFileName, file);
        QCOMPARE(title_, QStringLiteral("Quillet:  ") + file);
        QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("Ana"));
        QCOMPARE(saveEnabled_, QList<bool>{true});

        ui.clear();
        ui.answerFile(file);
        FileOpen(); // already open
        QVERIFY(ui.messages.empty());
    }

    void openOfAHeldFileOffersReadOnly()
    {
        ScriptedDialogs ui;
        const QString file = path(QStringLiteral("held.QX3"));
        WriteBytes(file, DataHeader + "01011Ana\r\n");
        HeldDataFile otherCopy;
        otherCopy.hold(OpenShared(file, ShareMode::Editor).fd, ShareMode::Editor);
        ui.answerFile(file);
        ui.answer(Answer::No);
        FileOpen();
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("The file selected:  \r") + file +
                                  QStringLiteral("\ris currently in use.\r\rWould you like to open it as read-only?"
                                                 "\r\r(Opening as read-only will allow you the full use of the file, "
                                                 "but will not allow you to save any changes you make)"),
                              QStringLiteral("File in Use"), Buttons::YesNo, Icon::Warning, Answer::No));
        QVERIFY(DataFileName.isEmpty());

        ui.answerFile(file);
        ui.answer(Answer::Yes);
        FileOpen();
        QVERIFY(ReadOnlyMode);
        QCOMPARE(saveEnabled_, QList<bool>{false});
        QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("Ana"));
    }

    void openWithABadHeader()
    {
        ScriptedDialogs ui;
        const QString file = path(QStringLiteral("bad.txt"));
        WriteBytes(file, "hello\r\nworld\r\n01011x\r\n");
        ui.answerFile(file);
        ui.answer(Answer::No);
        FileOpen();
        QVERIFY(IsOnlyMessage(
            ui,
            QStringLiteral("The file selected:\r\r") + file +
                QStringLiteral("\r\rdoes not appear to be a valid Quillet data file.  Attempt to load anyway?\r\r"
                               "(Loading this file is NOT recommened, unless you're confident that it contains "
                               "Quillet data.  QX will automatically overwrite this file upon exiting, unless a "
                               "different filename is selected.)"),
            QStringLiteral("Bad File Header"), Buttons::YesNo, Icon::Warning, Answer::No));
        QVERIFY(DataFileName.isEmpty());
        ui.answerFile(file);
        ui.answer(Answer::Yes);
        FileOpen();
        QCOMPARE(DataFileName, file);
        QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("x"));
    }

    void saveAndSaveAs()
    {
        ScriptedDialogs ui;
        LayoutData.setCell(0, 0, 0, QStringLiteral("Ana"));
        const QString first = path(QStringLiteral("first.QX3"));
        ui.answerFile(first);
        FileSave(); // no name yet: the dialog asks
        QCOMPARE(DataFileName, first);
        QCOMPARE(ui.fileRequests.size(), std::size_t(1));
        QCOMPARE(ui.fileRequests[0].mode, FileDialogRequest::Mode::Save);
        QCOMPARE(ui.fileRequests[0].defaultSuffix, QStringLiteral("QX3"));
        // Saved again under its name: no dialog, the same title, the new content.
        LayoutData.setCell(0, 0, 0, QStringLiteral("Bo"));
        title_.clear();
        FileSave();
        QCOMPARE(ui.fileRequests.size(), std::size_t(1));
        QVERIFY(title_.isEmpty());
        QCOMPARE(ReadBytes(first), DataHeader + "01011Bo\r\n");

        ui.answerFile(std::nullopt);
        ui.answerFile(dir_->path() + QStringLiteral("/*.QX3"));
        FileSaveAs();
        FileSaveAs();
        QCOMPARE(DataFileName, first);
        QCOMPARE(ui.fileRequests[1].initialName, first);
        QCOMPARE(ui.fileRequests[1].mode, FileDialogRequest::Mode::Save);

        const QString second = path(QStringLiteral("second.QX3"));
        ui.answerFile(second);
        FileSaveAs();
        QCOMPARE(DataFileName, second);
        QCOMPARE(title_, QStringLiteral("Quillet:  ") + second);
        QCOMPARE(CheckDataFileHeader(first, false), int(HeaderCheck::Valid)); // released
        QCOMPARE(CheckDataFileHeader(second, false), int(HeaderCheck::InUse));
        QVERIFY(ui.messages.empty());
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"first.QX3", "second.QX3"}));
    }

    void readOnlyRunNeverWrites()
    {
        ScriptedDialogs ui;
        const QString file = path(QStringLiteral("ro.QX3"));
        WriteBytes(file, DataHeader + "01011Ana\r\n");
        QCOMPARE(LoadDataFile(file, true), int(LoadResult::Loaded));
        SetReadOnly(true);
        LayoutData.setCell(0, 0, 0, QStringLiteral("changed"));
        DataChanged = true;
        FileSave();
        ui.answerFile(path(QStringLiteral("elsewhere.QX3")));
        FileSaveAs();
        QCOMPARE(ReadBytes(file), DataHeader + "01011Ana\r\n");
        QVERIFY(!QFile::exists(path(QStringLiteral("elsewhere.QX3"))));
        // New keeps read-only mode, and asks no changes question for read-only data.
        ui.answer(Answer::Yes);
        FileNew();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(ReadOnlyMode);
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
    QList<bool> saveEnabled_;
    QString title_;
};

QUILLET_TEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
