#include "layouts/font_sample_drawing.h"

#include "common/numbers.h"
#include "model/layout_data.h"
#include "printing/drawing_surface.h"

#include <cmath>

namespace quillet {

namespace {

constexpr double Margin = 100; // twips, left of and above the text
// Sizes beyond this would make a window many screens large.
constexpr double LargestSize = 1000;

const std::array<QString, 5> SampleAddress = {
    QStringLiteral("Ms. Harriet Quill"), QStringLiteral("The Riverside Courier"), QStringLiteral("214 Lantern Lane"),
    QStringLiteral("Fairview, OR 97301-4417"), QStringLiteral("United States")};

// The printed line's font, but the sample shows every size it can, not only the printable ones.
void ApplySampleFont(DrawingSurface& surface, const LineEntry& line)
{
    ApplyLineFont(surface, line);
    surface.setFontSize(FontSampleSize(line.fontSize));
}

} // namespace

std::array<QString, 5> FontSampleText(int layoutNumber)
{
    std::array<QString, 5> text;
    bool anyFilled = false;
    for (int k = 0; k < 5; ++k) {
        text[static_cast<std::size_t>(k)] = LayoutCell(layoutNumber, static_cast<LayoutField>(DefaultText1 + k));
        anyFilled = anyFilled || !text[static_cast<std::size_t>(k)].isEmpty();
    }
    return IsOneFlag(LayoutCell(layoutNumber, UseDefaultText)) && anyFilled ? text : SampleAddress;
}

LineTable FontSampleLines(int layoutNumber)
{
    LineTable lines;
    FillLineFonts(lines, layoutNumber);
    const std::array<QString, 5> text = FontSampleText(layoutNumber);
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i].text = text[i];
    return lines;
}

float FontSampleSize(double stored)
{
    return stored > 0 && stored <= LargestSize ? static_cast<float>(stored) : 10.0f;
}

FontSampleExtent DrawFontSample(DrawingSurface& surface, const LineTable& lines, bool centred)
{
    surface.setUnit(DrawingSurface::Unit::Twips);
    FontSampleExtent extent;
    int halfWidest = 0;
    for (const bool drawing : {false, true}) {
        surface.currentY = Margin;
        extent.widestLine = 0;
        for (const LineEntry& line : lines) {
            ApplySampleFont(surface, line);
            const double height = surface.textHeight(QStringLiteral("X"));
            extent.totalHeight += height;
            const int width = RoundToInt32(surface.textWidth(line.text));
            if (drawing) {
                surface.currentX = centred ? halfWidest + Margin - width / 2.0 : Margin;
                surface.drawText(line.text);
                surface.currentY += height;
            }
            if (width > extent.widestLine) extent.widestLine = width;
        }
        halfWidest = RoundToInt32(extent.widestLine / 2.0);
    }
    return extent;
}

} // namespace quillet
