#pragma once

#include "model/layout_data.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// The catalogue of preset layouts for common Avery label sheets, without a window: the product
// numbers the presets window lists, the layout each stands for, and how its details read.
namespace quillet {

// The 47 Avery numbers, as text, in ascending order.
QStringList PresetNumbers();

// The preset for the Avery number: its properties and font records, "Avery #" + number as the
// title, visible. An empty record for a number the catalogue does not know.
LayoutRecord PresetRecord(int averyNumber);

// The nine values of the presets window's detail frame: title, columns, rows, side-to-side,
// top-to-top, label width, left offset, top offset ("2.75 inches"), alignment ("Centered"/"Left").
constexpr int PresetDetailCount = 9;
std::array<QString, PresetDetailCount> PresetDetails(const LayoutRecord& preset);

} // namespace quillet
