#pragma once

#include "common/dialogs.h"

#include <QString>

#include <cstdint>

namespace quillet {

// The one uniform report of an unexpected run-time failure. `buttons` is Ok, RetryCancel or
// AbortRetryIgnore. Returns the button pressed, or Answer::None when the report itself failed
// (then a plain "Error in error-handler" box has been shown instead).
Answer ReportError(const QString& operation, const QString& description, int errorNumber, std::int32_t step,
                   int context1, int context2, int context3, Buttons buttons);

// The report's text, as ReportError shows it.
QString BuildErrorReport(const QString& operation, const QString& description, int errorNumber, std::int32_t step,
                         int context1, int context2, int context3);

inline const QString ErrorReportTitle = QStringLiteral("Quillet Error");

} // namespace quillet
