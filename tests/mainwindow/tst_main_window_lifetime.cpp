#include "common/failure.h"
#include "mainwindow/help_viewer.h"
#include "mainwindow/main_window.h"
#include "mainwindow/window_placement.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/file_commands.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>

#include <sys/stat.h>

using namespace quillet;
using namespace quillet::test;

namespace {

int dataFileWrites = 0;

// Start-up failing at step 4, when the window is shown.
struct WindowThatCannotShow : MainWindow {
    void setVisible(bool visible) override
    {
        if (visible) throw Failure(7, QStringLiteral("Out of memory"));
        MainWindow::setVisible(visible);
    }
};

const QByteArray SettingsStart = "Quillet initialization data file\r\nQX.INI\r\n";

} // namespace

class TestMainWindowLifetime : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        ui.clear();
        QFile::remove(SettingsFilePath());
        QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet")).clear();
        SetSaveStageHookForTesting([](SaveStage stage) { dataFileWrites += stage == SaveStage::BeforeWrite ? 1 : 0; });
    }
    void cleanup()
    {
        ui.checkAllUsed();
        SetSaveStageHookForTesting(nullptr);
    }

    // A start that fails is reported and ends the program; a fresh start then shows the window,
    // whose Exit runs once, and the next start reopens the file saved.
    void startUpExitAndTheNextStart()
    {
        ui.answer(Answer::Ok);
        QVERIFY(!WindowThatCannotShow().load());
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Error loading Quillet:  Out of memory\rError number:  7-4\r\rPlease "
                                                 "contact Tolvan Software about this problem - - it shouldn't have "
                                                 "happened.\r\rTolvan Software, Suite 300, 1420 Alder Street, Eugene, "
                                                 "OR 97401")));
        QVERIFY(!Run().updatingControls);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("labels.QX3"));
        LayoutData().setCell(0, 0, 0, QStringLiteral("left over"));
        {
            MainWindow window;
            QVERIFY(window.load() && window.isVisible());
            // Nothing remembered: centred as it is shown, not as it was before its layout was done.
            const QPoint offCentre = window.frameGeometry().center() - window.screen()->geometry().center();
            QVERIFY2(offCentre.manhattanLength() <= 1,
                     qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
            QVERIFY(LayoutData().cell(0, 0, 0).isEmpty() && !Run().dataChanged && !Run().updatingControls);
            QVERIFY(window.layoutsList()->count() == 9 && window.currentLayoutNumber() == 1);
            // Every command is offered.
            QStringList off;
            for (QAction* menu : window.menuBar()->actions())
                for (QAction* item : menu->menu()->actions())
                    if (!item->isEnabled()) off << item->objectName();
            QCOMPARE(off, QStringList());
            // Exit with changes and no name yet: one save request, one question; No keeps the window
            // open and writes nothing.
            Run().dataChanged = true;
            ui.answerFile(std::nullopt); // the save dialog is cancelled
            ui.answer(Answer::No);
            window.exitAction()->trigger();
            QVERIFY(window.isVisible() && ui.fileRequests.size() == 1 && !QFile::exists(SettingsFilePath()));
            QVERIFY(IsMessage(ui.last(), QStringLiteral("Exit Quillet without saving data?"),
                              QStringLiteral("QX Exit Warning"), Buttons::YesNo, Icon::Question, Answer::No));
            ui.answerFile(file);
            window.saveAsAction()->trigger();
            QCOMPARE(window.windowTitle(), QStringLiteral("Quillet:  ") + file);
            LayoutData().setCell(0, 0, 0, QStringLiteral("Ana"));
            Run().dataChanged = true;
            dataFileWrites = 0;
            window.move(144, 96);
            window.exitAction()->trigger(); // saves silently, once
            QVERIFY(!window.isVisible());
        }
        QCOMPARE(dataFileWrites, 1);
        QVERIFY(!Run().dataFileHandle.isHeld());
        // At 96 dots per inch 144 and 96 pixels are 2160 and 1440 twips.
        QCOMPARE(ReadBytes(SettingsFilePath()),
                 SettingsStart + file.toUtf8() + "\r\n 2160\r\n 1440\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        const QSettings stored(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
        QCOMPARE(stored.value(QStringLiteral("Settings/LastUsedDataFile")).toString(), file);
        // The program's folder as the platform gives it, without a "/" added.
        QCOMPARE(stored.value(QStringLiteral("Settings/ApplicationPath")).toString(),
                 QFileInfo(SettingsFilePath()).absolutePath());
        LayoutData().erase();
        MainWindow again;
        QVERIFY(again.load());
        QCOMPARE(again.windowTitle(), QStringLiteral("Quillet:  ") + file);
        QCOMPARE(again.pos(), QPoint(144, 96));
        QCOMPARE(LayoutData().cell(0, 0, 0), QStringLiteral("Ana"));
        QVERIFY(again.saveAction()->isEnabled());

        // A load stopped at a question still names the file it came from.
        const QString shortFile = dir.filePath(QStringLiteral("short.QX3"));
        WriteBytes(shortFile, "Quillet Data File\r\n<filename>.QX3\r\n01011Bea\r\nshort\r\n");
        ui.answerFile(shortFile);
        ui.answer(Answer::No); // stop loading at the short line
        again.openAction()->trigger();
        QCOMPARE(again.windowTitle(), QStringLiteral("Quillet:  ") + shortFile);
        QCOMPARE(LayoutData().cell(0, 0, 0), QStringLiteral("Bea"));
    }

    void readOnlyRunDisablesSavingAndExitsQuietly()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("held.QX3"));
        // One address and one layout: its title, 3 columns, 10 rows, 2.75" by 1" apart, visible.
        const QByteArray before = "Quillet Data File\r\n<filename>.QX3\r\n01011Ana\r\n30011Only\r\n300313\r\n"
                                  "3004110\r\n300512.75\r\n300611\r\n30301True\r\n";
        WriteBytes(file, before);
        WriteBytes(SettingsFilePath(), SettingsStart + file.toUtf8() + "\r\n");
        HeldDataFile otherCopy;
        otherCopy.hold(OpenShared(file, ShareMode::Editor).fd, ShareMode::Editor);
        ui.answer(Answer::Yes); // open it read-only
        MainWindow window;
        QVERIFY(window.load());
        QVERIFY(Run().readOnlyMode() && LayoutData().cell(0, 0, 0) == QStringLiteral("Ana"));
        QVERIFY(!window.saveAction()->isEnabled() && !window.saveAsAction()->isEnabled());
        LayoutData().setCell(0, 0, 0, QStringLiteral("changed"));
        Run().dataChanged = true;
        FileSave(); // by any route: no dialog, nothing written
        FileSaveAs();
        QVERIFY(window.close());
        QCOMPARE(ReadBytes(file), before);
        // New keeps read-only mode, and asks no changes question for read-only data.
        ui.answer(Answer::Yes);
        FileNew();
        QVERIFY(Run().readOnlyMode());
    }

    // The help viewer opens at the help file's front page; its links stay in the help folder or go
    // to the browser.
    void helpOpensAtItsFrontPageAndKeepsToItsFolder()
    {
        MainWindow window;
        QVERIFY(window.load());
        QFile::remove(Run().helpFile);
        ui.answer(Answer::Ok);
        window.helpContentsAction()->trigger();
        QVERIFY(ui.last().text.startsWith(QStringLiteral("Error displaying Help file:\r\rError: No such file")));
        QCOMPARE(ui.last().buttons, Buttons::Ok);

        QVERIFY(QFile::copy(QStringLiteral(QUILLET_HELP_FILE), Run().helpFile));
        window.helpContentsAction()->trigger();
        auto* viewer = window.findChild<HelpViewer*>(QStringLiteral("HelpViewer"));
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->browser()->toPlainText().startsWith(QStringLiteral("Quillet: Help & Information")));
        viewer->browser()->moveCursor(QTextCursor::End);
        window.helpContentsAction()->trigger(); // the same viewer, back at its front page
        QCOMPARE(window.findChildren<HelpViewer*>().size(), 1);
        QCOMPARE(viewer->browser()->textCursor().position(), 0);

        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(folder));
        const QString pipe = folder + QStringLiteral("/pipe.html");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        test::WriteBytes(folder + QStringLiteral("/more.html"), "<p>More help</p>");
        test::WriteBytes(root.filePath(QStringLiteral("outside.html")), "<p>Outside</p>");
        const QString help = folder + QStringLiteral("/QX.hlp");
        // Pictures that would block or never end are not read at all.
        test::WriteBytes(help, "<html><head><title><a href='https://example.invalid'>Title</a></title></head><body>"
                               "<p>Front page<img src='pipe.html'><img src='file:///dev/zero'></p></body></html>");

        // A viewer of its own, whose web links reach no real browser.
        HelpViewer links;
        QList<QUrl> opened;
        connect(&links, &HelpViewer::openInBrowser, [&](const QUrl& link) { opened << link; });
        links.showFrontPage(help);
        QCOMPARE(links.windowTitle(), QStringLiteral("Quillet Help"));
        const auto click = [&](const QString& link) {
            Q_EMIT links.browser()->anchorClicked(QUrl(link));
            return links.browser()->toPlainText().trimmed();
        };
        // Nothing outside the folder, no pipe, no other scheme: the page stays as it was.
        for (const QString& link : {QStringLiteral("../outside.html"),
                                    QStringLiteral("file://") + root.filePath(QStringLiteral("outside.html")),
                                    QStringLiteral("file:///etc/passwd"), QStringLiteral("pipe.html"),
                                    QStringLiteral("javascript:alert(1)"), QStringLiteral("ftp://example.invalid/x")})
            QVERIFY2(click(link).startsWith(QStringLiteral("Front page")), qPrintable(link));
        QVERIFY(opened.isEmpty());
        // A page of the help folder shows in the viewer; a web page goes to the browser.
        QCOMPARE(click(QStringLiteral("more.html")), QStringLiteral("More help"));
        click(QStringLiteral("https://example.invalid/guide"));
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.invalid/guide"))});

        // A help file that is a pipe is reported, not waited for.
        QVERIFY_THROWS_EXCEPTION(Failure, links.showFrontPage(pipe));
    }

    void windowPlacement()
    {
        const QSize screen(1920, 1080), window(800, 600);
        // 1440 twips are one inch: 144 pixels at 144 dpi (96 dpi: the fresh start saves and restores it).
        QCOMPARE(PlaceWindow(u"1440", u"1440", screen, window, 144), QPoint(144, 144));
        // Not above 0, or not within the screen (28,800 by 16,200 twips at 96 dpi): centred on that axis.
        QCOMPARE(PlaceWindow(u"-30", u"0", screen, window, 96), QPoint(560, 240));
        QCOMPARE(PlaceWindow(u"28800", u"16200", screen, window, 96), QPoint(560, 240));
        QCOMPARE(PlaceWindow(u"28799", u"abc", screen, window, 96), QPoint(1920, 240));
        QCOMPARE(TwipsText(-2, 96), QStringLiteral("-30"));
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestMainWindowLifetime)
#include "tst_main_window_lifetime.moc"
