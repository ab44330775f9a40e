#include "model/factory_layouts.h"

#include "common/steps.h"
#include "model/layout_data.h"
#include "model/run_state.h"

#include <vector>

namespace quillet {

const QString MakerName = QStringLiteral("Tolvan Software");
const QString MakerAddress[3] = {QStringLiteral("Suite 300"), QStringLiteral("1420 Alder Street"),
                                 QStringLiteral("Eugene, OR 97401")};

namespace {

struct FactoryLayout {
    const char* title;
    const char* columns;
    const char* rows;
    const char* sideToSide;
    const char* topToTop;
    const char* labelWidth;
    const char* leftOffset;
    const char* topOffset;
    const char* firstFont;
    const char* firstSize;
    const char* otherFont;
    const char* otherSize;
};

// Texts exactly as the factory data has always been written (".5", "0.6666667").
const FactoryLayout Factory[9] = {
    {"Avery 5160/8160", "3", "10", "2.75", "1", "2.625", ".5", ".625", "Arial", "10", "Arial", "10"},
    {"Avery 5161/8161", "2", "10", "4.1875", "1", "4", ".75", ".7", "Arial", "10", "Arial", "10"},
    {"Avery 5162/8162", "2", "7", "4.1875", "1.3333", "4", "1", "1.125", "Arial", "10", "Arial", "10"},
    {"Avery 5163/8163", "2", "5", "4.16", "2", "4", ".75", ".75", "Arial", "10", "Arial", "10"},
    {"Avery 5164/8164", "2", "3", "4.1875", "3.33", "4", "1", "2", "Arial", "12", "Arial", "12"},
    {"Avery 5095 (Name Badge)", "2", "4", "3.75", "2.5", "3.375", "1.5", "1.25", "Times New Roman", "14", "Arial",
     "12"},
    {"Avery 5266/8166 (File Folder)", "2", "15", "4.03125", "0.6666667", "3.4375", "1", ".7", "Arial", "10", "Arial",
     "10"},
    {"Avery 5267/8167", "4", "20", "2.03125", ".5", "1.75", ".5", ".625", "Arial", "8", "Arial", "8"},
    {"Avery 5160/8160 (Tolvan Software)", "3", "10", "2.75", "1", "2.625", ".5", ".625", "Arial", "13", "Arial", "12"},
};

struct CellWrite {
    int slot;
    int field;
    int subEntry;
    QString text;
};

std::vector<CellWrite> FactoryWrites()
{
    std::vector<CellWrite> writes;
    for (int i = 0; i < 9; ++i) {
        const FactoryLayout& f = Factory[i];
        const int n = i + 1;
        const int slot = LayoutSlot(n);
        auto property = [&](LayoutField field, const char* text) {
            writes.push_back({slot, field, PropertiesSubEntry, QString::fromLatin1(text)});
        };
        auto font = [&](int line, FontItem item, const char* text) {
            writes.push_back({slot, FontField(line, item), FontsSubEntry, QString::fromLatin1(text)});
        };
        property(Title, f.title);
        property(Columns, f.columns);
        property(Rows, f.rows);
        property(SideToSide, f.sideToSide);
        property(TopToTop, f.topToTop);
        property(LabelWidth, f.labelWidth);
        property(LeftOffset, f.leftOffset);
        property(TopOffset, f.topOffset);
        property(Visible, "True");
        for (int line = 1; line <= 5; ++line) {
            font(line, FontName, line == 1 ? f.firstFont : f.otherFont);
            font(line, FontSize, line == 1 ? f.firstSize : f.otherSize);
        }
        if (n == 6) {
            property(Alignment, "1");
            font(1, FontBold, "1");
        }
        if (n == 9) {
            property(SeparateFonts, "1");
            property(UseDefaultText, "1");
            writes.push_back({slot, DefaultText1, PropertiesSubEntry, MakerName});
            for (int k = 0; k < 3; ++k)
                writes.push_back({slot, DefaultText1 + 1 + k, PropertiesSubEntry, MakerAddress[k]});
            font(1, FontBold, "1");
            font(1, FontColor, "8388608");
        }
    }
    return writes;
}

} // namespace

void SetFactoryLayouts()
{
    Steps step(QStringLiteral("Error setting default layouts"), Buttons::AbortRetryIgnore);
    int stepNumber = 1;
    for (int slot = FirstLayoutSlot; slot <= SpareSlot; ++slot) {
        step.setContext(slot);
        if (!step(stepNumber++, [slot] {
                for (int field = 0; field < FieldCount; ++field) {
                    LayoutData().setCell(slot, field, PropertiesSubEntry, QString());
                    LayoutData().setCell(slot, field, FontsSubEntry, QString());
                }
            }))
            return;
    }
    for (const CellWrite& w : FactoryWrites()) {
        step.setContext(w.slot, w.field, w.subEntry);
        if (!step(stepNumber++, [&w] { LayoutData().setCell(w.slot, w.field, w.subEntry, w.text); })) return;
    }
    Run().dataChanged = true;
}

void StartNewData()
{
    Steps step(QStringLiteral("Error setting default defaults"), Buttons::AbortRetryIgnore);
    if (!step(1, [] { LayoutData().erase(); })) return;
    if (!step(2, [] { SetFactoryLayouts(); })) return;
    if (!step(3, [] { Q_EMIT Run().layoutsChanged(); })) return;
    if (!step(4, [] { CountAddressEntries(); })) return;
    if (!step(5, [] { Run().setDataFileName(QString()); })) return;
    step(6, [] {
        // Forgetting the held file must also release it, or it would stay in use for other
        // copies until the program ends.
        Run().dataFileHandle.release();
        Run().settingsData[0].clear();
    });
}

} // namespace quillet
