#include "model/running_copy_lock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

bool IsPrivateFolder(const QString& folder)
{
    struct stat info {};
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

} // namespace

QString PrivateFolder(const QString& runtimeFolder, const QString& tempFolder)
{
    if (IsPrivateFolder(runtimeFolder)) return runtimeFolder;
    const QString own = tempFolder + QStringLiteral("/quillet-%1").arg(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return IsPrivateFolder(own) ? own : QString();
}

int OpenRunningCopyLock(const QString& folder)
{
    if (folder.isEmpty()) return -1;
    // The user id keeps the copies of different users apart should they share a folder.
    const QByteArray name = QFile::encodeName(folder + QStringLiteral("/quillet-running-%1.lock").arg(::geteuid()));
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) return fd;
    ::close(fd);
    return -1;
}

} // namespace quillet
