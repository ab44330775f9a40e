#include "support/test_environment.h"

#include "common/program_folder.h"

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>

namespace quillet::test {

void PrepareEnvironment()
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/quillet-test-XXXXXX"));
    const QString root = home.path();
    const auto set = [&](const char* name, const QString& sub) {
        const QString path = root + sub;
        QDir().mkpath(path);
        qputenv(name, QFile::encodeName(path));
    };
    set("HOME", QStringLiteral("/home"));
    set("XDG_CONFIG_HOME", QStringLiteral("/config"));
    set("XDG_DATA_HOME", QStringLiteral("/data"));
    set("XDG_CACHE_HOME", QStringLiteral("/cache"));
    set("XDG_RUNTIME_DIR", QStringLiteral("/runtime"));
    // The program's folder (settings file, help file) is private too, not the build folder.
    QDir().mkpath(root + QStringLiteral("/program"));
    SetProgramFolderForTesting(root + QStringLiteral("/program"));
    QFile::setPermissions(root + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // No printer of the machine's: a test that prints to a queue starts a print system of its own.
    qputenv("CUPS_SERVER", QFile::encodeName(root + QStringLiteral("/no-print-system.sock")));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
}

} // namespace quillet::test
