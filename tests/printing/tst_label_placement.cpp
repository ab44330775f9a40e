#include "common/failure.h"
#include "common/numbers.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "print_test_support.h"
#include "printing/label_placement.h"
#include "printing/line_table.h"
#include "printing/page_metrics.h"
#include "printing/recording_surface.h"
#include "printing/sheet_geometry.h"
#include "support/test_environment.h"

using namespace quillet;
using quillet::test::LetterGeometry;

namespace {

// Factory layout 1 ("Avery 5160/8160": 3 x 10, 2.75" x 1", offsets .5" and .625", Arial 10).
struct Placement {
    RecordingSurface surface;
    PageMetrics metrics;
    SheetGeometry sheet;
    LineTable lines;

    explicit Placement(const DeviceGeometry& geometry = LetterGeometry()) : surface(geometry)
    {
        surface.setUnit(DrawingSurface::Unit::Inches);
        refresh();
    }
    void refresh()
    {
        metrics = ReadPageMetrics(surface);
        sheet = ReadSheetGeometry(1, metrics);
        FillLineFonts(lines, 1);
    }
    void setTexts(std::initializer_list<const char*> texts)
    {
        int i = 0;
        for (auto& line : lines) line.text.clear();
        for (const char* t : texts) lines[static_cast<std::size_t>(i++)].text = QString::fromUtf8(t);
        ComputeCentreOffsets(surface, lines, sheet);
    }
    std::vector<RecordingSurface::Record> print(int row, int column)
    {
        surface.clear();
        TextExtents unused;
        PlaceLabel(surface, lines, sheet, row, column, PlaceMode::Print, unused);
        return surface.texts();
    }
    double lineHeight(const char* family, float size)
    {
        surface.setFontName(QString::fromLatin1(family));
        surface.setFontSize(size);
        return static_cast<float>(surface.textHeight(QStringLiteral("X")));
    }
};

} // namespace

class TestLabelPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SetFactoryLayouts(); }
    void metricsAndStartsComeFromTheDevice();
    void labelsStepAcrossThenDownFromThePaperEdges();
    void onlyLinesAboveTextTakeRoom();
    void emptyMiddleLineTakesItsOwnFontsHeight();
    void measuringFindsTheLowestAndRightmostText();
    void centringUsesEachLinesFont();
    void lineFontsFollowTheSeparateFontsFlag();
    void sizeOutsideRangeKeepsThePreviousSize();
    void advanceWrapsRowsAndSheets();
};

void TestLabelPlacement::metricsAndStartsComeFromTheDevice()
{
    Placement p(LetterGeometry(0.25, 0.5, 0.25, 0.5));
    QCOMPARE(p.metrics.SheetWidth, 8.5f);
    QCOMPARE(p.metrics.SheetHeight, 11.0f);
    QCOMPARE(p.metrics.MarginLeft, 0.25f);
    QCOMPARE(p.metrics.MarginTop, 0.5f);
    // The printable size comes in whole millimetres: 8" is 203 mm.
    QCOMPARE(p.metrics.PrintableWidth, static_cast<float>(203 / 25.4));
    QCOMPARE(p.metrics.PrintableHeight, static_cast<float>(254 / 25.4));
    QCOMPARE(p.metrics.RightMarginAt, static_cast<float>(203 / 25.4) + 0.25f);
    QCOMPARE(p.metrics.BottomMarginAt, 10.5f);
    QCOMPARE(p.sheet.Columns, std::int16_t(3));
    QCOMPARE(p.sheet.Rows, std::int16_t(10));
    QCOMPARE(p.sheet.LeftStart, 0.25f);
    QCOMPARE(p.sheet.TopStart, 0.125f);
    QVERIFY(!p.sheet.Centred);

    // Rows of 10.5 round to the even 10; a left offset equal to the margin starts at x = 0.
    SetLayoutCell(1, Rows, QStringLiteral("10.5"));
    SetLayoutCell(1, LeftOffset, QStringLiteral(".25"));
    p.refresh();
    QCOMPARE(p.sheet.Rows, std::int16_t(10));
    p.setTexts({"Left"});
    QCOMPARE(p.print(1, 1).at(0).x, 0.0);
}

