#include "data_file_fixtures.h"
#include "mainwindow/main_window.h"
#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/running_copy_lock.h"
#include "model/startup.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

const QByteArray SettingsHeader = "Quillet initialization data file\r\nQX.INI\r\n";

// A second copy of the program, running the helper; it waits until its input closes.
struct OtherCopy : QProcess {
    explicit OtherCopy(const QStringList& arguments, const QString& asUser = QString(),
                       const QString& helper = QStringLiteral(QUILLET_HELPER))
    {
        if (asUser.isEmpty())
            start(helper, arguments);
        else
            start(QStringLiteral("runuser"), QStringList{"-u", asUser, "--", helper} + arguments);
        waitForStarted();
    }
    ~OtherCopy() override { stop(); }
    QString line()
    {
        while (!canReadLine() && waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(readLine()).trimmed();
    }
    // Everything it printed once it ended by itself.
    QString output()
    {
        waitForFinished(20000);
        return QString::fromUtf8(readAll());
    }
    // Killed, as a crash would end it.
    void stop()
    {
        kill();
        waitForFinished(10000);
    }
};

} // namespace

class TestDataFileProcesses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        dir_ = std::make_unique<QTemporaryDir>();
    }

    void editorInAnotherCopy()
    {
        const QString file = writeDataFile(QStringLiteral("shared.QX3"));
        const QByteArray before = ReadBytes(file);
        OtherCopy other({QStringLiteral("hold"), file});
        QCOMPARE(other.line(), QStringLiteral("loaded 5"));

        ScriptedDialogs ui;
        QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::InUse));
        QCOMPARE(LoadDataFile(file, false), int(LoadResult::Locked));
        // Saving onto the held file is refused and writes nothing.
        LayoutData().setCell(0, 0, 0, QStringLiteral("changed here"));
        QString target = file;
        ui.answer(Answer::Ok);
        QCOMPARE(SaveDataFile(target), 0);
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("The file:\r") + file +
                                  QStringLiteral("\rIs currently in use (and therefore may not be overwritten at "
                                                 "this time)."),
                              QStringLiteral("File in Use"), Buttons::Ok, Icon::Warning));
        QCOMPARE(ReadBytes(file), before);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"shared.QX3"});
    }

    void runningCopyIsNoticed()
    {
        OtherCopy first({QStringLiteral("running")});
        QCOMPARE(first.line(), QStringLiteral("alone"));
        {
            ScriptedDialogs ui;
            ui.answer(Answer::No);
            MainWindow window;
            QVERIFY(!window.load() && !window.isVisible()); // the user declines a second copy
            QVERIFY(IsOnlyMessage(ui,
                                  QStringLiteral("Quillet is already running.\r\rWould you like to run another copy "
                                                 "of it?"),
                                  QStringLiteral("QX Already Running"), Buttons::YesNo, Icon::Question, Answer::No));
        }
        OtherCopy second({QStringLiteral("running")});
        QCOMPARE(second.line(), QStringLiteral("running"));
        first.stop();
        QVERIFY(AnotherCopyIsRunning());
        second.closeWriteChannel(); // it ends by itself
        second.waitForFinished(10000);
        QVERIFY(!AnotherCopyIsRunning()); // a crashed or ended copy leaves nothing behind
    }

    void runningCopyLockIsPrivate()
    {
        QTemporaryDir temp;
        const QString uid = QString::number(::geteuid());
        const QString planted = temp.filePath(QStringLiteral("planted"));
        QVERIFY(QDir().mkpath(planted));
        SetMode(planted, 0777);

        // Without a runtime folder (or with one others may write) a private one is made.
        const QString own = temp.filePath(QStringLiteral("quillet-") + uid);
        QCOMPARE(PrivateFolder(QString(), temp.path()), own);
        QCOMPARE(ModeOf(own), mode_t(0700));
        QCOMPARE(PrivateFolder(planted, temp.path()), own);
        QCOMPARE(PrivateFolder(own, QString()), own);

        // A name somebody else prepared in the shared folder is not used: a link, or an open folder.
        QTemporaryDir shared;
        QVERIFY(QFile::link(planted, shared.filePath(QStringLiteral("quillet-") + uid)));
        QCOMPARE(PrivateFolder(QString(), shared.path()), QString());
        QVERIFY(QFile::remove(shared.filePath(QStringLiteral("quillet-") + uid)));
        QVERIFY(QDir(shared.path()).mkdir(QStringLiteral("quillet-") + uid));
        SetMode(shared.filePath(QStringLiteral("quillet-") + uid), 0777);
        QCOMPARE(PrivateFolder(QString(), shared.path()), QString());

        // A link under the lock file's name is not followed, and its target is not made.
        const QString lock = QStringLiteral("/quillet-running-%1.lock").arg(uid);
        QVERIFY(QFile::link(planted + QStringLiteral("/victim"), own + lock));
        QCOMPARE(OpenRunningCopyLock(own), -1);
        QVERIFY(!QFileInfo::exists(planted + QStringLiteral("/victim")));
        QVERIFY(QFile::remove(own + lock));
        if (::geteuid() == 0) {
            // Nor a lock file that belongs to somebody else.
            WriteBytes(own + lock, {});
            QCOMPARE(::chown(QFile::encodeName(own + lock).constData(), 65534, 65534), 0);
            QCOMPARE(OpenRunningCopyLock(own), -1);
            QVERIFY(QFile::remove(own + lock));
        }
        const int fd = OpenRunningCopyLock(own);
        QVERIFY(fd >= 0);
        ::close(fd);
        QCOMPARE(ModeOf(own + lock), mode_t(0600));
    }

    // Killed at any stage of a save, a copy leaves the old file or the new one, and its death
    // releases the file, which loads; the next save clears away what the killed one left behind.
    void killedAtEachStageOfASave()
    {
        for (int stage = int(SaveStage::BeforeWrite); stage <= int(SaveStage::AfterRename); ++stage) {
            Run().reset();
            const QString file = writeDataFile(QStringLiteral("saved.QX3"));
            const QByteArray old = ReadBytes(file);
            LayoutData().setCell(0, 0, 0, QStringLiteral("new content"));
            const QByteArray fresh = DataFileContent();
            OtherCopy saver({QStringLiteral("save"), file, QString::number(stage)});
            saver.output();
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
            QVERIFY2(ReadBytes(file) == (stage == int(SaveStage::AfterRename) ? fresh : old),
                     qPrintable(QStringLiteral("killed at stage %1").arg(stage)));
            ScriptedDialogs ui;
            QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::Valid));
            QCOMPARE(LoadDataFile(file, false), int(LoadResult::Loaded));
            QString same = file;
            QCOMPARE(SaveDataFile(same), 1);
            QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"saved.QX3"});
        }
    }

    // What an unprivileged user may not write is left as it was, with a message saying why: a new
    // file in a folder the user may not write, a file the user may read only, and a file that
    // belongs to somebody else, which only root can make.
    void refusedSavesWriteNothing()
    {
        if (!prepareUnprivilegedRun())
            QSKIP("running as root without runuser: no unprivileged user to refuse the write");
        const QString folder = privateFolder(QStringLiteral("data"), 0755);
        const QString readOnly = folder + QStringLiteral("/read-only.QX3");
        const QString others = folder + QStringLiteral("/others.QX3");
        const QByteArray old = DataHeader + "01011old\r\n";
        WriteBytes(readOnly, old);
        SetMode(readOnly, 0644);
        WriteBytes(others, old);
        SetMode(others, 0666);
        SetMode(folder, user_.isEmpty() ? 0555 : 0755);
        std::vector<std::pair<QString, QString>> cases;
        for (const QString& target : {folder + QStringLiteral("/new.QX3"), readOnly})
            cases.emplace_back(target, QStringLiteral("saved 0\nSave Data Error\nError saving QX data:\n\nError:  "
                                                      "Permission denied\nFilename:  ") +
                                           target + u'\n');
        if (!user_.isEmpty())
            cases.emplace_back(others, QStringLiteral("saved 0\nSave Data File\nThe file:\n") + others +
                                           QStringLiteral("\nbelongs to another user or group; once saved it will "
                                                          "belong to you.\n\nSave it anyway?\n"));
        for (const auto& [target, text] : cases) {
            const QString output = OtherCopy({QStringLiteral("save"), target}, user_, helper_).output();
            QVERIFY2(output.startsWith(text), qPrintable(output));
        }
        SetMode(folder, 0755);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"others.QX3", "read-only.QX3"}));
        QCOMPARE(ReadBytes(readOnly) + ReadBytes(others), old + old);
    }

    // Installed where the user may not write, the program reads the administrator's defaults and
    // keeps each user's settings apart, without a message. Where the user may make files but not
    // write the settings file, that file is left as it is, with a message, and the per-user store
    // is written all the same.
    void settingsFileTheUserMayNotWrite()
    {
        if (!prepareUnprivilegedRun())
            QSKIP("running as root without runuser: no unprivileged user to keep out of the program's folder");
        const QString program = base_->path(); // the helper's folder
        const QString settings = program + QStringLiteral("/QX.INI");
        const QByteArray defaults = SettingsHeader + "\r\n 1440\r\n";
        WriteBytes(settings, defaults);
        SetMode(settings, 0444);
        const QString config = privateFolder(QStringLiteral("config"), 0777);
        const QString data = privateFolder(QStringLiteral("data"), 0777) + QStringLiteral("/mine.QX3");
        if (user_.isEmpty()) SetMode(program, 0555);
        const QString first = OtherCopy({"start", config, data, " 2880"}, user_, helper_).output();
        QCOMPARE(first, QStringLiteral("left  1440\nfile \n"));
        const QString second = OtherCopy({"start", config}, user_, helper_).output();
        QCOMPARE(second, QStringLiteral("left  2880\nfile ") + data + u'\n');
        QVERIFY(ReadBytes(config + QStringLiteral("/Quillet/QX.INI")).startsWith(SettingsHeader + data.toUtf8()));

        SetMode(program, 0777);
        const QString store = config + QStringLiteral("/Quillet/Quillet.conf");
        QVERIFY(QFile::remove(store));
        const QString third = OtherCopy({"start", config}, user_, helper_).output();
        QVERIFY2(third.startsWith(
                     QStringLiteral("left  1440\nfile \nQuillet Error\nError saving Quillet's initialization file, ") +
                     settings + QStringLiteral(":\n\nError: Permission denied\n")),
                 qPrintable(third));
        QVERIFY(QFileInfo::exists(store));
        SetMode(program, 0755);
        QCOMPARE(ReadBytes(settings), defaults);
        QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden), QStringList({"helper", "QX.INI"}));
    }

