#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace quillet::test;

namespace {

const QString AppId = QStringLiteral("com.tolvansoftware.Quillet");

struct Run {
    int status = -1;
    QString output;
};

Run Command(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment = {},
            const QString& folder = {})
{
    QProcess process;
    if (!environment.isEmpty()) process.setProcessEnvironment(environment);
    if (!folder.isEmpty()) process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(240000)) process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// Every file the installation puts under the prefix, the link included.
QStringList ExpectedFiles()
{
    QStringList files{"bin/quillet",
                      "lib/quillet/quillet",
                      "lib/quillet/QX.hlp",
                      "share/applications/" + AppId + ".desktop",
                      "share/metainfo/" + AppId + ".metainfo.xml",
                      "share/mime/packages/quillet.xml",
                      "share/man/man1/quillet.1.gz",
                      "share/icons/hicolor/scalable/apps/quillet.svg"};
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/quillet.png").arg(size);
    files.sort();
    return files;
}

QStringList FilesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// A tool the checks need; missing is a failure in CI and a skip elsewhere.
bool HaveTool(const QString& name)
{
    if (!QStandardPaths::findExecutable(name).isEmpty()) return true;
    if (qEnvironmentVariableIsSet("CI"))
        QTest::qFail(qPrintable(name + QStringLiteral(" is not installed")), __FILE__, __LINE__);
    return false;
}

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        const Run install = Command(QStringLiteral(QUILLET_CMAKE),
                                    {"--install", QStringLiteral(QUILLET_BUILD_DIR), "--prefix", prefix()});
        QVERIFY2(install.status == 0, qPrintable(install.output));
    }

    void everyFileInItsPlace()
    {
        QCOMPARE(FilesUnder(prefix()), ExpectedFiles());
        // The program and its help file share a folder; the command is a relative link to it.
        QCOMPARE(QFile::symLinkTarget(prefix() + QStringLiteral("/bin/quillet")),
                 QFileInfo(prefix() + QStringLiteral("/lib/quillet/quillet")).canonicalFilePath());
        const Run version = Command(prefix() + QStringLiteral("/bin/quillet"), {"--version"});
        QCOMPARE(version.output, QStringLiteral("Quillet " QUILLET_VERSION "\n"));
        const Run manual =
            Command(QStringLiteral("gzip"), {"-t", prefix() + QStringLiteral("/share/man/man1/quillet.1.gz")});
        QCOMPARE(manual.status, 0);
    }

    void menuEntryAndMetadataValidate()
    {
        if (!HaveTool(QStringLiteral("desktop-file-validate")) || !HaveTool(QStringLiteral("appstreamcli"))) return;
        const Run desktop =
            Command(QStringLiteral("desktop-file-validate"),
                    {prefix() + QStringLiteral("/share/applications/") + AppId + QStringLiteral(".desktop")});
        QVERIFY2(desktop.status == 0 && desktop.output.isEmpty(), qPrintable(desktop.output));
        const Run metainfo = Command(QStringLiteral("appstreamcli"), {"validate", "--no-net",
                                                                      prefix() + QStringLiteral("/share/metainfo/") +
                                                                          AppId + QStringLiteral(".metainfo.xml")});
        QVERIFY2(metainfo.status == 0, qPrintable(metainfo.output));
    }

    void dataFilesAreRecognised()
    {
        if (!HaveTool(QStringLiteral("update-mime-database"))) return;
        QTemporaryDir files;
        const QByteArray header = "Quillet Data File\r\n<filename>.QX3\r\n";
        WriteBytes(files.filePath(QStringLiteral("upper.QX3")), "anything");
        WriteBytes(files.filePath(QStringLiteral("lower.qx3")), "anything");
        WriteBytes(files.filePath(QStringLiteral("no-extension")), header + "01011Ann\r\n");
        WriteBytes(files.filePath(QStringLiteral("utf8-no-extension")), "\xEF\xBB\xBF" + header);
        WriteBytes(files.filePath(QStringLiteral("notes.txt")), "Quillet notes\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), prefix() + QStringLiteral("/share:/usr/share"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), files.filePath(QStringLiteral("nothing")));
        const QString mime = prefix() + QStringLiteral("/share/mime");
        const Run update = Command(QStringLiteral("update-mime-database"), {mime}, environment);
        QVERIFY2(update.status == 0 && update.output.isEmpty(), qPrintable(update.output));

        const Run probe = Command(QStringLiteral(QUILLET_MIME_PROBE),
                                  {"upper.QX3", "lower.qx3", "no-extension", "utf8-no-extension", "notes.txt"},
                                  environment, files.path());
        QCOMPARE(probe.output.split(u'\n', Qt::SkipEmptyParts),
                 QStringList({"application/x-quillet-data", "application/x-quillet-data", "application/x-quillet-data",
                              "application/x-quillet-data", "text/plain"}));
    }

    void debianPackage()
    {
        if (!HaveTool(QStringLiteral("dpkg-deb"))) return;
        QTemporaryDir out;
        const Run pack = Command(QStringLiteral(QUILLET_CPACK), {"-G", "DEB", "-B", out.path()}, {},
                                 QStringLiteral(QUILLET_BUILD_DIR));
        QVERIFY2(pack.status == 0, qPrintable(pack.output));
        const QString deb = out.filePath(QStringLiteral("quillet_" QUILLET_VERSION "_amd64.deb"));
        const Run listing = Command(QStringLiteral("dpkg-deb"), {"--contents", deb});
        QVERIFY2(listing.status == 0, qPrintable(listing.output));
        for (const QString& file : ExpectedFiles())
            QVERIFY2(listing.output.contains(QStringLiteral(" ./usr/") + file), qPrintable(file));
        QVERIFY(listing.output.contains(QStringLiteral("./usr/bin/quillet -> ../lib/quillet/quillet")));
        const Run depends = Command(QStringLiteral("dpkg-deb"), {"--field", deb, "Depends"});
        for (const char* package : {"libqt6widgets6", "libqt6printsupport6", "qt6-qpa-plugins", "fonts-liberation2"})
            QVERIFY2(depends.output.contains(QString::fromLatin1(package)), package);
    }

private:
    QString prefix() const { return prefix_.path(); }
    QTemporaryDir prefix_;
};

QUILLET_TEST_MAIN(TestInstallation)
#include "tst_installation.moc"