void TestLabelPlacement::labelsStepAcrossThenDownFromThePaperEdges()
{
    Placement p;
    p.setTexts({"Ann"});
    for (int row : {1, 4, 10}) {
        for (int column = 1; column <= 3; ++column) {
            const auto drawn = p.print(row, column);
            QCOMPARE(drawn.size(), std::size_t(1));
            QCOMPARE(drawn[0].x, double(0.5f + float(column - 1) * 2.75f));
            QCOMPARE(drawn[0].y, double(0.625f + float(row - 1) * 1.0f));
            QCOMPARE(drawn[0].fontName, QStringLiteral("Arial"));
            QCOMPARE(drawn[0].fontSize, 10.0f);
        }
    }
}

void TestLabelPlacement::onlyLinesAboveTextTakeRoom()
{
    Placement p;
    const double h = p.lineHeight("Arial", 10);
    p.setTexts({"One", "Two"});
    auto drawn = p.print(1, 1);
    QCOMPARE(drawn.size(), std::size_t(2));
    QCOMPARE(drawn[1].y, double(0.625f + float(h)));
    QCOMPARE(p.surface.currentY, double(0.625f + float(h))); // moved down once only

    p.setTexts({"Alone"});
    drawn = p.print(1, 1);
    QCOMPARE(drawn.size(), std::size_t(1));
    QCOMPARE(p.surface.currentY, double(0.625f));

    // A line of blanks is text: the line above it makes room for it.
    p.setTexts({"One", " "});
    drawn = p.print(1, 1);
    QCOMPARE(drawn.size(), std::size_t(2));
    QCOMPARE(drawn[1].y, double(0.625f + float(h)));
}

void TestLabelPlacement::emptyMiddleLineTakesItsOwnFontsHeight()
{
    SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
    SetFontCell(1, 2, FontSize, QStringLiteral("30"));
    Placement p;
    const double h10 = p.lineHeight("Arial", 10);
    const double h30 = p.lineHeight("Arial", 30);
    QVERIFY(h30 > 2 * h10);
    p.setTexts({"Top", "", "Third"});
    const auto drawn = p.print(2, 1);
    QCOMPARE(drawn.size(), std::size_t(2));
    QCOMPARE(drawn[1].text, QStringLiteral("Third"));
    QCOMPARE(drawn[1].y, double(1.625f + float(h10) + float(h30)));
    QCOMPARE(drawn[1].fontSize, 10.0f);
}

void TestLabelPlacement::measuringFindsTheLowestAndRightmostText()
{
    Placement p;
    const double h = p.lineHeight("Arial", 10);
    p.setTexts({"Short", "A much longer second line"});
    TextExtents extents;
    p.surface.clear();
    PlaceLabel(p.surface, p.lines, p.sheet, 10, 3, PlaceMode::Measure, extents);
    QVERIFY(p.surface.records().empty());
    QVERIFY(!p.surface.documentOpen());
    p.surface.setFontName(QStringLiteral("Arial"));
    p.surface.setFontSize(10);
    const float left = 0.5f + 2 * 2.75f;
    QCOMPARE(extents.MaxRight, left + float(p.surface.textWidth(QStringLiteral("A much longer second line"))));
    QCOMPARE(extents.MaxBottom, 9.625f + float(h) + float(h));
    // Extents only grow: an earlier, smaller label leaves them as they are.
    PlaceLabel(p.surface, p.lines, p.sheet, 1, 1, PlaceMode::Measure, extents);
    QCOMPARE(extents.MaxBottom, 9.625f + float(h) + float(h));
}

void TestLabelPlacement::centringUsesEachLinesFont()
{
    SetLayoutCell(1, Alignment, QStringLiteral("1"));
    SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
    SetFontCell(1, 2, FontSize, QStringLiteral("20"));
    Placement p;
    QVERIFY(p.sheet.Centred);
    const QString wide = QStringLiteral("An address line far wider than any label on the sheet");
    p.setTexts({"Mid", "Mid", wide.toUtf8().constData()});
    const auto drawn = p.print(1, 2);
    QCOMPARE(drawn.size(), std::size_t(3));
    p.surface.setFontSize(10);
    const float w10 = float(p.surface.textWidth(QStringLiteral("Mid")));
    p.surface.setFontSize(20);
    const float w20 = float(p.surface.textWidth(QStringLiteral("Mid")));
    const float labelLeft = 0.5f + 2.75f;
    QCOMPARE(drawn[0].x, double(labelLeft + (2.625f / 2 - w10 / 2)));
    QCOMPARE(drawn[1].x, double(labelLeft + (2.625f / 2 - w20 / 2)));
    // A line wider than the label starts left of the label's edge.
    QVERIFY(p.lines[2].centreOffset < 0);
    QVERIFY(drawn[2].x < labelLeft);

    SetLayoutCell(1, Alignment, QStringLiteral("2"));
    p.refresh();
    p.setTexts({"Mid"});
    QCOMPARE(p.print(1, 2).at(0).x, double(labelLeft));
}

