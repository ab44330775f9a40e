#include "model/data_file_lock.h"

#include "common/failure.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) reset(other.release());
    return *this;
}

int UniqueFd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd)
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

namespace {

enum class LockAttempt { Taken, Refused, Unsupported };

LockAttempt SetLock(int fd, short type, long long byte)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return LockAttempt::Taken;
    const int error = errno;
    if (error == EAGAIN || error == EACCES) return LockAttempt::Refused;
    // A file system without locks cannot keep copies apart; the file is used unshared.
    if (error == ENOLCK || error == EOPNOTSUPP) return LockAttempt::Unsupported;
    throw Failure::fromErrno(error);
}

// True when somebody else holds a lock on `byte` that a write lock would meet.
bool SomebodyHolds(int fd, long long byte)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &lock) != 0) {
        const int error = errno;
        if (error == ENOLCK || error == EOPNOTSUPP) return false;
        throw Failure::fromErrno(error);
    }
    return lock.l_type != F_UNLCK;
}

bool Lock(int fd, ShareMode mode, bool writable)
{
    switch (mode) {
    case ShareMode::Editor:
        // A file we may not write can only be read-locked; that still keeps editors out.
        return SetLock(fd, writable ? F_WRLCK : F_RDLCK, EditorLockByte) != LockAttempt::Refused;
    case ShareMode::Reader:
        return SetLock(fd, F_RDLCK, ReaderLockByte) != LockAttempt::Refused;
    case ShareMode::Exclusive:
        // A test is enough: the check closes the file again at once.
        return !SomebodyHolds(fd, EditorLockByte) && !SomebodyHolds(fd, ReaderLockByte);
    }
    return false;
}

UniqueFd OpenFile(const QByteArray& name, int flags)
{
    for (;;) {
        // Non-blocking so that a pipe or device under the name cannot hang the program.
        const int fd = ::open(name.constData(), flags | O_CLOEXEC | O_NONBLOCK);
        if (fd >= 0) return UniqueFd(fd);
        if (errno != EINTR) throw Failure::fromErrno(errno);
    }
}

} // namespace

bool SameFile(int fd, const QString& path)
{
    struct stat byFd {};
    struct stat byPath {};
    if (::fstat(fd, &byFd) != 0) throw Failure::fromErrno(errno);
    if (::stat(QFile::encodeName(path).constData(), &byPath) != 0) return false;
    return byFd.st_dev == byPath.st_dev && byFd.st_ino == byPath.st_ino;
}

SharedOpen OpenShared(const QString& path, ShareMode mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.contains('\0')) throw Failure::fromErrno(EINVAL);
    // A save by another copy may replace the file between our open and our lock; open again.
    for (int attempt = 0; attempt < 50; ++attempt) {
        SharedOpen result;
        if (mode == ShareMode::Reader) {
            result.fd = OpenFile(name, O_RDONLY);
        } else {
            try {
                result.fd = OpenFile(name, O_RDWR);
                result.writable = true;
            } catch (const Failure& failure) {
                if (failure.number != EACCES && failure.number != EROFS && failure.number != EPERM &&
                    failure.number != ETXTBSY)
                    throw;
                result.fd = OpenFile(name, O_RDONLY);
            }
        }
        struct stat info {};
        if (::fstat(result.fd.get(), &info) != 0) throw Failure::fromErrno(errno);
        if (S_ISDIR(info.st_mode)) throw Failure::fromErrno(EISDIR);
        if (!S_ISREG(info.st_mode)) throw Failure::fromErrno(EINVAL);
        if (!Lock(result.fd.get(), mode, result.writable)) {
            result.fd.reset();
            result.inUse = true;
            return result;
        }
        if (SameFile(result.fd.get(), path)) return result;
    }
    throw Failure::fromErrno(EAGAIN);
}

bool TakeEditorLock(int fd)
{
    return SetLock(fd, F_WRLCK, EditorLockByte) != LockAttempt::Refused;
}

void HeldDataFile::hold(UniqueFd fd, ShareMode mode)
{
    fd_ = std::move(fd);
    mode_ = mode;
}

void HeldDataFile::release()
{
    fd_.reset();
}

} // namespace quillet
