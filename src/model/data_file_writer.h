#pragma once

#include <QByteArrayView>

#include <functional>

// The data file written in pieces straight from the table, so that a save of even the largest
// table needs little memory beyond the table itself.
namespace quillet {

// The write loop's counters (1-based, as in the markers); all 0 before the first cell.
struct CellCounters {
    int slot = 0;
    int field = 0;
    int subEntry = 0;
};

// Takes the next piece of the file and sets `written` to how much of it went out, also when it
// throws.
using PieceWriter = std::function<void(QByteArrayView piece, qsizetype& written)>;

// Writes the file for the current table through `write`, in pieces of about a megabyte that
// each end with a whole line. `counters` follows the cells: after a failure it names the cell
// the failure met, after success the last cell. `halfway` is called once, with about half of the
// cells written out.
void WriteDataFile(const PieceWriter& write, CellCounters& counters, const std::function<void()>& halfway = {});

} // namespace quillet