void TestLabelPlacement::lineFontsFollowTheSeparateFontsFlag()
{
    SetFontCell(1, 1, FontName, QStringLiteral("Liberation Serif"));
    SetFontCell(1, 1, FontBold, QStringLiteral("1"));
    SetFontCell(1, 1, FontColor, QStringLiteral("255"));
    SetFontCell(1, 3, FontName, QStringLiteral("DejaVu Sans"));
    SetFontCell(1, 3, FontSize, QStringLiteral(" 14"));
    SetFontCell(1, 3, FontItalic, QStringLiteral("1"));
    SetFontCell(1, 3, FontUnderline, QStringLiteral("1"));
    SetFontCell(1, 3, FontColor, QStringLiteral("16711680"));
    Placement p;
    p.setTexts({"a", "b", "c", "d", "e"});
    auto drawn = p.print(1, 1);
    QCOMPARE(drawn.size(), std::size_t(5));
    for (const auto& d : drawn) {
        QCOMPARE(d.fontName, QStringLiteral("Liberation Serif"));
        QVERIFY(d.bold && !d.italic && !d.underline);
        QCOMPARE(d.color, 255u);
    }

    SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
    p.refresh();
    drawn = p.print(1, 1);
    QCOMPARE(drawn[0].fontName, QStringLiteral("Liberation Serif"));
    QCOMPARE(drawn[1].fontName, QStringLiteral("Arial"));
    QVERIFY(!drawn[1].bold);
    QCOMPARE(drawn[2].fontName, QStringLiteral("DejaVu Sans"));
    QCOMPARE(drawn[2].fontSize, 14.0f);
    QVERIFY(!drawn[2].bold && drawn[2].italic && drawn[2].underline);
    QCOMPARE(drawn[2].color, 16711680u);
}

void TestLabelPlacement::sizeOutsideRangeKeepsThePreviousSize()
{
    SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
    SetFontCell(1, 1, FontSize, QStringLiteral("12"));
    SetFontCell(1, 2, FontSize, QStringLiteral("60"));
    SetFontCell(1, 3, FontSize, QStringLiteral("2.9"));
    SetFontCell(1, 4, FontSize, QStringLiteral("3"));
    SetFontCell(1, 5, FontSize, QStringLiteral("50"));
    Placement p;
    p.setTexts({"a", "b", "c", "d", "e"});
    const auto drawn = p.print(1, 1);
    QCOMPARE(drawn[0].fontSize, 12.0f);
    QCOMPARE(drawn[1].fontSize, 12.0f);
    QCOMPARE(drawn[2].fontSize, 12.0f);
    QCOMPARE(drawn[3].fontSize, 3.0f);
    QCOMPARE(drawn[4].fontSize, 50.0f);

    // A colour beyond 32 bits is a failure, not a silent wrap.
    SetFontCell(1, 1, FontColor, QStringLiteral("99999999999"));
    LineTable lines;
    QVERIFY_THROWS_EXCEPTION(Failure, FillLineFonts(lines, 1));
}

void TestLabelPlacement::advanceWrapsRowsAndSheets()
{
    SheetGeometry sheet;
    sheet.Columns = 3;
    sheet.Rows = 10;
    int row = 10, column = 3;
    QVERIFY(AdvanceLabelPosition(row, column, sheet));
    QCOMPARE(row, 1);
    QCOMPARE(column, 1);
    QVERIFY(!AdvanceLabelPosition(row, column, sheet));
    QCOMPARE(column, 2);
    column = 3;
    QVERIFY(!AdvanceLabelPosition(row, column, sheet));
    QCOMPARE(row, 2);
    QCOMPARE(column, 1);
    // A start beyond the sheet (a layout changed meanwhile) still wraps instead of running away.
    row = 12;
    column = 5;
    QVERIFY(AdvanceLabelPosition(row, column, sheet));
    QCOMPARE(row, 1);
}

QUILLET_TEST_MAIN(TestLabelPlacement)
#include "tst_label_placement.moc"
