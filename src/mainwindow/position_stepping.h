#pragma once

#include <QStringList>

#include <optional>

// The arithmetic of the first-label position: walking a sheet of `columns` x `rows` labels in
// reading order, stepping one box, and what the navigation keys mean.
namespace quillet {

struct LabelPosition {
    int column = 1;
    int row = 1;
};

// Left to right, then down; from the last label back to the first.
LabelPosition StepForward(LabelPosition position, int columns, int rows);
// Right to left, then up; from the first label to the last.
LabelPosition StepBack(LabelPosition position, int columns, int rows);

// One box on its own: value + 1 (rounded), back to 1 past `limit`.
int StepUpWithin(double value, int limit);
// value - 1 (rounded), to `limit` below 1.
int StepDownWithin(double value, int limit);

// 0-9 for a digit key of the main keyboard or the keypad.
std::optional<int> DigitOfKey(int key);
// Both minus keys (the keypad one only differs by its modifier in Qt).
bool IsMinusKey(int key);

} // namespace quillet
