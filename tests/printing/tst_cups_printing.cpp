// Printing through a real print system: a private CUPS scheduler with virtual PDF printers
// (cups-pdf), their output rendered and measured. Runs as root; skipped elsewhere, except in CI.

#include "mainwindow/main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "printing/printing_form.h"
#include "printing/selected_printer.h"
#include "support/cups_server.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

#include <memory>

using namespace quillet;

namespace {

constexpr int Dpi = 288;

// Factory layout 1 (3 × 10 labels, 2.75" apart across, 1" down, from 0.5" and 0.625"), "Alice
// Example" in 10-point Arial: the ink of the first label starts here on the paper, in points.
constexpr double FirstInkLeft = 36.00;
constexpr double FirstInkTop = 46.75;
constexpr double PitchAcross = 198;
constexpr double PitchDown = 72;

// The printing window on a printer for the queue, set up as the program sets up the default one.
struct QueueJob {
    QPrinter printer;
    std::unique_ptr<PrintingForm> form;

    explicit QueueJob(const QString& queue, int copies = 4)
        : printer(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution)
    {
        UseQueueDefaultPaper(printer);
        form = std::make_unique<PrintingForm>(
            PrintJob{PrintJob::TypedText, {QStringLiteral("Alice Example")}, 1.0 * copies}, printer);
        form->show();
    }
    PrinterSurface& surface() { return form->surface(); }
    QString output() { return form->findChild<QLabel*>(QStringLiteral("OutputLabel"))->text(); }
    void click(const char* button) { form->findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
};

} // namespace

class TestCupsPrinting : public QObject {
    Q_OBJECT
    test::CupsServer cups;
    ScriptedDialogs ui;

    static bool near(double a, double b) { return qAbs(a - b) <= 0.5; } // points
    static QStringList leftoverPrintFiles()
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
            .entryList({QStringLiteral(".quillet-print-*")}, QDir::Files | QDir::Hidden);
    }

    // The one PDF the queue printed for the window's only job.
    QString printedFile(QueueJob& j, const QString& queue)
    {
        if (j.surface().submittedJobs().size() != 1) return {};
        return cups.waitForJobOutput(queue, j.surface().submittedJobs().front());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString problem = cups.start();
        // Letter queues as they come and with a quarter inch the printer cannot reach all round,
        // and one on A4.
        if (problem.isEmpty()) problem = cups.addPdfQueue(QStringLiteral("LabelsPDF"), QStringLiteral("Letter"));
        if (problem.isEmpty()) problem = cups.addPdfQueue(QStringLiteral("MarginsPDF"), QStringLiteral("Letter"), 18);
        if (problem.isEmpty()) problem = cups.addPdfQueue(QStringLiteral("A4PDF"), QStringLiteral("A4"));
        if (problem.isEmpty()) problem = cups.setDefaultQueue(QStringLiteral("LabelsPDF"));
        if (problem.isEmpty()) return;
        if (!qEnvironmentVariableIsEmpty("CI")) QFAIL(qPrintable(QStringLiteral("No CUPS here: ") + problem));
        QSKIP(qPrintable(QStringLiteral("No CUPS here: ") + problem));
    }

    void init()
    {
        Run().reset();
        ui.clear();
        SetFactoryLayouts();
    }
    void cleanup() { ui.checkAllUsed(); }

    void labelsLandWhereTheLayoutSays_data()
    {
        // The queue, its paper and the inches the printer cannot reach on every side. On A4 the
        // labels land where they do on Letter.
        test::TextColumns({"queue", "paper", "margin"});
        test::Row("no unprintable margins", "LabelsPDF", "US Letter", "0");
        test::Row("a quarter inch all round", "MarginsPDF", "US Letter", "0.25");
        test::Row("A4", "A4PDF", "A4", "0");
    }

