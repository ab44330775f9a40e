#include "common/scripted_dialogs.h"
#include "data_file_fixtures.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/safe_file_write.h"
#include "model/shared_state.h"
#include "model/text_file_reader.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

const QByteArray Header = "Quillet Data File\r\n<filename>.QX3\r\n";

int writesBeforeFailure = 0;

// A disk that fills up: the first write goes half through, the next makes no progress.
ssize_t FillingDisk(int fd, const void* data, size_t size)
{
    if (writesBeforeFailure-- > 0) return ::write(fd, data, size / 2 + 1);
    return 0;
}

ssize_t FailOnceThenWrite(int fd, const void* data, size_t size)
{
    if (writesBeforeFailure-- > 0) {
        errno = EIO;
        return -1;
    }
    return ::write(fd, data, size);
}

QStringList Titles(const ScriptedDialogs& ui)
{
    QStringList titles;
    for (const MessageRequest& m : ui.messages) titles << m.title;
    return titles;
}

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void roundTripKeepsEveryCell_data();
    void roundTripKeepsEveryCell();
    void writerOrderAndEmptyTable();
    void writerNeverSplitsACell();
    void fileExists();
    void headerCheck();
    void readerQuestionsAndAnswers();
    void readerLimitsAndLineForms();
    void malformedFilesLoadWithoutCrashing();
    void sharingWithinOneProcess();
    void saveOntoAHeldFileIsRefused();
    void saveAsMovesTheHeldFile();
    void cancelledSaveDialogSavesNothing();
    void failedWritesLeaveTheOldFile();
    void fullDiskOnARealFileSystem();
    void setReadOnlySwitchesSave();
    void readFailureIsFramedInTheLoadBox();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestDataFile::init()
{
    ResetPersistenceState();
    dir_ = std::make_unique<QTemporaryDir>();
    SetWriteFunctionForTesting(nullptr);
}

void TestDataFile::cleanup()
{
    SetWriteFunctionForTesting(nullptr);
    ResetPersistenceState();
    dir_.reset();
}

void TestDataFile::roundTripKeepsEveryCell_data()
{
    QTest::addColumn<bool>("beyond1252");
    QTest::newRow("windows-1252") << false;
    QTest::newRow("utf-8") << true;
}

void TestDataFile::roundTripKeepsEveryCell()
{
    QFETCH(bool, beyond1252);
    ScriptedDialogs ui;
    QStringList titles;
    MainLink().setTitle = [&](const QString& t) { titles << t; };
    int refills = 0;
    MainLink().refillLayoutsList = [&] { ++refills; };
    FillRichDataSet(beyond1252);
    const auto before = TableSnapshot();
    QString name = path(QStringLiteral("rich.QX3"));
    QCOMPARE(SaveDataFile(name), 1);
    QCOMPARE(DataFileName, name);
    QCOMPARE(SettingsData[0], name);
    QCOMPARE(titles, QStringList{QStringLiteral("Quillet:  ") + name});
    QVERIFY(DataFileHandle.isHeld());
    const QByteArray bytes = ReadBytes(name);
    QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), beyond1252);
    if (!beyond1252) QVERIFY(bytes.contains("Z\xFCrich \xB7 M\xFCller \x80"));

    DataFileHandle.release();
    LayoutData.erase();
    DataChanged = true;
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QVERIFY(TableSnapshot() == before);
    QVERIFY(!DataChanged);
    QVERIFY(!ReadOnlyMode);
    QCOMPARE(EntryCount, 78);
    QCOMPARE(SelectedCount, 26);
    QCOMPARE(refills, 1);
    QVERIFY(ui.messages.empty());
}

void TestDataFile::writerOrderAndEmptyTable()
{
    ScriptedDialogs ui;
    QString empty = path(QStringLiteral("empty.QX3"));
    QCOMPARE(SaveDataFile(empty), 1);
    QCOMPARE(ReadBytes(empty), Header);

    StartNewData();
    QString fresh = path(QStringLiteral("fresh.QX3"));
    QCOMPARE(SaveDataFile(fresh), 1);
    QList<QByteArray> lines = FileLines(fresh);
    QCOMPARE(lines.mid(0, 2), QList<QByteArray>({"Quillet Data File", "<filename>.QX3"}));
    QList<QByteArray> layoutOne;
    for (const QByteArray& line : lines)
        if (line.startsWith("30")) layoutOne << line;
    const QList<QByteArray> expected = {"30011Avery 5160/8160",
                                        "30012Arial",
                                        "3002210",
                                        "300313",
                                        "3004110",
                                        "300512.75",
                                        "300611",
                                        "300712.625",
                                        "30072Arial",
                                        "3008210",
                                        "30132Arial",
                                        "3014210",
                                        "30192Arial",
                                        "3020210",
                                        "30221.5",
                                        "30231.625",
                                        "30252Arial",
                                        "3026210",
                                        "30301True"};
    QCOMPARE(layoutOne, expected);
}

