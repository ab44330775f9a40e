#include "cli/terminal_run_window.h"

#include "model/run_state.h"

#include <QCoreApplication>

#include <csignal>
#include <unistd.h>

namespace quillet {

namespace {

volatile std::sig_atomic_t interruptSeen = 0;

extern "C" void NoteInterrupt(int)
{
    interruptSeen = 1;
}

} // namespace

TerminalRunWindow::TerminalRunWindow(std::FILE* out) : out_(out), terminal_(::isatty(::fileno(out)) == 1)
{
    interruptSeen = 0;
    std::signal(SIGINT, NoteInterrupt);
    std::signal(SIGTERM, NoteInterrupt);
}

TerminalRunWindow::~TerminalRunWindow()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (terminal_ && shown_ >= 0) std::fputc('\n', out_);
}

bool TerminalRunWindow::interrupted()
{
    return interruptSeen != 0;
}

void TerminalRunWindow::setProgress(int percent)
{
    if (percent >= 100) finished_ = true;
    if (terminal_ && percent != shown_) {
        shown_ = percent;
        std::fprintf(out_, "\rPrinting: %3d%%", percent);
        std::fflush(out_);
    }
    QCoreApplication::processEvents();
    if (interruptSeen) Run().cancelRequested = true;
}

} // namespace quillet