    void labelsLandWhereTheLayoutSays()
    {
        const QString queue = test::Data("queue"), paper = test::Data("paper");
        const double margin = test::Data("margin").toDouble();
        const QSizeF size = paper == QStringLiteral("A4") ? QSizeF(595, 842) : QSizeF(612, 792); // points
        QueueJob j(queue);
        QCOMPARE(j.output(), QStringLiteral("Output: printer %1, %2").arg(queue, paper));
        // The device capabilities are the driver's for this paper, at the printer's resolution.
        const PrinterSurface& s = j.surface();
        const int dpi = s.GetDeviceCaps(LOGPIXELSX), m = qRound(margin * dpi);
        QCOMPARE(QList<int>({s.GetDeviceCaps(PHYSICALWIDTH), s.GetDeviceCaps(PHYSICALHEIGHT),
                             s.GetDeviceCaps(PHYSICALOFFSETX), s.GetDeviceCaps(PHYSICALOFFSETY),
                             s.GetDeviceCaps(HORZSIZE), s.GetDeviceCaps(VERTSIZE)}),
                 QList<int>({qRound(size.width() / 72 * dpi), qRound(size.height() / 72 * dpi), m, m,
                             qRound((size.width() / 72 - 2 * margin) * 25.4),
                             qRound((size.height() / 72 - 2 * margin) * 25.4)}));

        const int jobsBefore = cups.jobCount(queue);
        j.click("StartButton");
        QCOMPARE(cups.jobCount(queue), jobsBefore + 1);
        const test::RenderedPage page(printedFile(j, queue), 1, Dpi);
        QVERIFY(near(page.size().width(), size.width()) && near(page.size().height(), size.height()));
        // The first ink of the label at (row, column), searched for around where it belongs.
        const auto ink = [&page](int row, int column) {
            return page.inkBox({18 + (column - 1) * PitchAcross, 27 + (row - 1) * PitchDown, PitchAcross, PitchDown})
                .topLeft();
        };
        const QPointF first = ink(1, 1), across = ink(1, 2), down = ink(2, 1);
        qInfo("%s: first label's ink at %.2f, %.2f pt; pitch %.2f across, %.2f down", qPrintable(queue), first.x(),
              first.y(), across.x() - first.x(), down.y() - first.y());
        QVERIFY(near(first.x(), FirstInkLeft) && near(first.y(), FirstInkTop));
        QVERIFY(near(across.x() - first.x(), PitchAcross) && near(across.y(), first.y()));
        QVERIFY(near(down.y() - first.y(), PitchDown) && near(down.x(), first.x()));
        QVERIFY(leftoverPrintFiles().isEmpty());
    }

    void topMarginCautionNamesTheDriverMargin()
    {
        SetLayoutCell(1, TopOffset, QStringLiteral(".1"));
        QueueJob j(QStringLiteral("MarginsPDF"));
        ui.answer(Answer::No); // declined: the run opens no document, so no job (as the run's own cases show)
        j.click("StartButton");
        // The whole text is checked with the run's own numbers where the run is tested.
        QVERIFY(ui.last().text.startsWith(QStringLiteral("Caution:  The top margin for this layout (0.10\") is smaller "
                                                         "than what the currently selected printer driver is reporting "
                                                         "as its minimum printable margin (0.25\").")));
    }

    void defaultQueuesPaperAndLandscapeFromPrinterSetup()
    {
        // The default queue starts on its own paper.
        QPrinter& selected = SelectedPrinter();
        QCOMPARE(selected.outputFormat(), QPrinter::NativeFormat);
        QCOMPARE(selected.printerName(), QStringLiteral("LabelsPDF"));
        QCOMPARE(selected.pageLayout().pageSize().id(), QPageSize::Letter);
        // Landscape chosen in Printer Setup: the sheet is 11" across with the driver's margins, and
        // is drawn turned on the portrait paper, its top along the paper's left edge.
        QueueJob turned(QStringLiteral("MarginsPDF"), 1);
        ui.answerPrintSetup(true, [](QPrinter& p) { p.setPageOrientation(QPageLayout::Landscape); });
        turned.click("PrinterSetupButton");
        const int dpi = turned.surface().GetDeviceCaps(LOGPIXELSX);
        QCOMPARE(turned.surface().GetDeviceCaps(PHYSICALWIDTH), 11 * dpi);
        QCOMPARE(turned.surface().GetDeviceCaps(PHYSICALOFFSETX), qRound(0.25 * dpi));
        turned.click("StartButton");
        const test::RenderedPage page(printedFile(turned, QStringLiteral("MarginsPDF")), 1, Dpi);
        QCOMPARE(page.size(), QSizeF(612, 792));
        const QRectF ink = page.inkBox(QRectF(0, 792 - 36 - PitchAcross, 72, PitchAcross));
        QVERIFY2(near(ink.left(), FirstInkTop) && near(ink.bottom(), 792 - FirstInkLeft),
                 qPrintable(QStringLiteral("ink at %1, %2").arg(ink.left()).arg(ink.bottom())));
    }

    void aRefusedJobIsReportedAndLeavesNothing()
    {
        QVERIFY(cups.addPdfQueue(QStringLiteral("GonePDF"), QStringLiteral("Letter")).isEmpty());
        QueueJob j(QStringLiteral("GonePDF"), 1);
        QVERIFY(cups.removeQueue(QStringLiteral("GonePDF")).isEmpty());
        ui.answer(Answer::Ok);
        j.click("StartButton");
        QVERIFY2(
            ui.last().text.contains(QStringLiteral("Error: The print system refused the job for printer GonePDF: ")),
            qPrintable(ui.last().text));
        QVERIFY(j.surface().submittedJobs().isEmpty() && leftoverPrintFiles().isEmpty());
    }
};

QUILLET_TEST_MAIN(TestCupsPrinting)
#include "tst_cups_printing.moc"
