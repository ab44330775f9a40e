#include "common/scripted_dialogs.h"
#include "main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "support/test_environment.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace quillet;
using quillet::test::Control;

namespace {
const QString FixIt =
    QStringLiteral("Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem persists.  ");
}

class TestLayoutSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsUsableLayoutsInNumberOrder();
    void noUsableLayoutDisablesListAndPrint();
    void selectionSetsCaptionsAndLowersTheStartBoxes();
    void tolvanLayoutFillsTheDefaultText();
    void selectionWarnings_data();
    void selectionWarnings();
    void cancelStopsApplyingOkGoesOn();
    void editorClosingKeepsThePositionWhenItCan();
};

void TestLayoutSelection::listsUsableLayoutsInNumberOrder()
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
    QStringList titles;
    QList<int> numbers;
    for (int i = 0; i < list->count(); ++i) {
        titles << list->itemText(i);
        numbers << list->itemData(i).toInt();
    }
    QCOMPARE(numbers, QList<int>({1, 4, 5, 6, 7, 8, 9, 11}));
    QCOMPARE(titles.at(2), QStringLiteral(" Indented"));
    QCOMPARE(titles.last(), QStringLiteral("Eleven"));
    QCOMPARE(list->currentIndex(), -1); // filling selects nothing
    QCOMPARE(window.currentLayoutNumber(), 0);
    QVERIFY(list->isEnabled() && window.printButton()->isEnabled());
    QVERIFY(ui.messages.empty());
}

void TestLayoutSelection::noUsableLayoutDisablesListAndPrint()
{
    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
    window.refillLayoutsList();
    QCOMPARE(ui.messages.size(), size_t(1));
    QCOMPARE(ui.last().text, QStringLiteral("Error:  No valid Layouts were found (a valid list item includes a title, "
                                            "and is 'checked' as being visible in the main screen).  At least one is "
                                            "necessary.\r\rPlease open the Layouts Editor to modify this."));
    QCOMPARE(ui.last().title, QStringLiteral("Quillet"));
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QCOMPARE(ui.last().icon, Icon::None);
    QVERIFY(!window.layoutsList()->isEnabled());
    QVERIFY(!window.printButton()->isEnabled());

    SetLayoutCell(4, Visible, QStringLiteral("True"));
    window.refillLayoutsList();
    QVERIFY(window.layoutsList()->isEnabled() && window.printButton()->isEnabled());
    QCOMPARE(window.currentLayoutNumber(), 4);
    QCOMPARE(ui.messages.size(), size_t(1));
}

void TestLayoutSelection::selectionSetsCaptionsAndLowersTheStartBoxes()
{
    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    QLineEdit* col = window.startColBox();
    QLineEdit* row = window.startRowBox();
    QCOMPARE(Control<QPushButton>(window, "StartColLabel")->text(), QStringLiteral("&Column (1-3):"));
    QCOMPARE(Control<QLabel>(window, "StartColLabelx")->text(), QStringLiteral("&Column (1-3):"));
    QCOMPARE(Control<QPushButton>(window, "StartRowLabel")->text(), QStringLiteral("&Row (1-10):"));
    QCOMPARE(Control<QLabel>(window, "StartRowLabelx")->text(), QStringLiteral("&Row (1-10):"));

    col->setText(QStringLiteral("5"));
    row->setText(QStringLiteral("2"));
    window.layoutsList()->setCurrentIndex(5); // name badge: 2 x 4
    QCOMPARE(col->text(), QStringLiteral("2"));
    QCOMPARE(row->text(), QStringLiteral("2"));
    QCOMPARE(Control<QPushButton>(window, "StartRowLabel")->text(), QStringLiteral("&Row (1-4):"));

    col->setText(QStringLiteral("0"));
    row->setText(QStringLiteral("abc"));
    window.selectLayoutEntry(5);
    QCOMPARE(col->text(), QStringLiteral("1"));
    QCOMPARE(row->text(), QStringLiteral("1"));
    QVERIFY(ui.messages.empty());
}

void TestLayoutSelection::tolvanLayoutFillsTheDefaultText()
{
    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    for (int line = 1; line <= 5; ++line) window.setLabelLine(line, QStringLiteral("typed"));
    QComboBox* list = window.layoutsList();
    list->setCurrentIndex(list->findText(QStringLiteral("Avery 5160/8160 (Tolvan Software)")));
    QCOMPARE(window.labelLine(1), MakerName);
    for (int k = 0; k < 3; ++k) QCOMPARE(window.labelLine(k + 2), MakerAddress[k]);
    QCOMPARE(window.labelLine(5), QString());
    // A layout without default text leaves the text alone.
    window.setLabelLine(5, QStringLiteral("mine"));
    list->setCurrentIndex(0);
    QCOMPARE(window.labelLine(5), QStringLiteral("mine"));
    QVERIFY(ui.messages.empty());
}

