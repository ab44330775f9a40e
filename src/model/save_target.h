#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// What a save may replace, and what of the replaced file it keeps. A save writes a new file and
// renames it over the old name, so the new file must be given the old one's owner, group and
// permissions, and the name must hold an ordinary file, never a device, pipe or folder.
namespace quillet {

// The file system's name for `path`; throws Failure for an empty name or one with a NUL in it.
QByteArray NativePath(const QString& path);

// Throws Failure unless `target` (the name a save renames over, links already resolved) is free,
// a dangling link (replaced itself, never followed), or a regular file the user may write.
void CheckSaveTarget(const QString& target);

// What a save onto the existing regular file `target` cannot keep: another user's or group's
// ownership the user may not give away, and other names (hard links) that keep the old content.
struct OwnershipLoss {
    bool owner = false;
    bool group = false;
    bool hardLinks = false;
    bool any() const { return owner || group || hardLinks; }
};
OwnershipLoss WhatASaveCannotKeep(const QString& target);

// Gives the new file open on `fd` the owner and group of `old` as far as the user may, then its
// permissions (after the owner: a change of owner clears the set-user-ID bits).
void KeepOwnerAndMode(int fd, const struct stat& old);

} // namespace quillet
