// The print run at full size against the floor a plain Qt loop sets.
//
// The program: 780 address-book entries of mixed lengths, printed with collated copies to a PDF
// printer offscreen through the printing window, both passes, with its progress display and event
// processing. The floor: the leanest plain loop that prints the same labels in the same places
// with QPainter straight onto a PDF printer (widths measured once per text, the font set only
// when it changes, no progress, no second pass).
//
// Each size runs the program and the floor interleaved, several rounds (the order alternating),
// and reports the medians of wall and CPU time; the headline is the ratio of the CPU times, which
// other work on a shared machine disturbs least. It also checks that one page of each output
// holds the same words in the same places (pdftotext -bbox, to 0.01 pt).
//
//     quillet_print_bench                   780 x 1, 780 x 10, 780 x 100, three rounds each
//     quillet_print_bench --full            also 780 x 999 (779,220 labels, 25,974 sheets)
//     quillet_print_bench --runs 5 --sizes 100,999
//     quillet_print_bench --only program --sizes 999 --runs 1      (for a profiler)
//     quillet_print_bench --keep DIR        keeps the program's output of each size in DIR
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
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

using namespace quillet;
using namespace quillet::bench;

namespace {

constexpr int Entries = 780;
constexpr int LabelsPerSheet = 30;

// ---- clocks and statistics ---------------------------------------------------------------------
double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

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

struct Figures {
    double wall = 0; // seconds
    double cpu = 0;
    double measuring = 0; // wall seconds of each pass (the program only)
    double printing = 0;
    double peak = 0;       // MB
    double growth = 0;     // MB, resident, from the first to the last tenth of the printing pass
    double longestGap = 0; // ms between two rounds of event processing (the program only)
    bool complete = true;
    QString pdf; // kept for the placement check
};

// ---- the program -------------------------------------------------------------------------------
Figures RunProgram(int copies, const QString& folder)
{
    Figures f;
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, folder + QStringLiteral("/Labels.pdf"));
    PrintJob job;
    job.source = PrintJob::AllEntries;
    job.copies = copies;
    job.layoutNumber = 1;
    Run().cancelRequested = false;

    ResetPeak();
    QElapsedTimer clock;
    const double cpuStart = CpuSeconds();
    clock.start();
    PrintingForm form(job, printer);
    form.show();
    int previous = 0;
    qint64 measuringStart = 0;
    qint64 printingStart = 0;
    qint64 lastShown = 0;
    qint64 longest = 0;
    std::vector<double> tenths;
    f.complete = false;
    QObject::connect(&form, &PrintingForm::progressShown, &form, [&](int percent) {
        const qint64 now = clock.nsecsElapsed();
        if (percent == 12 && measuringStart == 0)
            measuringStart = now;
        else if (percent == 12 && previous > 12)
            printingStart = now;
        if (measuringStart > 0) longest = std::max(longest, now - lastShown);
        lastShown = now;
        previous = percent;
        // Resident memory each time another tenth of the printing pass is done.
        while (printingStart > 0 && tenths.size() < 10 && percent >= 50 + 4.5 * double(tenths.size() + 1) - 0.5)
            tenths.push_back(ResidentMegabytes());
        if (percent == 100) f.complete = true;
    });
    form.findChild<QPushButton*>(QStringLiteral("StartButton"))->click();
    const qint64 end = clock.nsecsElapsed();
    f.cpu = CpuSeconds() - cpuStart;
    f.wall = end / 1e9;
    // A measuring pass shorter than the display's pace shows no progress of its own.
    if (printingStart == 0) printingStart = measuringStart;
    f.measuring = (printingStart - measuringStart) / 1e9;
    f.printing = (end - printingStart) / 1e9;
    f.longestGap = longest / 1e6;
    f.peak = PeakMegabytes();
    f.growth = tenths.size() >= 2 ? tenths.back() - tenths.front() : 0;
    f.pdf = form.surface().writtenFiles().value(0);
    return f;
}

