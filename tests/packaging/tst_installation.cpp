#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace quillet::test;

namespace {

const QString AppId = QStringLiteral("com.tolvansoftware.Quillet");

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
        const ProgramRun install = RunProgram(QStringLiteral(QUILLET_CMAKE),
                                              {"--install", QStringLiteral(QUILLET_BUILD_DIR), "--prefix", prefix()});
        QVERIFY2(install.status == 0, qPrintable(install.out + install.err));
    }

    void everyFileInItsPlace()
    {
        QStringList files = RunProgram(QStringLiteral("find"), {prefix(), "-not", "-type", "d", "-printf", "%P\\n"})
                                .out.split(u'\n', Qt::SkipEmptyParts);
        files.sort();
        QCOMPARE(files, ExpectedFiles());
        // The program and its help file share a folder; the command is a relative link to it.
        QCOMPARE(QFile::symLinkTarget(prefix() + QStringLiteral("/bin/quillet")),
                 QFileInfo(prefix() + QStringLiteral("/lib/quillet/quillet")).canonicalFilePath());
        const ProgramRun version = RunProgram(prefix() + QStringLiteral("/bin/quillet"), {"--version"});
        QCOMPARE(version.out, QStringLiteral("Quillet " QUILLET_VERSION "\n"));
        const ProgramRun manual =
            RunProgram(QStringLiteral("gzip"), {"-t", prefix() + QStringLiteral("/share/man/man1/quillet.1.gz")});
        QCOMPARE(manual.status, 0);
    }

    // The menu entry and its metadata validate; the desktop knows a data file by its name or its header.
    void menuEntryMetadataAndFileType()
    {
        for (const char* tool : {"desktop-file-validate", "appstreamcli", "update-mime-database"})
            if (!HaveTool(QString::fromLatin1(tool))) return;
        const ProgramRun desktop =
            RunProgram(QStringLiteral("desktop-file-validate"),
                       {prefix() + QStringLiteral("/share/applications/") + AppId + QStringLiteral(".desktop")});
        QVERIFY2(desktop.status == 0 && (desktop.out + desktop.err).isEmpty(), qPrintable(desktop.out + desktop.err));
        const ProgramRun metainfo =
            RunProgram(QStringLiteral("appstreamcli"),
                       {"validate", "--no-net",
                        prefix() + QStringLiteral("/share/metainfo/") + AppId + QStringLiteral(".metainfo.xml")});
        QVERIFY2(metainfo.status == 0, qPrintable(metainfo.out + metainfo.err));

        QTemporaryDir files;
        const QByteArray header = "Quillet Data File\r\n<filename>.QX3\r\n";
        WriteBytes(files.filePath(QStringLiteral("upper.QX3")), "anything");
        WriteBytes(files.filePath(QStringLiteral("lower.qx3")), "anything");
        WriteBytes(files.filePath(QStringLiteral("no-extension")), header + "01011Ann\r\n");
        WriteBytes(files.filePath(QStringLiteral("utf8-no-extension")), "\xEF\xBB\xBF" + header);
        WriteBytes(files.filePath(QStringLiteral("notes.txt")), "Quillet notes\n");
        // The desktop's database, read by this process for the first time, with the installed entry.
        qputenv("XDG_DATA_DIRS", QFile::encodeName(prefix() + QStringLiteral("/share:/usr/share")));
        const ProgramRun update =
            RunProgram(QStringLiteral("update-mime-database"), {prefix() + QStringLiteral("/share/mime")});
        QVERIFY2(update.status == 0 && (update.out + update.err).isEmpty(), qPrintable(update.out + update.err));
        const QMimeDatabase types;
        QStringList found;
        for (const char* name : {"upper.QX3", "lower.qx3", "no-extension", "utf8-no-extension", "notes.txt"})
            found << types.mimeTypeForFile(files.filePath(QString::fromLatin1(name))).name();
        QCOMPARE(found, QStringList({"application/x-quillet-data", "application/x-quillet-data",
                                     "application/x-quillet-data", "application/x-quillet-data", "text/plain"}));
    }

    void debianPackage()
    {
        if (!HaveTool(QStringLiteral("dpkg-deb"))) return;
        QTemporaryDir out;
        const ProgramRun pack = RunProgram(QStringLiteral(QUILLET_CPACK), {"-G", "DEB", "-B", out.path()},
                                           QStringLiteral(QUILLET_BUILD_DIR));
        QVERIFY2(pack.status == 0, qPrintable(pack.out + pack.err));
        const QString deb = out.filePath(QStringLiteral("quillet_" QUILLET_VERSION "_amd64.deb"));
        const ProgramRun listing = RunProgram(QStringLiteral("dpkg-deb"), {"--contents", deb});
        QVERIFY2(listing.status == 0, qPrintable(listing.out + listing.err));
        for (const QString& file : ExpectedFiles())
            QVERIFY2(listing.out.contains(QStringLiteral(" ./usr/") + file), qPrintable(file));
        QVERIFY(listing.out.contains(QStringLiteral("./usr/bin/quillet -> ../lib/quillet/quillet")));
        const ProgramRun depends = RunProgram(QStringLiteral("dpkg-deb"), {"--field", deb, "Depends"});
        for (const char* package : {"libqt6widgets6", "libqt6printsupport6", "qt6-qpa-plugins", "fonts-liberation2"})
            QVERIFY2(depends.out.contains(QString::fromLatin1(package)), package);
    }

private:
    QString prefix() const { return prefix_.path(); }
    QTemporaryDir prefix_;
};

QUILLET_TEST_MAIN(TestInstallation)
#include "tst_installation.moc"
