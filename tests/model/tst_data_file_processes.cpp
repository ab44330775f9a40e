#include "common/scripted_dialogs.h"
#include "data_file_fixtures.h"
#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "model/startup.h"
#include "support/test_environment.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

// A second copy of the program, running the helper; it waits until its input closes.
class OtherCopy {
public:
    explicit OtherCopy(const QStringList& arguments, const QString& asUser = QString(),
                       const QString& helper = QStringLiteral(QUILLET_HELPER))
    {
        if (asUser.isEmpty()) {
            process_.start(helper, arguments);
        } else {
            process_.start(QStringLiteral("runuser"),
                           QStringList{QStringLiteral("-u"), asUser, QStringLiteral("--"), helper} + arguments);
        }
        process_.waitForStarted();
    }
    ~OtherCopy()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    QString line()
    {
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    QString allOutput()
    {
        process_.waitForFinished(20000);
        return QString::fromUtf8(process_.readAll());
    }
    void quit()
    {
        process_.closeWriteChannel();
        process_.waitForFinished(10000);
    }
    void kill()
    {
        process_.kill();
        process_.waitForFinished(10000);
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};

} // namespace

class TestDataFileProcesses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editorInAnotherCopy();
    void runningCopyIsNoticed();
    void killedAtEachStageOfASave_data();
    void killedAtEachStageOfASave();
    void readOnlyFolderForAnUnprivilegedUser();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    QString writeDataFile(const QString& name);
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestDataFileProcesses::init()
{
    ResetPersistenceState();
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestDataFileProcesses::cleanup()
{
    ResetPersistenceState();
    dir_.reset();
}

QString TestDataFileProcesses::writeDataFile(const QString& name)
{
    ScriptedDialogs ui;
    FillRichDataSet(false);
    QString file = path(name);
    if (SaveDataFile(file) != 1) return QString();
    DataFileHandle.release();
    DataFileName.clear();
    return file;
}

void TestDataFileProcesses::editorInAnotherCopy()
{
    const QString file = writeDataFile(QStringLiteral("shared.QX3"));
    const QByteArray before = ReadBytes(file);
    OtherCopy other({QStringLiteral("hold"), file, QStringLiteral("0")});
    QCOMPARE(other.line(), QStringLiteral("loaded 5"));

    ScriptedDialogs ui;
    QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::InUse));
    QCOMPARE(CheckDataFileHeader(file, true), int(HeaderCheck::Valid));
    QCOMPARE(LoadDataFile(file, false), int(LoadResult::Locked));
    QCOMPARE(LoadDataFile(file, true), int(LoadResult::Loaded));
    QVERIFY(ReadOnlyMode);
    // Saving onto the held file is refused and writes nothing.
    LayoutData.setCell(0, 0, 0, QStringLiteral("changed here"));
    QString target = file;
    QCOMPARE(SaveDataFile(target), 0);
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().title, QStringLiteral("File in Use"));
    QCOMPARE(ReadBytes(file), before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"shared.QX3"});

    // A copy that dies releases the file at once.
    other.kill();
    DataFileHandle.release();
    QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::Valid));
}

void TestDataFileProcesses::runningCopyIsNoticed()
{
    OtherCopy first({QStringLiteral("running")});
    QCOMPARE(first.line(), QStringLiteral("alone"));
    QVERIFY(AnotherCopyIsRunning());
    OtherCopy second({QStringLiteral("running")});
    QCOMPARE(second.line(), QStringLiteral("running"));
    first.kill();
    QVERIFY(AnotherCopyIsRunning());
    second.quit();
    QVERIFY(!AnotherCopyIsRunning()); // a crashed or ended copy leaves nothing behind
    OtherCopy third({QStringLiteral("running")});
    QCOMPARE(third.line(), QStringLiteral("running")); // this test process counts as one
}

void TestDataFileProcesses::killedAtEachStageOfASave_data()
{
    QTest::addColumn<QString>("stage");
    QTest::addColumn<bool>("newContent");
    QTest::newRow("before the write") << QStringLiteral("BeforeWrite") << false;
    QTest::newRow("during the write") << QStringLiteral("DuringWrite") << false;
    QTest::newRow("after the write") << QStringLiteral("AfterWrite") << false;
    QTest::newRow("before the rename") << QStringLiteral("BeforeRename") << false;
    QTest::newRow("after the rename") << QStringLiteral("AfterRename") << true;
    QTest::newRow("not killed") << QStringLiteral("none") << true;
}

void TestDataFileProcesses::killedAtEachStageOfASave()
{
    QFETCH(QString, stage);
    QFETCH(bool, newContent);
    const QString file = writeDataFile(QStringLiteral("saved.QX3"));
    const QByteArray old = ReadBytes(file);
    LayoutData.setCell(0, 0, 0, QStringLiteral("new content"));
    const QByteArray fresh = DataFileContent();
    QVERIFY(fresh != old);

    OtherCopy saver({QStringLiteral("save"), file, stage});
    saver.process().waitForFinished(20000);
    QCOMPARE(saver.process().exitStatus(), newContent && stage == u"none" ? QProcess::NormalExit : QProcess::CrashExit);
    QCOMPARE(ReadBytes(file), newContent ? fresh : old);
    // Whatever happened, the file is free again and loads.
    ScriptedDialogs ui;
    QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::Valid));
    QCOMPARE(LoadDataFile(file, false), int(LoadResult::Loaded));
    // The next save clears away what the killed one left behind.
    QString same = file;
    QCOMPARE(SaveDataFile(same), 1);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"saved.QX3"});
    QVERIFY(ui.messages.empty());
}

void TestDataFileProcesses::readOnlyFolderForAnUnprivilegedUser()
{
    // Root writes into read-only folders, so the refusal is shown by an unprivileged user.
    QString user;
    if (::geteuid() == 0) {
        if (QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
            QSKIP("running as root without runuser: no unprivileged user to refuse the write");
        user = QStringLiteral("nobody");
    }
    QTemporaryDir base(QStringLiteral("/tmp/quillet-readonly-XXXXXX"));
    QVERIFY(base.isValid());
    ::chmod(QFile::encodeName(base.path()).constData(), 0755);
    // A copy of the helper the other user can run, wherever the build folder is.
    const QString helper = base.filePath(QStringLiteral("helper"));
    QVERIFY(QFile::copy(QStringLiteral(QUILLET_HELPER), helper));
    ::chmod(QFile::encodeName(helper).constData(), 0755);
    const QString folder = base.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    const QString existing = folder + QStringLiteral("/existing.QX3");
    WriteBytes(existing, "Quillet Data File\r\n<filename>.QX3\r\n01011old\r\n");
    ::chmod(QFile::encodeName(existing).constData(), 0644);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    if (user.isEmpty()) ::chmod(QFile::encodeName(folder).constData(), 0555);

    // A new file in the folder, and the existing file the user may read but not write.
    for (const QString& target : {folder + QStringLiteral("/new.QX3"), existing}) {
        OtherCopy saver(QStringList{QStringLiteral("savenew"), target}, user, helper);
        const QString output = saver.allOutput();
        QVERIFY2(output.startsWith(QStringLiteral("saved 0 Save Data Error\n")), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Error:  Permission denied")), qPrintable(output));
        QVERIFY(output.contains(QStringLiteral("Filename:  ") + target));
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"existing.QX3"});
    QCOMPARE(ReadBytes(existing), QByteArray("Quillet Data File\r\n<filename>.QX3\r\n01011old\r\n"));
}

QUILLET_TEST_MAIN(TestDataFileProcesses)
#include "tst_data_file_processes.moc"
