#include "layouts/layout_editing.h"

#include "common/numbers.h"

namespace quillet {

namespace {

enum class Shape { Count, Distance, Offset };

struct Limit {
    double value;
    const char* message;
    const char* reset;
};

struct BoxRange {
    NumberBoxRule rule;
    Shape shape;
    double shownLow;
    double shownHigh;
    const char* shownDefault;
    Limit low;
    Limit high;
};

const char* const MaximumOffset = "Maximum offset is 20 inches (which is very large).";

// Each box: its control, the range shown and the default shown outside it, and the limits
// checked when it is left with their messages and reset texts.
// clang-format off
const BoxRange Ranges[NumberBoxCount] = {
    {{"ColumnsBox", "Columns of labels", Columns, SheetPage, 10}, Shape::Count, 1, 9, "1",
     {1, "Minimum number of label columns is 1", "1"},
     {9, "Maximum number of label columns is 9", "9"}},
    {{"RowsBox", "Rows of labels", Rows, SheetPage, 10}, Shape::Count, 1, 30, "1",
     {1, "Minimum number of rows is 1", "1"},
     {30, "Maximum number of rows is 30", "30"}},
    {{"WidthBox", "Side-to-side distance, inches", SideToSide, SheetPage, 10}, Shape::Distance, 0.25, 20, "1.0",
     {0.25, "Minimum label side to label side distance is .25 inch", "0.25"},
     {20, "Maximum label side to label side distance is 20 inches", "20.0"}},
    {{"HeightBox", "Top-to-top distance, inches", TopToTop, SheetPage, 10}, Shape::Distance, 0.25, 20, "1.0",
     {0.25, "Minimum 'label top' to 'label top' distance is 1/4 inch (.25)", ".25"},
     {20, "Maximum 'label top' to 'label top' distance is 20 inches", "20"}},
    {{"LabelWidthBox", "Width of one label, inches", LabelWidth, SheetPage, 0}, Shape::Distance, 1, 20, "1.0",
     {1, "Minimum label width is 1 inch", "1.0"},
     {20, "Maximum label width is 20 inches", "20"}},
    {{"PositioningBox0", "Offset to right, inches", LeftOffset, PositioningPage, 5}, Shape::Offset, -1, 20, "0",
     {-1, "Minimum left offset is negative 1 inch", "0"},
     {20, MaximumOffset, "20"}},
    {{"PositioningBox1", "Offset downward, inches", TopOffset, PositioningPage, 5}, Shape::Offset, 0, 20, "0",
     {0, "Minimum top offset is zero inches", "0"},
     {20, MaximumOffset, "20"}},
};
// clang-format on

const BoxRange& RangeOf(NumberBox box)
{
    return Ranges[static_cast<int>(box)];
}

QString Latin(const char* text)
{
    return QString::fromLatin1(text);
}

QString Quoted(const QString& title)
{
    return u'"' + title + u'"';
}

} // namespace

const NumberBoxRule& RuleOf(NumberBox box)
{
    return RangeOf(box).rule;
}

QString ShownNumberText(NumberBox box, QStringView stored)
{
    const BoxRange& r = RangeOf(box);
    const double v = ReadNumber(stored);
    if (!(v >= r.shownLow && v <= r.shownHigh)) return Latin(r.shownDefault);
    return r.shape == Shape::Count ? WholePart(v) : FormatPattern(v, u"#0.0###");
}

QString WrittenNumberText(NumberBox box, QStringView boxText)
{
    const double v = ReadNumber(boxText);
    return RangeOf(box).shape == Shape::Offset ? FormatPlain(v) : FormatShortForm(v);
}

BoxCheck CheckNumberBox(NumberBox box, QStringView boxText)
{
    const BoxRange& r = RangeOf(box);
    const double v = ReadNumber(boxText);
    BoxCheck check;
    check.page = r.rule.page;
    if (v < r.low.value || v > r.high.value) {
        const Limit& limit = v < r.low.value ? r.low : r.high;
        check.message = Latin(limit.message);
        check.text = Latin(limit.reset);
        return check;
    }
    switch (r.shape) {
    case Shape::Count:
        check.text = WholePart(v);
        break;
    case Shape::Distance:
        check.text = FormatPattern(v, u"0.0####");
        break;
    case Shape::Offset:
        check.text = FormatPattern(ReadNumber(FormatShortForm(v)), u"#0.0###");
        break;
    }
    return check;
}

QString LayoutListItemText(int layoutNumber)
{
    return QString::number(layoutNumber) + QStringLiteral(". ") + LayoutCell(layoutNumber, Title);
}

QString ClearLayoutQuestion(int layoutNumber)
{
    const QString& title = LayoutCell(layoutNumber, Title);
    if (title.isEmpty() || title == QStringLiteral(" "))
        return QStringLiteral("Clear layout #") + QString::number(layoutNumber) + u'?';
    return QStringLiteral("Clear layout ") + Quoted(title) + u'?';
}

QString CutLayoutQuestion(int layoutNumber)
{
    const QString& title = LayoutCell(layoutNumber, Title);
    return QStringLiteral("\"Cut\" layout number ") + QString::number(layoutNumber) +
           (title.isEmpty() ? QString() : QStringLiteral(" (") + Quoted(title) + u')') + QStringLiteral(" to memory?");
}

QString PasteLayoutQuestion(int layoutNumber, const LayoutRecord& clipboard)
{
    const QString& title = clipboard[Title];
    return QStringLiteral("\"Paste\" the layout in memory ") +
           (title.isEmpty() ? QString() : QStringLiteral(" (") + Quoted(title) + QStringLiteral(") ")) +
           QStringLiteral("into layout position number ") + QString::number(layoutNumber) +
           QStringLiteral(" (therefore overwriting what is there now)?");
}

LayoutRecord ReadLayoutRecord(int layoutNumber)
{
    LayoutRecord record;
    for (int i = 0; i < 2 * FieldCount; ++i)
        record[static_cast<std::size_t>(i)] =
            LayoutData().cell(LayoutSlot(layoutNumber), i % FieldCount, i / FieldCount);
    return record;
}

void WriteLayoutRecord(int layoutNumber, const LayoutRecord& record)
{
    for (int i = 0; i < 2 * FieldCount; ++i)
        LayoutData().setCell(LayoutSlot(layoutNumber), i % FieldCount, i / FieldCount,
                             record[static_cast<std::size_t>(i)]);
}

bool AnyLayoutUsable()
{
    for (int n = 1; n <= LayoutCount; ++n)
        if (LayoutIsUsable(n)) return true;
    return false;
}

FontChoice FontDialogStart(int layoutNumber, int line)
{
    FontChoice font;
    font.family = FontCell(layoutNumber, line, FontName).trimmed();
    const float size = static_cast<float>(ReadNumber(FontCell(layoutNumber, line, FontSize)));
    font.pointSize = size >= 3 && size <= 50 ? static_cast<double>(size) : 10.0;
    font.bold = IsOneFlag(FontCell(layoutNumber, line, FontBold));
    font.italic = IsOneFlag(FontCell(layoutNumber, line, FontItalic));
    font.underline = IsOneFlag(FontCell(layoutNumber, line, FontUnderline));
    const double color = ReadNumber(FontCell(layoutNumber, line, FontColor));
    font.color = color >= 0 ? static_cast<quint32>(RoundToInt32(color)) : 0;
    return font;
}

void WriteFontChoice(int layoutNumber, int line, const FontChoice& font)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QString(); };
    SetFontCell(layoutNumber, line, FontName, font.family);
    // The dialog's sizes are single precision: 10.3 is written " 10.3", not with the float's tail.
    SetFontCell(layoutNumber, line, FontSize,
                FormatShortForm(ReadNumber(FormatSingle(static_cast<float>(font.pointSize)))));
    SetFontCell(layoutNumber, line, FontBold, flag(font.bold));
    SetFontCell(layoutNumber, line, FontItalic, flag(font.italic));
    SetFontCell(layoutNumber, line, FontUnderline, flag(font.underline));
    SetFontCell(layoutNumber, line, FontColor, FormatShortForm(font.color));
}

void ResetLayoutFonts(int layoutNumber)
{
    for (int field = 0; field < FieldCount; ++field)
        LayoutData().setCell(LayoutSlot(layoutNumber), field, FontsSubEntry, QString());
    for (int line = 1; line <= 5; ++line) {
        SetFontCell(layoutNumber, line, FontName, QStringLiteral("Arial"));
        SetFontCell(layoutNumber, line, FontSize, QStringLiteral("10"));
    }
}

} // namespace quillet
