#include "model/layout_data.h"

#include "common/failure.h"
#include "common/numbers.h"

namespace quillet {

int LayoutTable::index(int slot, int field, int subEntry)
{
    if (slot < 0 || slot >= SlotCount || field < 0 || field >= FieldCount || subEntry < 0 || subEntry >= SubEntryCount)
        throw Failure(FailureNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return (slot * FieldCount + field) * SubEntryCount + subEntry;
}

const QString& LayoutTable::cell(int slot, int field, int subEntry) const
{
    return cells_[static_cast<std::size_t>(index(slot, field, subEntry))];
}

void LayoutTable::setCell(int slot, int field, int subEntry, const QString& text)
{
    cells_[static_cast<std::size_t>(index(slot, field, subEntry))] = WithoutLineBreaks(text);
}

void LayoutTable::erase()
{
    for (QString& c : cells_) c.clear();
}

namespace {
bool IsLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\r' || u == u'\n' || u == 0x0B || u == 0x0C || u == 0x85 || u == 0x2028 || u == 0x2029;
}
} // namespace

QString WithoutLineBreaks(const QString& text)
{
    for (QChar c : text) {
        if (IsLineBreak(c)) {
            QString cleaned;
            cleaned.reserve(text.size());
            for (QChar d : text)
                if (!IsLineBreak(d)) cleaned.append(d);
            return cleaned;
        }
    }
    return text;
}

bool IsBlankText(QStringView text)
{
    for (QChar c : text)
        if (c != u' ') return false;
    return true;
}

bool RecordExists(int tab, int record)
{
    for (int line = Line1; line <= Line6; ++line)
        if (!IsBlankText(LayoutData().cell(tab, record, line))) return true;
    return false;
}

bool RecordIsSelected(int tab, int record)
{
    return RecordExists(tab, record) && IsTrueFlag(LayoutData().cell(tab, record, Selected));
}

bool LayoutIsUsable(int layoutNumber)
{
    return !IsBlankText(LayoutCell(layoutNumber, Title)) && IsTrueFlag(LayoutCell(layoutNumber, Visible));
}

} // namespace quillet
