// Loads any bytes as a data file, then checks that what the writer makes of the table loads
// back into the same table.
#include "fuzz_support.h"

#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/run_state.h"

#include <array>
#include <cstdlib>
#include <memory>

using namespace quillet;

namespace {

std::unique_ptr<std::array<QString, SlotCount * FieldCount * SubEntryCount>> Snapshot()
{
    auto copy = std::make_unique<std::array<QString, SlotCount * FieldCount * SubEntryCount>>();
    std::size_t i = 0;
    for (int s = 0; s < SlotCount; ++s)
        for (int f = 0; f < FieldCount; ++f)
            for (int e = 0; e < SubEntryCount; ++e) (*copy)[i++] = LayoutData().cell(s, f, e);
    return copy;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Dialogs();
    const QString path = fuzz::Folder() + QStringLiteral("input.QX3");
    fuzz::WriteInput(path, data, size);
    CheckDataFileHeader(path, false);
    const int result = LoadDataFile(path, size > 0 && (data[0] & 1));
    Run().dataFileHandle.release();
    if (result != LoadResult::Loaded) return 0;

    const auto loaded = Snapshot();
    const QByteArray written = DataFileContent();
    fuzz::WriteInput(path, reinterpret_cast<const std::uint8_t*>(written.constData()),
                     static_cast<std::size_t>(written.size()));
    if (LoadDataFile(path, false) != LoadResult::Loaded) std::abort();
    Run().dataFileHandle.release();
    if (*Snapshot() != *loaded) std::abort();
    return 0;
}