void TestLayoutSelection::selectionWarnings_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message"); // empty: no warning
    const QString columns = QStringLiteral("Error:  The currently selected layout contains an invalid number of "
                                           "columns of labels:  \"%1\".  ") +
                            FixIt + QStringLiteral("Error #SEL-100");
    const QString rows = QStringLiteral("Error:  The currently selected layout contains an invalid number of rows of "
                                        "labels:  \"%1\".  ") +
                         FixIt + QStringLiteral("Error #SEL-101");
    const QString side = QStringLiteral("Error:  The currently selected layout contains an invalid label width "
                                        "(\"Side-to-Side\") distance (%1 inches).  ") +
                         FixIt + QStringLiteral("Error #SEL-102");
    const QString height = QStringLiteral("Error:  The currently selected layout contains an invalid label height "
                                          "(\"Top-to-Top\") distance (%1 inches).  ") +
                           FixIt + QStringLiteral("Error #SEL-103");
    const QString left = QStringLiteral("Error:  The currently selected layout contains an invalid left offset "
                                        "distance (%1 inches).  ") +
                         FixIt + QStringLiteral("Error #SEL-104");
    const QString top = QStringLiteral("Error:  The currently selected layout contains an invalid \"Offset From "
                                       "Top\" distance (%1 inches).  ") +
                        FixIt + QStringLiteral("Error #SEL-105");
    QTest::newRow("9 columns") << int(Columns) << "9" << QString();
    QTest::newRow("10 columns") << int(Columns) << " 10" << columns.arg(QStringLiteral("10"));
    QTest::newRow("no columns") << int(Columns) << "" << columns.arg(QStringLiteral("0"));
    QTest::newRow("30 rows") << int(Rows) << "30" << QString();
    QTest::newRow("31 rows") << int(Rows) << "31" << rows.arg(QStringLiteral("31"));
    QTest::newRow("side .25") << int(SideToSide) << "0.25" << QString();
    QTest::newRow("side 20") << int(SideToSide) << "20" << QString();
    QTest::newRow("side .24") << int(SideToSide) << "0.24" << side.arg(QStringLiteral(".24"));
    QTest::newRow("side 20.01") << int(SideToSide) << "20.01" << side.arg(QStringLiteral("20.01"));
    QTest::newRow("height .24") << int(TopToTop) << ".24" << height.arg(QStringLiteral(".24"));
    QTest::newRow("height 20.01") << int(TopToTop) << "20.01in" << height.arg(QStringLiteral("20.01"));
    QTest::newRow("left 0") << int(LeftOffset) << "0" << QString();
    QTest::newRow("left -.5") << int(LeftOffset) << "-0.5" << left.arg(QStringLiteral("-.5"));
    QTest::newRow("left 20.5") << int(LeftOffset) << "20.5" << left.arg(QStringLiteral("20.5"));
    QTest::newRow("top 20") << int(TopOffset) << "20" << QString();
    QTest::newRow("top -.1") << int(TopOffset) << "-.1" << top.arg(QStringLiteral("-.1"));
}

void TestLayoutSelection::selectionWarnings()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    SetLayoutCell(1, LayoutField(field), value);
    window.selectLayoutEntry(0);
    if (message.isEmpty()) {
        QVERIFY(ui.messages.empty());
        return;
    }
    QCOMPARE(ui.messages.size(), size_t(1));
    QCOMPARE(ui.last().text, message);
    QCOMPARE(ui.last().title, QStringLiteral("Quillet"));
    QCOMPARE(ui.last().buttons, Buttons::OkCancel);
    QCOMPARE(ui.last().icon, Icon::Warning);
    QCOMPARE(ui.last().defaultButton, Answer::None); // OK
}

void TestLayoutSelection::cancelStopsApplyingOkGoesOn()
{
    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    auto* colCaption = Control<QPushButton>(window, "StartColLabel");
    auto* rowCaption = Control<QPushButton>(window, "StartRowLabel");
    const int tolvan = window.layoutsList()->count() - 1;
    SetLayoutCell(9, Columns, QStringLiteral("12"));
    SetLayoutCell(9, Rows, QStringLiteral("7"));
    window.startColBox()->setText(QStringLiteral("8"));

    ui.answer(Answer::Cancel);
    window.selectLayoutEntry(tolvan);
    QCOMPARE(colCaption->text(), QStringLiteral("Column (<error>):"));
    QCOMPARE(Control<QLabel>(window, "StartColLabelx")->text(), QStringLiteral("Column (<error>):"));
    QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-10):"));
    QVERIFY(window.labelLine(1).isEmpty());
    QCOMPARE(window.currentLayoutNumber(), 9); // the entry stays selected

    ui.answer(Answer::Ok);
    window.selectLayoutEntry(tolvan);
    QCOMPARE(window.startColBox()->text(), QStringLiteral("8")); // untouched under a bad column count
    QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-7):"));
    QCOMPARE(window.labelLine(1), MakerName);
    QCOMPARE(ui.messages.size(), size_t(2));
}

void TestLayoutSelection::editorClosingKeepsThePositionWhenItCan()
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
    QCOMPARE(window.layoutsList()->currentIndex(), 2);
    QCOMPARE(window.layoutsList()->currentText(), QStringLiteral("Renamed"));
    QCOMPARE(window.startRowBox()->text(), QStringLiteral("7")); // applied again: layout 3 has 7 rows

    SetLayoutCell(2, Visible, QString());
    window.layoutsEditorClosed(true);
    QCOMPARE(window.layoutsList()->currentIndex(), 0);
    QCOMPARE(window.currentLayoutNumber(), 1);
    QVERIFY(ui.messages.empty());
}

QUILLET_TEST_MAIN(TestLayoutSelection)
#include "tst_layout_selection.moc"
