#pragma once

#include "common/dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace quillet {

// The Dialogs double for tests, benchmarks and fuzz targets: answers from a script, records every
// request, and fails loudly on what it was not told. A request with nothing scripted for it fails
// the running test (outside a test it ends the process) and gets its default button or a cancel;
// answers scripted but never used fail the test when checked (checkAllUsed, or on destruction).
// Constructing it installs it; destroying it reinstalls what was there before.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Answers queued for the next requests of each kind, in order.
    void answer(Answer a) { script_.answers.push_back({true, a}); }
    void answerFile(std::optional<QString> file) { script_.files.push_back(Chosen(file)); }
    void answerFont(std::optional<FontChoice> font) { script_.fonts.push_back(Chosen(font)); }
    void answerPrintSetup(bool accepted, std::function<void(QPrinter&)> change = {})
    {
        script_.setups.push_back({accepted, std::move(change)});
    }

    // Called for each message before the script is consulted; a non-None result answers it.
    std::function<Answer(const MessageRequest&)> onMessage;
    // An explicit opt-out for a case that means to ignore unscripted requests (clear() forgets
    // unused answers without failing).
    bool allowUnscripted = false;

    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<FontChoice> fontRequests;
    std::vector<PrintSetupPurpose> printSetupRequests;

    const MessageRequest& last() const { return messages.back(); }
    // Fails the running test when a scripted answer was not used; then forgets the answers.
    void checkAllUsed();
    // Forgets answers, records and the opt-out, without checking.
    void clear();

    Answer message(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printSetup(QPrinter& printer, PrintSetupPurpose purpose) override;

private:
    Dialogs* previous_;
    // Plain pairs rather than optionals: GCC's optimiser warns falsely about moved-from optionals.
    template <class T> struct Choice {
        bool chosen;
        T value;
    };
    template <class T> static Choice<T> Chosen(const std::optional<T>& v) { return {v.has_value(), v.value_or(T())}; }
    // What is scripted, by kind of request, in order.
    struct Script {
        std::deque<Choice<Answer>> answers;
        std::deque<Choice<QString>> files;
        std::deque<Choice<FontChoice>> fonts;
        std::deque<Choice<std::function<void(QPrinter&)>>> setups;
    } script_;
    template <class T> std::optional<T> take(std::deque<Choice<T>>& choices, const QString& what);
};

} // namespace quillet
