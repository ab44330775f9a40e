#include "printing/print_run.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/drawing_surface.h"
#include "printing/fit_checks.h"
#include "printing/label_placement.h"
#include "printing/line_table.h"
#include "printing/page_metrics.h"
#include "printing/sheet_geometry.h"

#include <algorithm>

namespace quillet {

int LabelProgress(RunPass pass, std::int64_t done, std::int64_t total)
{
    // A stale address count must not push the display past its pass or divide by zero.
    const double fraction = total > 0 ? std::min(1.0, static_cast<double>(done) / static_cast<double>(total)) : 1.0;
    return pass == RunPass::Measuring ? RoundToInt32(12 + 38 * fraction) : RoundToInt32(50 + 45 * fraction);
}

namespace {

class PrintRun {
public:
    PrintRun(const PrintJob& job, DrawingSurface& surface, PrintRunWindow& window, bool addressBook)
        : job_(job), surface_(surface), window_(window), addressBook_(addressBook),
          step_(QStringLiteral("Error printing single labels"), Buttons::Ok)
    {
    }

    void execute();

private:
    enum class Entry { Found, None, Cancelled };

    // Runs one numbered step; false when the run must end (the body said so, or it failed and
    // the failure was reported; the open document is then abandoned).
    template <class Body> bool stage(std::int32_t number, Body&& body)
    {
        bool go = false;
        if (!step_(number, [&] { go = body(); })) {
            abandon();
            return false;
        }
        return go;
    }

    bool pass(RunPass pass);
    bool typedTextLoop(RunPass pass);
    bool addressBookLoop(RunPass pass);
    bool advance(RunPass pass);
    bool sheetChange();
    Entry takeNextEntry();
    void showLabelProgress(RunPass pass) { window_.setProgress(LabelProgress(pass, done_, total_)); }
    bool cancelled();
    void abandon();
    void noteContext() { step_.setContext(row_, column_, static_cast<int>(done_)); }

    const PrintJob& job_;
    DrawingSurface& surface_;
    PrintRunWindow& window_;
    const bool addressBook_;
    Steps step_;

