#include "common/scripted_dialogs.h"

namespace quillet {

namespace {
Dialogs* CurrentOrNull()
{
    try {
        return &Ui();
    } catch (...) {
        return nullptr;
    }
}
} // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(CurrentOrNull())
{
    InstallDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    InstallDialogs(previous_);
}

void ScriptedDialogs::answerPrintSetup(bool accepted, std::function<void(QPrinter&)> change)
{
    setups_.push_back({accepted, std::move(change)});
}

void ScriptedDialogs::clear()
{
    answers_.clear();
    files_.clear();
    fonts_.clear();
    setups_.clear();
    messages.clear();
    fileRequests.clear();
    fontRequests.clear();
    printSetupRequests.clear();
    unscripted = 0;
}

Answer ScriptedDialogs::message(const MessageRequest& request)
{
    messages.push_back(request);
    if (onMessage) {
        const Answer a = onMessage(request);
        if (a != Answer::None) return a;
    }
    if (answers_.empty()) {
        ++unscripted;
        return EffectiveDefault(request);
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::chooseFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (files_.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    const Choice<QString> f = files_.front();
    files_.pop_front();
    if (!f.chosen) return std::nullopt;
    return f.value;
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice& initial)
{
    fontRequests.push_back(initial);
    if (fonts_.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    const Choice<FontChoice> f = fonts_.front();
    fonts_.pop_front();
    if (!f.chosen) return std::nullopt;
    return f.value;
}

bool ScriptedDialogs::printSetup(QPrinter& printer, PrintSetupPurpose purpose)
{
    printSetupRequests.push_back(purpose);
    if (setups_.empty()) {
        ++unscripted;
        return false;
    }
    SetupAnswer a = setups_.front();
    setups_.pop_front();
    if (a.accepted && a.change) a.change(printer);
    return a.accepted;
}

} // namespace quillet