void TestDataFile::writerNeverSplitsACell()
{
    ScriptedDialogs ui;
    LayoutData.setCell(0, 0, 0, QStringLiteral("first\r\nsecond\rthird\nfourth") + QChar(0x2028) + u'!');
    LayoutData.setCell(41, 29, 6, QStringLiteral("\n"));
    QString name = path(QStringLiteral("breaks.QX3"));
    QCOMPARE(SaveDataFile(name), 1);
    QCOMPARE(ReadBytes(name), Header + "01011firstsecondthirdfourth!\r\n");
    DataFileHandle.release();
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("firstsecondthirdfourth!"));
    QVERIFY(ui.messages.empty());
}

void TestDataFile::fileExists()
{
    ScriptedDialogs ui;
    WriteBytes(path(QStringLiteral("a.QX3")), Header);
    QVERIFY(FileExists(path(QStringLiteral("a.QX3"))));
    QVERIFY(!FileExists(QString()));
    QVERIFY(!FileExists(path(QStringLiteral("missing.QX3"))));
    QVERIFY(!FileExists(dir_->path()));                             // a folder
    QVERIFY(!FileExists(path(QStringLiteral("a.QX3/inside"))));     // not a folder
    QVERIFY(!FileExists(path(QStringLiteral("*.QX3"))));            // no wildcard matching
    QVERIFY(!FileExists(QStringLiteral("/dev/null")));              // a device
    QVERIFY(!FileExists(path(QString(5000, u'x'))));                // a name too long
    QVERIFY(!FileExists(QString::fromUtf16(u"bad\0name.QX3", 12))); // a name the system refuses
    QVERIFY(ui.messages.empty());
}

void TestDataFile::headerCheck()
{
    ScriptedDialogs ui;
    const auto check = [&](const QByteArray& bytes) {
        WriteBytes(path(QStringLiteral("h.QX3")), bytes);
        return CheckDataFileHeader(path(QStringLiteral("h.QX3")), false);
    };
    QCOMPARE(check("anything at all\r\n<FileName>.qX3\r\n"), int(HeaderCheck::Valid));
    QCOMPARE(check("\r\n<filename>.QX3"), int(HeaderCheck::Valid));
    QCOMPARE(check("\xEF\xBB\xBFQuillet Data File\r\n<filename>.QX3\r\n"), int(HeaderCheck::Valid));
    QCOMPARE(check("Quillet Data File\n<filename>.QX3\n"), int(HeaderCheck::Valid));
    QCOMPARE(check("Quillet Data File\r\n"), int(HeaderCheck::Invalid)); // one line
    QCOMPARE(check(""), int(HeaderCheck::Invalid));
    QCOMPARE(check("Quillet Data File\r\n<filename>.QX3 \r\n"), int(HeaderCheck::Invalid));
    QCOMPARE(check("Quillet Data File\r\nmy labels.QX3\r\n"), int(HeaderCheck::Invalid));
    QCOMPARE(CheckDataFileHeader(QString(), false), int(HeaderCheck::NoName));
    QCOMPARE(CheckDataFileHeader(path(QStringLiteral("none.QX3")), false), int(HeaderCheck::NotFound));
    QCOMPARE(CheckDataFileHeader(path(QStringLiteral("none.QX3")), true), int(HeaderCheck::NotFound));
    QVERIFY(ui.messages.empty());
}

