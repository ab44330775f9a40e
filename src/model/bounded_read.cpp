#include "model/bounded_read.h"

#include "common/failure.h"
#include "model/data_file_lock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

qint64 ReadableSize(int fd, qint64 maxBytes)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0) throw Failure::fromErrno(errno);
    if (S_ISDIR(info.st_mode)) throw Failure::fromErrno(EISDIR);
    if (!S_ISREG(info.st_mode))
        throw Failure(EINVAL, QStringLiteral("Not a regular file (a device, pipe or socket); it was not read"));
    if (info.st_size > maxBytes)
        throw Failure(EFBIG, QStringLiteral("The file is larger than any file Quillet writes (%1 bytes, at most %2); "
                                            "it was not read")
                                 .arg(info.st_size)
                                 .arg(maxBytes));
    // Eight bytes, as some of the kernel's files refuse smaller reads.
    char probe[8];
    if (ReadAt(fd, probe, sizeof probe, info.st_size) != 0)
        throw Failure(EFBIG, QStringLiteral("The file holds more than its size says (a system file without end); it "
                                            "was not read"));
    return info.st_size;
}

qsizetype ReadAt(int fd, char* data, qsizetype size, qint64 offset)
{
    for (;;) {
        const ssize_t n = ::pread(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (n >= 0) return n;
        if (errno != EINTR) throw Failure::fromErrno(errno);
    }
}

qint64 NextDataOffset(int fd, qint64 offset, qint64 limit)
{
    const off_t current = ::lseek(fd, 0, SEEK_CUR);
    const off_t next = ::lseek(fd, static_cast<off_t>(offset), SEEK_DATA);
    const int error = errno;
    if (current >= 0) ::lseek(fd, current, SEEK_SET);
    if (next < 0) return error == ENXIO ? limit : offset; // ENXIO: nothing but holes up to the end
    return std::min<qint64>(next, limit);
}

QByteArray ReadSmallFile(const QString& path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0')) throw Failure::fromErrno(ENOENT);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) throw Failure::fromErrno(errno);
    const UniqueFd file(fd);
    QByteArray bytes(ReadableSize(fd, maxBytes), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qsizetype n = ReadAt(fd, bytes.data() + done, bytes.size() - done, done);
        if (n == 0) break; // the file shrank meanwhile
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

} // namespace quillet
