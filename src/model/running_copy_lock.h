#pragma once

#include <QString>

// The lock file every running copy of the program read-locks lives in a folder only the user can
// write, so nobody else can plant a link or a file of their own under its name.
namespace quillet {

// `runtimeFolder` when it is the user's own and nobody else may write it; otherwise a folder
// "quillet-<uid>" in `tempFolder`, made with mode 0700 when missing. Empty when neither is safe
// (somebody else's folder, or a link, under that name).
QString PrivateFolder(const QString& runtimeFolder, const QString& tempFolder);

// Opens (creating) the lock file in `folder` without following a link, and only when the file is
// a regular file of the user's own; -1 otherwise.
int OpenRunningCopyLock(const QString& folder);

} // namespace quillet
