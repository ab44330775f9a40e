#pragma once

#include "common/dialogs.h"

#include <cstdio>

// The dialog service of a run without a window: every message and question is written to a
// stream (standard error) with its exact text, and answered at once. Questions get No or Cancel,
// or Yes or OK when the user said so in advance; an error report is never retried.
namespace quillet {

class TerminalDialogs : public Dialogs {
public:
    TerminalDialogs(std::FILE* out, bool answerYes);

    Answer message(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printSetup(QPrinter& printer, PrintSetupPurpose purpose) override;

    // Something went wrong that is not the request's fault (an error report).
    bool faultSeen() const { return fault_; }
    // A question was answered No or Cancel, or a dialog could not be shown.
    bool declined() const { return declined_; }

    // Writes a line of the program's own (not a dialog), with the same framing.
    void say(const QString& text);

private:
    std::FILE* out_;
    bool answerYes_;
    bool fault_ = false;
    bool declined_ = false;
};

// True when the request is an error report (its title, or buttons only a failure offers).
bool IsFaultReport(const MessageRequest& request);

} // namespace quillet
