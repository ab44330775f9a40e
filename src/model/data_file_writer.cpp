#include "model/data_file_writer.h"

#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/text_encoding.h"

#include <cstdio>
#include <vector>

namespace quillet {

namespace {

constexpr qsizetype PieceSize = 1 << 20;

template <class Visit> void ForEachCell(Visit visit)
{
    for (int slot = 0; slot < SlotCount; ++slot)
        for (int field = 0; field < FieldCount; ++field)
            for (int sub = 0; sub < SubEntryCount; ++sub) {
                const QString& value = LayoutData().cell(slot, field, sub);
                // Cells never hold line breaks; should one slip in, it must not split the line.
                if (!value.isEmpty()) visit(CellCounters{slot + 1, field + 1, sub + 1}, WithoutLineBreaks(value));
            }
}

// The file is encoded as a whole: Windows-1252 keeps it readable by older copies, unless some
// text does not fit or the bytes would read back as UTF-8 ("Ã©" is C3 A9). Lines are checked one
// by one; the markers and line ends between them are ASCII and close any UTF-8 sequence.
TextEncoding FileEncoding(int& cells)
{
    bool fits = true;
    bool ascii = true;
    Utf8Validator validator;
    cells = 0;
    ForEachCell([&](const CellCounters&, const QString& value) {
        ++cells;
        if (!fits || !FitsWindows1252(value)) {
            fits = false;
            return;
        }
        const QByteArray bytes = ToWindows1252(value);
        for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        validator.feed(bytes);
        validator.feed("\r\n");
    });
    return fits && (ascii || !validator.valid()) ? TextEncoding::Windows1252 : TextEncoding::Utf8;
}

} // namespace

void WriteDataFile(const PieceWriter& write, CellCounters& counters, const std::function<void()>& halfway)
{
    int cells = 0;
    const TextEncoding encoding = FileEncoding(cells);
    QByteArray piece;
    std::vector<std::pair<qsizetype, CellCounters>> starts; // where each cell of the piece begins
    const auto flush = [&] {
        qsizetype written = 0;
        try {
            write(piece, written);
        } catch (...) {
            counters = CellCounters();
            for (const auto& [offset, cell] : starts)
                if (offset <= written) counters = cell;
            throw;
        }
        piece.clear();
        starts.clear();
    };
    int done = 0;
    bool halfwayReached = false;
    const auto checkHalfway = [&] {
        if (halfwayReached || done < cells / 2) return;
        flush();
        halfwayReached = true;
        if (halfway) halfway();
    };

    if (encoding == TextEncoding::Utf8) piece += Utf8ByteOrderMark;
    piece += (DataFileFirstLine + QStringLiteral("\r\n") + DataFileSecondLine + QStringLiteral("\r\n")).toLatin1();
    checkHalfway();
    ForEachCell([&](const CellCounters& cell, const QString& value) {
        starts.emplace_back(piece.size(), cell);
        counters = cell;
        char marker[8];
        std::snprintf(marker, sizeof marker, "%02d%02d%d", cell.slot, cell.field, cell.subEntry);
        piece += marker;
        piece += EncodeText(value, encoding);
        piece += "\r\n";
        ++done;
        checkHalfway();
        if (piece.size() >= PieceSize) flush();
    });
    flush();
}

} // namespace quillet
