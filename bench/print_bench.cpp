// The print run at full size: 780 address-book entries of mixed lengths, printed with collated
// copies to a PDF printer offscreen, both passes, with progress and event processing as in the
// printing window. Beside it, for scale, a minimal loop that measures and draws the same lines
// with QPainter straight onto a PDF printer.
//
//     quillet_print_bench           780 x 1, 780 x 10, 780 x 100
//     quillet_print_bench --full    also 780 x 999 (779,220 labels, 25,974 sheets)
//
// After each size the same job is printed by the program itself, `quillet --print`, timed as a
// whole process: start-up, reading the data file, both passes and the PDF written.

#include "process_memory.h"
#include "program_print_timing.h"

#include "common/numbers.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/printing_form.h"
#include "printing/selected_printer.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <random>
#include <vector>

using namespace quillet;
using namespace quillet::bench;

namespace {

constexpr int Entries = 780;
constexpr int LabelsPerSheet = 30;

// ---- seeded address book -----------------------------------------------------------------------
void FillAddressBook()
{
    static const char* const given[] = {"Ann",      "Bob",    "Åsa",    "Jörg",  "María José",
                                        "Zoë",      "Chidi",  "Li",     "Søren", "Margaret-Anne",
                                        "François", "Tomasz", "Élodie", "Kwame", "Ingrid"};
    static const char* const family[] = {"Smith",        "Müller",    "Ñúñez",         "O'Brien",
                                         "Van der Berg", "Kowalczyk", "Haraldsdóttir", "Lee",
                                         "Papadopoulos", "Nakamura",  "Dubois",        "Okafor"};
    static const char* const streets[] = {"Main St",     "Elm Road",    "Rue de la Paix",
                                          "Königsallee", "Calle Mayor", "Harbour View Terrace",
                                          "Birch Lane",  "Øster Allé"};
    static const char* const towns[] = {"Springfield, IL 62701", "Malmö",         "München 80331", "São Paulo",
                                        "Eugene, OR 97401",      "Kraków 30-001", "Reykjavík 101", "Lyon 69001"};
    std::mt19937 random(20240611);
    auto pick = [&](const auto& list) { return QString::fromUtf8(list[random() % (sizeof list / sizeof list[0])]); };
    LayoutData().erase();
    SetFactoryLayouts();
    for (int i = 0; i < Entries; ++i) {
        const int tab = i / RecordsPerTab;
        const int record = i % RecordsPerTab;
        const int lines = 2 + int(random() % 4); // 2 to 5 lines
        QString name = pick(given) + u' ' + pick(family);
        if (random() % 3 == 0) name += QStringLiteral(" Jr.");
        LayoutData().setCell(tab, record, Line1, name);
        LayoutData().setCell(tab, record, Line2, QString::number(1 + random() % 9999) + u' ' + pick(streets));
        if (lines >= 4)
            LayoutData().setCell(tab, record, Line3, QStringLiteral("Apt ") + QString::number(random() % 400));
        if (lines >= 3) LayoutData().setCell(tab, record, Line4, pick(towns));
        if (lines == 5) LayoutData().setCell(tab, record, Line5, QStringLiteral("Attn: Accounts Payable"));
        LayoutData().setCell(tab, record, Line6, QStringLiteral("memo %1").arg(i));
    }
    CountAddressEntries();
    // Layout 1 (3 x 10 on Letter), centred, the first line in its own bold font.
    SetLayoutCell(1, Alignment, QStringLiteral("1"));
    SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
    SetFontCell(1, 1, FontBold, QStringLiteral("1"));
    SetFontCell(1, 1, FontSize, QStringLiteral("11"));
}

// ---- the real run --------------------------------------------------------------------------------
struct RunFigures {
    double measuring = 0; // seconds
    double printing = 0;
    double total = 0;
    double peak = 0; // MB
    std::vector<double> tenths;
    bool complete = false;
};

RunFigures RunQuillet(int copies, const QString& folder)
{
    RunFigures f;
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, folder + QStringLiteral("/Labels.pdf"));
    PrintJob job;
    job.source = PrintJob::AllEntries;
    job.copies = copies;
    job.layoutNumber = 1;
    Run().cancelRequested = false;