// ---- the floor: QPainter straight onto a PDF printer ---------------------------------------------
Figures RunFloor(int copies, const QString& folder)
{
    Figures f;
    ResetPeak();
    QElapsedTimer clock;
    const double cpuStart = CpuSeconds();
    clock.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    f.pdf = folder + QStringLiteral("/Floor.pdf");
    printer.setOutputFileName(f.pdf);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
    printer.setFullPage(true);
    QPainter painter(&printer);
    const double dpi = printer.resolution();
    struct Font {
        QFont font;
        double ascent = 0;
        double lineSpacing = 0;
        QHash<QString, double> widths;
    };
    Font fonts[2];
    fonts[0].font = QFont(QStringLiteral("Arial"));
    fonts[0].font.setPointSizeF(11);
    fonts[0].font.setBold(true);
    fonts[1].font = QFont(QStringLiteral("Arial"));
    fonts[1].font.setPointSizeF(10);
    for (Font& font : fonts) {
        const QFontMetricsF metrics(font.font, &printer);
        font.ascent = metrics.ascent();
        font.lineSpacing = metrics.lineSpacing();
    }
    int current = -1;
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
            double top = (0.625 + row * 1.0) * dpi;
            const double left = (0.5 + column * 2.75) * dpi;
            for (int line = 0; line < 5; ++line) {
                const QString& text = RecordCell(i / RecordsPerTab, i % RecordsPerTab, RecordItem(line));
                const int which = line == 0 ? 0 : 1;
                Font& font = fonts[which];
                if (!text.isEmpty()) {
                    auto width = font.widths.constFind(text);
                    if (width == font.widths.cend())
                        width = font.widths.insert(text, QFontMetricsF(font.font, &printer).horizontalAdvance(text));
                    if (which != current) {
                        painter.setFont(font.font);
                        current = which;
                    }
                    painter.drawText(QPointF(left + (2.625 * dpi - *width) / 2, top + font.ascent), text);
                }
                top += font.lineSpacing;
            }
        }
    }
    painter.end();
    f.wall = clock.nsecsElapsed() / 1e9;
    f.cpu = CpuSeconds() - cpuStart;
    f.peak = PeakMegabytes();
    return f;
}

// ---- placement: the words of one page and their boxes ---------------------------------------------
struct Word {
    QString text;
    double box[4] = {0, 0, 0, 0}; // points
};

std::vector<Word> PageWords(const QString& pdf, int page)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                     QString::number(page), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000)) return {};
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    auto it = word.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        Word w;
        w.text = m.captured(5);
        for (int i = 0; i < 4; ++i) w.box[i] = m.captured(i + 1).toDouble();
        words.push_back(w);
    }
    return words;
}

// The same words in the same places, each edge within 0.01 pt (the two compute the centring in
// different precisions), and the largest difference found.
QString ComparePlacement(const QString& program, const QString& floor, int page)
{
    const std::vector<Word> a = PageWords(program, page);
    const std::vector<Word> b = PageWords(floor, page);
    if (a.empty()) return QStringLiteral("page %1: no words read").arg(page);
    if (a.size() != b.size())
        return QStringLiteral("page %1: DIFFERENT, %2 vs %3 words").arg(page).arg(a.size()).arg(b.size());
    double largest = 0;
    int differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        double most = 0;
        for (int k = 0; k < 4; ++k) most = std::max(most, std::abs(a[i].box[k] - b[i].box[k]));
        largest = std::max(largest, most);
        differ += a[i].text != b[i].text || most > 0.01;
    }
    return QStringLiteral("page %1: %2 words, %3 (largest difference %4 pt)")
        .arg(page)
        .arg(a.size())
        .arg(differ ? QStringLiteral("%1 DIFFERENT").arg(differ) : QStringLiteral("same places"))
        .arg(largest, 0, 'f', 6);
}

