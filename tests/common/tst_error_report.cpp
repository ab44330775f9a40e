#include "common/error_report.h"
#include "common/scripted_dialogs.h"
#include "common/steps.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

using namespace quillet;
using quillet::test::IsMessage;

class TestErrorReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        ui.onMessage = nullptr;
    }

    void reportTextTitleIconButtons()
    {
        ui.answer(Answer::Retry);
        QCOMPARE(ReportError(QStringLiteral("Error clearing label text"), QStringLiteral("Overflow"), 6, 12, 3, 0, 0,
                             Buttons::RetryCancel),
                 Answer::Retry);
        QVERIFY(IsMessage(ui.last(),
                          QStringLiteral("Error clearing label text:\r\rError: Overflow\rError Number: 6-12-3-0-0"),
                          ErrorReportTitle, Buttons::RetryCancel, Icon::Warning));
        // No operation text, and numbers shown as the 16-bit values they are.
        ReportError(QString(), QStringLiteral("Bad"), 5, -1, -2, 7, 98304, Buttons::Ok);
        QCOMPARE(ui.last().text, QStringLiteral("Malfunction:\r\rError: Bad\rError Number: 5--1--2-7--32768"));
    }

    void failureInsideTheReport()
    {
        ui.onMessage = [](const MessageRequest& r) {
            if (r.title == ErrorReportTitle) throw Failure(7, QStringLiteral("Out of memory"));
            return Answer::None;
        };
        QCOMPARE(ReportError(QStringLiteral("Op"), QStringLiteral("x"), 1, 1, 0, 0, 0, Buttons::Ok), Answer::None);
        QCOMPARE(ui.messages.size(), size_t(2));
        QVERIFY(IsMessage(ui.last(), QStringLiteral("Error in error-handler: Out of memory\rError number: 7-3")));
    }

    void retryRunsTheStepAgainUntilLeft()
    {
        for (Answer a : {Answer::Retry, Answer::Retry, Answer::Cancel, Answer::Retry}) ui.answer(a);
        int attempts = 0;
        Steps step(QStringLiteral("Error doing it"), Buttons::RetryCancel);
        step.setContext(3, 0, 9);
        // A failure that persists is reported again at every Retry, the same each time.
        QVERIFY(!step(12, [&] {
            ++attempts;
            throw Failure(13, QStringLiteral("Type mismatch"));
        }));
        QVERIFY(step.left());
        QCOMPARE(attempts, 3);
        QCOMPARE(ui.messages.size(), size_t(3));
        for (const MessageRequest& m : ui.messages)
            QCOMPARE(m.text, QStringLiteral("Error doing it:\r\rError: Type mismatch\rError Number: 13-12-3-0-9"));
        // One that passes on the Retry goes on.
        Steps next(QStringLiteral("Error doing it"), Buttons::RetryCancel);
        attempts = 0;
        QVERIFY(next(4, [&] {
            if (++attempts == 1) throw Failure(6, QStringLiteral("Overflow"));
        }));
        QVERIFY(!next.left() && attempts == 2 && ui.messages.size() == 4);
    }

    void ignoreGoesOnOkCancelAbortLeave()
    {
        ui.answer(Answer::Ignore);
        QStringList ran;
        Steps step(QStringLiteral("Error"), Buttons::AbortRetryIgnore);
        QVERIFY(step(1, [&] {
            ran << "1";
            throw Failure(6, QStringLiteral("Overflow"));
        }));
        QVERIFY(step(2, [&] { ran << "2"; }));
        QCOMPARE(ran, QStringList({"1", "2"}));
        for (Answer a : {Answer::Ok, Answer::Cancel, Answer::Abort}) {
            ui.answer(a);
            Steps leaving(QStringLiteral("Error"), Buttons::Ok);
            QVERIFY(!leaving(2, [] { throw std::runtime_error("boom"); }));
            QVERIFY(leaving.left());
        }
        // Failures other than the program's own are reported too.
        QCOMPARE(ui.last().text, QStringLiteral("Error:\r\rError: boom\rError Number: 51-2-0-0-0"));
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestErrorReport)
#include "tst_error_report.moc"
