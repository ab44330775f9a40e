#include "common/failure.h"

#include <cstring>
#include <utility>

namespace quillet {

Failure::Failure(int number_, QString description_) : number(number_), description(std::move(description_)) {}

Failure Failure::fromErrno(int errnoValue)
{
    return Failure(errnoValue, QString::fromLocal8Bit(std::strerror(errnoValue)));
}

void ThrowOverflow()
{
    throw Failure(FailureNumber::Overflow, QStringLiteral("Overflow"));
}

} // namespace quillet
