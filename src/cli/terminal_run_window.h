#pragma once

#include "printing/print_job.h"

#include <cstdio>

// The print run's window when there is none: progress on a terminal, no pause between sheets,
// and an interrupt (Ctrl+C, or a TERM from a job scheduler) cancels the run as Cancel would, so
// the unfinished document is abandoned rather than left half-written.
namespace quillet {

class TerminalRunWindow : public PrintRunWindow {
public:
    // Progress is shown on `out` only when it is a terminal.
    explicit TerminalRunWindow(std::FILE* out);
    ~TerminalRunWindow() override;
    TerminalRunWindow(const TerminalRunWindow&) = delete;
    TerminalRunWindow& operator=(const TerminalRunWindow&) = delete;

    void setProgress(int percent) override;
    bool pauseBetweenSheets() const override { return false; }

    // The run reached its end and its document was sent (100%).
    bool finished() const { return finished_; }
    // An interrupt asked the run to stop.
    static bool interrupted();

private:
    std::FILE* out_;
    bool terminal_ = false;
    int shown_ = -1;
    bool finished_ = false;
};

} // namespace quillet
