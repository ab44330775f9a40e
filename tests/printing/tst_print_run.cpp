#include "common/error_report.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "common/scripted_dialogs.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "print_test_support.h"
#include "printing/print_run.h"
#include "printing/recording_surface.h"
#include "support/test_environment.h"

using namespace quillet;
using quillet::test::LetterGeometry;
using quillet::test::ScriptedRunWindow;
using Event = RecordingSurface::Event;

namespace {

PrintJob TypedJob(double copies, double row = 1, double column = 1)
{
    PrintJob job;
    job.source = PrintJob::TypedText;
    job.texts = {QStringLiteral("Ann Example"), QStringLiteral("1 Main St"), QString(), QString(), QString()};
    job.copies = copies;
    job.startRow = row;
    job.startColumn = column;
    job.layoutNumber = 1;
    return job;
}

PrintJob BookJob(int source, double copies)
{
    PrintJob job;
    job.source = source;
    job.copies = copies;
    job.layoutNumber = 1;
    return job;
}

void SetRecord(int tab, int record, const QString& line1, const QString& selected = QString())
{
    LayoutData.setCell(tab, record, Line1, line1);
    LayoutData.setCell(tab, record, Selected, selected);
}

// The label (row, column) of layout 1 that a first line drawn at (x, y) belongs to.
QPair<int, int> LabelAt(const RecordingSurface::Record& r)
{
    return {qRound((r.y - 0.625) / 1.0) + 1, qRound((r.x - 0.5) / 2.75) + 1};
}

std::vector<RecordingSurface::Record> FirstLines(const RecordingSurface& s, const QString& firstLine)
{
    std::vector<RecordingSurface::Record> out;
    for (const auto& r : s.texts())
        if (r.text == firstLine) out.push_back(r);
    return out;
}

int Count(const RecordingSurface& s, Event e)
{
    int n = 0;
    for (const auto& r : s.records())
        if (r.event == e) ++n;
    return n;
}

// A surface whose printer fails on a given text.
struct FailingSurface : RecordingSurface {
    using RecordingSurface::RecordingSurface;
    QString failOn;

protected:
    void paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text) override
    {
        if (text == failOn) throw Failure(5, QStringLiteral("The printer went away"));
        RecordingSurface::paintText(font, rgb, topLeft, text);
    }
};

} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void typedCopiesFillTheSheetFromTheStartPosition();
    void progressRunsThroughBothPasses();
    void lastLabelOfASheetStartsNoNewSheet();
    void addressBookRepeatsTheWholeSequencePerCopy();
    void onlyPrintableAndSelectedRecordsQualify();
    void runWithoutQualifyingRecordsPrintsNothing();
    void pauseSendsEachSheetBeforeAsking();
    void cancelAtThePauseStopsPrinting();
    void declinedQuestionsDrawNothing();
    void fitChecksMeasureFromThePaperEdges();
    void cancelDuringEitherPassLeavesNoOutput();
    void failureIsReportedAndTheDocumentAbandoned();
    void countersHoldMoreLabelsThanSixteenBits();
};

void TestPrintRun::init()
{
    LayoutData.erase();
    SetFactoryLayouts();
    CancelRequested = false;
    EntryCount = 0;
    SelectedCount = 0;
}

void TestPrintRun::typedCopiesFillTheSheetFromTheStartPosition()
{
    ScriptedDialogs ui;
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    RunTypedText(TypedJob(5, 2, 2), surface, window);
    const auto firsts = FirstLines(surface, QStringLiteral("Ann Example"));
    QCOMPARE(firsts.size(), std::size_t(5));
    const QList<QPair<int, int>> expected{{2, 2}, {2, 3}, {3, 1}, {3, 2}, {3, 3}};
    for (std::size_t i = 0; i < firsts.size(); ++i) {
        QCOMPARE(LabelAt(firsts[i]), expected[int(i)]);
        QCOMPARE(firsts[i].document, 1);
        QCOMPARE(firsts[i].page, 1);
    }
    QCOMPARE(FirstLines(surface, QStringLiteral("1 Main St")).size(), std::size_t(5));
    QCOMPARE(surface.documentsEnded(), 1);
    QCOMPARE(surface.documentsAbandoned(), 0);
    QVERIFY(ui.messages.empty());
    QCOMPARE(surface.unit(), DrawingSurface::Unit::Inches);
    QVERIFY(surface.colorMode());

    // Copies read as 2.5 round to the even 2.
    RecordingSurface two(LetterGeometry());
    RunTypedText(TypedJob(2.5), two, window);
    QCOMPARE(FirstLines(two, QStringLiteral("Ann Example")).size(), std::size_t(2));
}

