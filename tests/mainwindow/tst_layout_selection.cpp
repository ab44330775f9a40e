#include "main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/printer_surface.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

using namespace quillet;
using namespace quillet::test;

namespace {
QString Warning(const QString& what, const QString& value, const QString& code)
{
    return QStringLiteral("Error:  The currently selected layout contains an invalid ") + what + value +
           QStringLiteral(".  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem "
                          "persists.  Error #SEL-") +
           code;
}

const QString ContactUs = QStringLiteral(
    "  This indicates a problem with the programming.  Please contact Tolvan Software about this problem.  Error #");
const QString FixIt = QStringLiteral(
    "  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem persists.  Error #");
const QString Adjust =
    QStringLiteral("\r\rAdjust the printer driver (press \"Print Setup\", and then adjust \"Orientation\" and/or "
                   "\"Paper Size\"), and/or adjust the settings within the QX Layouts Editor (File > Layouts Editor).");

} // namespace

class TestLayoutSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { loaded_ = std::make_unique<LoadedWindow>(); }
    void cleanup() { loaded_.reset(); }

    void listsUsableLayoutsInNumberOrderOrDisablesPrint()
    {
        auto& [ui, window] = *loaded_;
        // A blank title, "true" and no title are not usable; layout 11 is.
        const Cell cells[] = {{LayoutSlot(2), Title, 0, "   "},       {LayoutSlot(3), Visible, 0, "true"},
                              {LayoutSlot(5), Title, 0, " Indented"}, {LayoutSlot(11), Title, 0, "Eleven"},
                              {LayoutSlot(11), Visible, 0, "True"},   {LayoutSlot(12), Visible, 0, "True"}};
        SetCells(cells);
        window.FillLayoutsList();

        QComboBox* list = window.layoutsList();
        QList<int> numbers;
        for (int i = 0; i < list->count(); ++i) numbers << list->itemData(i).toInt();
        QCOMPARE(numbers, QList<int>({1, 4, 5, 6, 7, 8, 9, 11}));
        QCOMPARE(list->itemText(2), QStringLiteral(" Indented"));
        QCOMPARE(list->currentIndex(), -1); // filling selects nothing
        QCOMPARE(window.currentLayoutNumber(), 0);
        QVERIFY(list->isEnabled() && window.printButton()->isEnabled());

        // No usable layout at all: the list and Print are disabled until one is usable again.
        for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
        ui.answer(Answer::Ok);
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
        auto& [ui, window] = *loaded_;
        QCOMPARE(Control<QPushButton>(window, "StartColLabel")->text(), QStringLiteral("&Column (1-3):"));
        QCOMPARE(Control<QLabel>(window, "StartRowLabelx")->text(), QStringLiteral("&Row (1-10):"));
        SetPosition(window, "5", "2");
        window.layoutsList()->setCurrentIndex(5); // name badges, 2 x 4
        QCOMPARE(Position(window), QStringLiteral("2,2"));
        QCOMPARE(Control<QPushButton>(window, "StartRowLabel")->text(), QStringLiteral("&Row (1-4):"));
        SetPosition(window, "0", "abc");
        window.selectLayoutEntry(5);
        QCOMPARE(Position(window), QStringLiteral("1,1"));

        for (int line = 1; line <= 5; ++line) window.setLabelLine(line, QStringLiteral("typed"));
        window.layoutsList()->setCurrentText(QStringLiteral("Avery 5160/8160 (Tolvan Software)"));
        QCOMPARE(window.labelLine(1), MakerName);
        QCOMPARE(window.labelLine(4), MakerAddress[2]);
        QCOMPARE(window.labelLine(5), QString());
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
        auto& [ui, window] = *loaded_;
        SetLayoutCell(1, LayoutField(field), value);
        if (message.isEmpty()) return window.selectLayoutEntry(0); // asks nothing
        ui.answer(Answer::Ok);
        window.selectLayoutEntry(0);
        QVERIFY(IsOnlyMessage(ui, message, QStringLiteral("Quillet"), Buttons::OkCancel, Icon::Warning));
    }

    void cancelStopsApplyingOkGoesOn()
    {
        auto& [ui, window] = *loaded_;
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

        // Cancel on the left offset warning skips the top offset check after it.
        SetLayoutCell(1, LeftOffset, QStringLiteral("-1"));
        SetLayoutCell(1, TopOffset, QStringLiteral("-1"));
        ui.clear();
        ui.answer(Answer::Cancel);
        window.selectLayoutEntry(0);
        QVERIFY(ui.last().text.endsWith(QStringLiteral("#SEL-104")) && ui.messages.size() == 1);
    }

    void editorClosingKeepsThePositionWhenItCan()
    {
        auto& [ui, window] = *loaded_;
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

    void strictCheck_data()
    {
        // Cells of layout 1 as "sub-entry/field=text;..."; an empty message: the layout passes.
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("message");
        const QString fewColumns =
            QStringLiteral("Program Error:  Number of columns of labels per sheet for the current "
                           "layout is less than or equal to zero.");
        const QString manyRows = QStringLiteral("Program Error:  Number of rows of labels per sheet for the current "
                                                "layout is greater than thirty (the maximum for Quillet).");
        const QString side = QStringLiteral("Error:  The label-side-to-label-side distance of the current layout is "
                                            "invalid (it's too ");
        const QString font = QStringLiteral("Error:  The font size selected for line ");
        const QString left = QStringLiteral("Error:  The left offset for this layout (");
        // clang-format off
        QTest::newRow("9 x 30") << "0/2=9;0/3=30" << QString();
        QTest::newRow("no columns") << "0/2= 0.5x" << fewColumns + ContactUs + "PBC-100.  Datum in this position:  0.5x";
        QTest::newRow("31 rows") << "0/3=31" << manyRows + ContactUs + "PBR-103.  Datum in this position: 31";
        QTest::newRow("side .25, height 20") << "0/4=.25;0/5=20" << QString();
        QTest::newRow("side .24") << "0/4=0.24" << side + "small - - the minimum is .25 inches, and the value set is \"0.24\".  Error #LSS100";
        QTest::newRow("side 20.01") << "0/4=20.01" << side + "large - - the maximum is 20 inches, and the value set is \"20.01\".  Error #LSS101";
        QTest::newRow("height .2") << "0/5=.2" << "Error:  The label-top-to-label-top distance of the current layout is invalid (it's too small - - the minimum is .25 inches, and the value set is \".2\".  Error #LTT100";
        QTest::newRow("line 3 tiny, one font") << "1/13=2" << QString();
        QTest::newRow("line 3 tiny, own fonts") << "0/7=1;1/13=2" << font + "3 of this layout (2 points) is too small.  The minimum is 3 points." + FixIt + "OLT-90";
        QTest::newRow("line 1 huge") << "1/1=50.5" << font + "1 of this layout (50.5 points) is too large.  The maximum is 50 points." + FixIt + "OLT-91";
        QTest::newRow("left -.5") << "0/21=-.5" << QString();
        QTest::newRow("left -1.5") << "0/21=-1.5" << left + "-1.5 inches) is too small.  The minimum is -1 inch.\r\rError #OLT100";
        QTest::newRow("left 20.25") << "0/21=20.25" << left + "20.25 inches) is too large.  The maximum is 20 inches.\r\rError #OLT101";
        QTest::newRow("left 7.99") << "0/21=7.99" << QString();
        QTest::newRow("left = printable width") << "0/21=8" << "The left offset for this layout exceeds the printable width of the currently selected printer and paper size/orientation (Error #OLT102).\r\rThe maximum printable width of current printer & sheet is 8.00 inches, while the left offset for this layout is 8.00 inches." + Adjust;
        QTest::newRow("top -.25") << "0/22=-.25" << "Error:  The top offset for this layout (-0.25 inches) is too small.  The minimum is 0 inches.\r\rError #OTT100";
        QTest::newRow("top = printable height") << "0/22=10" << "The top offset for this layout exceeds the printable height of the currently selected printer and paper size/orientation (Error #OTT102).\r\rThe maximum printable height of current printer & sheet is 10.00 inches, while the offset from top for this layout is 10.00 inches." + Adjust;
        QTest::newRow("not visible") << "0/29=TRUE" << "Program Error:  The currently selected layout (layout number 1) does not appear to be selected within QX's memory.  Please contact Tolvan Software about this problem, and include the following error number:\r\rError number:  VLNT-30-1-TRUE";
        // clang-format on
    }

    void strictCheck()
    {
        QFETCH(QString, cells);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        UseLetterPdf(printer, dir.filePath(QStringLiteral("out.pdf")), {0.25, 0.5, 0.25, 0.5});
        PrinterSurface surface(printer);
        auto& [ui, window] = *loaded_;
        for (const QString& cell : cells.split(u';')) {
            const int slash = cell.indexOf(u'/');
            const int equals = cell.indexOf(u'=');
            LayoutData().setCell(LayoutSlot(1), cell.mid(slash + 1, equals - slash - 1).toInt(),
                                 cell.left(slash).toInt(), cell.mid(equals + 1));
        }
        ui.onMessage = [](const MessageRequest&) { return Answer::Ok; }; // go on past selection warnings
        window.selectLayoutEntry(0);
        ui.clear();
        if (!message.isEmpty()) ui.answer(Answer::Ok);

        QCOMPARE(window.ValidateLayoutForPrint(surface), message.isEmpty());
        const bool printError = message.contains(QStringLiteral("printable"));
        QVERIFY(message.isEmpty() ||
                (printError ? IsOnlyMessage(ui, message, QStringLiteral("Print Error"), Buttons::Ok, Icon::Critical)
                            : IsOnlyMessage(ui, message)));
        QVERIFY(QDir(dir.path()).isEmpty()); // checking prints nothing
    }

    void emptyFontSizesBecomeTen()
    {
        QPrinter printer(QPrinter::HighResolution);
        UseLetterPdf(printer, QString(), {0.25, 0.5, 0.25, 0.5});
        PrinterSurface surface(printer);
        auto& [ui, window] = *loaded_;
        SetFontCell(1, 1, FontSize, QStringLiteral("  "));
        SetFontCell(1, 4, FontSize, QString());
        QVERIFY(window.ValidateLayoutForPrint(surface));
        QCOMPARE(FontCell(1, 1, FontSize), QStringLiteral("10"));
        QCOMPARE(FontCell(1, 4, FontSize), QString()); // line 4 is not checked under a shared font
        QVERIFY(Run().dataChanged);
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        QVERIFY(window.ValidateLayoutForPrint(surface));
        QCOMPARE(FontCell(1, 4, FontSize), QStringLiteral("10"));
    }

private:
    std::unique_ptr<LoadedWindow> loaded_;
};

QUILLET_TEST_MAIN(TestLayoutSelection)
#include "tst_layout_selection.moc"
