#include "mainwindow/print_command.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/printer_surface.h"
#include "printing/printing_form.h"

#include <QLineEdit>
#include <QPrinter>
#include <QWidget>

namespace quillet {

namespace {

// Restores the main window's pointer however the command ends.
class BusyPointer {
public:
    explicit BusyPointer(QWidget* window) : window_(window)
    {
        if (window_) window_->setCursor(Qt::WaitCursor);
    }
    ~BusyPointer()
    {
        if (window_) window_->unsetCursor();
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QWidget* window_;
};

// A start box out of range: the message, then "1" in the box and the focus on it.
void RefuseStart(QLineEdit* box, const QString& message)
{
    ShowMessage(message);
    box->setText(QStringLiteral("1"));
    box->setFocus();
}

// False (after its message) when the start box is out of range for `limit` and the layout's count.
bool CheckStart(QLineEdit* box, const QString& name, double limit, int layoutNumber, LayoutField field)
{
    const double value = ReadNumber(box->text());
    const QString quoted = u'"' + name + u'"';
    if (value < 1) {
        RefuseStart(box, QStringLiteral("Minimum ") + quoted + QStringLiteral(" is 1"));
        return false;
    }
    if (value > limit) {
        RefuseStart(box, QStringLiteral("Maximum ") + quoted + QStringLiteral(" is ") + FormatShortest(limit));
        return false;
    }
    const QString& stored = LayoutCell(layoutNumber, field);
    if (value > ReadNumber(stored)) {
        RefuseStart(box, QStringLiteral("Maximum ") + quoted + QStringLiteral(" for this label sheet is ") + stored);
        return false;
    }
    return true;
}

} // namespace

void PrintCommand(const PrintCommandInputs& in)
{
    // Without a current layout (the list is empty) the Print button is disabled; nothing to do.
    if (in.layoutNumber < 1 || in.layoutNumber > LayoutCount) return;
    Steps step(QStringLiteral("Error preparing to print"), Buttons::RetryCancel);
    bool go = true;
    std::unique_ptr<BusyPointer> busy;
    if (!step(1, [&] {
            Run().cancelRequested = false;
            busy = std::make_unique<BusyPointer>(in.window);
        }))
        return;
    double copies = 0;
    if (!step(2,
              [&] {
                  copies = ReadNumber(in.copiesBox->text());
                  if (copies < 1) {
                      ShowMessage(QStringLiteral("Number of copies must be at least one"));
                      go = false;
                  } else if (copies > 999) {
                      ShowMessage(QStringLiteral("Maximum number of copies is 999"));
                      go = false;
                  } else if (copies > 99) {
                      go = ShowMessage(QStringLiteral("Print ") + FormatShortest(copies) + QStringLiteral(" copies?"),
                                       Buttons::YesNo, Icon::Question, QStringLiteral("Caution"),
                                       Answer::No) == Answer::Yes;
                  }
              }) ||
        !go)
        return;
    if (!step(3,
              [&] {
                  bool nothing = false;
                  if (in.source == PrintJob::TypedText) {
                      nothing = true;
                      for (const QString& text : in.texts) nothing = nothing && text.isEmpty();
                  } else if (in.source == PrintJob::AllEntries) {
                      nothing = Run().entryCount() < 1;
                  } else {
                      nothing = Run().selectedCount() < 1;
                  }
                  if (nothing) {
                      ShowMessage(QStringLiteral("Nothing to print"));
                      go = false;
                  }
              }) ||
        !go)
        return;
    if (!step(4, [&] { go = CheckStart(in.startRowBox, QStringLiteral("Starting Row"), 30, in.layoutNumber, Rows); }) ||
        !go)
        return;
    if (!step(5,
              [&] {
                  go = CheckStart(in.startColumnBox, QStringLiteral("Starting Column"), 9, in.layoutNumber, Columns);
              }) ||
        !go)
        return;
    std::unique_ptr<PrinterSurface> surface;
    if (!step(
            6,
            [&] {
                surface = std::make_unique<PrinterSurface>(*in.printer);
                surface->setUnit(DrawingSurface::Unit::Twips);
                if (RoundToInt32(surface->sheetWidth()) >= 32001) {
                    ShowMessage(QStringLiteral("Error:  The printer driver is reporting that the currently selected "
                                               "printer and sheet width is greater than 22 inches.  22 inches wide is "
                                               "the maximum that Quillet can handle."));
                    go = false;
                } else if (RoundToInt32(surface->sheetHeight()) >= 32001) {
                    ShowMessage(QStringLiteral("Error:  The printer driver is reporting that the currently selected "
                                               "printer and sheet height is greater than 22 inches.  22 inches high is "
                                               "the maximum that Quillet can handle."));
                    go = false;
                }
            }) ||
        !go)
        return;
    if (!step(7, [&] { go = !in.validateLayout || in.validateLayout(*surface); }) || !go) return;
    step(8, [&] {
        PrintJob job;
        job.source = in.source;
        job.texts = in.texts;
        job.copies = copies;
        job.startRow = ReadNumber(in.startRowBox->text());
        job.startColumn = ReadNumber(in.startColumnBox->text());
        job.layoutNumber = in.layoutNumber;
        if (in.runJob) {
            in.runJob(job, *in.printer);
            return;
        }
        PrintingForm form(job, *in.printer, in.window);
        form.exec();
    });
}

} // namespace quillet