void TestDataFile::readerQuestionsAndAnswers()
{
    ScriptedDialogs ui;
    const QString name = path(QStringLiteral("r.QX3"));
    WriteBytes(name, Header +
                         "010111\r\n01011\r\n4301199 bad tab\r\n01021  kept blanks  \r\n0101x\r\n01031overwritten\r\n"
                         "01031later\r\n 2031 blank marker\r\n-1011negative\r\n");
    ui.answer(Answer::Yes); // "01011" alone
    ui.answer(Answer::Yes); // marker 43
    ui.answer(Answer::Yes); // "0101x", too short
    ui.answer(Answer::Yes); // "-1011"
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("1"));
    QCOMPARE(LayoutData.cell(0, 1, 0), QStringLiteral("  kept blanks  "));
    QCOMPARE(LayoutData.cell(0, 2, 0), QStringLiteral("later"));
    QCOMPARE(LayoutData.cell(1, 2, 0), QStringLiteral(" blank marker"));
    QCOMPARE(ui.messages.size(), std::size_t(4));

    const MessageRequest& shortLine = ui.messages[0];
    QCOMPARE(shortLine.text, QStringLiteral("Error loading data file:  Record is not in a valid format.\r\rRecord "
                                            "loaded: 01011\rRecord Number: 2\r\rContinue loading remaining data?"));
    QCOMPARE(shortLine.title, QStringLiteral("Error loading QX data file"));
    QCOMPARE(shortLine.buttons, Buttons::YesNo);
    QCOMPARE(shortLine.icon, Icon::Warning);
    QCOMPARE(shortLine.defaultButton, Answer::Yes);
    const MessageRequest& marker = ui.messages[1];
    QCOMPARE(marker.text, QStringLiteral("Error loading data file. Record marker is out of range.\r\rRecord marker "
                                         "loaded: 43011\rRecord Number: 3\rComplete record loaded: 4301199 bad "
                                         "tab\r\rContinue loading remaining records?"));
    QCOMPARE(marker.title, QStringLiteral("Error loading QX data file"));
    QCOMPARE(marker.defaultButton, Answer::Yes);
    QVERIFY(ui.messages[2].text.contains(QStringLiteral("Record loaded: 0101x\rRecord Number: 5")));
    QVERIFY(ui.messages[3].text.contains(QStringLiteral("Record marker loaded: -1011")));

    // No stops the load: what was read stays, the file is held and named.
    ui.clear();
    DataFileHandle.release();
    ui.answer(Answer::No);
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Stopped));
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("1"));
    QVERIFY(LayoutData.cell(0, 1, 0).isEmpty());
    QCOMPARE(DataFileName, name);
    QVERIFY(DataFileHandle.isHeld());
}

void TestDataFile::readerLimitsAndLineForms()
{
    ScriptedDialogs ui;
    const QString name = path(QStringLiteral("many.QX3"));
    QByteArray bytes = Header;
    // 12,000 cell lines: the first 10,000 load, the rest are ignored without a word.
    for (int i = 0; i < 12000; ++i) {
        const int slot = i / 210 % 42 + 1;
        const int field = i / 7 % 30 + 1;
        const int sub = i % 7 + 1;
        bytes += QString::asprintf("%02d%02d%dv%d\r\n", slot, field, sub, i).toLatin1();
    }
    WriteBytes(name, bytes);
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QVERIFY(ui.messages.empty());
    QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("v8820")); // overwritten by the later line
    QCOMPARE(LayoutData.cell(5, 15, 0), QStringLiteral("v9975"));
    QCOMPARE(LayoutData.cell(5, 18, 4), QStringLiteral("v1180")); // line 10,001 would have been v10000+
    DataFileHandle.release();

    // A one-line file loads nothing at all: no layouts, no records.
    FillRichDataSet(false);
    WriteBytes(name, "Quillet Data File");
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QVERIFY(TableSnapshot() == std::vector<QString>(SlotCount * FieldCount * SubEntryCount));
    QCOMPARE(EntryCount, 0);
    DataFileHandle.release();

    // LF, CR and CR LF line ends, and a last line without one.
    WriteBytes(name, "Quillet Data File\n<filename>.QX3\r01011a\n01012b\r\n01013c\r01014d");
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QCOMPARE(LayoutData.cell(0, 0, 0) + LayoutData.cell(0, 0, 1) + LayoutData.cell(0, 0, 2) + LayoutData.cell(0, 0, 3),
             QStringLiteral("abcd"));
    QVERIFY(ui.messages.empty());
}

