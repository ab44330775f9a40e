#include "common/error_report.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "printing/fit_checks.h"
#include "printing/label_placement.h"
#include "printing/page_metrics.h"
#include "printing/print_run.h"
#include "printing/sheet_geometry.h"
#include "support/recording_surface.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <vector>

using namespace quillet;
using namespace quillet::test;

namespace {

// Letter paper at 600 dpi with the given unprintable margins (inches).
DeviceGeometry LetterGeometry(double left = 0, double top = 0, double right = 0, double bottom = 0)
{
    return {600, 600, QSizeF(8.5 * 600, 11 * 600),
            QRectF(left * 600, top * 600, (8.5 - left - right) * 600, (11 - top - bottom) * 600)};
}

// The printing window as the run sees it: records every progress value, never pauses.
struct ScriptedRunWindow : PrintRunWindow {
    std::vector<int> progress;
    void setProgress(int percent) override { progress.push_back(percent); }
    bool pauseBetweenSheets() const override { return false; }
};

// Factory layout 1 ("Avery 5160/8160": 3 x 10, 2.75" x 1" apart, offsets .5" and .625", Arial 10,
// left-aligned) on Letter paper the printer reaches to its edges.
struct Placement {
    RecordingSurface surface{LetterGeometry()};
    SheetGeometry sheet;
    LineTable lines;
    TextExtents extents;

    Placement()
    {
        surface.setUnit(DrawingSurface::Unit::Inches);
        sheet = ReadSheetGeometry(1, ReadPageMetrics(surface));
        FillLineFonts(lines, 1);
    }
    std::vector<RecordingSurface::Record> print(std::array<QString, 5> texts, int row = 1, int column = 1)
    {
        for (std::size_t i = 0; i < 5; ++i) lines[i].text = texts[i];
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
};

// The question when text passes a margin the printer reports: the margin, the text's tallest or
// widest point, where it prints and where the margin is.
const QString MarginCaution = QStringLiteral(
    "Caution:  The text to be printed extends beyond what the printer driver is reporting as its %1 margin (at "
    "its %2 point, the text to be printed will be at %3 inches, while the %1 margin reported by the printer "
    "driver is at %4 inches.)\r\rPrint it anyway?\r\rNote:  Some printer drivers mis-report this margin, and "
    "therefore it might be possible to exceed it.  The only way to know for sure is to try printing it.  But "
    "use plain paper - - no sense wasting an expensive label sheet if it doesn't work.\r\rAlternatively, try "
    "adjusting the settings for this layout (File > Layouts Editor), until it fits within the printer's actual "
    "margins.");

PrintJob Job(int source, double copies, double row = 1, double column = 1)
{
    return {source, {QStringLiteral("Ann Example"), QStringLiteral("1 Main St")}, copies, row, column};
}

QStringList Texts(const RecordingSurface& s)
{
    QStringList out;
    for (const auto& r : s.texts()) out << r.text;
    return out;
}

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        Run().reset();
        SetFactoryLayouts();
    }
    void cleanup() { ui.checkAllUsed(); }

