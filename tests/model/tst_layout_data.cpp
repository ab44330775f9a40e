#include "common/failure.h"
#include "common/scripted_dialogs.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "support/test_environment.h"

using namespace quillet;

class TestLayoutData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { LayoutData.erase(); }
    void regionsAndIndexes();
    void outOfRangeIndexIsAFailureNotACrash();
    void cellsNeverHoldLineBreaks();
    void recordExistence();
    void countAddressEntries();
    void usableLayouts();
};

void TestLayoutData::regionsAndIndexes()
{
    QCOMPARE(LayoutSlot(1), 29);
    QCOMPARE(LayoutSlot(12), 40);
    QCOMPARE(FontField(1, FontName), 0);
    QCOMPARE(FontField(2, FontSize), 7);
    QCOMPARE(FontField(5, FontColor), 29);
    SetLayoutCell(1, Columns, QStringLiteral("3"));
    QCOMPARE(LayoutData.cell(29, 2, 0), QStringLiteral("3"));
    SetFontCell(3, 2, FontBold, QStringLiteral("1"));
    QCOMPARE(LayoutData.cell(31, 8, 1), QStringLiteral("1"));
    LayoutData.setCell(41, 29, 6, QStringLiteral("last"));
    LayoutData.setCell(0, 0, 0, QStringLiteral("first"));
    QCOMPARE(RecordCell(0, 0, Line1), QStringLiteral("first"));
    LayoutData.erase();
    QVERIFY(LayoutData.cell(41, 29, 6).isEmpty());
    QVERIFY(LayoutData.cell(0, 0, 0).isEmpty());
}

void TestLayoutData::outOfRangeIndexIsAFailureNotACrash()
{
    for (auto [s, f, e] : {std::tuple{42, 0, 0}, {-1, 0, 0}, {0, 30, 0}, {0, 0, 7}, {0, -1, 0}}) {
        try {
            LayoutData.setCell(s, f, e, QStringLiteral("x"));
            QFAIL("write outside the table accepted");
        } catch (const Failure& failure) {
            QCOMPARE(failure.number, FailureNumber::SubscriptOutOfRange);
        }
        QVERIFY_THROWS_EXCEPTION(Failure, LayoutData.cell(s, f, e));
    }
}

void TestLayoutData::cellsNeverHoldLineBreaks()
{
    LayoutData.setCell(0, 0, 0, QStringLiteral("a\r\nb\rc\nd") + QChar(0x2028) + u'e' + QChar(0x85) + u'f');
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("abcdef"));
    LayoutData.setCell(0, 0, 1, QStringLiteral("  keeps  blanks\t"));
    QCOMPARE(LayoutData.cell(0, 0, 1), QStringLiteral("  keeps  blanks\t"));
}

void TestLayoutData::recordExistence()
{
    LayoutData.setCell(2, 5, Line4, QStringLiteral("only line four"));
    QVERIFY(RecordExists(2, 5));
    LayoutData.setCell(2, 6, Line6, QStringLiteral("memo"));
    QVERIFY(RecordExists(2, 6));
    LayoutData.setCell(2, 7, Selected, QStringLiteral("True"));
    QVERIFY(!RecordExists(2, 7));
    QVERIFY(!RecordIsSelected(2, 7));
    for (int line = Line1; line <= Line6; ++line) LayoutData.setCell(2, 8, line, QStringLiteral("   "));
    QVERIFY(!RecordExists(2, 8));
    LayoutData.setCell(2, 9, Line1, QStringLiteral("\tTab is not a blank"));
    QVERIFY(RecordExists(2, 9));
}

void TestLayoutData::countAddressEntries()
{
    int captionsShown = 0;
    MainLink().showAddressCounts = [&] { ++captionsShown; };
    LayoutData.setCell(0, 0, Line1, QStringLiteral("Ann"));
    LayoutData.setCell(0, 0, Selected, QStringLiteral("True"));
    LayoutData.setCell(0, 1, Line4, QStringLiteral("Bob"));
    LayoutData.setCell(0, 1, Selected, QStringLiteral("true"));
    LayoutData.setCell(25, 29, Line6, QStringLiteral("memo"));
    LayoutData.setCell(25, 29, Selected, QStringLiteral("True"));
    LayoutData.setCell(12, 3, Selected, QStringLiteral("True")); // blank record
    LayoutData.setCell(26, 0, Line1, QStringLiteral("spare slot"));
    LayoutData.setCell(29, 0, Line1, QStringLiteral("layout"));
    CountAddressEntries();
    QCOMPARE(EntryCount, 3);
    QCOMPARE(SelectedCount, 2);
    QCOMPARE(captionsShown, 1);
    MainLink() = MainWindowLink();
}

void TestLayoutData::usableLayouts()
{
    SetLayoutCell(1, Title, QStringLiteral("A"));
    SetLayoutCell(1, Visible, QStringLiteral("True"));
    QVERIFY(LayoutIsUsable(1));
    SetLayoutCell(1, Visible, QStringLiteral("TRUE"));
    QVERIFY(!LayoutIsUsable(1));
    SetLayoutCell(2, Title, QStringLiteral("   "));
    SetLayoutCell(2, Visible, QStringLiteral("True"));
    QVERIFY(!LayoutIsUsable(2));
}

QUILLET_TEST_MAIN(TestLayoutData)
#include "tst_layout_data.moc"
