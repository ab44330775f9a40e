// Runs the header check on any bytes, long ones included, and compares its answer with the
// rule written out plainly: the second line of the file's start, in any case, is the header.
#include "fuzz_support.h"

#include "model/data_file.h"
#include "model/run_state.h"

#include <cstdlib>
#include <cstring>

using namespace quillet;

namespace {

int ExpectedResult(const char* data, std::size_t size)
{
    size = std::min<std::size_t>(size, HeaderCheckBytes);
    std::size_t end = 0;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    if (end == size) return HeaderCheck::Invalid; // no second line
    std::size_t start = end + 1;
    if (data[end] == '\r' && start < size && data[start] == '\n') ++start;
    if (start == size) return HeaderCheck::Invalid;
    end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    const QByteArray header = DataFileSecondLine.toLatin1();
    if (end - start != std::size_t(header.size())) return HeaderCheck::Invalid;
    for (qsizetype i = 0; i < header.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(data[start + i])) != std::toupper(header[i]))
            return HeaderCheck::Invalid;
    return HeaderCheck::Valid;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Dialogs();
    const QString path = fuzz::Folder() + QStringLiteral("header.QX3");
    fuzz::WriteInput(path, data, size);
    const int result = CheckDataFileHeader(path, size > 0 && (data[0] & 1));
    if (result != ExpectedResult(reinterpret_cast<const char*>(data), size)) std::abort();
    return 0;
}
