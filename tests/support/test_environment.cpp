#include "support/test_environment.h"

#include "common/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <utility>

namespace quillet::test {

void PrepareEnvironment()
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/quillet-test-XXXXXX"));
    const QString root = home.path();
    const std::pair<const char*, const char*> folders[] = {{"HOME", "/home"},
                                                           {"XDG_CONFIG_HOME", "/config"},
                                                           {"XDG_DATA_HOME", "/data"},
                                                           {"XDG_CACHE_HOME", "/cache"},
                                                           {"XDG_RUNTIME_DIR", "/runtime"}};
    for (const auto& [name, folder] : folders) {
        QDir().mkpath(root + QLatin1String(folder));
        qputenv(name, QFile::encodeName(root + QLatin1String(folder)));
    }
    // The program's folder (settings file, help file) is private too, not the build folder.
    QDir().mkpath(root + QStringLiteral("/program"));
    SetProgramFolderForTesting(root + QStringLiteral("/program"));
    QFile::setPermissions(root + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // No printer of the machine's: a test that prints to a queue starts a print system of its own.
    qputenv("CUPS_SERVER", QFile::encodeName(root + QStringLiteral("/no-print-system.sock")));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
}

} // namespace quillet::test
