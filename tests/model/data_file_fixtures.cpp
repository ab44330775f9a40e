#include "data_file_fixtures.h"

#include "model/layout_data.h"
#include "model/run_state.h"

namespace quillet::test {

void FillRichDataSet(bool beyond1252)
{
    LayoutData().erase();
    for (int tab = 0; tab < TabCount; ++tab) {
        for (int record : {0, 17, 29}) {
            LayoutData().setCell(tab, record, Line1, QStringLiteral("%1 Person %2").arg(QChar(u'A' + tab)).arg(record));
            LayoutData().setCell(tab, record, Line2, QStringLiteral("  %1 Main Street").arg(record + 100));
            LayoutData().setCell(tab, record, Line5,
                                 QStringLiteral("Zürich · Müller € ‘quoted’") +
                                     (beyond1252 ? QStringLiteral(" Dvořák ş") : QString()));
            if (record == 17) LayoutData().setCell(tab, record, Selected, QStringLiteral("True"));
        }
    }
    for (int n = 1; n <= LayoutCount; ++n) {
        SetLayoutCell(n, Title, QStringLiteral("Layout %1").arg(n));
        SetLayoutCell(n, Columns, QStringLiteral(" %1").arg(n % 9 + 1));
        SetFontCell(n, 5, FontColor, QStringLiteral("8388608"));
        LayoutData().setCell(LayoutSlot(n), 14, 0, QStringLiteral("unused field"));
    }
    for (int slot : {26, 27, 28, 41}) LayoutData().setCell(slot, 29, 6, QStringLiteral("   spare %1 ÿ").arg(slot));
    LayoutData().setCell(41, 0, 0, QStringLiteral("\u00A0nbsp\u0081\u009D"));
}

std::vector<QString> TableSnapshot()
{
    std::vector<QString> cells;
    for (int s = 0; s < SlotCount; ++s)
        for (int f = 0; f < FieldCount; ++f)
            for (int e = 0; e < SubEntryCount; ++e) cells.push_back(LayoutData().cell(s, f, e));
    return cells;
}

} // namespace quillet::test
