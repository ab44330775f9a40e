#include "common/failure.h"
#include "common/numbers.h"
#include "support/test_environment.h"

#include <QLocale>

#include <clocale>
#include <limits>

using namespace quillet;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lenientReading_data();
    void lenientReading();
    void overlongDigitsReadAsInfinity();
    void roundingHalvesToEven();
    void roundingOverflowIsAFailure();
    void shortestForm_data();
    void shortestForm();
    void shortAndPlainForms();
    void singlePrecision();
    void patterns_data();
    void patterns();
    void formsIgnoreTheUserLocale();
    void flags();
};

void TestNumbers::lenientReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks then number") << "   10" << 10.0;
    QTest::newRow("tab then number") << "\t12" << 12.0;
    QTest::newRow("trailing letters") << "10abc" << 10.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative point") << "-.5" << -0.5;
    QTest::newRow("plus sign") << "+2.25" << 2.25;
    QTest::newRow("sign and point only") << "-." << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("comma stops") << "2,75" << 2.0;
    QTest::newRow("blank inside stops") << "1 2" << 1.0;
    QTest::newRow("exponent is not read") << "1e5" << 1.0;
    QTest::newRow("sign then blank") << "- 5" << 0.0;
    QTest::newRow("factory single") << "0.6666667" << 0.6666667;
}

void TestNumbers::lenientReading()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(ReadNumber(text), value);
}

void TestNumbers::overlongDigitsReadAsInfinity()
{
    const QString huge = QStringLiteral("1") + QString(400, u'0');
    QCOMPARE(ReadNumber(huge), std::numeric_limits<double>::infinity());
    QCOMPARE(ReadNumber(u'-' + huge), -std::numeric_limits<double>::infinity());
    QCOMPARE(ReadNumber(QStringLiteral("0.") + QString(400, u'0') + u'1'), 0.0);
    QVERIFY_THROWS_EXCEPTION(Failure, RoundToInt32(ReadNumber(huge)));
}

void TestNumbers::roundingHalvesToEven()
{
    QCOMPARE(RoundToInt16(2.5), std::int16_t(2));
    QCOMPARE(RoundToInt16(3.5), std::int16_t(4));
    QCOMPARE(RoundToInt16(-2.5), std::int16_t(-2));
    QCOMPARE(RoundToInt16(0.5), std::int16_t(0));
    QCOMPARE(RoundToInt16(2.51), std::int16_t(3));
    QCOMPARE(RoundToInt16(32767.4), std::int16_t(32767));
    QCOMPARE(RoundToInt16(-32768.5), std::int16_t(-32768));
    QCOMPARE(RoundToInt32(8388608.0), 8388608);
    QCOMPARE(RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
}

void TestNumbers::roundingOverflowIsAFailure()
{
    for (double v : {32767.5, -32769.0, 1e9, std::numeric_limits<double>::quiet_NaN()}) {
        try {
            RoundToInt16(v);
            QFAIL("no overflow reported");
        } catch (const Failure& f) {
            QCOMPARE(f.number, FailureNumber::Overflow);
            QCOMPARE(f.description, QStringLiteral("Overflow"));
        }
    }
    QVERIFY_THROWS_EXCEPTION(Failure, RoundToInt32(2147483647.5));
    QVERIFY_THROWS_EXCEPTION(Failure, RoundToInt32(std::numeric_limits<double>::infinity()));
}

void TestNumbers::shortestForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("quarter") << 0.25 << ".25";
    QTest::newRow("negative half") << -0.5 << "-.5";
    QTest::newRow("whole") << 3.0 << "3";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("fraction") << 2.75 << "2.75";
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << ".3";
    QTest::newRow("fifteen digits") << 1.0 / 3.0 << ".333333333333333";
    QTest::newRow("large") << 1e20 << "100000000000000000000";
    QTest::newRow("tiny") << 0.000125 << ".000125";
    QTest::newRow("round up carries") << 0.9999999999999999 << "1";
}

void TestNumbers::shortestForm()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatShortest(value), text);
}

