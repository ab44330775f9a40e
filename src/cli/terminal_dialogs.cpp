#include "cli/terminal_dialogs.h"

#include "common/error_report.h"

namespace quillet {

namespace {

QString ButtonNames(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QStringLiteral("OK");
    case Buttons::OkCancel:
        return QStringLiteral("OK/Cancel");
    case Buttons::YesNo:
        return QStringLiteral("Yes/No");
    case Buttons::YesNoCancel:
        return QStringLiteral("Yes/No/Cancel");
    case Buttons::RetryCancel:
        return QStringLiteral("Retry/Cancel");
    case Buttons::AbortRetryIgnore:
        return QStringLiteral("Abort/Retry/Ignore");
    }
    return QString();
}

QString AnswerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Abort:
        return QStringLiteral("Abort");
    case Answer::Retry:
        return QStringLiteral("Retry");
    case Answer::Ignore:
        return QStringLiteral("Ignore");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::None:
        break;
    }
    return QString();
}

} // namespace

bool IsFaultReport(const MessageRequest& request)
{
    return request.title == ErrorReportTitle || request.buttons == Buttons::RetryCancel ||
           request.buttons == Buttons::AbortRetryIgnore ||
           request.text.startsWith(QStringLiteral("Error in error-handler"));
}

TerminalDialogs::TerminalDialogs(std::FILE* out, bool answerYes) : out_(out), answerYes_(answerYes) {}

void TerminalDialogs::say(const QString& text)
{
    std::fputs(QString(text).replace(CR, u'\n').append(u'\n').toLocal8Bit().constData(), out_);
    std::fflush(out_);
}

Answer TerminalDialogs::message(const MessageRequest& request)
{
    Answer answer = Answer::Ok;
    if (IsFaultReport(request)) {
        // Nobody is there to put right what failed: a report ends the step, never repeats it.
        fault_ = true;
        answer = request.buttons == Buttons::AbortRetryIgnore ? Answer::Abort
                 : request.buttons == Buttons::RetryCancel    ? Answer::Cancel
                                                              : Answer::Ok;
    } else {
        switch (request.buttons) {
        case Buttons::Ok:
            answer = Answer::Ok;
            break;
        case Buttons::OkCancel:
            answer = answerYes_ ? Answer::Ok : Answer::Cancel;
            break;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            answer = answerYes_ ? Answer::Yes : Answer::No;
            break;
        default:
            break;
        }
        declined_ = declined_ || answer == Answer::No || answer == Answer::Cancel;
    }
    say(request.title + QStringLiteral(": ") + request.text);
    if (request.buttons != Buttons::Ok)
        say(QStringLiteral("  [") + ButtonNames(request.buttons) + QStringLiteral("] ") + AnswerName(answer));
    return answer;
}

std::optional<QString> TerminalDialogs::chooseFile(const FileDialogRequest& request)
{
    declined_ = true;
    say(request.title + QStringLiteral(": no file can be chosen without a window"));
    return std::nullopt;
}

std::optional<FontChoice> TerminalDialogs::chooseFont(const FontChoice&)
{
    declined_ = true;
    say(QStringLiteral("No font can be chosen without a window"));
    return std::nullopt;
}

bool TerminalDialogs::printSetup(QPrinter&, PrintSetupPurpose)
{
    declined_ = true;
    say(QStringLiteral("The printer cannot be set up without a window"));
    return false;
}

} // namespace quillet
