#include "model/save_target.h"

#include "common/failure.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace quillet {

namespace {

bool InGroup(gid_t group)
{
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        for (gid_t g : groups)
            if (g == group) return true;
    return false;
}

} // namespace

QByteArray NativePath(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0')) throw Failure::fromErrno(EINVAL);
    return name;
}

void CheckSaveTarget(const QString& target)
{
    const QByteArray name = NativePath(target);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        if (errno == ENOENT) return;
        throw Failure::fromErrno(errno);
    }
    if (S_ISLNK(info.st_mode)) return;
    if (!S_ISREG(info.st_mode))
        throw Failure(EINVAL, target + QStringLiteral(" is not a regular file (it is a device, pipe, socket or "
                                                      "folder); nothing was written"));
    // A file we may not write is not replaced behind its owner's back.
    if (::access(name.constData(), W_OK) != 0) throw Failure::fromErrno(errno);
}

OwnershipLoss WhatASaveCannotKeep(const QString& target)
{
    struct stat info {};
    if (::stat(NativePath(target).constData(), &info) != 0) throw Failure::fromErrno(errno);
    OwnershipLoss loss;
    const bool root = ::geteuid() == 0;
    loss.owner = !root && info.st_uid != ::geteuid();
    loss.group = !root && !InGroup(info.st_gid);
    loss.hardLinks = info.st_nlink > 1;
    return loss;
}

void KeepOwnerAndMode(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0) throw Failure::fromErrno(errno);
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        // Whoever may not give a file away keeps at least its group; the user was asked before.
        const bool kept =
            ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
        Q_UNUSED(kept)
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) throw Failure::fromErrno(errno);
}

} // namespace quillet
