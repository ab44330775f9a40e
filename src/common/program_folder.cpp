#include "common/program_folder.h"

#include <QCoreApplication>

namespace quillet {

namespace {
QString overrideFolder;

QString WithSlash(QString folder)
{
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}
} // namespace

QString ProgramFolder()
{
    if (!overrideFolder.isEmpty()) return overrideFolder;
    return WithSlash(QCoreApplication::applicationDirPath());
}

void SetProgramFolderForTesting(const QString& folder)
{
    overrideFolder = folder.isEmpty() ? QString() : WithSlash(folder);
}

} // namespace quillet
