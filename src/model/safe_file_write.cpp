#include "model/safe_file_write.h"

#include "common/failure.h"
#include "model/save_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

WriteFunction writeFunction = nullptr;

} // namespace

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SetWriteFunctionForTesting(WriteFunction function)
{
    writeFunction = function;
}

void WriteAll(int fd, QByteArrayView bytes, qsizetype& written)
{
    written = 0;
    while (written < bytes.size()) {
        const size_t want = static_cast<size_t>(std::min<qsizetype>(bytes.size() - written, 1 << 20));
        const ssize_t n =
            writeFunction ? writeFunction(fd, bytes.data() + written, want) : ::write(fd, bytes.data() + written, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Failure::fromErrno(errno);
        }
        if (n == 0) throw Failure::fromErrno(ENOSPC);
        written += n;
    }
}

UniqueFd CreateTempFileBeside(const QString& path, QString& tempPath)
{
    const QFileInfo info(path);
    QByteArray pattern =
        NativePath(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".saving-XXXXXX"));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) throw Failure::fromErrno(errno);
    UniqueFd file(fd);
    tempPath = QFile::decodeName(pattern);
    try {
        struct stat old {};
        if (::stat(NativePath(path).constData(), &old) == 0)
            KeepOwnerAndMode(fd, old);
        else if (::fchmod(fd, NewFileMode()) != 0)
            throw Failure::fromErrno(errno);
        if (!TakeEditorLock(fd)) throw Failure::fromErrno(errno ? errno : EAGAIN);
    } catch (...) {
        RemoveFileQuietly(tempPath);
        throw;
    }
    return file;
}

void RemoveAbandonedTempFiles(const QString& path)
{
    const QFileInfo info(path);
    const QStringList names = QDir(info.absolutePath())
                                  .entryList({u'.' + info.fileName() + QStringLiteral(".saving-??????")},
                                             QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString temp = info.absolutePath() + u'/' + name;
        const int fd = ::open(QFile::encodeName(temp).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (fd < 0) continue;
        UniqueFd file(fd);
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && TakeEditorLock(fd) && SameFile(fd, temp))
            RemoveFileQuietly(temp);
    }
}

void SyncFile(int fd)
{
    if (::fsync(fd) != 0) throw Failure::fromErrno(errno);
}

void SyncFolderOf(const QString& path)
{
    const QByteArray folder = NativePath(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw Failure::fromErrno(errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder; the rename is still in place.
    if (result != 0 && error != EINVAL && error != EROFS) throw Failure::fromErrno(error);
}

void RenameFile(const QString& from, const QString& to)
{
    if (::rename(NativePath(from).constData(), NativePath(to).constData()) != 0) throw Failure::fromErrno(errno);
}

void RemoveFileQuietly(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (!name.isEmpty()) ::unlink(name.constData());
}

QString ResolveSaveTarget(const QString& path)
{
    const QByteArray name = NativePath(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(name.constData(), resolved)) return QFile::decodeName(resolved);
    }
    return path;
}

void WriteFileSafely(const QString& path, QByteArrayView bytes)
{
    const QString target = ResolveSaveTarget(path);
    CheckSaveTarget(target);
    QString tempPath;
    UniqueFd temp = CreateTempFileBeside(target, tempPath);
    try {
        qsizetype written = 0;
        WriteAll(temp.get(), bytes, written);
        SyncFile(temp.get());
        RenameFile(tempPath, target);
    } catch (...) {
        RemoveFileQuietly(tempPath);
        throw;
    }
    temp.reset();
    SyncFolderOf(target);
}

} // namespace quillet