    ResetPeak();
    QElapsedTimer clock;
    clock.start();
    PrintingForm form(job, printer);
    form.show();
    int phase = 0; // 1 measuring, 2 printing
    int previous = 0;
    qint64 measuringStart = 0;
    qint64 printingStart = 0;
    int nextTenth = 1;
    QObject::connect(&form, &PrintingForm::progressShown, &form, [&](int percent) {
        if (percent == 12 && previous == 11) {
            phase = 1;
            measuringStart = clock.nsecsElapsed();
        } else if (percent == 12 && previous >= 50) {
            phase = 2;
            printingStart = clock.nsecsElapsed();
        }
        previous = percent;
        // Resident memory each time another tenth of the sheets has been drawn.
        while (phase == 2 && nextTenth <= 10 && percent >= 50 + 4.5 * nextTenth - 0.5) {
            f.tenths.push_back(ResidentMegabytes());
            ++nextTenth;
        }
        if (percent == 100) f.complete = true;
    });
    form.findChild<QPushButton*>(QStringLiteral("StartButton"))->click();
    const qint64 end = clock.nsecsElapsed();
    f.measuring = (printingStart - measuringStart) / 1e9;
    f.printing = (end - printingStart) / 1e9;
    f.total = end / 1e9;
    f.peak = PeakMegabytes();
    for (const QString& file : form.surface().writtenFiles()) QFile::remove(file);
    return f;
}

// ---- the reference: QPainter straight onto a PDF printer --------------------------------------------
struct ReferenceFigures {
    double seconds = 0;
    double peak = 0;
};

ReferenceFigures RunReference(int copies, const QString& folder)
{
    ResetPeak();
    QElapsedTimer clock;
    clock.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder + QStringLiteral("/Reference.pdf"));
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
    printer.setFullPage(true);
    QPainter painter(&printer);
    const double dpi = printer.resolution();
    QFont bold(QStringLiteral("Arial"));
    bold.setPointSizeF(11);
    bold.setBold(true);
    QFont plain(QStringLiteral("Arial"));
    plain.setPointSizeF(10);
    const QFontMetricsF boldMetrics(bold, &printer);
    const QFontMetricsF plainMetrics(plain, &printer);
    int onSheet = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int i = 0; i < Entries; ++i) {
            if (onSheet == LabelsPerSheet) {
                printer.newPage();
                onSheet = 0;
            }
            const int row = onSheet / 3;
            const int column = onSheet % 3;
            ++onSheet;
            double y = (0.625 + row * 1.0) * dpi;
            const double left = (0.5 + column * 2.75) * dpi;
            for (int line = 0; line < 5; ++line) {
                const QString& text = RecordCell(i / RecordsPerTab, i % RecordsPerTab, RecordItem(line));
                const QFontMetricsF& metrics = line == 0 ? boldMetrics : plainMetrics;
                painter.setFont(line == 0 ? bold : plain);
                const double width = metrics.horizontalAdvance(text);
                painter.drawText(QPointF(left + (2.625 * dpi - width) / 2, y + metrics.ascent()), text);
                y += metrics.lineSpacing();
            }
        }
    }
    painter.end();
    ReferenceFigures r;
    r.seconds = clock.nsecsElapsed() / 1e9;
    r.peak = PeakMegabytes();
    QFile::remove(folder + QStringLiteral("/Reference.pdf"));
    return r;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool full = app.arguments().contains(QStringLiteral("--full"));
    ScriptedDialogs ui;
    ui.onMessage = [](const MessageRequest&) { return Answer::Yes; }; // no question is expected
    FillAddressBook();
    QTemporaryDir folder;

    std::vector<int> sizes{1, 10, 100};
    if (full) sizes.push_back(999);
    std::printf("%d entries, collated copies, 3 x 10 labels a sheet, centred, PDF offscreen\n", Run().entryCount());
    double time10 = 0;
    for (const int copies : sizes) {
        const RunFigures q = RunQuillet(copies, folder.path());
        const ReferenceFigures r = RunReference(copies, folder.path());
        const long labels = long(Entries) * copies;
        const long pages = (labels + LabelsPerSheet - 1) / LabelsPerSheet;
        QString tenths;
        for (const double mb : q.tenths) tenths += QString::number(mb, 'f', 0) + u' ';
        const double growth = q.tenths.size() >= 2 ? q.tenths.back() - q.tenths.front() : 0;
        std::printf("780 x %-3d %7ld labels %6ld pages | measuring %6.2f s, printing %6.2f s, total %6.2f s, "
                    "%7.0f labels/s | peak %5.1f MB, growth %4.1f MB, by tenth [ %s] | reference %6.2f s, peak %5.1f "
                    "MB | ratio %.2f%s%s\n",
                    copies, labels, pages, q.measuring, q.printing, q.total, labels / q.total, q.peak, growth,
                    qPrintable(tenths), r.seconds, r.peak, q.total / r.seconds,
                    copies == 100 && time10 > 0
                        ? qPrintable(QStringLiteral(" | x100/x10 %1").arg(q.total / time10, 0, 'f', 1))
                        : "",
                    q.complete ? "" : " | RUN DID NOT COMPLETE");
        const ProgramPrintFigures p = TimeProgramPrint(folder.path(), copies);
        std::printf("          whole program: quillet --print %6.2f s, %7.0f labels/s, exit %d, peak %5.1f MB\n",
                    p.seconds, labels / p.seconds, p.status, p.peakMb);
        std::fflush(stdout);
        if (copies == 10) time10 = q.total;
    }
    return 0;
}