    int layout_ = 1;
    PageMetrics metrics_;
    SheetGeometry sheet_;
    LineTable lines_;
    TextExtents extents_;
    int copies_ = 1;
    int startRow_ = 1;
    int startColumn_ = 1;
    bool selectedOnly_ = false;
    std::int64_t total_ = 0;
    std::int64_t done_ = 0;
    int row_ = 1;
    int column_ = 1;
    int tab_ = 1;      // address-book cursor: tab 1-26
    int position_ = 0; // and position 0-30 within it
};

void PrintRun::abandon()
{
    try {
        surface_.abandonDocument();
    } catch (...) {
        // Abandoning is the last resort; there is nothing further to undo.
    }
}

bool PrintRun::cancelled()
{
    if (!Run().cancelRequested) return false;
    abandon();
    return true;
}

void PrintRun::execute()
{
    // The sheet is read once per run and cannot change during it (Printer Setup is closed).
    GeometryHold hold(surface_);
    float topOffset = 0;
    if (!stage(1, [&] {
            window_.setProgress(2);
            layout_ = job_.layoutNumber;
            return true;
        }))
        return;
    if (!stage(2, [&] {
            window_.setProgress(3);
            return true;
        }))
        return;
    if (!stage(3, [&] {
            window_.setProgress(4);
            metrics_ = ReadPageMetrics(surface_);
            window_.setProgress(5);
            window_.setProgress(6);
            topOffset = static_cast<float>(ReadNumber(LayoutCell(layout_, TopOffset)));
            window_.setProgress(7);
            return true;
        }))
        return;
    if (!stage(4, [&] { return CheckTopMargin(metrics_.MarginTop, topOffset); })) return;
    if (!stage(5, [&] {
            window_.setProgress(8);
            window_.setProgress(9);
            return true;
        }))
        return;
    if (!stage(6, [&] {
            sheet_ = ReadSheetGeometry(layout_, metrics_);
            copies_ = RoundToInt16(job_.copies);
            startRow_ = RoundToInt16(job_.startRow);
            startColumn_ = RoundToInt16(job_.startColumn);
            if (addressBook_) {
                selectedOnly_ = job_.source == PrintJob::SelectedEntries;
                total_ =
                    static_cast<std::int64_t>(selectedOnly_ ? Run().selectedCount() : Run().entryCount()) * copies_;
            } else {
                total_ = copies_;
            }
            return true;
        }))
        return;
    if (!stage(7, [&] {
            window_.setProgress(10);
            surface_.setUnit(DrawingSurface::Unit::Inches);
            FillLineFonts(lines_, layout_);
            return true;
        }))
        return;
    if (!addressBook_ && !stage(8, [&] {
            for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i].text = job_.texts[i];
            ComputeCentreOffsets(surface_, lines_, sheet_);
            return true;
        }))
        return;
    if (!stage(9, [&] {
            window_.setProgress(11);
            return true;
        }))
        return;
    if (!stage(10, [&] { return pass(RunPass::Measuring); })) return;
    // The extents are drawing-surface positions; the sheet and the margins are measured from the
    // paper's edges, so the extents are moved onto the paper before they are compared.
    if (!stage(11, [&] {
            return CheckFit(extents_.MaxBottom + metrics_.MarginTop, metrics_.SheetHeight, metrics_.BottomMarginAt,
                            extents_.MaxRight + metrics_.MarginLeft, metrics_.SheetWidth, metrics_.RightMarginAt);
        }))
        return;
    if (!stage(12, [&] { return pass(RunPass::Printing); })) return;
    stage(13, [&] {
        if (Run().cancelRequested || done_ == 0) {
            // Nothing of a cancelled run is printed, and a run without labels feeds no blank sheet.
            abandon();
            return false;
        }
        surface_.endDocument();
        window_.setProgress(100);
        return true;
    });
}

bool PrintRun::pass(RunPass pass)
{
    if (pass == RunPass::Printing) {
        surface_.setColorMode(true);
        surface_.drawEmptyLine();
        surface_.drawEmptyLine();
    }
    done_ = 0;
    row_ = startRow_;
    column_ = startColumn_;
    noteContext();
    window_.setProgress(12);
    if (cancelled()) return false;
    return addressBook_ ? addressBookLoop(pass) : typedTextLoop(pass);
}

bool PrintRun::typedTextLoop(RunPass pass)
{
    const PlaceMode mode = pass == RunPass::Measuring ? PlaceMode::Measure : PlaceMode::Print;
    for (;;) {
        PlaceLabel(surface_, lines_, sheet_, row_, column_, mode, extents_);
        ++done_;
        // Reported before moving on, so that a finished sheet shows its own last label.
        showLabelProgress(pass);
        const bool more = done_ < copies_;
        if (more && !advance(pass)) return false;
        noteContext();
        if (cancelled()) return false;
        if (!more) return true;
    }
}

bool PrintRun::addressBookLoop(RunPass pass)
{
    const PlaceMode mode = pass == RunPass::Measuring ? PlaceMode::Measure : PlaceMode::Print;
    tab_ = 1;
    position_ = 0;
    int copiesDone = 0;
    Entry entry = takeNextEntry();
    if (entry == Entry::Cancelled) return false;
    while (entry == Entry::Found) {
        PlaceLabel(surface_, lines_, sheet_, row_, column_, mode, extents_);
        ++done_;
        noteContext();
        showLabelProgress(pass);
        entry = takeNextEntry();
        if (entry == Entry::None) {
            ++copiesDone;
            if (copiesDone < copies_) {
                tab_ = 1;
                position_ = 0;
                entry = takeNextEntry();
            }
        }
        if (entry == Entry::Cancelled) return false;
        if (entry == Entry::Found && !advance(pass)) return false;
        if (cancelled()) return false;
    }
    return true;
}

PrintRun::Entry PrintRun::takeNextEntry()
{
    for (;;) {
        if (cancelled()) return Entry::Cancelled;
        if (++position_ > RecordsPerTab) {
            position_ = 1;
            ++tab_;
        }
        if (tab_ > TabCount) return Entry::None;
        const int tab = tab_ - 1;
        const int record = position_ - 1;
        bool printable = false;
        for (int line = Line1; line <= Line5 && !printable; ++line)
            printable = !IsBlankText(RecordCell(tab, record, static_cast<RecordItem>(line)));
        if (!printable) continue;
        if (selectedOnly_ && !IsTrueFlag(RecordCell(tab, record, Selected))) continue;
        for (int line = Line1; line <= Line5; ++line)
            lines_[static_cast<std::size_t>(line)].text = RecordCell(tab, record, static_cast<RecordItem>(line));
        ComputeCentreOffsets(surface_, lines_, sheet_);
        return Entry::Found;
    }
}

bool PrintRun::advance(RunPass pass)
{
    const bool newSheet = AdvanceLabelPosition(row_, column_, sheet_);
    if (!newSheet || pass == RunPass::Measuring) return true;
    window_.sheetFinished();
    if (cancelled()) return false;
    return sheetChange();
}

bool PrintRun::sheetChange()
{
    if (window_.pauseBetweenSheets()) {
        surface_.endDocument(); // the finished sheet prints now
        const Answer answer =
            ShowMessage(QStringLiteral("Press OK to continue with next page, or Cancel to quit printing"),
                        Buttons::OkCancel, Icon::Question, QStringLiteral("Printing Page Pause"));
        if (answer != Answer::Ok) {
            abandon();
            return false;
        }
    } else {
        surface_.newPage();
    }
    surface_.drawEmptyLine();
    return true;
}

} // namespace

void RunTypedText(const PrintJob& job, DrawingSurface& surface, PrintRunWindow& window)
{
    PrintRun(job, surface, window, false).execute();
}

void RunAddressBook(const PrintJob& job, DrawingSurface& surface, PrintRunWindow& window)
{
    PrintRun(job, surface, window, true).execute();
}

} // namespace quillet
