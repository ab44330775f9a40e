#pragma once

#include <QString>
#include <QStringView>

#include <array>

// LayoutData: the one table of the program. 42 slots x 30 fields x 7 sub-entries of single-line
// text. Slots 0-25 are the address book (tab "A" + slot, record = field + 1), slots 29-40 the
// layouts 1-12, slots 26-28 and 41 spare. Every window reads and writes this table directly.
namespace quillet {

constexpr int SlotCount = 42;
constexpr int FieldCount = 30;
constexpr int SubEntryCount = 7;

class LayoutTable {
public:
    // Indexes outside the table are a programming error; they throw Failure(SubscriptOutOfRange).
    const QString& cell(int slot, int field, int subEntry) const;
    // Line breaks never enter a cell: CR, LF and the other line separators are removed.
    void setCell(int slot, int field, int subEntry, const QString& text);
    void erase();

private:
    static int index(int slot, int field, int subEntry);
    std::array<QString, SlotCount * FieldCount * SubEntryCount> cells_;
};

// The run's table, kept by the run state (model/run_state.h).
LayoutTable& LayoutData();

// Removes CR, LF and the other Unicode line and paragraph separators.
QString WithoutLineBreaks(const QString& text);

// ---- Address book region -------------------------------------------------------------------
constexpr int TabCount = 26;
constexpr int RecordsPerTab = 30;

enum RecordItem { Line1 = 0, Line2, Line3, Line4, Line5, Line6, Selected = 6 };

// tab 0-25 ("A"-"Z"), record 0-29.
inline const QString& RecordCell(int tab, int record, RecordItem item)
{
    return LayoutData().cell(tab, record, item);
}

// A record exists when one of Line1-Line6, leading spaces removed, is not empty.
bool RecordExists(int tab, int record);
// Exists and its Selected cell is exactly "True".
bool RecordIsSelected(int tab, int record);

// Text with leading spaces removed is empty.
bool IsBlankText(QStringView text);

// ---- Layout region ------------------------------------------------------------------------
constexpr int LayoutCount = 12;
constexpr int FirstLayoutSlot = 29;
constexpr int SpareSlot = 41;

// Layout number n (1-12) lives in slot n + 28.
constexpr int LayoutSlot(int layoutNumber)
{
    return layoutNumber + 28;
}

// Sub-entry 0 of a layout slot: its properties.
enum LayoutField {
    Title = 0,
    Columns = 2,
    Rows = 3,
    SideToSide = 4,
    TopToTop = 5,
    LabelWidth = 6,
    SeparateFonts = 7,
    UseDefaultText = 8,
    DefaultText1 = 9, // to DefaultText5 = 13
    LeftOffset = 21,
    TopOffset = 22,
    Alignment = 25,
    Visible = 29,
};

// Sub-entry 1: five font records of six cells, line k (1-5) at fields 6(k-1) to 6(k-1)+5.
enum FontItem { FontName = 0, FontSize, FontBold, FontItalic, FontUnderline, FontColor };

constexpr int PropertiesSubEntry = 0;
constexpr int FontsSubEntry = 1;

constexpr int FontField(int line, FontItem item)
{
    return 6 * (line - 1) + item;
}

inline const QString& LayoutCell(int layoutNumber, LayoutField field)
{
    return LayoutData().cell(LayoutSlot(layoutNumber), field, PropertiesSubEntry);
}

inline void SetLayoutCell(int layoutNumber, LayoutField field, const QString& text)
{
    LayoutData().setCell(LayoutSlot(layoutNumber), field, PropertiesSubEntry, text);
}

inline const QString& FontCell(int layoutNumber, int line, FontItem item)
{
    return LayoutData().cell(LayoutSlot(layoutNumber), FontField(line, item), FontsSubEntry);
}

inline void SetFontCell(int layoutNumber, int line, FontItem item, const QString& text)
{
    LayoutData().setCell(LayoutSlot(layoutNumber), FontField(line, item), FontsSubEntry, text);
}

// One layout as a whole: fields 0-29 of its properties, then fields 0-29 of its font records.
using LayoutRecord = std::array<QString, 2 * FieldCount>;

// A layout is usable when its title is not blank and Visible is exactly "True".
bool LayoutIsUsable(int layoutNumber);

} // namespace quillet