    void sheetAndMarginQuestions()
    {
        // Letter paper with its bottom margin at 10.8" and its right one at 8.25".
        const auto fit = [&](std::initializer_list<Answer> answers, float bottom, float right) {
            ui.checkAllUsed(); // each case's answers all taken
            ui.clear();
            for (Answer a : answers) ui.answer(a);
            return CheckFit(bottom, 11.0f, 10.8f, right, 8.5f, 8.25f);
        };
        // Within the margins, or exactly at them, nothing is asked.
        QVERIFY(fit({}, 10.8f, 8.25f));
        // The right margin a printer reports: 8" printable is 203 whole millimetres, a little inside 8.25".
        QCOMPARE(ReadPageMetrics(RecordingSurface(LetterGeometry(0.25, 0.5, 0.25, 0.5))).RightMarginAt,
                 float(203 / 25.4) + 0.25f);

        // Past the sheet: Yes skips the margin question of the same direction.
        QVERIFY(fit({Answer::Yes}, 11.2f, 1.0f));
        const QString warning = QStringLiteral("Warning:  The text to be printed (using the current layout) extends "
                                               "beyond the %1 of the page (at its %2 point, it's printing at %3 "
                                               "inches, while the currently selected sheet %1 is %4 inches).\r\rPrint "
                                               "it anyway?\r\rNote:  Continuing to print will produce unpredictable "
                                               "results.  It is recommended that ");
        QVERIFY(IsOnlyMessage(ui,
                              warning.arg("height", "tallest", "11.20", "11.00") +
                                  QStringLiteral("the print job be cancelled (press \"No\") and then the Quillet's "
                                                 "layout settings be adjusted (File > Layouts Editor), and/or the "
                                                 "printer's sheet size be adjusted (\"Printer Setup\" button)."),
                              QStringLiteral("Print Warning"), Buttons::YesNo, Icon::Warning, Answer::No));

        // Past the bottom margin, then past the right margin: two cautions.
        QVERIFY(fit({Answer::Yes, Answer::Yes}, 10.9f, 8.3f));
        QVERIFY(IsMessage(ui.messages.at(0), MarginCaution.arg("bottom", "tallest", "10.90", "10.80"),
                          QStringLiteral("Printing Caution"), Buttons::YesNo, Icon::Question, Answer::No));
        QVERIFY(IsMessage(ui.messages.at(1), MarginCaution.arg("right", "widest", "8.30", "8.25"),
                          QStringLiteral("Printing Caution"), Buttons::YesNo, Icon::Question, Answer::No));

        // Past the sheet's width; No to any question ends the run there.
        QVERIFY(!fit({Answer::Yes, Answer::No}, 11.2f, 9.0f));
        QVERIFY(IsMessage(ui.last(),
                          warning.arg("width", "widest", "9.00", "8.50") +
                              QStringLiteral("you cancel the print job (press \"No\") and then adjust Quillet's "
                                             "layout settings (File > Layouts Editor), and/or the printer's sheet "
                                             "size (press the \"Printer Setup\" button)."),
                          QStringLiteral("Print Warning"), Buttons::YesNo, Icon::Warning, Answer::No));
        QVERIFY(!fit({Answer::No}, 10.9f, 1.0f));
    }

    void linesAdvanceByTheHeightOfTheLineAbove()
    {
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        SetFontCell(1, 2, FontSize, QStringLiteral("30"));
        Placement p;
        const float h10 = p.height(10), h30 = p.height(30);
        // Lines 1 and 3 with an empty line 2: line 3 is one 10-point and one 30-point line lower.
        QCOMPARE(p.print({"Top", "", "Third"}, 2).at(1).y, double(1.625f + h10 + h30));
        // Lines below the last text take no room; a line of blanks is text.
        p.print({"Alone"});
        QCOMPARE(p.surface.currentY, double(0.625f));
        p.print({"One", " "});
        QCOMPARE(p.surface.currentY, double(0.625f + h10));

        // Measuring keeps the lowest bottom and rightmost end seen. (That it draws nothing, the
        // typed run's texts show.)
        TextExtents extents;
        PlaceLabel(p.surface, p.lines, p.sheet, 10, 3, PlaceMode::Measure, extents);
        PlaceLabel(p.surface, p.lines, p.sheet, 1, 1, PlaceMode::Measure, extents);
        QCOMPARE(extents.MaxBottom, 9.625f + h10 + h30);
        p.height(10);
        QCOMPARE(extents.MaxRight, 0.5f + 2 * 2.75f + float(p.surface.textWidth(QStringLiteral("One"))));
    }

    void lineFontsFollowTheSeparateFontsFlag()
    {
        // Lines 1-4 as name|size|bold|italic|underline|colour. Line 3's 60 points are out of range:
        // it keeps the size it finds.
        const QStringList fonts{"Liberation Serif|12|1|||255", "Arial|10||||", "DejaVu Sans|60||1||", "Arial| 3||||"};
        for (int line = 1; line <= 4; ++line)
            for (int i = 0; i < 6; ++i) SetFontCell(1, line, FontItem(i), fonts[line - 1].section(u'|', i, i));
        // Line 1's font serves every line unless the layout has separate fonts (as the font sample shows).
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        Placement separate;
        QStringList drawn;
        for (const auto& r : separate.print({"a", "b", "c", "d"}))
            drawn << QString::asprintf("%s|%g|%d|%d|%u", qPrintable(r.fontName), double(r.fontSize), r.bold, r.italic,
                                       r.color);
        QCOMPARE(drawn, QStringList({"Liberation Serif|12|1|0|255", "Arial|10|0|0|0", "DejaVu Sans|10|0|1|0",
                                     "Arial|3|0|0|0"}));
    }