void TestDataFile::malformedFilesLoadWithoutCrashing()
{
    ScriptedDialogs ui;
    int questions = 0;
    ui.onMessage = [&](const MessageRequest&) {
        ++questions;
        ui.messages.clear();
        return Answer::Yes;
    };
    const QString name = path(QStringLiteral("junk.QX3"));
    QRandomGenerator random(1234);
    QByteArray junk(300000, Qt::Uninitialized);
    for (char& c : junk) c = static_cast<char>(random.bounded(256));
    QByteArray nuls = Header + QByteArray("01011a\0b\r\n", 10) + QByteArray(1000, '\0') + "\r\n";
    QByteArray noLineEnds(2 << 20, '7');
    for (const QByteArray& bytes : {junk, nuls, noLineEnds}) {
        WriteBytes(name, bytes);
        const int result = LoadDataFile(name, false);
        QVERIFY(result == LoadResult::Loaded);
        DataFileHandle.release();
    }
    WriteBytes(name, nuls);
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QCOMPARE(LayoutData.cell(0, 0, 0), QString::fromUtf16(u"a\0b", 3));
    DataFileHandle.release();

    // A 100 MB line is cut to the reader's limit; the line after it still loads.
    {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Header + "01011");
        const QByteArray block(1 << 20, 'x');
        for (int i = 0; i < 100; ++i) QCOMPARE(file.write(block), block.size());
        file.write("\r\n01021after\r\n");
    }
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QCOMPARE(LayoutData.cell(0, 0, 0).size(), TextFileReader::MaxLineBytes - 5);
    QCOMPARE(LayoutData.cell(0, 1, 0), QStringLiteral("after"));
    QFile::remove(name);
}

void TestDataFile::sharingWithinOneProcess()
{
    ScriptedDialogs ui;
    const QString name = path(QStringLiteral("shared.QX3"));
    WriteBytes(name, Header);
    // Another descriptor of this process counts as another copy.
    {
        SharedOpen editor = OpenShared(name, ShareMode::Editor);
        QVERIFY(!editor.inUse);
        QVERIFY(OpenShared(name, ShareMode::Editor).inUse);
        QVERIFY(!OpenShared(name, ShareMode::Reader).inUse);
        QVERIFY(OpenShared(name, ShareMode::Exclusive).inUse);
    }
    {
        SharedOpen reader = OpenShared(name, ShareMode::Reader);
        QVERIFY(!OpenShared(name, ShareMode::Reader).inUse);
        QVERIFY(!OpenShared(name, ShareMode::Editor).inUse);
        QVERIFY(OpenShared(name, ShareMode::Exclusive).inUse);
    }
    QVERIFY(!OpenShared(name, ShareMode::Exclusive).inUse); // closing released everything

    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Loaded));
    QCOMPARE(CheckDataFileHeader(name, false), int(HeaderCheck::InUse));
    QCOMPARE(CheckDataFileHeader(name, true), int(HeaderCheck::Valid));
    {
        SharedOpen second = OpenShared(name, ShareMode::Editor);
        QVERIFY(second.inUse);
    }
    // A read-only load shares with the holder.
    HeldDataFile editing;
    editing.hold(OpenShared(name, ShareMode::Editor).fd, ShareMode::Editor);
    QVERIFY(!editing.isHeld()); // refused: this copy already holds it for editing
    DataFileHandle.release();
    editing.hold(OpenShared(name, ShareMode::Editor).fd, ShareMode::Editor);
    QVERIFY(editing.isHeld());
    QCOMPARE(LoadDataFile(name, false), int(LoadResult::Locked));
    QCOMPARE(LoadDataFile(name, true), int(LoadResult::Loaded));
    QVERIFY(ReadOnlyMode);
    QCOMPARE(DataFileHandle.mode(), ShareMode::Reader);
    QVERIFY(ui.messages.empty());
}

void TestDataFile::saveOntoAHeldFileIsRefused()
{
    ScriptedDialogs ui;
    const QString name = path(QStringLiteral("held.QX3"));
    WriteBytes(name, Header + "01011other copy\r\n");
    HeldDataFile otherCopy;
    otherCopy.hold(OpenShared(name, ShareMode::Editor).fd, ShareMode::Editor);
    FillRichDataSet(false);
    const auto before = TableSnapshot();
    QString target = name;
    QCOMPARE(SaveDataFile(target), 0);
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().text, QStringLiteral("The file:\r") + name +
                                 QStringLiteral("\rIs currently in use (and therefore may not be overwritten at this "
                                                "time)."));
    QCOMPARE(ui.last().title, QStringLiteral("File in Use"));
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QCOMPARE(ui.last().icon, Icon::Warning);
    QCOMPARE(ReadBytes(name), Header + "01011other copy\r\n");
    QVERIFY(TableSnapshot() == before);
    QVERIFY(DataFileName.isEmpty());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"held.QX3"});
}

