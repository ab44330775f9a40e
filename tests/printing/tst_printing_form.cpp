#include "common/scripted_dialogs.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "printing/printing_form.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

using namespace quillet;
using quillet::test::PdfWord;
using quillet::test::ReadPdfWords;

namespace {

// Positions read back from the PDF agree with the layout to within these (inches). The top of a
// word is where poppler puts the font's ascent, a little off the exact line top.
constexpr double LeftTolerance = 0.01;
constexpr double TopTolerance = 0.03;

void UsePaper(QPrinter& printer, const QString& path, QMarginsF margins)
{
    UsePdfOutput(printer, path);
    printer.setResolution(600);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, margins, QPageLayout::Inch));
}

PrintJob Typed(std::initializer_list<const char*> lines, double copies, double row = 1, double column = 1,
               int layout = 1)
{
    PrintJob job;
    int i = 0;
    for (const char* line : lines) job.texts[std::size_t(i++)] = QString::fromUtf8(line);
    job.copies = copies;
    job.startRow = row;
    job.startColumn = column;
    job.layoutNumber = layout;
    return job;
}

template <class T> T* Child(QWidget& form, const char* name)
{
    return form.findChild<T*>(QString::fromLatin1(name));
}

// Runs the job in the printing window: Start, then whatever the window does until it closes.
struct Printing {
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<PrintingForm> form;

    explicit Printing(const PrintJob& job, QMarginsF margins = {})
    {
        CancelRequested = false;
        UsePaper(printer, path(), margins);
        form = std::make_unique<PrintingForm>(job, printer);
        form->show();
    }
    QString path() const { return dir.filePath(QStringLiteral("Labels.pdf")); }
    void start() { Child<QPushButton>(*form, "StartButton")->click(); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QList<PdfWord> words(const QString& text, int file = 0) const
    {
        QList<PdfWord> found;
        for (const PdfWord& w : ReadPdfWords(form->surface().writtenFiles().value(file)))
            if (w.text == text) found << w;
        std::sort(found.begin(), found.end(), [](const PdfWord& a, const PdfWord& b) {
            return a.page != b.page ? a.page < b.page : qAbs(a.top - b.top) > 0.1 ? a.top < b.top : a.left < b.left;
        });
        return found;
    }
};

bool Near(double actual, double expected, double tolerance)
{
    return qAbs(actual - expected) <= tolerance;
}

} // namespace

class TestPrintingForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void windowHasItsControls();
    void labelsLandOnThePaperWhereTheLayoutSays();
    void centredLinesAreCentredOnTheirLabel();
    void partSheetStartAndAddressBookOrder();
    void pauseMakesEachSheetItsOwnFile();
    void cancelAndDeclineLeaveNoOutput();
    void printerSetupIsClosedDuringARun();
};

void TestPrintingForm::init()
{
    LayoutData.erase();
    SetFactoryLayouts();
    EntryCount = 0;
    SelectedCount = 0;
}

void TestPrintingForm::windowHasItsControls()
{
    ScriptedDialogs ui;
    Printing p(Typed({"Ann"}, 1));
    QCOMPARE(p.form->windowTitle(), QStringLiteral("Print"));
    QCOMPARE(Child<QCheckBox>(*p.form, "PauseCB")->text(), QStringLiteral("Pause Between Sheets"));
    QCOMPARE(Child<QPushButton>(*p.form, "PrinterSetupButton")->text(), QStringLiteral("Printer Setup..."));
    QCOMPARE(Child<QPushButton>(*p.form, "StartButton")->text(), QStringLiteral("Start"));
    QCOMPARE(Child<QPushButton>(*p.form, "CancelButton")->text(), QStringLiteral("Cancel"));
    QVERIFY(Child<QLabel>(*p.form, "MeterBorder"));
    QVERIFY(!Child<QFrame>(*p.form, "Meter")->isVisible());
    QVERIFY(!Child<QLabel>(*p.form, "MeterLabel")->isVisible());
    QCOMPARE(Child<QLabel>(*p.form, "OutputLabel")->text(), QStringLiteral("Output: PDF file ") + p.path());
}

