#include "common/program_folder.h"

#include <QCoreApplication>

namespace quillet {

namespace {
QString overrideFolder;
} // namespace

QString ProgramDirectory()
{
    if (!overrideFolder.isEmpty()) return overrideFolder;
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder()
{
    QString folder = ProgramDirectory();
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

void SetProgramFolderForTesting(const QString& folder)
{
    overrideFolder = folder;
}

} // namespace quillet
