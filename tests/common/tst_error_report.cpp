#include "common/error_report.h"
#include "common/scripted_dialogs.h"
#include "common/steps.h"
#include "support/test_environment.h"

using namespace quillet;

class TestErrorReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reportTextTitleIconButtons();
    void emptyOperationAndNegativeNumbers();
    void failureInsideTheReport();
    void retryRunsTheStepAgain();
    void persistentFailureIsReportedAtEveryRetry();
    void ignoreGoesOnWithTheNextStep();
    void okCancelAbortLeaveTheHandler();
    void customReporterFramesItsOwnBox();
    void foreignExceptionsAreReportedToo();
};

void TestErrorReport::reportTextTitleIconButtons()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Retry);
    const Answer a = ReportError(QStringLiteral("Error clearing label text"), QStringLiteral("Overflow"), 6, 12, 3, 0,
                                 0, Buttons::RetryCancel);
    QCOMPARE(a, Answer::Retry);
    QCOMPARE(ui.messages.size(), size_t(1));
    const MessageRequest& m = ui.last();
    QCOMPARE(m.text, QStringLiteral("Error clearing label text:\r\rError: Overflow\rError Number: 6-12-3-0-0"));
    QCOMPARE(m.title, QStringLiteral("Quillet Error"));
    QCOMPARE(m.icon, Icon::Warning);
    QCOMPARE(m.buttons, Buttons::RetryCancel);
}

void TestErrorReport::emptyOperationAndNegativeNumbers()
{
    ScriptedDialogs ui;
    ReportError(QString(), QStringLiteral("Bad"), 5, -1, -2, 7, -32768, Buttons::Ok);
    QCOMPARE(ui.last().text, QStringLiteral("Malfunction:\r\rError: Bad\rError Number: 5--1--2-7--32768"));
    QCOMPARE(ui.last().buttons, Buttons::Ok);
}

void TestErrorReport::failureInsideTheReport()
{
    ScriptedDialogs ui;
    ui.onMessage = [](const MessageRequest& r) {
        if (r.title == ErrorReportTitle) throw Failure(7, QStringLiteral("Out of memory"));
        return Answer::None;
    };
    const Answer a = ReportError(QStringLiteral("Op"), QStringLiteral("x"), 1, 1, 0, 0, 0, Buttons::Ok);
    QCOMPARE(a, Answer::None);
    QCOMPARE(ui.messages.size(), size_t(2));
    const MessageRequest& fallback = ui.messages[1];
    QVERIFY(fallback.text.startsWith(QStringLiteral("Error in error-handler: Out of memory\rError number: 7-")));
    QCOMPARE(fallback.title, QStringLiteral("Quillet"));
    QCOMPARE(fallback.icon, Icon::None);
    QCOMPARE(fallback.buttons, Buttons::Ok);
}

void TestErrorReport::retryRunsTheStepAgain()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Retry);
    int attempts = 0;
    Steps step(QStringLiteral("Error doing it"), Buttons::RetryCancel);
    const bool goOn = step(4, [&] {
        if (++attempts == 1) throw Failure(6, QStringLiteral("Overflow"));
    });
    QVERIFY(goOn);
    QVERIFY(!step.left());
    QCOMPARE(attempts, 2);
    QCOMPARE(ui.messages.size(), size_t(1));
    QVERIFY(ui.last().text.endsWith(QStringLiteral("Error Number: 6-4-0-0-0")));
}

void TestErrorReport::persistentFailureIsReportedAtEveryRetry()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Retry);
    ui.answer(Answer::Retry);
    ui.answer(Answer::Cancel);
    int attempts = 0;
    Steps step(QStringLiteral("Error doing it"), Buttons::RetryCancel);
    step.setContext(3, 0, 9);
    const bool goOn = step(12, [&] {
        ++attempts;
        throw Failure(13, QStringLiteral("Type mismatch"));
    });
    QVERIFY(!goOn);
    QVERIFY(step.left());
    QCOMPARE(attempts, 3);
    QCOMPARE(ui.messages.size(), size_t(3));
    for (const MessageRequest& m : ui.messages) QCOMPARE(m.text, ui.messages[0].text);
    QVERIFY(ui.last().text.endsWith(QStringLiteral("13-12-3-0-9")));
}

void TestErrorReport::ignoreGoesOnWithTheNextStep()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Ignore);
    QStringList ran;
    Steps step(QStringLiteral("Error"), Buttons::AbortRetryIgnore);
    QVERIFY(step(1, [&] { ran << "1"; }));
    QVERIFY(step(2, [&] {
        ran << "2";
        throw Failure(6, QStringLiteral("Overflow"));
    }));
    QVERIFY(step(3, [&] { ran << "3"; }));
    QCOMPARE(ran, QStringList({"1", "2", "3"}));
    QCOMPARE(ui.last().buttons, Buttons::AbortRetryIgnore);
}

void TestErrorReport::okCancelAbortLeaveTheHandler()
{
    for (Answer a : {Answer::Ok, Answer::Cancel, Answer::Abort}) {
        ScriptedDialogs ui;
        ui.answer(a);
        Steps step(QStringLiteral("Error"), Buttons::Ok);
        int after = 0;
        const auto handler = [&]() -> int {
            if (!step(1, [] { throw Failure(6, QStringLiteral("Overflow")); })) return -1;
            ++after;
            return 1;
        };
        QCOMPARE(handler(), -1);
        QCOMPARE(after, 0);
    }
}

void TestErrorReport::customReporterFramesItsOwnBox()
{
    ScriptedDialogs ui;
    std::vector<std::int32_t> reportedSteps;
    Steps step([&](const Failure& f, std::int32_t n) {
        reportedSteps.push_back(n);
        return ShowMessage(QStringLiteral("Own frame: ") + f.description, Buttons::AbortRetryIgnore, Icon::Warning,
                           QStringLiteral("Error Loading File"));
    });
    ui.answer(Answer::Abort);
    QVERIFY(!step(7, [] { throw Failure::fromErrno(EIO); }));
    QCOMPARE(reportedSteps, std::vector<std::int32_t>{7});
    QCOMPARE(ui.last().title, QStringLiteral("Error Loading File"));
    QVERIFY(ui.last().text.startsWith(QStringLiteral("Own frame: ")));
}

void TestErrorReport::foreignExceptionsAreReportedToo()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Ok);
    Steps step(QStringLiteral("Error"), Buttons::Ok);
    QVERIFY(!step(2, [] { throw std::runtime_error("boom"); }));
    QVERIFY(ui.last().text.contains(QStringLiteral("Error: boom\rError Number: 51-2-")));
}

QUILLET_TEST_MAIN(TestErrorReport)
#include "tst_error_report.moc"
