#include "common/steps.h"

#include "common/error_report.h"

#include <new>
#include <utility>

namespace quillet {

Steps::Steps(QString operation, Buttons buttons) : operation_(std::move(operation)), buttons_(buttons) {}

Steps::Steps(Reporter reporter) : reporter_(std::move(reporter)) {}

void Steps::setContext(int context1, int context2, int context3)
{
    context_[0] = context1;
    context_[1] = context2;
    context_[2] = context3;
}

Failure Steps::ToFailure(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return Failure(FailureNumber::OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return Failure(FailureNumber::Internal, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return Failure(FailureNumber::Internal, QStringLiteral("Unknown failure"));
    }
}

Answer Steps::report(const Failure& failure, std::int32_t step)
{
    if (reporter_) return reporter_(failure, step);
    return ReportError(operation_, failure.description, failure.number, step, context_[0], context_[1], context_[2],
                       buttons_);
}

} // namespace quillet
