#include "common/error_report.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "common/scripted_dialogs.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "print_test_support.h"
#include "printing/fit_checks.h"
#include "printing/print_run.h"
#include "printing/recording_surface.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

using namespace quillet;
using namespace quillet::test;
using Event = RecordingSurface::Event;

namespace {

PrintJob Job(int source, double copies, double row = 1, double column = 1)
{
    PrintJob job;
    job.source = source;
    job.texts = {QStringLiteral("Ann Example"), QStringLiteral("1 Main St")};
    job.copies = copies;
    job.startRow = row;
    job.startColumn = column;
    return job;
}

QStringList Texts(const RecordingSurface& s)
{
    QStringList out;
    for (const auto& r : s.texts()) out << r.text;
    return out;
}

int Count(const RecordingSurface& s, Event e)
{
    return int(std::count_if(s.records().begin(), s.records().end(), [e](const auto& r) { return r.event == e; }));
}

// A printer that fails on one text.
struct FailingSurface : RecordingSurface {
    using RecordingSurface::RecordingSurface;

protected:
    void paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text) override
    {
        if (text == QStringLiteral("Boom")) throw Failure(5, QStringLiteral("The printer went away"));
        RecordingSurface::paintText(font, rgb, topLeft, text);
    }
};

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        LayoutData.erase();
        SetFactoryLayouts();
        CancelRequested = false;
    }

    void topMarginCaution()
    {
        ScriptedDialogs ui;
        QVERIFY(CheckTopMargin(0.17f, 0.17f)); // equal is enough
        QVERIFY(ui.messages.empty());
        ui.answer(Answer::Yes);
        QVERIFY(CheckTopMargin(0.17f, 0.1f));
        QVERIFY(!CheckTopMargin(0.17f, 0.1f)); // unanswered: the default, No
        QVERIFY(IsMessage(ui.last(),
                          QStringLiteral("Caution:  The top margin for this layout (0.10\") is smaller than what the "
                                         "currently selected printer driver is reporting as its minimum printable "
                                         "margin (0.17\").\r\rUse it anyway?\r\r(Note:  Some printer drivers misreport "
                                         "this margin, so it might work anyway.  The only way to know for sure is to "
                                         "try it.  But use plain paper for the test - - no sense wasting an expensive "
                                         "label sheet if it doesn't work)"),
                          QStringLiteral("Print Caution"), Buttons::YesNo, Icon::Question, Answer::No));
    }

    void sheetAndMarginQuestions()
    {
        ScriptedDialogs ui;
        // Within the margins, or exactly at them, nothing is asked.
        QVERIFY(CheckFit(10.5f, 11.0f, 10.8f, 8.25f, 8.5f, 8.25f));
        QVERIFY(ui.messages.empty());

        // Past the sheet: Yes skips the margin question of the same direction.
        ui.answer(Answer::Yes);
        QVERIFY(CheckFit(11.2f, 11.0f, 10.8f, 1.0f, 8.5f, 8.25f));
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
        ui.clear();
        ui.answer(Answer::Yes);
        ui.answer(Answer::Yes);
        QVERIFY(CheckFit(10.9f, 11.0f, 10.8f, 8.3f, 8.5f, 8.25f));
        QCOMPARE(ui.messages.size(), std::size_t(2));
        const QString caution = QStringLiteral(
            "Caution:  The text to be printed extends beyond what the printer driver is reporting as its %1 margin (at "
            "its %2 point, the text to be printed will be at %3 inches, while the %1 margin reported by the printer "
            "driver is at %4 inches.)\r\rPrint it anyway?\r\rNote:  Some printer drivers mis-report this margin, and "
            "therefore it might be possible to exceed it.  The only way to know for sure is to try printing it.  But "
            "use plain paper - - no sense wasting an expensive label sheet if it doesn't work.\r\rAlternatively, try "
            "adjusting the settings for this layout (File > Layouts Editor), until it fits within the printer's actual "
            "margins.");
        QVERIFY(IsMessage(ui.messages[0], caution.arg("bottom", "tallest", "10.90", "10.80"),
                          QStringLiteral("Printing Caution"), Buttons::YesNo, Icon::Question, Answer::No));
        QVERIFY(IsMessage(ui.messages[1], caution.arg("right", "widest", "8.30", "8.25"),
                          QStringLiteral("Printing Caution"), Buttons::YesNo, Icon::Question, Answer::No));

        // Past the sheet's width; No to any question ends the run there.
        ui.clear();
        ui.answer(Answer::Yes);
        QVERIFY(!CheckFit(11.2f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f));
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QVERIFY(IsMessage(ui.last(),
                          warning.arg("width", "widest", "9.00", "8.50") +
                              QStringLiteral("you cancel the print job (press \"No\") and then adjust Quillet's "
                                             "layout settings (File > Layouts Editor), and/or the printer's sheet "
                                             "size (press the \"Printer Setup\" button)."),
                          QStringLiteral("Print Warning"), Buttons::YesNo, Icon::Warning, Answer::No));
        QVERIFY(!CheckFit(10.9f, 11.0f, 10.8f, 1.0f, 8.5f, 8.25f));
        QCOMPARE(ui.messages.size(), std::size_t(3));
    }

    void progressAndSheetsOfATypedRun()
    {
        ScriptedDialogs ui;
        test::ScriptedRunWindow window;
        RecordingSurface two(test::LetterGeometry());
        RunTypedText(Job(PrintJob::TypedText, 2.5), two, window); // 2.5 copies round to the even 2
        // 72.5 halfway through the printing pass rounds to the even 72.
        QCOMPARE(window.progress, std::vector<int>({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 31, 50, 12, 72, 95, 100}));
        QCOMPARE(Texts(two), QStringList({"Ann Example", "1 Main St", "Ann Example", "1 Main St"}));
        QVERIFY(two.colorMode() && two.documentsEnded() == 1 && ui.messages.empty());

        // The last label of a sheet starts no new sheet; one more label does.
        RecordingSurface exact(test::LetterGeometry());
        RunTypedText(Job(PrintJob::TypedText, 3, 10, 1), exact, window);
        QCOMPARE(Count(exact, Event::NewPage), 0);
        RecordingSurface over(test::LetterGeometry());
        RunTypedText(Job(PrintJob::TypedText, 4, 10, 1), over, window);
        QCOMPARE(Count(over, Event::NewPage), 1);
        const auto last = over.texts().at(6);
        QCOMPARE(last.page, 2);
        QCOMPARE(qMakePair(last.x, last.y), qMakePair(0.5, 0.625));
    }

    void addressBookPrintsQualifyingRecordsOncePerCopy()
    {
        ScriptedDialogs ui;
        test::ScriptedRunWindow window;
        LayoutData.setCell(0, 0, Line1, QStringLiteral("Chosen"));
        LayoutData.setCell(0, 0, Selected, QStringLiteral("True"));
        LayoutData.setCell(0, 1, Line1, QStringLiteral("Unchosen"));
        LayoutData.setCell(0, 2, Line1, QStringLiteral("Lowercase"));
        LayoutData.setCell(0, 2, Selected, QStringLiteral("true"));
        LayoutData.setCell(0, 3, Line1, QStringLiteral("   ")); // blanks only
        LayoutData.setCell(0, 3, Selected, QStringLiteral("True"));
        LayoutData.setCell(0, 4, Line6, QStringLiteral("memo")); // the memo line is never printed
        LayoutData.setCell(0, 4, Selected, QStringLiteral("True"));
        LayoutData.setCell(25, 29, Line5, QStringLiteral("Last"));
        LayoutData.setCell(25, 29, Selected, QStringLiteral("True"));
        CountAddressEntries();

        RecordingSurface all(test::LetterGeometry());
        RunAddressBook(Job(PrintJob::AllEntries, 2), all, window);
        QCOMPARE(Texts(all),
                 QStringList({"Chosen", "Unchosen", "Lowercase", "Last", "Chosen", "Unchosen", "Lowercase", "Last"}));
        QCOMPARE(all.texts().at(4).x, 0.5 + 1 * 2.75); // the fifth label, row 2 column 2
        QCOMPARE(all.texts().at(4).y, 1.625);
        QCOMPARE(window.progress.back(), 100);

        RecordingSurface selected(test::LetterGeometry());
        RunAddressBook(Job(PrintJob::SelectedEntries, 1), selected, window);
        QCOMPARE(Texts(selected), QStringList({"Chosen", "Last"}));

        // Nothing that qualifies: no sheet is fed at all.
        for (int record : {0, 1, 2}) LayoutData.setCell(0, record, Line1, QString());
        LayoutData.setCell(25, 29, Line5, QString());
        RecordingSurface none(test::LetterGeometry());
        RunAddressBook(Job(PrintJob::AllEntries, 3), none, window);
        QVERIFY(none.texts().empty() && none.documentsEnded() == 0 && !none.documentOpen());
    }

    void declinedQuestionsDrawNothing()
    {
        test::ScriptedRunWindow window;
        ScriptedDialogs ui;
        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral(".1"));
        RecordingSurface caution(test::LetterGeometry(0.25, 0.17, 0.25, 0.5));
        RunTypedText(Job(PrintJob::TypedText, 1), caution, window);
        QVERIFY(ui.last().text.contains(QStringLiteral("(0.10\")")) &&
                ui.last().text.contains(QStringLiteral("(0.17\")")));
        QVERIFY(caution.records().empty());

        // Half an inch unprintable at top and bottom: five lines at row 10, moved down to 9.9" on the
        // paper, pass the printer's bottom at 10.5" though they end above 10.5" on the printable area.
        ui.clear();
        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral(".9"));
        PrintJob job = Job(PrintJob::TypedText, 1, 10, 1);
        job.texts = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                     QStringLiteral("e")};
        RecordingSurface margins(test::LetterGeometry(0, 0.5, 0, 0.5));
        margins.setUnit(DrawingSurface::Unit::Inches);
        margins.setFontName(QStringLiteral("Arial"));
        const float h = float(margins.textHeight(QStringLiteral("X")));
        const float bottom = 9.4f + h + h + h + h + h;
        QVERIFY(bottom < 10.5f && bottom + 0.5f > 10.5f);
        RunTypedText(job, margins, window);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.last().title, QStringLiteral("Printing Caution"));
        QVERIFY(
            ui.last().text.contains(QStringLiteral("will be at ") + FormatPattern(bottom + 0.5f, u"#0.00") +
                                    QStringLiteral(" inches, while the bottom margin reported by the printer driver "
                                                   "is at 10.50 inches")));
        QVERIFY(margins.records().empty());
    }

    void failureIsReportedAndTheDocumentAbandoned()
    {
        ScriptedDialogs ui;
        LayoutData.setCell(0, 0, Line1, QStringLiteral("Fine"));
        LayoutData.setCell(0, 1, Line1, QStringLiteral("Boom"));
        CountAddressEntries();
        FailingSurface surface(test::LetterGeometry());
        test::ScriptedRunWindow window;
        RunAddressBook(Job(PrintJob::AllEntries, 1), surface, window);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(ui.last().title == ErrorReportTitle && ui.last().buttons == Buttons::Ok);
        QVERIFY(
            ui.last().text.startsWith(QStringLiteral("Error printing single labels:\r\rError: The printer went away")));
        QCOMPARE(surface.documentsEnded(), 0);
        QCOMPARE(surface.documentsAbandoned(), 1);
    }

    void countersHoldMoreLabelsThanSixteenBits()
    {
        ScriptedDialogs ui;
        for (int i = 0; i < 40; ++i) LayoutData.setCell(i / 30, i % 30, Line1, QStringLiteral("R%1").arg(i));
        CountAddressEntries();
        RecordingSurface surface(test::LetterGeometry());
        test::ScriptedRunWindow window;
        RunAddressBook(Job(PrintJob::AllEntries, 825), surface, window); // 33,000 labels on 1,100 sheets
        const auto texts = surface.texts();
        QCOMPARE(texts.size(), std::size_t(33000));
        QCOMPARE(texts.back().text, QStringLiteral("R39"));
        QCOMPARE(texts.back().page, 1100);
        const auto printing = std::adjacent_find(window.progress.begin(), window.progress.end(),
                                                 [](int a, int b) { return a == 50 && b == 12; });
        QVERIFY(printing != window.progress.end() && std::is_sorted(printing + 1, window.progress.end()));
        QCOMPARE(window.progress.back(), 100);
    }
};

QUILLET_TEST_MAIN(TestPrintRun)
#include "tst_print_run.moc"