QList<int> ParseSizes(const QString& list)
{
    QList<int> sizes;
    for (const QString& s : list.split(u',', Qt::SkipEmptyParts)) sizes << s.toInt();
    return sizes;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&](const char* name, const QString& fallback) {
        const int at = int(args.indexOf(QString::fromLatin1(name)));
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
    };
    QList<int> sizes = ParseSizes(option("--sizes", QStringLiteral("1,10,100")));
    if (args.contains(QStringLiteral("--full")) && !sizes.contains(999)) sizes << 999;
    const int rounds = std::max(1, option("--runs", QStringLiteral("3")).toInt());
    const QString only = option("--only", QString());
    const QString keep = option("--keep", QString()); // a folder for the program's last PDF of each size

    ScriptedDialogs ui;
    ui.onMessage = [](const MessageRequest&) { return Answer::Yes; }; // no question is expected
    FillAddressBook();
    QTemporaryDir folder;

    std::printf("%d entries, collated copies, 3 x 10 labels a sheet, centred, PDF offscreen; %d rounds, "
                "program and floor interleaved; times are medians\n",
                Run().entryCount(), rounds);
    for (const int copies : sizes) {
        std::vector<Figures> program, floor;
        QString placement;
        for (int round = 0; round < rounds; ++round) {
            const bool programFirst = round % 2 == 0;
            for (int turn = 0; turn < 2; ++turn) {
                const bool isProgram = (turn == 0) == programFirst;
                if (!only.isEmpty() && only != (isProgram ? QStringLiteral("program") : QStringLiteral("floor")))
                    continue;
                Figures f = isProgram ? RunProgram(copies, folder.path()) : RunFloor(copies, folder.path());
                std::printf("  780 x %-3d round %d %-7s wall %7.2f s  cpu %7.2f s  peak %5.1f MB%s\n", copies,
                            round + 1, isProgram ? "program" : "floor", f.wall, f.cpu, f.peak,
                            f.complete ? "" : "  RUN DID NOT COMPLETE");
                std::fflush(stdout);
                (isProgram ? program : floor).push_back(f);
            }
            if (round == rounds - 1 && !program.empty() && !floor.empty()) {
                const long sheets = (long(Entries) * copies + LabelsPerSheet - 1) / LabelsPerSheet;
                placement = ComparePlacement(program.back().pdf, floor.back().pdf, int((sheets + 1) / 2));
            }
            if (!keep.isEmpty() && !program.empty())
                QFile::copy(program.back().pdf, QStringLiteral("%1/program-%2.pdf").arg(keep).arg(copies));
            for (const auto* runs : {&program, &floor})
                if (!runs->empty()) QFile::remove(runs->back().pdf);
        }
        const auto median = [](const std::vector<Figures>& runs, double Figures::*field) {
            std::vector<double> values;
            for (const Figures& f : runs) values.push_back(f.*field);
            return Median(values);
        };
        const long labels = long(Entries) * copies;
        const long sheets = (labels + LabelsPerSheet - 1) / LabelsPerSheet;
        std::printf("780 x %-3d %7ld labels %6ld sheets |", copies, labels, sheets);
        if (!program.empty())
            std::printf(" program wall %6.2f s cpu %6.2f s (measuring %5.2f s, printing %6.2f s) %7.0f labels/s, "
                        "peak %5.1f MB, growth %4.1f MB, longest wait for events %5.1f ms |",
                        median(program, &Figures::wall), median(program, &Figures::cpu),
                        median(program, &Figures::measuring), median(program, &Figures::printing),
                        labels / median(program, &Figures::wall), median(program, &Figures::peak),
                        median(program, &Figures::growth), median(program, &Figures::longestGap));
        if (!floor.empty())
            std::printf(" floor wall %6.2f s cpu %6.2f s, peak %5.1f MB |", median(floor, &Figures::wall),
                        median(floor, &Figures::cpu), median(floor, &Figures::peak));
        if (!program.empty() && !floor.empty())
            std::printf(" CPU ratio %.2f, wall ratio %.2f | %s",
                        median(program, &Figures::cpu) / median(floor, &Figures::cpu),
                        median(program, &Figures::wall) / median(floor, &Figures::wall), qPrintable(placement));
        std::printf("\n");
        const ProgramPrintFigures p = TimeProgramPrint(folder.path(), copies);
        std::printf("          whole program: quillet --print %6.2f s, %7.0f labels/s, exit %d, peak %5.1f MB\n",
                    p.seconds, labels / p.seconds, p.status, p.peakMb);
        std::fflush(stdout);
    }
    return 0;
}
