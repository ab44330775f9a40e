#include "common/program_folder.h"
#include "common/scripted_dialogs.h"
#include "mainwindow/help_viewer.h"
#include "mainwindow/main_window.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/layout_data.h"
#include "model/settings_file.h"
#include "model/shared_state.h"
#include "model/startup.h"
#include "support/test_environment.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

using namespace quillet;

class TestMainWindowLifetime : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void saveQuitAndFindTheFileReopened();
    void readOnlyRunDisablesSavingAndExitsQuietly();
    void failedSaveAtExitKeepsTheWindowOpen();
    void helpOpensTheHelpFileAtItsFrontPage();
};

void TestMainWindowLifetime::init()
{
    QFile::remove(SettingsFilePath());
    DataFileHandle.release();
    DataFileName.clear();
    SettingsData = {};
    ReadOnlyMode = false;
}

void TestMainWindowLifetime::saveQuitAndFindTheFileReopened()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("labels.QX3"));
    ScriptedDialogs ui;
    {
        MainWindow window;
        QVERIFY(window.load());
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillet"));
        QCOMPARE(window.layoutsList()->count(), 9);
        QVERIFY(!DataChanged && !UpdatingControls);
        ui.answerFile(file);
        window.saveAsAction()->trigger();
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillet:  ") + file);
        LayoutData.setCell(0, 0, 0, QStringLiteral("Ana"));
        DataChanged = true;
        window.exitAction()->trigger(); // saves silently
        QVERIFY(!window.isVisible());
    }
    QVERIFY(ui.messages.empty());
    QVERIFY(!DataFileHandle.isHeld());
    LayoutData.erase();
    MainWindow again;
    QVERIFY(again.load());
    QCOMPARE(again.windowTitle(), QStringLiteral("Quillet:  ") + file);
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("Ana"));
    QCOMPARE(again.layoutsList()->count(), 9);
    QVERIFY(again.saveAction()->isEnabled());
    QVERIFY(ui.messages.empty());
}

void TestMainWindowLifetime::readOnlyRunDisablesSavingAndExitsQuietly()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("held.QX3"));
    {
        ScriptedDialogs ui;
        QString name = file;
        QCOMPARE(SaveDataFile(name), 1);
        DataFileHandle.release();
    }
    SettingsData[0] = file;
    SaveSettingsFile();
    HeldDataFile otherCopy;
    otherCopy.hold(OpenShared(file, ShareMode::Editor).fd, ShareMode::Editor);
    const QByteArray before = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ScriptedDialogs ui;
    ui.answer(Answer::Yes); // open it read-only
    MainWindow window;
    QVERIFY(window.load());
    QCOMPARE(ui.last().title, QStringLiteral("Data File in Use"));
    QVERIFY(ReadOnlyMode);
    QVERIFY(!window.saveAction()->isEnabled() && !window.saveAsAction()->isEnabled());
    LayoutData.setCell(0, 0, 0, QStringLiteral("changed"));
    DataChanged = true;
    ui.clear();
    QVERIFY(window.close());
    QVERIFY(ui.messages.empty() && ui.fileRequests.empty());
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

void TestMainWindowLifetime::failedSaveAtExitKeepsTheWindowOpen()
{
    ScriptedDialogs ui;
    MainWindow window;
    QVERIFY(window.load());
    DataChanged = true;
    ui.answerFile(std::nullopt); // the save dialog is cancelled
    ui.answer(Answer::No);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(ui.last().title, QStringLiteral("QX Exit Warning"));
    QVERIFY(!QFile::exists(SettingsFilePath()));
    DataChanged = false;
    QVERIFY(window.close());
    QVERIFY(QFile::exists(SettingsFilePath()));
}

void TestMainWindowLifetime::helpOpensTheHelpFileAtItsFrontPage()
{
    ScriptedDialogs ui;
    MainWindow window;
    QVERIFY(window.load());
    QCOMPARE(HelpFile, ProgramFolder() + QStringLiteral("QX.hlp"));
    QFile::remove(HelpFile);
    window.helpContentsAction()->trigger();
    QVERIFY(ui.last().text.startsWith(QStringLiteral("Error displaying Help file:\r\rError: No such file")));
    QCOMPARE(ui.last().buttons, Buttons::Ok);

    QVERIFY(QFile::copy(QStringLiteral(QUILLET_HELP_FILE), HelpFile));
    window.helpContentsAction()->trigger();
    auto* viewer = window.findChild<HelpViewer*>(QStringLiteral("HelpViewer"));
    QVERIFY(viewer && viewer->isVisible());
    QVERIFY(viewer->browser()->toPlainText().startsWith(QStringLiteral("Quillet: Help & Information")));
    viewer->browser()->moveCursor(QTextCursor::End);
    window.helpContentsAction()->trigger(); // the same viewer, back at its front page
    QCOMPARE(window.findChildren<HelpViewer*>().size(), 1);
    QCOMPARE(viewer->browser()->textCursor().position(), 0);
    QCOMPARE(ui.messages.size(), std::size_t(1));
}

QUILLET_TEST_MAIN(TestMainWindowLifetime)
#include "tst_main_window_lifetime.moc"