void TestPrintRun::progressRunsThroughBothPasses()
{
    ScriptedDialogs ui;
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    RunTypedText(TypedJob(2), surface, window);
    // 72.5 halfway through the printing pass rounds to the even 72.
    QCOMPARE(window.progress, std::vector<int>({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 31, 50, 12, 72, 95, 100}));
    QCOMPARE(LabelProgress(RunPass::Measuring, 0, 0), 50); // no total: nothing is divided by zero
    QCOMPARE(LabelProgress(RunPass::Printing, 9, 4), 95);  // a stale count never overshoots
    QCOMPARE(LabelProgress(RunPass::Printing, 389610, 779220), 72);
}

void TestPrintRun::lastLabelOfASheetStartsNoNewSheet()
{
    ScriptedDialogs ui;
    ScriptedRunWindow window;
    RecordingSurface exact(LetterGeometry());
    RunTypedText(TypedJob(3, 10, 1), exact, window);
    QCOMPARE(Count(exact, Event::NewPage), 0);
    QCOMPARE(exact.documentsEnded(), 1);

    RecordingSurface over(LetterGeometry());
    RunTypedText(TypedJob(4, 10, 1), over, window);
    QCOMPARE(Count(over, Event::NewPage), 1);
    const auto firsts = FirstLines(over, QStringLiteral("Ann Example"));
    QCOMPARE(firsts.size(), std::size_t(4));
    QCOMPARE(firsts[3].page, 2);
    QCOMPARE(LabelAt(firsts[3]), qMakePair(1, 1));
}

void TestPrintRun::addressBookRepeatsTheWholeSequencePerCopy()
{
    ScriptedDialogs ui;
    SetRecord(2, 4, QStringLiteral("Bob"));  // tab C, record 5
    SetRecord(0, 29, QStringLiteral("Ann")); // tab A, record 30
    LayoutData.setCell(0, 29, Line2, QStringLiteral("Elm Road"));
    EntryCount = 2;
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    RunAddressBook(BookJob(PrintJob::AllEntries, 3), surface, window);
    QStringList order;
    QList<QPair<int, int>> where;
    for (const auto& r : surface.texts()) {
        if (r.text == QStringLiteral("Elm Road")) continue;
        order << r.text;
        where << LabelAt(r);
    }
    QCOMPARE(order, QStringList({"Ann", "Bob", "Ann", "Bob", "Ann", "Bob"}));
    const QList<QPair<int, int>> expected{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}};
    QCOMPARE(where, expected);
    QCOMPARE(window.progress.back(), 100);
    QCOMPARE(surface.documentsEnded(), 1);
}

void TestPrintRun::onlyPrintableAndSelectedRecordsQualify()
{
    ScriptedDialogs ui;
    SetRecord(0, 0, QStringLiteral("Chosen"), QStringLiteral("True"));
    SetRecord(0, 1, QStringLiteral("Not chosen"));
    SetRecord(0, 2, QStringLiteral("Lower case"), QStringLiteral("true"));
    SetRecord(0, 3, QStringLiteral("   "), QStringLiteral("True")); // blanks only
    LayoutData.setCell(0, 4, Line6, QStringLiteral("memo only"));   // never printed
    LayoutData.setCell(0, 4, Selected, QStringLiteral("True"));
    LayoutData.setCell(25, 29, Line5, QStringLiteral("Last line only"));
    LayoutData.setCell(25, 29, Selected, QStringLiteral("True"));
    EntryCount = 5;
    SelectedCount = 3;
    ScriptedRunWindow window;

    RecordingSurface all(LetterGeometry());
    RunAddressBook(BookJob(PrintJob::AllEntries, 1), all, window);
    QStringList texts;
    for (const auto& r : all.texts()) texts << r.text;
    QCOMPARE(texts, QStringList({"Chosen", "Not chosen", "Lower case", "Last line only"}));

    RecordingSurface selected(LetterGeometry());
    RunAddressBook(BookJob(PrintJob::SelectedEntries, 1), selected, window);
    texts.clear();
    for (const auto& r : selected.texts()) texts << r.text;
    QCOMPARE(texts, QStringList({"Chosen", "Last line only"}));
    // Line 5 keeps its place below four empty lines.
    RecordingSurface probe(LetterGeometry());
    probe.setUnit(DrawingSurface::Unit::Inches);
    probe.setFontName(QStringLiteral("Arial"));
    const float h = float(probe.textHeight(QStringLiteral("X")));
    QCOMPARE(selected.texts().at(1).y, double(0.625f + h + h + h + h));
}

