#pragma once

#include "model/data_file_lock.h"

#include <QByteArrayView>
#include <QString>

#include <sys/types.h>

// The pieces of a save that never leaves a half-written file behind: the new content goes to a
// temporary file in the same folder, is flushed to the disk, and is then renamed over the old
// file, so the name always holds either the old content or the new content in full.
namespace quillet {

// Writes all of `bytes`, comparing every write's count with what was asked; a write that
// makes no progress counts as a full disk. `written` tells how far the writing came.
void WriteAll(int fd, QByteArrayView bytes, qsizetype& written);

// A new, empty file beside `path` with a unique hidden name, with the owner, group and
// permissions of the file at `path` when there is one (as far as the user may give them), and
// editor-locked from the start. `tempPath` receives its name.
UniqueFd CreateTempFileBeside(const QString& path, QString& tempPath);

// Removes the temporary files of saves of `path` that a crash left behind. A save in progress
// holds the lock on its temporary file, so only abandoned ones go.
void RemoveAbandonedTempFiles(const QString& path);

void SyncFile(int fd);
// Makes a rename in the folder of `path` durable.
void SyncFolderOf(const QString& path);
void RenameFile(const QString& from, const QString& to);
void RemoveFileQuietly(const QString& path);

// The mode any program's new file of the user's gets: 0666 less the umask.
mode_t NewFileMode();

// The file a save should replace: the target of a symbolic link rather than the link.
QString ResolveSaveTarget(const QString& path);

// Writes `bytes` to `path` through a temporary file and a rename; refuses, writing nothing, a
// name that holds anything but a regular file the user may write.
void WriteFileSafely(const QString& path, QByteArrayView bytes);

// Tests replace the write call to simulate a full disk or a short write.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
void SetWriteFunctionForTesting(WriteFunction function);

} // namespace quillet
