#include "mainwindow/position_stepping.h"

#include "common/numbers.h"

#include <algorithm>

namespace quillet {

LabelPosition StepForward(LabelPosition p, int columns, int rows)
{
    p.column += 1;
    if (p.column > columns) {
        p.column = 1;
        p.row += 1;
    }
    if (p.row > rows) p.row = 1;
    p.column = std::max(p.column, 1);
    p.row = std::max(p.row, 1);
    return p;
}

LabelPosition StepBack(LabelPosition p, int columns, int rows)
{
    p.column -= 1;
    if (p.column < 1) {
        p.column = columns;
        p.row -= 1;
    }
    if (p.row < 1) p.row = rows;
    p.column = std::max(p.column, 1);
    p.row = std::max(p.row, 1);
    return p;
}

int StepUpWithin(double value, int limit)
{
    const int next = RoundToInt32(value + 1);
    return next > limit ? 1 : next;
}

int StepDownWithin(double value, int limit)
{
    const int next = RoundToInt32(value - 1);
    return next >= 1 ? next : limit;
}

std::optional<int> DigitOfKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
    return std::nullopt;
}

bool IsMinusKey(int key)
{
    return key == Qt::Key_Minus;
}

} // namespace quillet
