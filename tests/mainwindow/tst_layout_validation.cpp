#include "common/scripted_dialogs.h"
#include "main_window_test_support.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "printing/printer_surface.h"
#include "printing/selected_printer.h"
#include "support/test_environment.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

using namespace quillet;

namespace {

const QString ContactUs = QStringLiteral(
    "  This indicates a problem with the programming.  Please contact Tolvan Software about this problem.  ");
const QString FixIt = QStringLiteral(
    "  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem persists.  ");
const QString Adjust =
    QStringLiteral("\r\rAdjust the printer driver (press \"Print Setup\", and then adjust \"Orientation\" and/or "
                   "\"Paper Size\"), and/or adjust the settings within the QX Layouts Editor (File > Layouts Editor).");

struct Cell {
    int subEntry;
    int field;
    QString text;
};

} // namespace
Q_DECLARE_METATYPE(QList<Cell>)

class TestLayoutValidation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strictCheck_data();
    void strictCheck();
    void emptyFontSizesBecomeTen();
};

void TestLayoutValidation::strictCheck_data()
{
    QTest::addColumn<QList<Cell>>("cells"); // written into layout 1
    QTest::addColumn<QString>("message");   // empty: the layout passes
    QTest::addColumn<bool>("printError");   // "Print Error", critical icon
    const auto property = [](LayoutField f, const char* text) {
        return Cell{PropertiesSubEntry, f, QString::fromLatin1(text)};
    };
    const auto size = [](int line, const char* text) {
        return Cell{FontsSubEntry, FontField(line, FontSize), QString::fromLatin1(text)};
    };
    const QString columns = QStringLiteral("Program Error:  Number of columns of labels per sheet for the current "
                                           "layout is ");
    const QString rows = QStringLiteral("Program Error:  Number of rows of labels per sheet for the current layout "
                                        "is ");
    const QString side = QStringLiteral("Error:  The label-side-to-label-side distance of the current layout is "
                                        "invalid (it's too ");
    const QString top = QStringLiteral("Error:  The label-top-to-label-top distance of the current layout is invalid "
                                       "(it's too ");

    QTest::newRow("factory layout") << QList<Cell>{} << QString() << false;
    QTest::newRow("9 x 30") << QList<Cell>{property(Columns, "9"), property(Rows, "30")} << QString() << false;
    QTest::newRow("0 columns") << QList<Cell>{property(Columns, " 0.5x")}
                               << columns + QStringLiteral("less than or equal to zero.") + ContactUs +
                                      QStringLiteral("Error #PBC-100.  Datum in this position:  0.5x")
                               << false;
    QTest::newRow("10 columns") << QList<Cell>{property(Columns, "10")}
                                << columns + QStringLiteral("greater than nine (the maximum for Quillet).") +
                                       ContactUs + QStringLiteral("Error #PBC-101.  Datum in this position: 10")
                                << false;
    QTest::newRow("0 rows") << QList<Cell>{property(Rows, "")}
                            << rows + QStringLiteral("less than or equal to zero.") + ContactUs +
                                   QStringLiteral("Error #PBR-102.  Datum in this position: ")
                            << false;
    QTest::newRow("31 rows") << QList<Cell>{property(Rows, "31")}
                             << rows + QStringLiteral("greater than thirty (the maximum for Quillet).") + ContactUs +
                                    QStringLiteral("Error #PBR-103.  Datum in this position: 31")
                             << false;
    QTest::newRow("side .25 and 20") << QList<Cell>{property(SideToSide, ".25"), property(TopToTop, "20")} << QString()
                                     << false;
    QTest::newRow("side .24") << QList<Cell>{property(SideToSide, "0.24")}
                              << side + QStringLiteral("small - - the minimum is .25 inches, and the value set is "
                                                       "\"0.24\".  Error #LSS100")
                              << false;
    QTest::newRow("side 20.01") << QList<Cell>{property(SideToSide, "20.01")}
                                << side + QStringLiteral("large - - the maximum is 20 inches, and the value set is "
                                                         "\"20.01\".  Error #LSS101")
                                << false;
    QTest::newRow("height .24") << QList<Cell>{property(TopToTop, ".24")}
                                << top + QStringLiteral("small - - the minimum is .25 inches, and the value set is "
                                                        "\".24\".  Error #LTT100")
                                << false;
    QTest::newRow("height 20.01") << QList<Cell>{property(TopToTop, "20.01")}
                                  << top + QStringLiteral("large - - the maximum is 20 inches, and the value set is "
                                                          "\"20.01\".  Error #LTT101")
                                  << false;
    // Only line 1 is checked unless each line has its own font.
    QTest::newRow("line 3 at 2 points, shared font") << QList<Cell>{size(3, "2")} << QString() << false;
    QTest::newRow("line 3 at 2 points, own fonts")
        << QList<Cell>{property(SeparateFonts, "1"), size(3, "2")}
        << QStringLiteral("Error:  The font size selected for line 3 of this layout (2 points) is too small.  The "
                          "minimum is 3 points.") +
               FixIt + QStringLiteral("Error #OLT-90")
        << false;
    QTest::newRow("line 1 at 50.5 points")
        << QList<Cell>{size(1, "50.5")}
        << QStringLiteral("Error:  The font size selected for line 1 of this layout (50.5 points) is too large.  The "
                          "maximum is 50 points.") +
               FixIt + QStringLiteral("Error #OLT-91")
        << false;
    QTest::newRow("left -.5") << QList<Cell>{property(LeftOffset, "-.5")} << QString() << false;
    QTest::newRow("left -1.5") << QList<Cell>{property(LeftOffset, "-1.5")}
                               << QStringLiteral("Error:  The left offset for this layout (-1.5 inches) is too small.  "
                                                 "The minimum is -1 inch.\r\rError #OLT100")
                               << false;
    QTest::newRow("left 20.25") << QList<Cell>{property(LeftOffset, "20.25")}
                                << QStringLiteral("Error:  The left offset for this layout (20.25 inches) is too "
                                                  "large.  The maximum is 20 inches.\r\rError #OLT101")
                                << false;
    QTest::newRow("left 7.99") << QList<Cell>{property(LeftOffset, "7.99")} << QString() << false;
    QTest::newRow("left = printable width")
        << QList<Cell>{property(LeftOffset, "8")}
        << QStringLiteral("The left offset for this layout exceeds the printable width of the currently selected "
                          "printer and paper size/orientation (Error #OLT102).\r\rThe maximum printable width of "
                          "current printer & sheet is 8.00 inches, while the left offset for this layout is 8.00 "
                          "inches.") +
               Adjust
        << true;
    QTest::newRow("top -.25") << QList<Cell>{property(TopOffset, "-.25")}
                              << QStringLiteral("Error:  The top offset for this layout (-0.25 inches) is too small.  "
                                                "The minimum is 0 inches.\r\rError #OTT100")
                              << false;
    QTest::newRow("top 20.5") << QList<Cell>{property(TopOffset, "20.5")}
                              << QStringLiteral("Error:  The top offset for this layout (20.50 inches) is too large.  "
                                                "The maximum is 20 inches.\r\rError #OTT101")
                              << false;
    QTest::newRow("top = printable height")
        << QList<Cell>{property(TopOffset, "10")}
        << QStringLiteral("The top offset for this layout exceeds the printable height of the currently selected "
                          "printer and paper size/orientation (Error #OTT102).\r\rThe maximum printable height of "
                          "current printer & sheet is 10.00 inches, while the offset from top for this layout is "
                          "10.00 inches.") +
               Adjust
        << true;
    QTest::newRow("not visible") << QList<Cell>{property(Visible, "TRUE")}
                                 << QStringLiteral("Program Error:  The currently selected layout (layout number 1) "
                                                   "does not appear to be selected within QX's memory.  Please "
                                                   "contact Tolvan Software about this problem, and include the "
                                                   "following error number:\r\rError number:  VLNT-30-1-TRUE")
                                 << false;
}

