#include "common/failure.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "print_test_support.h"
#include "printing/label_placement.h"
#include "printing/page_metrics.h"
#include "printing/recording_surface.h"
#include "printing/sheet_geometry.h"
#include "support/test_environment.h"

using namespace quillet;

namespace {
// Factory layout 1 ("Avery 5160/8160": 3 x 10, 2.75" x 1" apart, offsets .5" and .625", Arial 10).
struct Placement {
    RecordingSurface surface;
    PageMetrics metrics;
    SheetGeometry sheet;
    LineTable lines;

    explicit Placement(const DeviceGeometry& g = test::LetterGeometry()) : surface(g)
    {
        surface.setUnit(DrawingSurface::Unit::Inches);
        metrics = ReadPageMetrics(surface);
        sheet = ReadSheetGeometry(1, metrics);
        FillLineFonts(lines, 1);
    }
    std::vector<RecordingSurface::Record> print(std::array<QString, 5> texts, int row = 1, int column = 1)
    {
        for (std::size_t i = 0; i < 5; ++i) lines[i].text = texts[i];
        ComputeCentreOffsets(surface, lines, sheet);
        surface.clear();
        PlaceLabel(surface, lines, sheet, row, column, PlaceMode::Print, extents);
        return surface.texts();
    }
    float height(float size)
    {
        surface.setFontName(QStringLiteral("Arial"));
        surface.setFontSize(size);
        return float(surface.textHeight(QStringLiteral("X")));
    }
    TextExtents extents;
};
} // namespace

class TestLabelPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SetFactoryLayouts(); }

    void offsetsAreMeasuredFromThePaperEdges()
    {
        Placement p(test::LetterGeometry(0.25, 0.5, 0.25, 0.5));
        QCOMPARE(p.metrics.MarginLeft, 0.25f);
        QCOMPARE(p.metrics.RightMarginAt, float(203 / 25.4) + 0.25f); // 8" printable is 203 whole mm
        QCOMPARE(p.metrics.BottomMarginAt, 10.5f);
        QCOMPARE(p.sheet.LeftStart, 0.25f);
        QCOMPARE(p.sheet.TopStart, 0.125f);
        // A left offset equal to the unprintable margin starts at the surface's left edge.
        SetLayoutCell(1, LeftOffset, QStringLiteral(".25"));
        SetLayoutCell(1, Rows, QStringLiteral("10.5")); // halves round to even
        Placement q(test::LetterGeometry(0.25, 0.5, 0.25, 0.5));
        QCOMPARE(q.sheet.Rows, std::int16_t(10));
        QCOMPARE(q.print({"Ann"}).at(0).x, 0.0);
    }

    void linesAdvanceByTheHeightOfTheLineAbove()
    {
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        SetFontCell(1, 2, FontSize, QStringLiteral("30"));
        Placement p;
        const float h10 = p.height(10), h30 = p.height(30);
        // Lines 1 and 3 with an empty line 2: line 3 is one 10-point and one 30-point line lower.
        auto drawn = p.print({"Top", "", "Third"}, 2);
        QCOMPARE(drawn.size(), std::size_t(2));
        QCOMPARE(drawn[1].y, double(1.625f + h10 + h30));
        // Lines below the last text take no room; a line of blanks is text.
        p.print({"Alone"});
        QCOMPARE(p.surface.currentY, double(0.625f));
        drawn = p.print({"One", " "});
        QCOMPARE(drawn.size(), std::size_t(2));
        QCOMPARE(p.surface.currentY, double(0.625f + h10));

        // Measuring draws nothing and keeps the lowest bottom and rightmost end seen.
        TextExtents extents;
        p.surface.clear();
        PlaceLabel(p.surface, p.lines, p.sheet, 10, 3, PlaceMode::Measure, extents);
        PlaceLabel(p.surface, p.lines, p.sheet, 1, 1, PlaceMode::Measure, extents);
        QVERIFY(p.surface.records().empty());
        QCOMPARE(extents.MaxBottom, 9.625f + h10 + h30);
        p.height(10);
        QCOMPARE(extents.MaxRight, 0.5f + 2 * 2.75f + float(p.surface.textWidth(QStringLiteral("One"))));
    }

    void centringUsesEachLinesFont()
    {
        SetLayoutCell(1, Alignment, QStringLiteral("1"));
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        SetFontCell(1, 2, FontSize, QStringLiteral("20"));
        Placement p;
        const QString wide = QStringLiteral("An address line far wider than any label on the sheet");
        const auto drawn = p.print({"Mid", "Mid", wide}, 1, 2);
        p.height(10);
        const float w10 = float(p.surface.textWidth(QStringLiteral("Mid")));
        p.height(20);
        const float w20 = float(p.surface.textWidth(QStringLiteral("Mid")));
        QCOMPARE(drawn[0].x, double(3.25f + (2.625f / 2 - w10 / 2)));
        QCOMPARE(drawn[1].x, double(3.25f + (2.625f / 2 - w20 / 2)));
        QVERIFY(drawn[2].x < 3.25); // wider than the label: starts left of its edge
    }

    void lineFontsFollowTheSeparateFontsFlag()
    {
        SetFontCell(1, 1, FontName, QStringLiteral("Liberation Serif"));
        SetFontCell(1, 1, FontBold, QStringLiteral("1"));
        SetFontCell(1, 1, FontSize, QStringLiteral("12"));
        SetFontCell(1, 1, FontColor, QStringLiteral("255"));
        SetFontCell(1, 3, FontName, QStringLiteral("DejaVu Sans"));
        SetFontCell(1, 3, FontItalic, QStringLiteral("1"));
        SetFontCell(1, 3, FontSize, QStringLiteral("60")); // out of range: keeps the size it finds
        SetFontCell(1, 4, FontSize, QStringLiteral(" 3"));
        Placement shared;
        for (const auto& d : shared.print({"a", "b", "c", "d", "e"})) // line 1's font for all
            QVERIFY(d.fontName == QStringLiteral("Liberation Serif") && d.bold && d.fontSize == 12 && d.color == 255);

        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        Placement separate;
        const auto drawn = separate.print({"a", "b", "c", "d", "e"});
        QCOMPARE(drawn[1].fontName, QStringLiteral("Arial"));
        QVERIFY(!drawn[1].bold && drawn[1].color == 0 && drawn[1].fontSize == 10);
        QCOMPARE(drawn[2].fontName, QStringLiteral("DejaVu Sans"));
        QVERIFY(drawn[2].italic && drawn[2].fontSize == 10);
        QCOMPARE(drawn[3].fontSize, 3.0f);

        SetFontCell(1, 1, FontColor, QStringLiteral("99999999999")); // no silent wrap of the colour
        QVERIFY_THROWS_EXCEPTION(Failure, FillLineFonts(separate.lines, 1));
    }
};

QUILLET_TEST_MAIN(TestLabelPlacement)
#include "tst_label_placement.moc"