void TestPrintingForm::labelsLandOnThePaperWhereTheLayoutSays()
{
    // With and without unprintable margins the labels sit where the layout puts them on the paper.
    for (const QMarginsF margins : {QMarginsF(0, 0, 0, 0), QMarginsF(0.25, 0.5, 0.25, 0.5)}) {
        ScriptedDialogs ui;
        Printing p(Typed({"Ann", "Elm"}, 30), margins);
        p.start();
        QVERIFY(!p.form->isVisible());
        QVERIFY(ui.messages.empty());
        QCOMPARE(p.form->surface().writtenFiles(), QStringList{p.path()});
        const auto firsts = p.words(QStringLiteral("Ann"));
        QCOMPARE(firsts.size(), 30);
        for (int i = 0; i < 30; ++i) {
            const int row = i / 3 + 1;
            const int column = i % 3 + 1;
            QCOMPARE(firsts[i].page, 1);
            QVERIFY2(Near(firsts[i].left, 0.5 + (column - 1) * 2.75, LeftTolerance),
                     qPrintable(QStringLiteral("label %1,%2 left %3").arg(row).arg(column).arg(firsts[i].left)));
            QVERIFY2(Near(firsts[i].top, 0.625 + (row - 1) * 1.0, TopTolerance),
                     qPrintable(QStringLiteral("label %1,%2 top %3").arg(row).arg(column).arg(firsts[i].top)));
        }
        // The second line sits one line of 10-point Arial lower.
        const auto seconds = p.words(QStringLiteral("Elm"));
        QCOMPARE(seconds.size(), 30);
        QVERIFY(Near(seconds[0].left, 0.5, LeftTolerance));
        QVERIFY(Near(seconds[0].top - firsts[0].top, 1.15 * 10 / 72, 0.02));
        QCOMPARE(Child<QLabel>(*p.form, "MeterLabel")->text(), QStringLiteral("100"));
    }
}

void TestPrintingForm::centredLinesAreCentredOnTheirLabel()
{
    // Layout 6, the name badge: centred, 3.375" wide labels 3.75" apart from 1.5" in.
    ScriptedDialogs ui;
    Printing p(Typed({"Mid", "Considerably"}, 2, 1, 1, 6));
    p.start();
    QVERIFY(ui.messages.empty());
    for (const char* word : {"Mid", "Considerably"}) {
        const auto found = p.words(QString::fromLatin1(word));
        QCOMPARE(found.size(), 2);
        for (int column = 0; column < 2; ++column) {
            const double centre = (found[column].left + found[column].right) / 2;
            QVERIFY2(Near(centre, 1.5 + column * 3.75 + 3.375 / 2, 0.02), word);
        }
    }
}

void TestPrintingForm::partSheetStartAndAddressBookOrder()
{
    {
        ScriptedDialogs ui;
        Printing p(Typed({"Ann"}, 5, 2, 2));
        p.start();
        const auto found = p.words(QStringLiteral("Ann"));
        QCOMPARE(found.size(), 5);
        const QList<QPair<int, int>> expected{{2, 2}, {2, 3}, {3, 1}, {3, 2}, {3, 3}};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(found[i].page, 1);
            QVERIFY(Near(found[i].left, 0.5 + (expected[i].second - 1) * 2.75, LeftTolerance));
            QVERIFY(Near(found[i].top, 0.625 + (expected[i].first - 1), TopTolerance));
        }
    }
    {
        ScriptedDialogs ui;
        LayoutData.setCell(0, 0, Line1, QStringLiteral("Åsa"));
        LayoutData.setCell(1, 3, Line1, QStringLiteral("Bob"));
        EntryCount = 2;
        PrintJob job = Typed({}, 3);
        job.source = PrintJob::AllEntries;
        Printing p(job);
        p.start();
        QList<PdfWord> all = ReadPdfWords(p.path());
        std::sort(all.begin(), all.end(), [](const PdfWord& a, const PdfWord& b) {
            return qAbs(a.top - b.top) > 0.1 ? a.top < b.top : a.left < b.left;
        });
        QStringList order;
        for (const PdfWord& w : all) order << w.text;
        QCOMPARE(order, QStringList({"Åsa", "Bob", "Åsa", "Bob", "Åsa", "Bob"}));
    }
}