void TestPrintRun::runWithoutQualifyingRecordsPrintsNothing()
{
    ScriptedDialogs ui;
    LayoutData.setCell(3, 3, Line6, QStringLiteral("memo only"));
    EntryCount = 1;
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    RunAddressBook(BookJob(PrintJob::AllEntries, 5), surface, window);
    QVERIFY(surface.texts().empty());
    QCOMPARE(surface.documentsEnded(), 0); // no blank sheet fed
    QVERIFY(!surface.documentOpen());
    QVERIFY(ui.messages.empty());
}

void TestPrintRun::pauseSendsEachSheetBeforeAsking()
{
    ScriptedDialogs ui;
    RecordingSurface surface(LetterGeometry());
    std::vector<int> endedWhenAsked;
    ui.onMessage = [&](const MessageRequest&) {
        endedWhenAsked.push_back(surface.documentsEnded());
        return Answer::Ok;
    };
    ScriptedRunWindow window;
    window.pause = true;
    RunTypedText(TypedJob(65), surface, window);
    QCOMPARE(endedWhenAsked, std::vector<int>({1, 2}));
    const MessageRequest& m = ui.last();
    QCOMPARE(m.text, QStringLiteral("Press OK to continue with next page, or Cancel to quit printing"));
    QCOMPARE(m.title, QStringLiteral("Printing Page Pause"));
    QCOMPARE(m.buttons, Buttons::OkCancel);
    QCOMPARE(m.icon, Icon::Question);
    QCOMPARE(surface.documentsEnded(), 3);
    QCOMPARE(Count(surface, Event::NewPage), 0);
    const auto firsts = FirstLines(surface, QStringLiteral("Ann Example"));
    QCOMPARE(firsts.size(), std::size_t(65));
    QCOMPARE(firsts[29].document, 1);
    QCOMPARE(firsts[30].document, 2);
    QCOMPARE(LabelAt(firsts[30]), qMakePair(1, 1));
    QCOMPARE(firsts[64].document, 3);
}

void TestPrintRun::cancelAtThePauseStopsPrinting()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Cancel);
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    window.pause = true;
    RunTypedText(TypedJob(65), surface, window);
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(surface.documentsEnded(), 1); // the first sheet only
    QCOMPARE(surface.texts().back().document, 1);
    QVERIFY(!surface.documentOpen());
    QVERIFY(window.progress.back() != 100);
}

void TestPrintRun::declinedQuestionsDrawNothing()
{
    ScriptedRunWindow window;
    {
        // Row 10 of a sheet moved down by 1.5" runs off the 11" sheet.
        ScriptedDialogs ui;
        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral("2.125"));
        RecordingSurface surface(LetterGeometry());
        RunTypedText(TypedJob(30), surface, window);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.last().title, QStringLiteral("Print Warning"));
        QVERIFY(surface.records().empty());
        QCOMPARE(surface.documentsEnded() + surface.documentsAbandoned(), 0);
    }
    {
        ScriptedDialogs ui;
        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral(".1"));
        RecordingSurface surface(LetterGeometry(0.25, 0.17, 0.25, 0.5));
        window.progress.clear();
        RunTypedText(TypedJob(1), surface, window);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.last().title, QStringLiteral("Print Caution"));
        QVERIFY(ui.last().text.contains(QStringLiteral("(0.10\")")));
        QVERIFY(ui.last().text.contains(QStringLiteral("(0.17\")")));
        QVERIFY(surface.records().empty());
        QCOMPARE(window.progress.back(), 7); // before the passes
    }
}

