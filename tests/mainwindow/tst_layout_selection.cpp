#include "common/scripted_dialogs.h"
#include "main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace quillet;
using quillet::test::Control;
using quillet::test::IsOnlyMessage;

namespace {
QString Warning(const QString& what, const QString& value, const QString& code)
{
    return QStringLiteral("Error:  The currently selected layout contains an invalid ") + what + value +
           QStringLiteral(".  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem "
                          "persists.  Error #SEL-") +
           code;
}
} // namespace

class TestLayoutSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:

    void listsUsableLayoutsInNumberOrder()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        SetLayoutCell(2, Title, QStringLiteral("   "));
        SetLayoutCell(3, Visible, QStringLiteral("true"));
        SetLayoutCell(5, Title, QStringLiteral(" Indented"));
        SetLayoutCell(11, Title, QStringLiteral("Eleven"));
        SetLayoutCell(11, Visible, QStringLiteral("True"));
        SetLayoutCell(12, Visible, QStringLiteral("True")); // no title
        window.FillLayoutsList();

        QComboBox* list = window.layoutsList();
        QList<int> numbers;
        for (int i = 0; i < list->count(); ++i) numbers << list->itemData(i).toInt();
        QCOMPARE(numbers, QList<int>({1, 4, 5, 6, 7, 8, 9, 11}));
        QCOMPARE(list->itemText(2), QStringLiteral(" Indented"));
        QCOMPARE(list->currentIndex(), -1); // filling selects nothing
        QCOMPARE(window.currentLayoutNumber(), 0);
        QVERIFY(list->isEnabled() && window.printButton()->isEnabled());
        QVERIFY(ui.messages.empty());
    }

    void noUsableLayoutDisablesListAndPrint()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
        window.refillLayoutsList();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Error:  No valid Layouts were found (a valid list item includes a "
                                                 "title, and is 'checked' as being visible in the main screen).  At "
                                                 "least one is necessary.\r\rPlease open the Layouts Editor to modify "
                                                 "this.")));
        QVERIFY(!window.layoutsList()->isEnabled() && !window.printButton()->isEnabled());

        SetLayoutCell(4, Visible, QStringLiteral("True"));
        window.refillLayoutsList();
        QVERIFY(window.layoutsList()->isEnabled() && window.printButton()->isEnabled());
        QCOMPARE(window.currentLayoutNumber(), 4);
    }

    void selectionSetsCaptionsAndLowersTheStartBoxes()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        QCOMPARE(Control<QPushButton>(window, "StartColLabel")->text(), QStringLiteral("&Column (1-3):"));
        QCOMPARE(Control<QLabel>(window, "StartRowLabelx")->text(), QStringLiteral("&Row (1-10):"));
        window.startColBox()->setText(QStringLiteral("5"));
        window.startRowBox()->setText(QStringLiteral("2"));
        window.layoutsList()->setCurrentIndex(5); // name badges, 2 x 4
        QCOMPARE(window.startColBox()->text(), QStringLiteral("2"));
        QCOMPARE(window.startRowBox()->text(), QStringLiteral("2"));
        QCOMPARE(Control<QPushButton>(window, "StartRowLabel")->text(), QStringLiteral("&Row (1-4):"));
        window.startColBox()->setText(QStringLiteral("0"));
        window.startRowBox()->setText(QStringLiteral("abc"));
        window.selectLayoutEntry(5);
        QCOMPARE(window.startColBox()->text(), QStringLiteral("1"));
        QCOMPARE(window.startRowBox()->text(), QStringLiteral("1"));

        for (int line = 1; line <= 5; ++line) window.setLabelLine(line, QStringLiteral("typed"));
        window.layoutsList()->setCurrentText(QStringLiteral("Avery 5160/8160 (Tolvan Software)"));
        QCOMPARE(window.labelLine(1), MakerName);
        QCOMPARE(window.labelLine(4), MakerAddress[2]);
        QCOMPARE(window.labelLine(5), QString());
        QVERIFY(ui.messages.empty());
    }

    void selectionWarnings_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // empty: no warning
        const QString columns = QStringLiteral("number of columns of labels:  \"");
        const QString side = QStringLiteral("label width (\"Side-to-Side\") distance (");
        // clang-format off
        QTest::newRow("9 columns") << int(Columns) << "9" << QString();
        QTest::newRow("10 columns") << int(Columns) << " 10" << Warning(columns, "10\"", "100");
        QTest::newRow("30 rows") << int(Rows) << "30" << QString();
        QTest::newRow("31 rows") << int(Rows) << "31" << Warning("number of rows of labels:  \"", "31\"", "101");
        QTest::newRow("side .25") << int(SideToSide) << "0.25" << QString();
        QTest::newRow("side 20") << int(SideToSide) << "20" << QString();
        QTest::newRow("side .24") << int(SideToSide) << "0.24" << Warning(side, ".24 inches)", "102");
        QTest::newRow("side 20.01") << int(SideToSide) << "20.01" << Warning(side, "20.01 inches)", "102");
        QTest::newRow("height") << int(TopToTop) << "20.01in" << Warning("label height (\"Top-to-Top\") distance (", "20.01 inches)", "103");
        QTest::newRow("left -.5") << int(LeftOffset) << "-0.5" << Warning("left offset distance (", "-.5 inches)", "104");
        QTest::newRow("top") << int(TopOffset) << "-.1" << Warning("\"Offset From Top\" distance (", "-.1 inches)", "105");
        // clang-format on
    }

    void selectionWarnings()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        SetLayoutCell(1, LayoutField(field), value);
        window.selectLayoutEntry(0);
        if (message.isEmpty())
            QVERIFY(ui.messages.empty());
        else
            QVERIFY(IsOnlyMessage(ui, message, QStringLiteral("Quillet"), Buttons::OkCancel, Icon::Warning));
    }

    void cancelStopsApplyingOkGoesOn()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        auto* rowCaption = Control<QPushButton>(window, "StartRowLabel");
        SetLayoutCell(9, Columns, QStringLiteral("12"));
        SetLayoutCell(9, Rows, QStringLiteral("7"));
        window.startColBox()->setText(QStringLiteral("8"));

        ui.answer(Answer::Cancel);
        window.selectLayoutEntry(8);
        QCOMPARE(Control<QLabel>(window, "StartColLabelx")->text(), QStringLiteral("Column (<error>):"));
        QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-10):"));
        QVERIFY(window.labelLine(1).isEmpty());
        QCOMPARE(window.currentLayoutNumber(), 9); // the entry stays selected

        ui.answer(Answer::Ok);
        window.selectLayoutEntry(8);
        QCOMPARE(window.startColBox()->text(), QStringLiteral("8")); // untouched under a bad column count
        QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-7):"));
        QCOMPARE(window.labelLine(1), MakerName);
    }

    void editorClosingKeepsThePositionWhenItCan()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        window.layoutsList()->setCurrentIndex(2);
        window.startRowBox()->setText(QStringLiteral("9"));
        window.layoutsEditorClosed(false);
        QCOMPARE(window.startRowBox()->text(), QStringLiteral("9")); // nothing refilled or applied

        SetLayoutCell(3, Title, QStringLiteral("Renamed"));
        window.layoutsEditorClosed(true);
        QCOMPARE(window.layoutsList()->currentText(), QStringLiteral("Renamed"));
        QCOMPARE(window.startRowBox()->text(), QStringLiteral("7")); // applied again: 7 rows

        SetLayoutCell(2, Visible, QString());
        window.layoutsEditorClosed(true);
        QCOMPARE(window.currentLayoutNumber(), 1);
    }
};

QUILLET_TEST_MAIN(TestLayoutSelection)
#include "tst_layout_selection.moc"
