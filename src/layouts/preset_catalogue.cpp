#include "layouts/preset_catalogue.h"

#include "common/numbers.h"

namespace quillet {

namespace {

// One sheet design shared by a group of Avery products. Texts exactly as the presets have always
// been written (".70" and ".69" included); every field not named here stays empty.
struct PresetDefinition {
    const char* numbers; // the Avery numbers, separated by blanks
    const char* columns;
    const char* rows;
    const char* sideToSide;
    const char* topToTop;
    const char* labelWidth;
    const char* leftOffset;
    const char* topOffset;
    const char* alignment;
    const char* firstFont;
    const char* firstSize;
    const char* otherFont; // lines 2 to 5
    const char* otherSize;
};

// clang-format off
const PresetDefinition Catalogue[] = {
    {"5267 5667 8167 8667 8927",
     "4", "20", "2.03125", ".5", "1.75", ".5", ".625", "", "Arial", "8", "Arial", "8"},
    {"5160 5260 5970 5971 5972 5980 5982 5983 6460 8160 8460 8660 8920 8930",
     "3", "10", "2.75", "1", "2.625", ".5", ".625", "", "Arial", "10", "Arial", "10"},
    {"5161 5261 8161",
     "2", "10", "4.1875", "1", "4", ".75", ".7", "", "Arial", "10", "Arial", "10"},
    {"5162 5262 8162 8462 8662 8922 8932",
     "2", "7", "4.1875", "1.3333", "4", "1", "1.125", "", "Arial", "10", "Arial", "10"},
    {"5163 8163 8463 8663 8923",
     "2", "5", "4.16", "2", "4", ".75", ".75", "", "Arial", "10", "Arial", "10"},
    {"5164 6464 8164",
     "2", "3", "4.1875", "3.33", "4", "1", "2", "", "Arial", "12", "Arial", "12"},
    {"5066 5266 5366 5866 5966 8166 8366",
     "2", "15", "4.03125", "0.6666667", "3.4375", "1", ".70", "", "Arial", "10", "Arial", "10"},
    {"5095 5395 5895",
     "2", "4", "3.75", "2.5", "3.375", ".69", "1.25", "1", "Times New Roman", "14", "Arial", "12"},
};
// clang-format on

QStringList NumbersOf(const PresetDefinition& d)
{
    return QString::fromLatin1(d.numbers).split(u' ');
}

QString Text(const char* text)
{
    return QString::fromLatin1(text);
}

QString Inches(const QString& stored)
{
    return FormatPattern(ReadNumber(stored), u"#0.0###") + QStringLiteral(" inches");
}

} // namespace

QStringList PresetNumbers()
{
    QStringList all;
    for (const PresetDefinition& d : Catalogue) all << NumbersOf(d);
    // All four digits long: text order is number order.
    all.sort();
    return all;
}

LayoutRecord PresetRecord(int averyNumber)
{
    LayoutRecord record;
    for (const PresetDefinition& d : Catalogue) {
        if (!NumbersOf(d).contains(QString::number(averyNumber))) continue;
        record[Title] = QStringLiteral("Avery #") + QString::number(averyNumber);
        record[Columns] = Text(d.columns);
        record[Rows] = Text(d.rows);
        record[SideToSide] = Text(d.sideToSide);
        record[TopToTop] = Text(d.topToTop);
        record[LabelWidth] = Text(d.labelWidth);
        record[LeftOffset] = Text(d.leftOffset);
        record[TopOffset] = Text(d.topOffset);
        record[Alignment] = Text(d.alignment);
        record[Visible] = QStringLiteral("True");
        for (int line = 1; line <= 5; ++line) {
            const auto font = static_cast<std::size_t>(FieldCount + FontField(line, FontName));
            record[font] = Text(line == 1 ? d.firstFont : d.otherFont);
            record[font + FontSize] = Text(line == 1 ? d.firstSize : d.otherSize);
        }
    }
    return record;
}

std::array<QString, PresetDetailCount> PresetDetails(const LayoutRecord& preset)
{
    return {preset[Title],
            FormatPlain(ReadNumber(preset[Columns])),
            FormatPlain(ReadNumber(preset[Rows])),
            Inches(preset[SideToSide]),
            Inches(preset[TopToTop]),
            Inches(preset[LabelWidth]),
            Inches(preset[LeftOffset]),
            Inches(preset[TopOffset]),
            IsOneFlag(preset[Alignment]) ? QStringLiteral("Centered") : QStringLiteral("Left")};
}

} // namespace quillet