private:
    // A rich data set written as a save writes it.
    QString writeDataFile(const QString& name)
    {
        FillRichDataSet(false);
        const QString file = dir_->filePath(name);
        WriteBytes(file, DataFileContent());
        return file;
    }
    // Root writes anything, so refusals are shown by the user nobody when the tests run as root,
    // in a folder that user can reach, with a copy of the helper it can run.
    bool prepareUnprivilegedRun()
    {
        user_.clear();
        if (::geteuid() == 0) {
            if (QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty()) return false;
            user_ = QStringLiteral("nobody");
        }
        base_ = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/quillet-unprivileged-XXXXXX"));
        SetMode(base_->path(), 0755);
        helper_ = base_->filePath(QStringLiteral("helper"));
        QFile::copy(QStringLiteral(QUILLET_HELPER), helper_);
        SetMode(helper_, 0755);
        return base_->isValid();
    }
    QString privateFolder(const QString& name, mode_t mode)
    {
        const QString folder = base_->filePath(name);
        QDir().mkpath(folder);
        SetMode(folder, mode);
        return folder;
    }
    static void SetMode(const QString& path, mode_t mode) { ::chmod(QFile::encodeName(path).constData(), mode); }
    static mode_t ModeOf(const QString& path)
    {
        struct stat info {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QTemporaryDir> base_;
    QString user_;
    QString helper_;
};

QUILLET_TEST_MAIN(TestDataFileProcesses)
#include "tst_data_file_processes.moc"
