#include "cli/command_line_print.h"

#include "cli/terminal_dialogs.h"
#include "cli/terminal_run_window.h"
#include "mainwindow/label_clipboard.h"
#include "mainwindow/main_window.h"
#include "model/file_commands.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/print_run.h"
#include "printing/printer_surface.h"
#include "printing/selected_printer.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace quillet {

namespace {

// The list entry of the --layout argument, or -1 after saying why there is none.
int LayoutEntry(const MainWindow& window, const QString& layout, TerminalDialogs& ui)
{
    const QComboBox* list = window.layoutsList();
    if (layout.isEmpty()) return list->count() > 0 ? 0 : -1;
    const int number = LayoutNumberArgument(layout);
    for (int i = 0; i < list->count(); ++i) {
        if (number > 0 ? list->itemData(i).toInt() == number : list->itemText(i) == layout) return i;
    }
    if (number > 0)
        ui.say(QStringLiteral("Layout ") + layout +
               QStringLiteral(" is not in the list of layouts (a layout needs a title and must be checked as "
                              "visible in the main screen)."));
    else
        ui.say(QStringLiteral("No layout in the list of layouts is titled \"") + layout + QStringLiteral("\"."));
    return -1;
}

// The printer of --printer or --pdf, else the one the window would use; null after saying why.
QPrinter* ChoosePrinter(const CommandLine& line, std::unique_ptr<QPrinter>& own, TerminalDialogs& ui)
{
    if (!line.pdf.isEmpty()) {
        own = std::make_unique<QPrinter>(QPrinter::HighResolution);
        UsePdfOutput(*own, QFileInfo(line.pdf).absoluteFilePath());
        return own.get();
    }
    if (!line.printer.isEmpty()) {
        const QPrinterInfo queue = QPrinterInfo::printerInfo(line.printer);
        if (queue.isNull()) {
            ui.say(QStringLiteral("There is no printer named \"") + line.printer + QStringLiteral("\"."));
            return nullptr;
        }
        own = std::make_unique<QPrinter>(queue, QPrinter::HighResolution);
        UseQueueDefaultPaper(*own);
        return own.get();
    }
    return &SelectedPrinter();
}

void SetBox(QLineEdit* box, const QString& value)
{
    if (!value.isNull()) box->setText(value);
}

} // namespace

int PrintFromCommandLine(const CommandLine& line, std::FILE* messages, std::FILE* results)
{
    TerminalDialogs ui(messages, line.yes);
    Dialogs* previous = nullptr;
    try {
        previous = &Ui();
    } catch (...) {
    }
    InstallDialogs(&ui);
    bool printed = false;
    bool interrupted = false;
    [&] {
        // Read-only from the start: the file is never written, and another copy may be editing it.
        if (!OpenDataFileNamed(QFileInfo(line.dataFile).absoluteFilePath(), true)) return;
        MainWindow window;
        window.FillLayoutsList();
        const int entry = LayoutEntry(window, line.layout, ui);
        if (entry < 0) return;
        // The layout first (its checks, its default text), then the arguments over it.
        window.selectLayoutEntry(entry);
        if (ui.declined() || ui.faultSeen()) return;
        if (!line.texts.isEmpty()) {
            for (int i = 0; i < LabelLineCount; ++i)
                window.setLabelLine(i + 1, line.texts.value(i).left(LabelLineLength));
        }
        window.setPrintWhat(line.printWhat);
        SetBox(window.copiesBox(), line.copies);
        SetBox(window.startRowBox(), line.startRow);
        SetBox(window.startColBox(), line.startColumn);
        // As if each box had been typed in and left: "3.7" copies are 3, as in the window.
        if (!window.leaveEveryPositionBox()) return;

        std::unique_ptr<QPrinter> own;
        PrintCommandInputs in = window.printCommandInputs();
        in.printer = ChoosePrinter(line, own, ui);
        if (!in.printer) return;
        in.runJob = [&](const PrintJob& job, QPrinter& printer) {
            PrinterSurface surface(printer);
            ui.say((printer.outputFormat() == QPrinter::PdfFormat ? QStringLiteral("Output: PDF file ")
                                                                  : QStringLiteral("Output: printer ")) +
                   surface.outputDescription());
            TerminalRunWindow progress(messages);
            if (job.source == PrintJob::TypedText)
                RunTypedText(job, surface, progress);
            else
                RunAddressBook(job, surface, progress);
            printed = progress.finished();
            interrupted = TerminalRunWindow::interrupted();
            for (const QString& file : surface.writtenFiles()) std::fprintf(results, "%s\n", qPrintable(file));
            for (const int number : surface.submittedJobs())
                std::fprintf(results, "%s-%d\n", qPrintable(printer.printerName()), number);
            std::fflush(results);
        };
        PrintCommand(in);
    }();
    InstallDialogs(previous);
    Run().dataFileHandle.release();
    if (ui.faultSeen()) return PrintStatus::Fault;
    if (printed) return PrintStatus::Printed;
    ui.say(interrupted ? QStringLiteral("Printing was interrupted; nothing was printed.")
                       : QStringLiteral("Nothing was printed."));
    return PrintStatus::Refused;
}

} // namespace quillet
