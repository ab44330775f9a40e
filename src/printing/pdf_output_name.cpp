#include "printing/pdf_output_name.h"

#include "common/failure.h"
#include "model/safe_file_write.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

constexpr int MaxNumberedNames = 10000;

// False when `to` is taken. Where the file system has no no-replace rename, a hard link (which
// never replaces either) and the removal of the old name do the same.
bool RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST) return false;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) throw Failure::fromErrno(errno);
    if (::link(from.constData(), to.constData()) != 0) {
        if (errno == EEXIST) return false;
        throw Failure::fromErrno(errno);
    }
    ::unlink(from.constData());
    return true;
}

} // namespace

QString MoveToFreeName(const QString& from, const QString& wanted)
{
    const QFileInfo info(wanted);
    const QString stem = info.absolutePath() + u'/' + info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QByteArray source = QFile::encodeName(from);
    // The private copy was written for the owner alone; the output gets the mode of any new file.
    if (::chmod(source.constData(), NewFileMode()) != 0) throw Failure::fromErrno(errno);
    for (int n = 1; n <= MaxNumberedNames; ++n) {
        const QString name = n == 1 ? wanted : stem + u'-' + QString::number(n) + suffix;
        if (RenameNoReplace(source, QFile::encodeName(name))) return name;
    }
    throw Failure(EEXIST, QStringLiteral("No free file name for the PDF output"));
}

} // namespace quillet
