#include "model/text_file_reader.h"

#include "common/failure.h"
#include "model/bounded_read.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quillet {

namespace {

constexpr qsizetype ChunkSize = 256 * 1024;

bool StartsWithBom(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayView(Utf8ByteOrderMark));
}

// The first line end in [start, start + size), or null.
const char* FindLineEnd(const char* start, qsizetype size)
{
    const auto* cr = static_cast<const char*>(std::memchr(start, '\r', static_cast<size_t>(size)));
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(cr ? cr - start : size)));
    return lf ? lf : cr;
}

} // namespace

TextFileReader::TextFileReader(int fd, bool detectEncoding, qint64 maxFileBytes, qint64 prefixBytes)
    : fd_(fd), limit_(ReadableSize(fd, maxFileBytes))
{
    if (prefixBytes >= 0) limit_ = std::min(limit_, prefixBytes);
    if (!detectEncoding) return;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    Utf8Validator validator;
    long long offset = 0;
    for (;;) {
        if (validator.valid()) offset = NextDataOffset(fd_, offset, limit_);
        const qsizetype n = ReadAt(fd_, chunk.data(), std::min<qint64>(chunk.size(), limit_ - offset), offset);
        if (offset == 0 && n >= 3 && std::memcmp(chunk.constData(), Utf8ByteOrderMark, 3) == 0) {
            encoding_ = TextEncoding::Utf8;
            return;
        }
        if (n == 0) break;
        validator.feed(QByteArrayView(chunk.constData(), n));
        if (validator.failed()) return;
        offset += n;
    }
    if (validator.valid()) encoding_ = TextEncoding::Utf8;
}

bool TextFileReader::fill()
{
    // A failed read leaves the reader as it was, so the caller may try again.
    // The rest of an over-long line is only searched for its end; holes hold none.
    if (lineTruncated_) offset_ = NextDataOffset(fd_, offset_, limit_);
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    const qsizetype n = ReadAt(fd_, chunk.data(), std::min<qint64>(chunk.size(), limit_ - offset_), offset_);
    chunk.resize(n);
    buffer_ = std::move(chunk);
    offset_ += n;
    pos_ = 0;
    return n > 0;
}

bool TextFileReader::nextLine(QString& line)
{
    // The line in progress lives in members, so a retry after a failed read goes on with it.
    QByteArray& bytes = line_;
    bool& any = lineStarted_;
    bool& truncated = lineTruncated_;
    for (;;) {
        if (pos_ >= buffer_.size() && !fill()) break;
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (buffer_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        any = true;
        const char* start = buffer_.constData() + pos_;
        const qsizetype available = buffer_.size() - pos_;
        const char* end = FindLineEnd(start, available);
        const qsizetype length = end ? end - start : available;
        const qsizetype kept = keepable(start, length);
        if (length > kept) truncated = true;
        bytes.append(start, kept);
        pos_ += length;
        if (length < available) {
            skipLineFeed_ = start[length] == '\r';
            ++pos_;
            break;
        }
    }
    if (!any) return false;
    line = decode(bytes, truncated);
    bytes.clear();
    lineChars_ = 0;
    any = false;
    truncated = false;
    return true;
}

qsizetype TextFileReader::keepable(const char* data, qsizetype length)
{
    if (lineTruncated_) return 0;
    const qsizetype room = std::min(length, MaxLineBytes - line_.size());
    // A Windows-1252 line needs no more bytes than the characters it keeps.
    if (encoding_ == TextEncoding::Windows1252) return std::min(room, MaxLineChars - line_.size());
    // In UTF-8 every byte but a continuation byte starts a character; a started one is kept whole.
    qsizetype kept = 0;
    for (; kept < room; ++kept) {
        const bool starts = (static_cast<unsigned char>(data[kept]) & 0xC0) != 0x80;
        if (starts && lineChars_ == MaxLineChars) break;
        if (starts) ++lineChars_;
    }
    return kept;
}

QString TextFileReader::decode(QByteArray& bytes, bool truncated)
{
    if (firstLine_) {
        firstLine_ = false;
        if (StartsWithBom(bytes)) bytes.remove(0, 3);
    }
    if (truncated && encoding_ == TextEncoding::Utf8) {
        // Drop a character cut in half by the byte limit.
        qsizetype lead = bytes.size();
        while (lead > 0 && lead > bytes.size() - 4 && (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80)
            --lead;
        if (lead > 0) {
            const auto b = static_cast<unsigned char>(bytes[lead - 1]);
            const qsizetype need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            if (bytes.size() - (lead - 1) < need) bytes.truncate(lead - 1);
        }
    }
    QString text = DecodeText(bytes, encoding_);
    if (text.size() > MaxLineChars) {
        text.truncate(MaxLineChars);
        if (text.back().isHighSurrogate()) text.chop(1);
    }
    return text;
}

} // namespace quillet
