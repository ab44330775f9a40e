#include "common/program_folder.h"
#include "common/scripted_dialogs.h"
#include "mainwindow/help_viewer.h"
#include "model/startup.h"
#include "support/test_environment.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

using namespace quillet;

class TestHelpAndAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpOpensAtTheFrontPage();
    void missingHelpFileIsReported();
};

void TestHelpAndAbout::helpOpensAtTheFrontPage()
{
    ScriptedDialogs ui;
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QStringLiteral(QUILLET_HELP_FILE), folder.filePath(QStringLiteral("QX.hlp"))));
    SetProgramFolderForTesting(folder.path());
    SetHelpFile();
    QCOMPARE(HelpFile, folder.path() + QStringLiteral("/QX.hlp"));
    QWidget parent;
    ShowHelpFrontPage(&parent);
    auto* viewer = parent.findChild<HelpViewer*>(QStringLiteral("HelpViewer"));
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->browser()->toPlainText().startsWith(QStringLiteral("Quillet: Help & Information")));
    viewer->browser()->verticalScrollBar()->setValue(viewer->browser()->verticalScrollBar()->maximum());
    ShowHelpFrontPage(&parent); // the same viewer, back at its front page
    QCOMPARE(parent.findChildren<HelpViewer*>().size(), 1);
    QCOMPARE(viewer->browser()->textCursor().position(), 0);
    QVERIFY(ui.messages.empty());
}

void TestHelpAndAbout::missingHelpFileIsReported()
{
    ScriptedDialogs ui;
    QTemporaryDir folder;
    SetProgramFolderForTesting(folder.path());
    SetHelpFile();
    QWidget parent;
    ShowHelpFrontPage(&parent);
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QVERIFY(ui.last().text.startsWith(QStringLiteral("Error displaying Help file:\r\rError: No such file")));
    QCOMPARE(ui.last().buttons, Buttons::Ok);
}

QUILLET_TEST_MAIN(TestHelpAndAbout)
#include "tst_help_and_about.moc"
