#include "common/scripted_dialogs.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "support/test_environment.h"

#include <fcntl.h>

#include <map>
#include <tuple>

using namespace quillet;

namespace {

using Key = std::tuple<int, int, int>; // slot, field, sub-entry

// The factory layouts as the product has always shipped them, written out independently.
std::map<Key, QString> ExpectedFactoryCells()
{
    std::map<Key, QString> cells;
    struct Row {
        const char* title;
        const char* c;
        const char* r;
        const char* side;
        const char* top;
        const char* width;
        const char* left;
        const char* down;
    };
    const Row rows[9] = {
        {"Avery 5160/8160", "3", "10", "2.75", "1", "2.625", ".5", ".625"},
        {"Avery 5161/8161", "2", "10", "4.1875", "1", "4", ".75", ".7"},
        {"Avery 5162/8162", "2", "7", "4.1875", "1.3333", "4", "1", "1.125"},
        {"Avery 5163/8163", "2", "5", "4.16", "2", "4", ".75", ".75"},
        {"Avery 5164/8164", "2", "3", "4.1875", "3.33", "4", "1", "2"},
        {"Avery 5095 (Name Badge)", "2", "4", "3.75", "2.5", "3.375", "1.5", "1.25"},
        {"Avery 5266/8166 (File Folder)", "2", "15", "4.03125", "0.6666667", "3.4375", "1", ".7"},
        {"Avery 5267/8167", "4", "20", "2.03125", ".5", "1.75", ".5", ".625"},
        {"Avery 5160/8160 (Tolvan Software)", "3", "10", "2.75", "1", "2.625", ".5", ".625"},
    };
    const char* sizes[9][2] = {{"10", "10"}, {"10", "10"}, {"10", "10"}, {"10", "10"}, {"12", "12"},
                               {"14", "12"}, {"10", "10"}, {"8", "8"},   {"13", "12"}};
    for (int i = 0; i < 9; ++i) {
        const int slot = 29 + i;
        const Row& r = rows[i];
        cells[{slot, 0, 0}] = QString::fromLatin1(r.title);
        cells[{slot, 2, 0}] = QString::fromLatin1(r.c);
        cells[{slot, 3, 0}] = QString::fromLatin1(r.r);
        cells[{slot, 4, 0}] = QString::fromLatin1(r.side);
        cells[{slot, 5, 0}] = QString::fromLatin1(r.top);
        cells[{slot, 6, 0}] = QString::fromLatin1(r.width);
        cells[{slot, 21, 0}] = QString::fromLatin1(r.left);
        cells[{slot, 22, 0}] = QString::fromLatin1(r.down);
        cells[{slot, 29, 0}] = QStringLiteral("True");
        for (int k = 0; k < 5; ++k) {
            const bool times = i == 5 && k == 0;
            cells[{slot, 6 * k, 1}] = times ? QStringLiteral("Times New Roman") : QStringLiteral("Arial");
            cells[{slot, 6 * k + 1, 1}] = QString::fromLatin1(sizes[i][k == 0 ? 0 : 1]);
        }
    }
    cells[{34, 25, 0}] = QStringLiteral("1");
    cells[{34, 2, 1}] = QStringLiteral("1");
    cells[{37, 7, 0}] = QStringLiteral("1");
    cells[{37, 8, 0}] = QStringLiteral("1");
    cells[{37, 9, 0}] = QStringLiteral("Tolvan Software");
    cells[{37, 2, 1}] = QStringLiteral("1");
    cells[{37, 5, 1}] = QStringLiteral("8388608");
    return cells;
}

} // namespace

class TestFactoryLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { LayoutData.erase(); }
    void writesExactlyTheFactoryCells();
    void emptiesSpareLayoutsButNotOtherSubEntries();
    void startNewDataErasesAndNotifiesTheMainWindow();
};

