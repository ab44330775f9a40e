#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text files of the program (data file, settings file) are single-byte Windows-1252 as the
// Windows program wrote them, or UTF-8 with a byte-order mark when a text holds characters
// Windows-1252 cannot carry. Readers take strictly valid UTF-8 as UTF-8 too.
namespace quillet {

enum class TextEncoding { Windows1252, Utf8 };

inline constexpr char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";

// Every byte maps to one character and back: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value.
QString FromWindows1252(QByteArrayView bytes);
// Characters that do not fit are replaced by '?'; callers test FitsWindows1252 first.
QByteArray ToWindows1252(QStringView text);
bool FitsWindows1252(QStringView text);

// Incremental strict UTF-8 check: no overlong forms, no surrogates, nothing past U+10FFFF.
class Utf8Validator {
public:
    void feed(QByteArrayView bytes);
    // True when everything fed so far is valid and no sequence is left open.
    bool valid() const { return !failed_ && pending_ == 0; }
    bool failed() const { return failed_; }

private:
    bool failed_ = false;
    int pending_ = 0;       // continuation bytes still expected
    unsigned char low_ = 0; // allowed range of the next continuation byte
    unsigned char high_ = 0;
};

// The bytes of a text to be written: Windows-1252 when every character fits and the bytes will
// read back as Windows-1252, otherwise UTF-8 after a byte-order mark. (Windows-1252 bytes that
// happen to form valid UTF-8, such as those of "Ã©", would otherwise load back as "é".)
QByteArray EncodeForFile(QStringView text);

QString DecodeText(QByteArrayView bytes, TextEncoding encoding);
QByteArray EncodeText(QStringView text, TextEncoding encoding);

} // namespace quillet