void TestDataFile::saveAsMovesTheHeldFile()
{
    ScriptedDialogs ui;
    int titleChanges = 0;
    MainLink().setTitle = [&](const QString&) { ++titleChanges; };
    StartNewData();
    titleChanges = 0;
    QString first = path(QStringLiteral("first.QX3"));
    QCOMPARE(SaveDataFile(first), 1);
    QCOMPARE(CheckDataFileHeader(first, false), int(HeaderCheck::InUse));
    // Saving again under the same name keeps the name, the title and the hold.
    LayoutData.setCell(0, 0, 0, QStringLiteral("changed"));
    QString same = first;
    QCOMPARE(SaveDataFile(same), 1);
    QCOMPARE(titleChanges, 1);
    QVERIFY(ReadBytes(first).contains("01011changed\r\n"));
    QCOMPARE(CheckDataFileHeader(first, false), int(HeaderCheck::InUse));

    QString second = path(QStringLiteral("second.QX3"));
    QCOMPARE(SaveDataFile(second), 1);
    QCOMPARE(DataFileName, second);
    QCOMPARE(SettingsData[0], second);
    QCOMPARE(titleChanges, 2);
    QCOMPARE(CheckDataFileHeader(first, false), int(HeaderCheck::Valid)); // released
    QCOMPARE(CheckDataFileHeader(second, false), int(HeaderCheck::InUse));
    QCOMPARE(ReadBytes(first), ReadBytes(second));
    QVERIFY(ui.messages.empty());
}

