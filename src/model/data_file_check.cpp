#include "common/failure.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/text_file_reader.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace quillet {

namespace {

bool ProbeFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.contains('\0')) return false;
    struct stat info {};
    if (::stat(name.constData(), &info) == 0) return S_ISREG(info.st_mode);
    switch (errno) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return false; // the name itself is refused or names nothing
    default:
        throw Failure::fromErrno(errno);
    }
}

} // namespace

bool FileExists(const QString& path)
{
    if (path.isEmpty()) return false;
    bool exists = false;
    Steps step(QStringLiteral("Error determining whether or not file exists (") + path + u')', Buttons::RetryCancel);
    step(1, [&] { exists = ProbeFile(path); });
    return exists;
}

int CheckDataFileHeader(const QString& path, bool readOnly)
{
    if (path.isEmpty()) return HeaderCheck::NoName;
    if (!FileExists(path)) return HeaderCheck::NotFound;
    Steps step(QStringLiteral("Error checking file header of ") + path, Buttons::RetryCancel);
    SharedOpen file;
    if (!step(2, [&] { file = OpenShared(path, readOnly ? ShareMode::Reader : ShareMode::Exclusive); }))
        return HeaderCheck::Failed;
    if (file.inUse) return HeaderCheck::InUse;
    int result = HeaderCheck::Invalid;
    if (!step(3, [&] {
            TextFileReader reader(file.fd.get(), false, MaxDataFileBytes, HeaderCheckBytes);
            QString first;
            QString second;
            if (reader.nextLine(first) && reader.nextLine(second))
                result = second.toUpper() == DataFileSecondLine.toUpper() ? HeaderCheck::Valid : HeaderCheck::Invalid;
        }))
        return HeaderCheck::Failed;
    return result;
}

} // namespace quillet
