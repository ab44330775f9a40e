#pragma once

#include "model/text_encoding.h"

#include <QByteArray>
#include <QString>

namespace quillet {

// Reads the lines of a text file from a descriptor, whatever the file holds: lines end with
// CR LF, LF or CR; a line keeps at most its first MaxLineChars characters and the rest is
// skipped, so no file can make the reader hold more than one such line at a time. The limit is
// in characters: a line the writer makes of a kept line (even in UTF-8, up to four bytes a
// character) always reads back whole.
// Reads with pread from the start of the file and leaves the descriptor's offset alone, and never
// more than the file's size (model/bounded_read.h), so an endless file reads as refused.
class TextFileReader {
public:
    static constexpr qsizetype MaxLineChars = 64 * 1024;
    static constexpr qsizetype MaxLineBytes = 4 * MaxLineChars + 16;

    // With `detectEncoding` the file is read once to tell UTF-8 (a byte-order mark, or strictly
    // valid UTF-8) from Windows-1252. Without it lines are read as Windows-1252. A file larger
    // than `maxFileBytes` is refused (throws Failure) before anything is read; with
    // `prefixBytes` only that many bytes from the start are read.
    TextFileReader(int fd, bool detectEncoding, qint64 maxFileBytes, qint64 prefixBytes = -1);

    // False at the end of the file. Throws Failure when reading fails.
    bool nextLine(QString& line);
    TextEncoding encoding() const { return encoding_; }

private:
    bool fill();
    // How many of `length` bytes the line in progress keeps, up to MaxLineChars characters.
    qsizetype keepable(const char* data, qsizetype length);
    QString decode(QByteArray& bytes, bool truncated);

    int fd_;
    TextEncoding encoding_ = TextEncoding::Windows1252;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    long long offset_ = 0;
    qint64 limit_ = 0;
    bool skipLineFeed_ = false;
    bool firstLine_ = true;
    QByteArray line_;
    bool lineStarted_ = false;
    bool lineTruncated_ = false;
    qsizetype lineChars_ = 0; // characters begun in line_ (UTF-8)
};

} // namespace quillet
