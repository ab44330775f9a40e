#pragma once

#include <QByteArray>
#include <QString>

// Reading that no file can make endless: a reader takes at most the size a regular file reports,
// refuses a file larger than the program could ever have written, and refuses a file that holds
// more than its size says (the kernel's proc files report no size and never end).
namespace quillet {

// The number of bytes a reader may take from the file open on `fd`. Throws Failure for a file
// that is not a regular file, is larger than `maxBytes`, or goes on past its reported size.
qint64 ReadableSize(int fd, qint64 maxBytes);

// pread that retries when interrupted; throws Failure when the read fails.
qsizetype ReadAt(int fd, char* data, qsizetype size, qint64 offset);

// The first offset from `offset` on that is not in a hole of a sparse file, or `limit` when only
// holes follow. Holes read as NUL bytes, which neither end a line nor start a UTF-8 sequence, so
// a reader passing over bytes it does not keep may skip them unread. Leaves the file offset alone.
qint64 NextDataOffset(int fd, qint64 offset, qint64 limit);

// The whole of a small regular file, opened so that a pipe or device under the name cannot
// block the program. Throws Failure for anything else or anything larger than `maxBytes`.
QByteArray ReadSmallFile(const QString& path, qint64 maxBytes);

} // namespace quillet