    void progressAndSheetsOfATypedRun()
    {
        ScriptedRunWindow window;
        RecordingSurface two(LetterGeometry());
        RunTypedText(Job(PrintJob::TypedText, 2.5), two, window); // 2.5 copies round to the even 2
        // 72.5 halfway through the printing pass rounds to the even 72.
        QCOMPARE(window.progress, std::vector<int>({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 31, 50, 12, 72, 95, 100}));
        QCOMPARE(Texts(two), QStringList({"Ann Example", "1 Main St", "Ann Example", "1 Main St"}));
        QVERIFY(two.colorMode() && two.documentsEnded() == 1);

        // The last label of a sheet starts no new sheet; one more label does. Rows round half to even.
        SetLayoutCell(1, Rows, QStringLiteral("10.5"));
        RecordingSurface exact(LetterGeometry());
        RunTypedText(Job(PrintJob::TypedText, 3, 10, 1), exact, window);
        QCOMPARE(exact.newPages(), 0);
        RecordingSurface over(LetterGeometry());
        RunTypedText(Job(PrintJob::TypedText, 4, 10, 1), over, window);
        QCOMPARE(over.newPages(), 1);
        const auto last = over.texts().at(6);
        QVERIFY(last.page == 2 && last.x == 0.5 && last.y == 0.625);
    }

    void addressBookPrintsQualifyingRecordsOncePerCopy()
    {
        ScriptedRunWindow window;
        // Lower-case "true" is not selected, blanks are no text, the memo line is never printed.
        const Cell cells[] = {{0, 0, Line1, "Chosen"},    {0, 0, Selected, "True"},  {0, 1, Line1, "Unchosen"},
                              {0, 2, Line1, "Lowercase"}, {0, 2, Selected, "true"},  {0, 3, Line1, "   "},
                              {0, 3, Selected, "True"},   {0, 4, Line6, "memo"},     {0, 4, Selected, "True"},
                              {25, 29, Line5, "Last"},    {25, 29, Selected, "True"}};
        SetCells(cells);
        CountAddressEntries();

        RecordingSurface all(LetterGeometry());
        RunAddressBook(Job(PrintJob::AllEntries, 2), all, window);
        QCOMPARE(Texts(all),
                 QStringList({"Chosen", "Unchosen", "Lowercase", "Last", "Chosen", "Unchosen", "Lowercase", "Last"}));
        QCOMPARE(all.texts().at(4).x, 0.5 + 1 * 2.75); // the fifth label, row 2 column 2
        QCOMPARE(all.texts().at(4).y, 1.625);

        RecordingSurface selected(LetterGeometry());
        RunAddressBook(Job(PrintJob::SelectedEntries, 1), selected, window);
        QCOMPARE(Texts(selected), QStringList({"Chosen", "Last"}));

        // Nothing that qualifies: no sheet is fed at all.
        for (int record : {0, 1, 2}) LayoutData().setCell(0, record, Line1, QString());
        LayoutData().setCell(25, 29, Line5, QString());
        RecordingSurface none(LetterGeometry());
        RunAddressBook(Job(PrintJob::AllEntries, 3), none, window);
        QVERIFY(none.texts().empty() && none.documentsEnded() == 0 && none.documentsAbandoned() == 1);

        // More labels and sheets than sixteen bits count, the progress rising through the printing pass.
        window.progress.clear();
        for (int i = 0; i < 40; ++i) LayoutData().setCell(i / 30, i % 30, Line1, QStringLiteral("R%1").arg(i));
        CountAddressEntries();
        RecordingSurface many(LetterGeometry());
        RunAddressBook(Job(PrintJob::AllEntries, 825), many, window); // 33,000 labels on 1,100 sheets
        const auto texts = many.texts();
        QCOMPARE(texts.size(), std::size_t(33000));
        QVERIFY(texts.back().text == QStringLiteral("R39") && texts.back().page == 1100);
        const auto printing = std::adjacent_find(window.progress.begin(), window.progress.end(),
                                                 [](int a, int b) { return a == 50 && b == 12; });
        QVERIFY(printing != window.progress.end() && std::is_sorted(printing + 1, window.progress.end()));
        QCOMPARE(window.progress.back(), 100);
    }