void TestPrintingForm::pauseMakesEachSheetItsOwnFile()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Ok);
    Printing p(Typed({"Ann"}, 35));
    {
        QFile old(p.path());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept");
    }
    QStringList filesWhenAsked;
    ui.onMessage = [&](const MessageRequest&) {
        filesWhenAsked = p.files();
        return Answer::None;
    };
    Child<QCheckBox>(*p.form, "PauseCB")->setChecked(true);
    p.start();
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().title, QStringLiteral("Printing Page Pause"));
    QCOMPARE(filesWhenAsked, QStringList({"Labels-2.pdf", "Labels.pdf"})); // the first sheet is out
    QCOMPARE(p.files(), QStringList({"Labels-2.pdf", "Labels-3.pdf", "Labels.pdf"}));
    QCOMPARE(p.words(QStringLiteral("Ann"), 0).size(), 30);
    QCOMPARE(p.words(QStringLiteral("Ann"), 1).size(), 5);
    QFile old(p.path());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("kept"));
}

void TestPrintingForm::cancelAndDeclineLeaveNoOutput()
{
    {
        // Cancel pressed while the printing pass is under way.
        ScriptedDialogs ui;
        Printing p(Typed({"Ann"}, 60));
        QObject::connect(p.form.get(), &PrintingForm::progressShown, p.form.get(), [&](int percent) {
            if (percent == 70) QTimer::singleShot(0, Child<QPushButton>(*p.form, "CancelButton"), &QPushButton::click);
        });
        p.start();
        QVERIFY(CancelRequested);
        QVERIFY(!p.form->isVisible());
        QVERIFY(p.files().isEmpty());
    }
    {
        // Cancel at the pause question: only the first sheet is printed.
        ScriptedDialogs ui;
        ui.answer(Answer::Cancel);
        Printing p(Typed({"Ann"}, 60));
        Child<QCheckBox>(*p.form, "PauseCB")->setChecked(true);
        p.start();
        QCOMPARE(p.files(), QStringList{"Labels.pdf"});
    }
    {
        // Declining the fit question after the measuring pass.
        ScriptedDialogs ui;
        ui.answer(Answer::No);
        SetLayoutCell(1, TopOffset, QStringLiteral("2.5"));
        Printing p(Typed({"Ann"}, 30));
        p.start();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(!p.form->isVisible());
        QVERIFY(p.files().isEmpty());
    }
    {
        // Cancel before Start closes the window and prints nothing.
        ScriptedDialogs ui;
        Printing p(Typed({"Ann"}, 1));
        Child<QPushButton>(*p.form, "CancelButton")->click();
        QVERIFY(CancelRequested);
        QVERIFY(!p.form->isVisible());
        QVERIFY(p.files().isEmpty());
    }
}

void TestPrintingForm::printerSetupIsClosedDuringARun()
{
    ScriptedDialogs ui;
    Printing p(Typed({"Ann"}, 3));
    const QString other = p.dir.filePath(QStringLiteral("Other.pdf"));
    ui.answerPrintSetup(true, [&](QPrinter& printer) { printer.setOutputFileName(other); });
    Child<QPushButton>(*p.form, "PrinterSetupButton")->click();
    QCOMPARE(ui.printSetupRequests, std::vector<PrintSetupPurpose>{PrintSetupPurpose::Printing});
    QCOMPARE(Child<QLabel>(*p.form, "OutputLabel")->text(), QStringLiteral("Output: PDF file ") + other);

    int checked = 0;
    QObject::connect(p.form.get(), &PrintingForm::progressShown, p.form.get(), [&](int percent) {
        if (percent < 2) return;
        ++checked;
        QVERIFY(!Child<QPushButton>(*p.form, "PrinterSetupButton")->isEnabled());
        QVERIFY(!Child<QPushButton>(*p.form, "StartButton")->isEnabled());
        QVERIFY(Child<QFrame>(*p.form, "Meter")->isVisible());
    });
    p.start();
    QVERIFY(checked > 10);
    QCOMPARE(p.form->surface().writtenFiles(), QStringList{other});
}

QUILLET_TEST_MAIN(TestPrintingForm)
#include "tst_printing_form.moc"