void TestPrintRun::fitChecksMeasureFromThePaperEdges()
{
    // Half an inch unprintable at the top and bottom: the printer stops at 10.5" from the top.
    // Row 10 moved down to 9.9" with five lines of text reaches past 10.5" on the paper, though
    // only about 10.2" from the printable area's top.
    ScriptedDialogs ui;
    ui.answer(Answer::No);
    SetLayoutCell(1, TopOffset, QStringLiteral(".9"));
    PrintJob job = TypedJob(1, 10, 1);
    job.texts = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                 QStringLiteral("e")};
    RecordingSurface surface(LetterGeometry(0, 0.5, 0, 0.5));
    surface.setUnit(DrawingSurface::Unit::Inches);
    surface.setFontName(QStringLiteral("Arial"));
    surface.setFontSize(10);
    const float h = float(surface.textHeight(QStringLiteral("X")));
    float bottom = 9.4f;
    for (int i = 0; i < 5; ++i) bottom += h;
    QVERIFY(bottom < 10.5f && bottom + 0.5f > 10.5f);
    ScriptedRunWindow window;
    RunTypedText(job, surface, window);
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().title, QStringLiteral("Printing Caution"));
    QVERIFY(ui.last().text.contains(QStringLiteral("will be at ") + FormatPattern(bottom + 0.5f, u"#0.00") +
                                    QStringLiteral(" inches, while the bottom margin reported by the printer driver "
                                                   "is at 10.50 inches")));
    QVERIFY(surface.texts().empty());
}

void TestPrintRun::cancelDuringEitherPassLeavesNoOutput()
{
    for (const int stopAt : {31, 72}) {
        ScriptedDialogs ui;
        RecordingSurface surface(LetterGeometry());
        ScriptedRunWindow window;
        CancelRequested = false;
        window.onProgress = [&](int percent) {
            if (percent == stopAt) CancelRequested = true;
        };
        RunTypedText(TypedJob(40), surface, window);
        QCOMPARE(surface.documentsEnded(), 0);
        QVERIFY(!surface.documentOpen());
        QCOMPARE(window.progress.back(), stopAt);
        if (stopAt == 72) {
            QCOMPARE(surface.documentsAbandoned(), 1);
            QVERIFY(!surface.texts().empty()); // it had drawn, and threw it away
        } else {
            QVERIFY(surface.records().empty());
        }
    }
    // Cancel noticed while an address-book pass looks for its next entry.
    ScriptedDialogs ui;
    SetRecord(0, 0, QStringLiteral("Ann"));
    SetRecord(1, 0, QStringLiteral("Bob"));
    EntryCount = 2;
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    CancelRequested = false;
    window.onProgress = [&](int percent) {
        if (percent == 72) CancelRequested = true; // after the first printed label
    };
    RunAddressBook(BookJob(PrintJob::AllEntries, 1), surface, window);
    QCOMPARE(surface.documentsEnded(), 0);
    QCOMPARE(surface.documentsAbandoned(), 1);
    QCOMPARE(surface.texts().size(), std::size_t(1));
}

void TestPrintRun::failureIsReportedAndTheDocumentAbandoned()
{
    ScriptedDialogs ui;
    SetRecord(0, 0, QStringLiteral("Fine"));
    SetRecord(0, 1, QStringLiteral("Boom"));
    EntryCount = 2;
    FailingSurface surface(LetterGeometry());
    surface.failOn = QStringLiteral("Boom");
    ScriptedRunWindow window;
    RunAddressBook(BookJob(PrintJob::AllEntries, 1), surface, window);
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().title, ErrorReportTitle);
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QVERIFY(ui.last().text.startsWith(QStringLiteral("Error printing single labels:")));
    QVERIFY(ui.last().text.contains(QStringLiteral("The printer went away")));
    QCOMPARE(surface.documentsEnded(), 0);
    QCOMPARE(surface.documentsAbandoned(), 1);
}

void TestPrintRun::countersHoldMoreLabelsThanSixteenBits()
{
    ScriptedDialogs ui;
    for (int i = 0; i < 40; ++i) SetRecord(i / 30, i % 30, QStringLiteral("R%1").arg(i));
    EntryCount = 40;
    RecordingSurface surface(LetterGeometry());
    ScriptedRunWindow window;
    RunAddressBook(BookJob(PrintJob::AllEntries, 825), surface, window); // 33,000 labels, 1,100 sheets
    const auto texts = surface.texts();
    QCOMPARE(texts.size(), std::size_t(33000));
    QCOMPARE(texts.back().text, QStringLiteral("R39"));
    QCOMPARE(texts.back().page, 1100);
    QCOMPARE(window.progress.back(), 100);
    int previous = 0;
    bool rising = true;
    for (std::size_t i = 13; i < window.progress.size(); ++i) {
        if (window.progress[i] == 12) previous = 12;
        rising = rising && window.progress[i] >= previous;
        previous = window.progress[i];
    }
    QVERIFY(rising);
}

QUILLET_TEST_MAIN(TestPrintRun)
#include "tst_print_run.moc"