    void topMarginCautionAndDeclinedQuestionsDrawNothing()
    {
        ScriptedRunWindow window;
        // A top offset at the printer's unprintable top margin asks nothing; one above it asks first.
        SetLayoutCell(1, TopOffset, QStringLiteral(".17"));
        RecordingSurface atMargin(LetterGeometry(0.25, 0.17, 0.25, 0.5));
        RunTypedText(Job(PrintJob::TypedText, 1), atMargin, window);
        QCOMPARE(atMargin.documentsEnded(), 1);
        SetLayoutCell(1, TopOffset, QStringLiteral(".1"));
        RecordingSurface caution(LetterGeometry(0.25, 0.17, 0.25, 0.5));
        ui.answer(Answer::No);
        RunTypedText(Job(PrintJob::TypedText, 1), caution, window);
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("Caution:  The top margin for this layout (0.10\") is smaller than what "
                                             "the currently selected printer driver is reporting as its minimum "
                                             "printable margin (0.17\").\r\rUse it anyway?\r\r(Note:  Some printer "
                                             "drivers misreport this margin, so it might work anyway.  The only way "
                                             "to know for sure is to try it.  But use plain paper for the test - - no "
                                             "sense wasting an expensive label sheet if it doesn't work)"),
                              QStringLiteral("Print Caution"), Buttons::YesNo, Icon::Question, Answer::No));
        QVERIFY(caution.untouched());
        ui.answer(Answer::Yes);
        RunTypedText(Job(PrintJob::TypedText, 1), caution, window);
        QCOMPARE(caution.documentsEnded(), 1);

        // Half an inch unprintable at top and bottom: five lines at row 10, moved down to 9.9" on the
        // paper, pass the printer's bottom at 10.5" though they end above 10.5" on the printable area.
        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral(".9"));
        const PrintJob job{PrintJob::TypedText, {"a", "b", "c", "d", "e"}, 1, 10, 1};
        RecordingSurface margins(LetterGeometry(0, 0.5, 0, 0.5));
        const float h = Placement().height(10);
        const float bottom = 9.4f + h + h + h + h + h;
        QVERIFY(bottom < 10.5f && bottom + 0.5f > 10.5f);
        RunTypedText(job, margins, window);
        QVERIFY(IsMessage(ui.last(),
                          MarginCaution.arg("bottom", "tallest", FormatPattern(bottom + 0.5f, u"#0.00"), "10.50"),
                          QStringLiteral("Printing Caution"), Buttons::YesNo, Icon::Question, Answer::No));
        QVERIFY(margins.untouched());
    }

    void failureIsReportedAndTheDocumentAbandoned()
    {
        LayoutData().setCell(0, 0, Line1, QStringLiteral("Fine"));
        LayoutData().setCell(0, 1, Line1, QStringLiteral("Boom"));
        CountAddressEntries();
        RecordingSurface surface(LetterGeometry());
        surface.onText = [](const QString& text) {
            if (text == QStringLiteral("Boom")) throw Failure(5, QStringLiteral("The printer went away"));
        };
        ScriptedRunWindow window;
        ui.answer(Answer::Ok);
        RunAddressBook(Job(PrintJob::AllEntries, 1), surface, window);
        // Step 12, the printing pass, after the first label at row 1, column 1.
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("Error printing single labels:\r\rError: The printer went away\rError "
                                             "Number: 5-12-1-1-1"),
                              ErrorReportTitle, Buttons::Ok, Icon::Warning));
        QVERIFY(surface.documentsEnded() == 0 && surface.documentsAbandoned() == 1);
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestPrintRun)
#include "tst_print_run.moc"