void TestLayoutValidation::strictCheck()
{
    QFETCH(QList<Cell>, cells);
    QFETCH(QString, message);
    QFETCH(bool, printError);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, dir.filePath(QStringLiteral("out.pdf")));
    // Letter, with a quarter inch unprintable left and right and half an inch top and bottom:
    // the printable area is 8 x 10 inches.
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch));
    PrinterSurface surface(printer);

    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    for (const Cell& c : cells) LayoutData.setCell(LayoutSlot(1), c.field, c.subEntry, c.text);
    ui.answer(Answer::Ok); // whatever selection warning the layout draws
    window.selectLayoutEntry(0);
    ui.clear();

    QCOMPARE(window.ValidateLayoutForPrint(surface), message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(ui.messages.empty());
        return;
    }
    QCOMPARE(ui.messages.size(), size_t(1));
    QCOMPARE(ui.last().text, message);
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QCOMPARE(ui.last().title, printError ? QStringLiteral("Print Error") : QStringLiteral("Quillet"));
    QCOMPARE(ui.last().icon, printError ? Icon::Critical : Icon::None);
    QVERIFY(QDir(dir.path()).isEmpty()); // checking prints nothing
}

void TestLayoutValidation::emptyFontSizesBecomeTen()
{
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, QString());
    PrinterSurface surface(printer);
    ScriptedDialogs ui;
    MainWindow window;
    window.load();
    SetFontCell(1, 1, FontSize, QStringLiteral("  "));
    SetFontCell(1, 4, FontSize, QString());
    QVERIFY(window.ValidateLayoutForPrint(surface));
    QCOMPARE(FontCell(1, 1, FontSize), QStringLiteral("10"));
    QCOMPARE(FontCell(1, 4, FontSize), QString()); // line 4 is not checked for a shared font
    QVERIFY(DataChanged);

    SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
    QVERIFY(window.ValidateLayoutForPrint(surface));
    QCOMPARE(FontCell(1, 4, FontSize), QStringLiteral("10"));
    QVERIFY(ui.messages.empty());
}

QUILLET_TEST_MAIN(TestLayoutValidation)
#include "tst_layout_validation.moc"
