#include "common/failure.h"
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

// The factory layouts as the product has always shipped them, written out independently:
// title, columns, rows, side-to-side, top-to-top, width, left and top offsets, font sizes of
// line 1 and of the other lines.
std::map<Key, QString> ExpectedFactoryCells()
{
    const char* rows[9][10] = {
        {"Avery 5160/8160", "3", "10", "2.75", "1", "2.625", ".5", ".625", "10", "10"},
        {"Avery 5161/8161", "2", "10", "4.1875", "1", "4", ".75", ".7", "10", "10"},
        {"Avery 5162/8162", "2", "7", "4.1875", "1.3333", "4", "1", "1.125", "10", "10"},
        {"Avery 5163/8163", "2", "5", "4.16", "2", "4", ".75", ".75", "10", "10"},
        {"Avery 5164/8164", "2", "3", "4.1875", "3.33", "4", "1", "2", "12", "12"},
        {"Avery 5095 (Name Badge)", "2", "4", "3.75", "2.5", "3.375", "1.5", "1.25", "14", "12"},
        {"Avery 5266/8166 (File Folder)", "2", "15", "4.03125", "0.6666667", "3.4375", "1", ".7", "10", "10"},
        {"Avery 5267/8167", "4", "20", "2.03125", ".5", "1.75", ".5", ".625", "8", "8"},
        {"Avery 5160/8160 (Tolvan Software)", "3", "10", "2.75", "1", "2.625", ".5", ".625", "13", "12"},
    };
    const int fields[8] = {0, 2, 3, 4, 5, 6, 21, 22};
    std::map<Key, QString> cells;
    for (int i = 0; i < 9; ++i) {
        const int slot = 29 + i;
        for (int k = 0; k < 8; ++k) cells[{slot, fields[k], 0}] = QString::fromLatin1(rows[i][k]);
        cells[{slot, 29, 0}] = QStringLiteral("True");
        for (int k = 0; k < 5; ++k) {
            cells[{slot, 6 * k, 1}] = i == 5 && k == 0 ? QStringLiteral("Times New Roman") : QStringLiteral("Arial");
            cells[{slot, 6 * k + 1, 1}] = QString::fromLatin1(rows[i][k == 0 ? 8 : 9]);
        }
    }
    for (const auto& [key, text] : std::map<Key, const char*>{{{34, 25, 0}, "1"},
                                                              {{34, 2, 1}, "1"},
                                                              {{37, 7, 0}, "1"},
                                                              {{37, 8, 0}, "1"},
                                                              {{37, 9, 0}, "Tolvan Software"},
                                                              {{37, 2, 1}, "1"},
                                                              {{37, 5, 1}, "8388608"}})
        cells[key] = QString::fromLatin1(text);
    return cells;
}

} // namespace

class TestLayoutData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        ui.onMessage = nullptr;
        LayoutData.erase();
    }

    void outOfRangeIndexIsAFailureNotACrash()
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

    void factoryLayoutsCellByCell()
    {
        // Old layouts are emptied; the other sub-entries and the rest of the table are kept.
        for (int slot = 29; slot <= 41; ++slot)
            for (int sub = 0; sub < 7; ++sub) LayoutData.setCell(slot, 17, sub, QStringLiteral("old"));
        LayoutData.setCell(0, 0, 0, QStringLiteral("address"));
        LayoutData.setCell(27, 3, 4, QStringLiteral("spare"));
        DataChanged = false;
        SetFactoryLayouts();
        QVERIFY(DataChanged && ui.messages.empty());
        const auto expected = ExpectedFactoryCells();
        for (int slot = 29; slot <= 41; ++slot) {
            for (int field = 0; field < 30; ++field) {
                for (int sub = 0; sub <= 1; ++sub) {
                    const QString& got = LayoutData.cell(slot, field, sub);
                    if (slot == 37 && sub == 0 && field >= 10 && field <= 12) { // the maker's address
                        QVERIFY(!got.trimmed().isEmpty());
                        continue;
                    }
                    const auto it = expected.find({slot, field, sub});
                    const QString want = it == expected.end() ? QString() : it->second;
                    QVERIFY2(got == want, qPrintable(QStringLiteral("cell %1/%2/%3 holds '%4', expected '%5'")
                                                         .arg(slot)
                                                         .arg(field)
                                                         .arg(sub)
                                                         .arg(got, want)));
                }
            }
            for (int sub = 2; sub < 7; ++sub) QCOMPARE(LayoutData.cell(slot, 17, sub), QStringLiteral("old"));
        }
        QCOMPARE(LayoutData.cell(0, 0, 0) + LayoutData.cell(27, 3, 4), QStringLiteral("addressspare"));
    }

    void startNewDataForgetsTheFileAndNotifiesTheWindow()
    {
        QStringList calls;
        MainLink().refillLayoutsList = [&] { calls << QStringLiteral("refill"); };
        MainLink().showAddressCounts = [&] { calls << QStringLiteral("counts"); };
        MainLink().setTitle = [&](const QString& t) { calls << t; };
        LayoutData.setCell(3, 3, 0, QStringLiteral("address"));
        LayoutData.setCell(27, 3, 4, QStringLiteral("spare"));
        DataFileName = QStringLiteral("/tmp/x.QX3");
        SettingsData[0] = DataFileName;
        DataFileHandle.hold(UniqueFd(::open("/dev/null", O_RDONLY | O_CLOEXEC)), ShareMode::Editor);
        StartNewData();
        QVERIFY(LayoutData.cell(3, 3, 0).isEmpty() && LayoutData.cell(27, 3, 4).isEmpty());
        QCOMPARE(LayoutCell(1, Title), QStringLiteral("Avery 5160/8160"));
        QCOMPARE(calls, QStringList({"refill", "counts", "Quillet"}));
        QCOMPARE(EntryCount, 0);
        QVERIFY(DataFileName.isEmpty() && SettingsData[0].isEmpty());
        QVERIFY(!DataFileHandle.isHeld()); // released, not only forgotten
        MainLink() = MainWindowLink();
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestLayoutData)
#include "tst_layout_data.moc"
