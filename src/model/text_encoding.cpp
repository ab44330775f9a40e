#include "model/text_encoding.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace quillet {

namespace {

// Windows-1252 bytes 0x80-0x9F; the undefined ones keep their own value.
constexpr char16_t High1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a character, or -1 when Windows-1252 has none.
int ByteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (High1252[i] == c) return 0x80 + i;
    return -1;
}

} // namespace

QString FromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(b >= 0x80 && b < 0xA0 ? High1252[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray ToWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = ByteFor(text[i].unicode());
        out[i] = static_cast<char>(b < 0 ? '?' : b);
    }
    return bytes;
}

bool FitsWindows1252(QStringView text)
{
    for (QChar c : text)
        if (ByteFor(c.unicode()) < 0) return false;
    return true;
}

void Utf8Validator::feed(QByteArrayView bytes)
{
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (failed_) return;
        // Plain ASCII, the bulk of any file, is passed over eight bytes at a time.
        while (pending_ == 0 && size - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            if (word & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i == size) return;
        const auto b = static_cast<unsigned char>(data[i]);
        if (pending_ > 0) {
            if (b < low_ || b > high_) {
                failed_ = true;
                return;
            }
            low_ = 0x80;
            high_ = 0xBF;
            --pending_;
            continue;
        }
        if (b < 0x80) continue;
        low_ = 0x80;
        high_ = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            pending_ = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            pending_ = 2;
            if (b == 0xE0) low_ = 0xA0;  // overlong
            if (b == 0xED) high_ = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            pending_ = 3;
            if (b == 0xF0) low_ = 0x90;  // overlong
            if (b == 0xF4) high_ = 0x8F; // past U+10FFFF
        } else {
            failed_ = true;
        }
    }
}

QByteArray EncodeForFile(QStringView text)
{
    if (FitsWindows1252(text)) {
        QByteArray bytes = ToWindows1252(text);
        bool ascii = true;
        for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        Utf8Validator validator;
        validator.feed(bytes);
        if (ascii || !validator.valid()) return bytes;
    }
    return QByteArray(Utf8ByteOrderMark) + text.toUtf8();
}

QString DecodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252) return FromWindows1252(bytes);
    // A byte-order mark inside a cell is text; the file's own mark is removed by the reader.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QByteArray EncodeText(QStringView text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252) return ToWindows1252(text);
    return text.toUtf8();
}

} // namespace quillet
