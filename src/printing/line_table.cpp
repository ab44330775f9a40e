#include "printing/line_table.h"

#include "common/numbers.h"
#include "model/layout_data.h"
#include "printing/drawing_surface.h"
#include "printing/sheet_geometry.h"

namespace quillet {

void FillLineFonts(LineTable& lines, int layoutNumber)
{
    const bool separate = IsOneFlag(LayoutCell(layoutNumber, SeparateFonts));
    for (int i = 1; i <= 5; ++i) {
        const int source = separate ? i : 1;
        LineEntry& line = lines[static_cast<std::size_t>(i - 1)];
        line.fontName = FontCell(layoutNumber, source, FontName);
        line.fontSize = ReadNumber(FontCell(layoutNumber, source, FontSize));
        line.bold = IsOneFlag(FontCell(layoutNumber, source, FontBold));
        line.italic = IsOneFlag(FontCell(layoutNumber, source, FontItalic));
        line.underline = IsOneFlag(FontCell(layoutNumber, source, FontUnderline));
        line.color = static_cast<std::uint32_t>(RoundToInt32(ReadNumber(FontCell(layoutNumber, source, FontColor))));
    }
}

void ApplyLineFont(DrawingSurface& surface, const LineEntry& line)
{
    surface.setFontName(line.fontName);
    if (line.fontSize >= 3 && line.fontSize <= 50) surface.setFontSize(static_cast<float>(line.fontSize));
    surface.setFontBold(line.bold);
    surface.setFontItalic(line.italic);
    surface.setFontUnderline(line.underline);
    surface.setForeColor(line.color);
}

void ComputeCentreOffsets(DrawingSurface& surface, LineTable& lines, const SheetGeometry& sheet)
{
    for (LineEntry& line : lines) {
        if (!sheet.Centred) {
            line.centreOffset = 0;
            continue;
        }
        ApplyLineFont(surface, line);
        const float width = static_cast<float>(surface.textWidth(line.text));
        line.centreOffset = sheet.LabelWidth / 2 - width / 2;
    }
}

} // namespace quillet
