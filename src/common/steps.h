#pragma once

#include "common/dialogs.h"
#include "common/failure.h"

#include <QString>

#include <cstdint>
#include <exception>
#include <functional>

namespace quillet {

// How a handler numbers its steps and acts on a failure. A step that throws is reported; the
// answer decides: Retry runs the step again, Ignore goes on with the next step, OK, Cancel and
// Abort leave the handler. A handler reads:
//
//     Steps step(QStringLiteral("Error setting default layouts"), Buttons::AbortRetryIgnore);
//     if (!step(1, [&] { ... })) return;
//     if (!step(2, [&] { ... })) return;
//
// A step that what follows depends on is run with `required`: there Ignore leaves the handler
// like Abort, so nothing goes on from a step that did not finish:
//
//     if (!step.required(3, [&] { ... })) return 0;
//
// Steps reports through ReportError unless given its own reporter (the data file reader and
// writer frame their failures in boxes of their own).
class Steps {
public:
    using Reporter = std::function<Answer(const Failure& failure, std::int32_t step)>;

    Steps(QString operation, Buttons buttons);
    explicit Steps(Reporter reporter);

    // True to go on (the step ran, or Ignore skipped it); false when the handler must leave.
    template <class Body> bool operator()(std::int32_t step, Body&& body) { return run(step, body, true); }
    // True only when the step ran to its end: Ignore may not skip it.
    template <class Body> bool required(std::int32_t step, Body&& body) { return run(step, body, false); }

    // Up to three numbers of the handler's own state, shown in the report.
    void setContext(int context1, int context2 = 0, int context3 = 0);

    // True once a step was left: a procedure with a result then returns its failure value.
    bool left() const { return left_; }

    static Failure ToFailure(std::exception_ptr error);

private:
    template <class Body> bool run(std::int32_t step, Body& body, bool mayBeSkipped)
    {
        for (;;) {
            try {
                body();
                return true;
            } catch (...) {
                const Answer answer = report(ToFailure(std::current_exception()), step);
                if (answer == Answer::Retry) continue;
                if (answer == Answer::Ignore && mayBeSkipped) return true;
                left_ = true;
                return false;
            }
        }
    }
    Answer report(const Failure& failure, std::int32_t step);

    Reporter reporter_;
    QString operation_;
    Buttons buttons_ = Buttons::Ok;
    int context_[3] = {0, 0, 0};
    bool left_ = false;
};

} // namespace quillet
