// Decides the encoding of any bytes, long ones included, and compares the choice with Qt's own
// UTF-8 decoder: a byte-order mark or text it decodes without error is UTF-8. Then reads every
// line and checks that none is longer than the reader keeps.
#include "fuzz_support.h"

#include "model/data_file.h"
#include "model/text_file_reader.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzz::Folder() + QStringLiteral("encoding.QX3");
    fuzz::WriteInput(path, data, size);
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    const bool utf8 = bytes.startsWith(Utf8ByteOrderMark) || !decoder.hasError();

    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) std::abort();
    TextFileReader reader(fd, true, MaxDataFileBytes);
    if ((reader.encoding() == TextEncoding::Utf8) != utf8) std::abort();
    QString line;
    qsizetype lines = 0;
    while (reader.nextLine(line)) {
        if (line.size() > TextFileReader::MaxLineChars || ++lines > qsizetype(size)) std::abort();
    }
    ::close(fd);
    return 0;
}
