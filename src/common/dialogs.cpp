#include "common/dialogs.h"

#include "common/failure.h"

namespace quillet {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& Ui()
{
    if (!installed) throw Failure(FailureNumber::Internal, QStringLiteral("No dialog service installed"));
    return *installed;
}

void InstallDialogs(Dialogs* dialogs)
{
    installed = dialogs;
}

Answer EffectiveDefault(const MessageRequest& request)
{
    if (request.defaultButton != Answer::None) return request.defaultButton;
    switch (request.buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::RetryCancel:
        return Answer::Retry;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    }
    return Answer::Ok;
}

Answer ShowMessage(const QString& text, Buttons buttons, Icon icon, const QString& title, Answer defaultButton)
{
    MessageRequest request;
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.icon = icon;
    request.defaultButton = defaultButton;
    return Ui().message(request);
}

} // namespace quillet
