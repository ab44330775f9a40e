#include "common/error_report.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "common/widget_dialogs.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>

#include <clocale>
#include <functional>
#include <limits>

using namespace quillet;
using quillet::test::IsMessage;

namespace {
constexpr double Infinity = std::numeric_limits<double>::infinity();

// The texts a number form gives for each value, joined by bars.
template <class Form> QString Each(std::initializer_list<double> values, Form form)
{
    QStringList texts;
    for (double v : values) texts << form(v);
    return texts.join(u'|');
}
} // namespace

// The number rules, the error report and the numbered steps every handler uses.
class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every number form below is checked under a German locale, whose decimal comma they must ignore.
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    void init()
    {
        Run().reset();
        ui.clear();
    }
    void cleanup() { ui.checkAllUsed(); }

    void lenientReadingAndFlags()
    {
        const std::pair<const char*, double> cases[] = {
            {"", 0},       {"   10", 10}, {"\t12", 12},    {"10abc", 10}, {".5", 0.5},
            {"-.5", -0.5}, {"-.", 0},     {"+2.25", 2.25}, {"abc", 0},    {"1.2.3", 1.2},
            {"1 2", 1},    {"1e5", 1},    {"- 5", 0},      {"2,75", 2},   {"0.6666667", 0.6666667}};
        for (const auto& [text, value] : cases) QVERIFY2(ReadNumber(QString::fromLatin1(text)) == value, text);
        // A digit string too long for a double reads as infinity, a tiny one as zero.
        const QString huge = QStringLiteral("1") + QString(400, u'0');
        QCOMPARE(ReadNumber(huge), Infinity);
        QCOMPARE(ReadNumber(u'-' + huge), -Infinity);
        QCOMPARE(ReadNumber(QStringLiteral("0.") + QString(400, u'0') + u'1'), 0.0);
        // "True" flags are compared exactly, "1" flags read as numbers.
        QVERIFY(IsTrueFlag(u"True"));
        for (const char16_t* no : {u"true", u"TRUE", u" True"}) QVERIFY(!IsTrueFlag(no));
        for (const char16_t* yes : {u"1", u" 1", u"1.0"}) QVERIFY(IsOneFlag(yes));
        for (const char16_t* no : {u"", u"True", u"2"}) QVERIFY(!IsOneFlag(no));
    }

    void roundingHalvesToEvenAndOverflowIsAFailure()
    {
        const std::pair<double, int> cases[] = {{2.5, 2},  {3.5, 4},         {-2.5, -2},        {0.5, 0},
                                                {2.51, 3}, {32767.4, 32767}, {-32768.5, -32768}};
        for (const auto& [value, rounded] : cases) QCOMPARE(RoundToInt16(value), std::int16_t(rounded));
        QCOMPARE(RoundToInt32(8388608.0), 8388608);
        QCOMPARE(RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
        // The overflow's number and text are checked as a step reports them, below.
        for (double v : {32767.5, -32769.0, 1e9, std::numeric_limits<double>::quiet_NaN()})
            QVERIFY_THROWS_EXCEPTION(Failure, RoundToInt16(v));
        for (double v : {2147483647.5, Infinity}) QVERIFY_THROWS_EXCEPTION(Failure, RoundToInt32(v));
    }

    void fixedFormsAndPatterns()
    {
        QCOMPARE(Each({0.25, -0.5, 3, 0, -0.0, 2.75, 0.1 + 0.2, 1.0 / 3, 1e20, 0.000125, 0.9999999999999999},
                      FormatShortest),
                 QStringLiteral(".25|-.5|3|0|0|2.75|.3|.333333333333333|100000000000000000000|.000125|1"));
        QCOMPARE(Each({3, 0.5, -0.5, 2.625, 0}, FormatShortForm), QStringLiteral(" 3| .5|-.5| 2.625| 0"));
        QCOMPARE(Each({3, 0.5, -0.5, 2.625, 0}, FormatPlain), QStringLiteral("3|0.5|-0.5|2.625|0"));
        // Seven significant digits: 0.1f is not ".100000001".
        const auto single = [](double v) { return FormatSingle(float(v)); };
        QCOMPARE(Each({0.6666667, 2.0 / 3.0, 72, -1.3125, 0.1, 1234567.8}, single),
                 QStringLiteral(".6666667|.6666667|72|-1.3125|.1|1234568"));
        const auto pattern = [](const char* p) {
            return [p](double v) { return FormatPattern(v, QString::fromLatin1(p)); };
        };
        QCOMPARE(Each({2.75, 3, 0.6666667, 0.25}, pattern("#0.0###")), QStringLiteral("2.75|3.0|0.6667|0.25"));
        QCOMPARE(Each({0.6666667, 20}, pattern("0.0####")), QStringLiteral("0.66667|20.0"));
        QCOMPARE(Each({0.1, 0.17}, pattern("0.00")), QStringLiteral("0.10|0.17"));
        // Halves round away from zero here, unlike RoundToInt16.
        QCOMPARE(Each({0.125, -0.5, -0.001, 9.999, 8}, pattern("#0.00")), QStringLiteral("0.13|-0.50|0.00|10.00|8.00"));
    }

    void reportFramesEvenItsOwnFailure()
    {
        // No operation text, and numbers shown as the 16-bit values they are.
        ui.answer(Answer::Ok);
        ReportError(QString(), QStringLiteral("Bad"), 5, -1, -2, 7, 98304, Buttons::Ok);
        QCOMPARE(ui.last().text, QStringLiteral("Malfunction:\r\rError: Bad\rError Number: 5--1--2-7--32768"));
        const std::pair<std::function<void()>, const char*> failures[] = {
            {[] { throw Failure(7, QStringLiteral("Out of memory")); }, "Out of memory\rError number: 7-3"},
            {[] { throw std::runtime_error("not ours"); }, "Unknown failure\rError number: 51-3"}};
        for (const auto& [fail, shown] : failures) {
            ui.onMessage = [&](const MessageRequest& r) {
                if (r.title == ErrorReportTitle) fail();
                return Answer::None;
            };
            ui.answer(Answer::Ok);
            QCOMPARE(ReportError(QStringLiteral("Op"), QStringLiteral("x"), 1, 1, 0, 0, 0, Buttons::Ok), Answer::None);
            QVERIFY(IsMessage(ui.last(), QStringLiteral("Error in error-handler: ") + QString::fromLatin1(shown)));
        }
    }

    // Retry runs a failing step (here a read outside the table) again, reported the same each time; Ignore goes on with
    // the next step; Ok and Cancel leave. (The save of the data file shows a step Ignore may not skip.)
    void stepsActOnTheAnswer()
    {
        for (Answer a : {Answer::Retry, Answer::Retry, Answer::Cancel, Answer::Ignore, Answer::Ok}) ui.answer(a);
        int attempts = 0;
        Steps step(QStringLiteral("Error doing it"), Buttons::RetryCancel);
        step.setContext(3, 0, 9);
        QVERIFY(!step(12, [&] {
            ++attempts;
            LayoutData().cell(42, 0, 0);
        }));
        QVERIFY(step.left());
        QCOMPARE(attempts, 3);
        for (const MessageRequest& m : ui.messages)
            QCOMPARE(m.text,
                     QStringLiteral("Error doing it:\r\rError: Subscript out of range\rError Number: 9-12-3-0-9"));

        QStringList ran;
        Steps next(QStringLiteral("Error"), Buttons::AbortRetryIgnore);
        QVERIFY(next(1, [&] {
            ran << "1";
            static_cast<void>(RoundToInt16(1e9));
        }));
        QVERIFY(next(2, [&] { ran << "2"; }));
        QVERIFY(!next.left() && ran == QStringList({"1", "2"}));
        QVERIFY(!next(3, [] { throw std::runtime_error("boom"); }) && next.left());
        QCOMPARE(ui.messages[3].text, QStringLiteral("Error:\r\rError: Overflow\rError Number: 6-1-0-0-0"));
        // Failures other than the program's own are reported too.
        QCOMPARE(ui.last().text, QStringLiteral("Error:\r\rError: boom\rError Number: 51-3-0-0-0"));
    }

    void realMessageBoxShowsPlainText()
    {
        // A cell of a data file with a link in it: shown as typed, nothing to click.
        const QString text = QStringLiteral("0.1<a href=\"https://example.invalid/fix\">Click here to repair this "
                                            "layout</a>\r<b>file:///tmp/x.desktop</b>");
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            if (label && label->textFormat() == Qt::PlainText) shown = label->text();
            box->done(QMessageBox::Ok);
        });
        WidgetDialogs real;
        QCOMPARE(real.message({text}), Answer::Ok);
        QCOMPARE(shown, QString(text).replace(CR, u'\n'));
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestCommon)
#include "tst_common.moc"