void TestDataFile::cancelledSaveDialogSavesNothing()
{
    ScriptedDialogs ui;
    QVERIFY(QDir::setCurrent(dir_->path()));
    StartNewData();
    ui.answerFile(std::nullopt);
    QString name;
    QCOMPARE(SaveDataFile(name), 0);
    QVERIFY(name.isEmpty());
    QCOMPARE(ui.fileRequests.size(), std::size_t(1));
    const FileDialogRequest& request = ui.fileRequests[0];
    QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
    QCOMPARE(request.defaultSuffix, QStringLiteral("QX3"));
    QVERIFY(request.confirmOverwrite);
    QVERIFY(request.nameFilters.value(0).startsWith(QStringLiteral("Quillet Data File (*.QX3")));
    QVERIFY(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QVERIFY(ui.messages.empty());

    const QString chosen = path(QStringLiteral("chosen.QX3"));
    ui.answerFile(chosen);
    QCOMPARE(SaveDataFile(name), 1);
    QCOMPARE(name, chosen);
    QCOMPARE(DataFileName, chosen);
    QCOMPARE(ui.fileRequests.size(), std::size_t(2));
}

void TestDataFile::failedWritesLeaveTheOldFile()
{
    ScriptedDialogs ui;
    FillRichDataSet(false);
    QString name = path(QStringLiteral("kept.QX3"));
    QCOMPARE(SaveDataFile(name), 1);
    const QByteArray old = ReadBytes(name);
    const int heldNumber = DataFileHandle.number();
    LayoutData.setCell(3, 3, 3, QStringLiteral("new"));
    const auto changed = TableSnapshot();

    // Full disk, answered Abort: nothing saved, old file whole, no leftovers, memory unchanged.
    SetWriteFunctionForTesting(FillingDisk);
    writesBeforeFailure = 1;
    ui.answer(Answer::Abort);
    QString target = name;
    QCOMPARE(SaveDataFile(target), 0);
    QCOMPARE(ReadBytes(name), old);
    QVERIFY(TableSnapshot() == changed);
    QCOMPARE(DataFileName, name);
    QCOMPARE(DataFileHandle.number(), heldNumber);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.QX3"});
    QCOMPARE(Titles(ui), QStringList{"Save Data Error"});
    const MessageRequest& error = ui.last();
    QVERIFY2(error.text.startsWith(QStringLiteral("Error saving QX data:\r\rError:  No space left on device\r"
                                                  "Filename:  ") +
                                   name + QStringLiteral("\rError Number:  28-4-")),
             qPrintable(error.text));
    QCOMPARE(error.buttons, Buttons::AbortRetryIgnore);
    QCOMPARE(error.icon, Icon::Warning);

    // Ignore must not commit the half-written file either.
    ui.clear();
    writesBeforeFailure = 1;
    ui.answer(Answer::Ignore);
    QCOMPARE(SaveDataFile(target), 0);
    QCOMPARE(ReadBytes(name), old);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.QX3"});

    // Retry after the failure passes writes the whole new file.
    ui.clear();
    SetWriteFunctionForTesting(FailOnceThenWrite);
    writesBeforeFailure = 1;
    ui.answer(Answer::Retry);
    QCOMPARE(SaveDataFile(target), 1);
    QCOMPARE(Titles(ui), QStringList{"Save Data Error"});
    QVERIFY(ui.last().text.contains(QStringLiteral("Error Number:  5-4-")));
    QVERIFY(ReadBytes(name).contains("04044new\r\n"));
    QCOMPARE(ReadBytes(name), DataFileContent());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.QX3"});
}

void TestDataFile::fullDiskOnARealFileSystem()
{
    if (::geteuid() != 0) QSKIP("mounting a small memory file system needs root; the simulated full disk covers it");
    const QString mountPoint = path(QStringLiteral("small"));
    QVERIFY(QDir().mkpath(mountPoint));
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=200k") != 0)
        QSKIP("this machine does not allow mounting a memory file system here");
    struct Unmount {
        QByteArray point;
        ~Unmount() { ::umount2(point.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(mountPoint)};

    ScriptedDialogs ui;
    FillRichDataSet(false);
    for (int tab = 0; tab < TabCount; ++tab)
        for (int record = 0; record < RecordsPerTab; ++record)
            LayoutData.setCell(tab, record, Line4, QString(200, QChar(u'a' + tab)));
    QString name = mountPoint + QStringLiteral("/full.QX3");
    QCOMPARE(SaveDataFile(name), 1);
    const QByteArray old = ReadBytes(name);
    QVERIFY(old.size() > 100000); // two copies do not fit in 200k
    LayoutData.setCell(0, 0, 0, QStringLiteral("never written"));
    ui.answer(Answer::Abort);
    QString target = name;
    QCOMPARE(SaveDataFile(target), 0);
    QCOMPARE(Titles(ui), QStringList{"Save Data Error"});
    QVERIFY(ui.last().text.contains(QStringLiteral("Error:  No space left on device")));
    QCOMPARE(ReadBytes(name), old);
    QCOMPARE(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden), QStringList{"full.QX3"});
    DataFileHandle.release();
}

void TestDataFile::setReadOnlySwitchesSave()
{
    ScriptedDialogs ui;
    QList<bool> enabled;
    MainLink().setSaveEnabled = [&](bool on) { enabled << on; };
    SetReadOnly(true);
    QVERIFY(ReadOnlyMode);
    SetReadOnly(false);
    QVERIFY(!ReadOnlyMode);
    QCOMPARE(enabled, QList<bool>({false, true}));
}

void TestDataFile::readFailureIsFramedInTheLoadBox()
{
    // This process's own memory, read from address 0, is a file whose every read fails.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    if (!QFileInfo(unreadable).isFile()) QSKIP("no /proc/self/mem here to fail a read");
    ScriptedDialogs ui;
    ui.answer(Answer::Retry);
    ui.answer(Answer::Abort);
    QCOMPARE(LoadDataFile(unreadable, true), int(LoadResult::Failed));
    QCOMPARE(Titles(ui), QStringList({"Error Loading File", "Error Loading File"}));
    const MessageRequest& box = ui.last();
    QCOMPARE(box.text, QStringLiteral("Error loading file:\r\rError: Input/output error\rError Number: 5-6-0-") +
                           QString::number(DataFileHandle.number()) + QStringLiteral("-1-"));
    QCOMPARE(box.buttons, Buttons::AbortRetryIgnore);
    QCOMPARE(box.icon, Icon::Warning);
    // Ignore goes on: nothing could be read, the load ends with an empty table.
    DataFileHandle.release();
    ui.clear();
    LayoutData.setCell(0, 0, 0, QStringLiteral("old"));
    ui.answer(Answer::Ignore);
    QCOMPARE(LoadDataFile(unreadable, true), int(LoadResult::Loaded));
    QVERIFY(LayoutData.cell(0, 0, 0).isEmpty());
    QCOMPARE(ui.messages.size(), std::size_t(1));
}

QUILLET_TEST_MAIN(TestDataFile)
#include "tst_data_file.moc"
