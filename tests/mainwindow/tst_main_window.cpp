#include "common/scripted_dialogs.h"
#include "mainwindow/main_window.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "support/test_environment.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace quillet;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithAFreshDataSet();
    void menusOfferOnlyWhatWorks();
};

void TestMainWindow::opensWithAFreshDataSet()
{
    ScriptedDialogs ui;
    LayoutData.setCell(0, 0, 0, QStringLiteral("left over"));
    quillet::MainWindow window;
    window.load();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillet"));
    QVERIFY(window.isVisible());
    QVERIFY(LayoutData.cell(0, 0, 0).isEmpty());
    for (int n = 1; n <= 9; ++n) QVERIFY(LayoutIsUsable(n));
    QVERIFY(!LayoutIsUsable(10));
    QVERIFY(!DataChanged);
    QVERIFY(!UpdatingControls);
    QCOMPARE(window.layoutsList()->count(), 9);
    QCOMPARE(window.layoutsList()->itemText(8), QStringLiteral("Avery 5160/8160 (Tolvan Software)"));
    QCOMPARE(window.currentLayoutNumber(), 1);
    QCOMPARE(window.copiesBox()->text() + window.startRowBox()->text() + window.startColBox()->text(),
             QStringLiteral("111"));
    QCOMPARE(window.printWhat(), 1);
    QVERIFY(ui.messages.empty());
}

void TestMainWindow::menusOfferOnlyWhatWorks()
{
    ScriptedDialogs ui;
    quillet::MainWindow window;
    window.load();
    QStringList captions;
    for (QAction* menu : window.menuBar()->actions()) {
        captions << menu->text();
        for (QAction* item : menu->menu()->actions()) {
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
            // Commands that are not built yet are visibly unavailable.
            if (!item->isSeparator())
                QCOMPARE(item->isEnabled(), item != window.layoutsEditorAction() && item != window.diagnosticsAction());
        }
    }
    QCOMPARE(captions,
             QStringList({"&File", "&New", "&Open...", "&Save", "Save &As...", "-", "&Layouts Editor...", "-", "E&xit",
                          "&Help", "&Help && Information (Front Page)...", "&Diagnostics...", "&About"}));
    QVERIFY(window.findChild<QAction*>(QStringLiteral("MLayoutsEditor")) == window.layoutsEditorAction());
    QVERIFY(!window.addressBookButton()->isEnabled());
    window.exitAction()->trigger();
    QVERIFY(!window.isVisible());
}

QUILLET_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
