#include "common/error_report.h"

#include "common/failure.h"

namespace quillet {

namespace {

// The report shows its numbers as the 16-bit values they are.
QString Number16(int value)
{
    return QString::number(static_cast<std::int16_t>(value));
}

} // namespace

QString BuildErrorReport(const QString& operation, const QString& description, int errorNumber, std::int32_t step,
                         int context1, int context2, int context3)
{
    const QString first = operation.isEmpty() ? QStringLiteral("Malfunction:") : operation + u':';
    return first + CR + CR + QStringLiteral("Error: ") + description + CR + QStringLiteral("Error Number: ") +
           Number16(errorNumber) + u'-' + QString::number(step) + u'-' + Number16(context1) + u'-' +
           Number16(context2) + u'-' + Number16(context3);
}

Answer ReportError(const QString& operation, const QString& description, int errorNumber, std::int32_t step,
                   int context1, int context2, int context3, Buttons buttons)
{
    int ownStep = 1;
    try {
        MessageRequest request;
        request.text = BuildErrorReport(operation, description, errorNumber, step, context1, context2, context3);
        ownStep = 2;
        request.title = ErrorReportTitle;
        request.buttons = buttons;
        request.icon = Icon::Warning;
        ownStep = 3;
        return Ui().message(request);
    } catch (const Failure& failure) {
        try {
            ShowMessage(QStringLiteral("Error in error-handler: ") + failure.description + CR +
                        QStringLiteral("Error number: ") + QString::number(failure.number) + u'-' +
                        QString::number(ownStep));
        } catch (...) {
            // Nothing is left to show the failure with.
        }
    } catch (...) {
        try {
            ShowMessage(QStringLiteral("Error in error-handler: Unknown failure") + CR +
                        QStringLiteral("Error number: ") + QString::number(FailureNumber::Internal) + u'-' +
                        QString::number(ownStep));
        } catch (...) {
        }
    }
    return Answer::None;
}

} // namespace quillet