void TestFactoryLayouts::writesExactlyTheFactoryCells()
{
    ScriptedDialogs ui;
    DataChanged = false;
    SetFactoryLayouts();
    QVERIFY(DataChanged);
    QVERIFY(ui.messages.empty());
    const auto expected = ExpectedFactoryCells();
    for (int slot = 29; slot <= 41; ++slot) {
        for (int field = 0; field < 30; ++field) {
            for (int sub = 0; sub <= 1; ++sub) {
                if (slot == 37 && sub == 0 && field >= 10 && field <= 12) {
                    QVERIFY2(!LayoutData.cell(slot, field, sub).trimmed().isEmpty(), "maker's address line");
                    continue;
                }
                const auto it = expected.find({slot, field, sub});
                const QString want = it == expected.end() ? QString() : it->second;
                QVERIFY2(LayoutData.cell(slot, field, sub) == want,
                         qPrintable(QStringLiteral("cell %1/%2/%3 holds '%4', expected '%5'")
                                        .arg(slot)
                                        .arg(field)
                                        .arg(sub)
                                        .arg(LayoutData.cell(slot, field, sub), want)));
            }
        }
    }
    QVERIFY(LayoutData.cell(37, 13, 0).isEmpty()); // DefaultText5 stays empty
    QVERIFY(LayoutData.cell(35, 25, 0).isEmpty()); // layout 7's alignment is the empty text
}

void TestFactoryLayouts::emptiesSpareLayoutsButNotOtherSubEntries()
{
    ScriptedDialogs ui;
    for (int slot = 29; slot <= 41; ++slot)
        for (int sub = 0; sub < 7; ++sub) LayoutData.setCell(slot, 17, sub, QStringLiteral("old"));
    LayoutData.setCell(0, 0, 0, QStringLiteral("address"));
    LayoutData.setCell(27, 3, 4, QStringLiteral("spare"));
    SetLayoutCell(11, Title, QStringLiteral("My layout"));
    SetFactoryLayouts();
    for (int slot = 29; slot <= 41; ++slot) {
        QVERIFY(LayoutData.cell(slot, 17, 0).isEmpty());
        for (int sub = 2; sub < 7; ++sub) QCOMPARE(LayoutData.cell(slot, 17, sub), QStringLiteral("old"));
    }
    QVERIFY(LayoutCell(11, Title).isEmpty());
    QVERIFY(LayoutData.cell(40, 17, 1).isEmpty());
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("address"));
    QCOMPARE(LayoutData.cell(27, 3, 4), QStringLiteral("spare"));
}

void TestFactoryLayouts::startNewDataErasesAndNotifiesTheMainWindow()
{
    ScriptedDialogs ui;
    QStringList calls;
    MainLink().refillLayoutsList = [&] { calls << QStringLiteral("refill"); };
    MainLink().showAddressCounts = [&] { calls << QStringLiteral("counts"); };
    MainLink().setTitle = [&](const QString& t) { calls << t; };
    LayoutData.setCell(3, 3, 0, QStringLiteral("address"));
    LayoutData.setCell(3, 3, 6, QStringLiteral("True"));
    LayoutData.setCell(27, 3, 4, QStringLiteral("spare"));
    DataFileName = QStringLiteral("/tmp/x.QX3");
    SettingsData[0] = DataFileName;
    DataFileHandle.hold(UniqueFd(::open("/dev/null", O_RDONLY | O_CLOEXEC)), ShareMode::Editor);
    QVERIFY(DataFileHandle.isHeld());
    ReadOnlyMode = true;
    StartNewData();
    QVERIFY(LayoutData.cell(3, 3, 0).isEmpty());
    QVERIFY(LayoutData.cell(27, 3, 4).isEmpty());
    QCOMPARE(LayoutCell(1, Title), QStringLiteral("Avery 5160/8160"));
    QCOMPARE(calls, QStringList({"refill", "counts", "Quillet"}));
    QCOMPARE(EntryCount, 0);
    QCOMPARE(SelectedCount, 0);
    QVERIFY(DataFileName.isEmpty());
    QVERIFY(SettingsData[0].isEmpty());
    QVERIFY(!DataFileHandle.isHeld());
    QCOMPARE(DataFileHandle.number(), 0);
    QVERIFY(ReadOnlyMode); // left as it was
    ReadOnlyMode = false;
    MainLink() = MainWindowLink();
}

QUILLET_TEST_MAIN(TestFactoryLayouts)
#include "tst_factory_layouts.moc"
