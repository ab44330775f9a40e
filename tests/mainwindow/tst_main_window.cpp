#include "common/scripted_dialogs.h"
#include "mainwindow/main_window.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "support/test_environment.h"

using namespace quillet;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithAFreshDataSet();
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
    QVERIFY(ui.messages.empty());
}

QUILLET_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
