#include "support/scripted_dialogs.h"

#include <QTest>

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

// Inside a test function the test fails and goes on; a benchmark or fuzz target has no test to
// fail and stops.
void Fail(const QString& why)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    else
        qFatal("%s", qPrintable(why));
}

} // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(CurrentOrNull())
{
    InstallDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    checkAllUsed();
    InstallDialogs(previous_);
}

void ScriptedDialogs::checkAllUsed()
{
    const std::size_t left =
        script_.answers.size() + script_.files.size() + script_.fonts.size() + script_.setups.size();
    if (left > 0)
        Fail(QStringLiteral("%1 scripted dialog answers were not used (%2 messages shown)")
                 .arg(left)
                 .arg(messages.size()));
    script_ = Script();
}

void ScriptedDialogs::clear()
{
    script_ = Script();
    messages.clear();
    fileRequests.clear();
    fontRequests.clear();
    printSetupRequests.clear();
    onMessage = nullptr;
    allowUnscripted = false;
}

Answer ScriptedDialogs::message(const MessageRequest& request)
{
    messages.push_back(request);
    if (onMessage) {
        const Answer a = onMessage(request);
        if (a != Answer::None) return a;
    }
    const QString what = QStringLiteral("message [%1] titled [%2]").arg(request.text, request.title);
    return take(script_.answers, what).value_or(EffectiveDefault(request));
}

template <class T> std::optional<T> ScriptedDialogs::take(std::deque<Choice<T>>& choices, const QString& what)
{
    if (choices.empty()) {
        if (!allowUnscripted) Fail(QStringLiteral("unscripted ") + what);
        return std::nullopt;
    }
    const Choice<T> c = choices.front();
    choices.pop_front();
    return c.chosen ? std::optional<T>(c.value) : std::nullopt;
}

std::optional<QString> ScriptedDialogs::chooseFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    return take(script_.files, QStringLiteral("file dialog titled [%1]").arg(request.title));
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice& initial)
{
    fontRequests.push_back(initial);
    return take(script_.fonts, QStringLiteral("font dialog"));
}

bool ScriptedDialogs::printSetup(QPrinter& printer, PrintSetupPurpose purpose)
{
    printSetupRequests.push_back(purpose);
    const auto change = take(script_.setups, QStringLiteral("print setup dialog"));
    if (change && *change) (*change)(printer);
    return change.has_value();
}

} // namespace quillet