void TestNumbers::shortAndPlainForms()
{
    QCOMPARE(FormatShortForm(3), QStringLiteral(" 3"));
    QCOMPARE(FormatShortForm(0.5), QStringLiteral(" .5"));
    QCOMPARE(FormatShortForm(-0.5), QStringLiteral("-.5"));
    QCOMPARE(FormatShortForm(2.625), QStringLiteral(" 2.625"));
    QCOMPARE(FormatShortForm(0), QStringLiteral(" 0"));
    QCOMPARE(FormatPlain(0.5), QStringLiteral("0.5"));
    QCOMPARE(FormatPlain(3), QStringLiteral("3"));
    QCOMPARE(FormatPlain(-0.25), QStringLiteral("-0.25"));
    QCOMPARE(FormatPlain(0), QStringLiteral("0"));
}

void TestNumbers::singlePrecision()
{
    QCOMPARE(FormatSingle(0.6666667f), QStringLiteral(".6666667"));
    QCOMPARE(FormatSingle(2.0f / 3.0f), QStringLiteral(".6666667"));
    QCOMPARE(FormatSingle(72.0f), QStringLiteral("72"));
    QCOMPARE(FormatSingle(-1.3125f), QStringLiteral("-1.3125"));
    QCOMPARE(FormatSingle(0.1f), QStringLiteral(".1")); // not .100000001
    QCOMPARE(FormatSingle(1234567.8f), QStringLiteral("1234568"));
}

void TestNumbers::patterns_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("#0.0### keeps") << 2.75 << "#0.0###"
                                   << "2.75";
    QTest::newRow("#0.0### pads") << 3.0 << "#0.0###"
                                  << "3.0";
    QTest::newRow("#0.0### rounds") << 0.6666667 << "#0.0###"
                                    << "0.6667";
    QTest::newRow("#0.0### quarter") << 0.25 << "#0.0###"
                                     << "0.25";
    QTest::newRow("0.0#### five places") << 0.6666667 << "0.0####"
                                         << "0.66667";
    QTest::newRow("0.0#### whole") << 20.0 << "0.0####"
                                   << "20.0";
    QTest::newRow("0.00 top margin") << 0.1 << "0.00"
                                     << "0.10";
    QTest::newRow("0.00 printer margin") << 0.17 << "0.00"
                                         << "0.17";
    QTest::newRow("#0.00 rounds half away") << 0.125 << "#0.00"
                                            << "0.13";
    QTest::newRow("#0.00 negative") << -0.5 << "#0.00"
                                    << "-0.50";
    QTest::newRow("#0.00 negative rounds to zero") << -0.001 << "#0.00"
                                                   << "0.00";
    QTest::newRow("#0.00 carry") << 9.999 << "#0.00"
                                 << "10.00";
    QTest::newRow("#0.00 width") << 8.0 << "#0.00"
                                 << "8.00";
}

void TestNumbers::patterns()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(FormatPattern(value, pattern), text);
}

void TestNumbers::formsIgnoreTheUserLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    QCOMPARE(ReadNumber(u"2.75"), 2.75);
    QCOMPARE(ReadNumber(u"2,75"), 2.0);
    QCOMPARE(FormatShortest(0.25), QStringLiteral(".25"));
    QCOMPARE(FormatShortForm(2.625), QStringLiteral(" 2.625"));
    QCOMPARE(FormatPattern(0.6666667, u"#0.0###"), QStringLiteral("0.6667"));
    QCOMPARE(FormatSingle(0.5f), QStringLiteral(".5"));
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
}

void TestNumbers::flags()
{
    QVERIFY(IsTrueFlag(u"True"));
    QVERIFY(!IsTrueFlag(u"true"));
    QVERIFY(!IsTrueFlag(u"TRUE"));
    QVERIFY(!IsTrueFlag(u" True"));
    QVERIFY(IsOneFlag(u"1"));
    QVERIFY(IsOneFlag(u" 1"));
    QVERIFY(IsOneFlag(u"1.0"));
    QVERIFY(!IsOneFlag(u""));
    QVERIFY(!IsOneFlag(u"True"));
    QVERIFY(!IsOneFlag(u"2"));
}

QUILLET_TEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
