#include "common/failure.h"
#include "data_file_fixtures.h"
#include "model/data_file.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/safe_file_write.h"
#include "model/settings_file.h"
#include "model/text_encoding.h"
#include "model/text_file_reader.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

// A cell line of the data file: slot, field and sub-entry counted from 1, then the text.
QString CellLine(int slot, int field, int sub, const QString& text)
{
    return QString::asprintf("%02d%02d%d", slot + 1, field + 1, sub + 1) + text;
}

int failingWrites = 0;

// A disk that fills up: the first write goes half through, the next makes no progress.
ssize_t FillingDisk(int fd, const void* data, size_t size)
{
    return failingWrites-- > 0 ? ::write(fd, data, size / 2 + 1) : 0;
}

ssize_t FailOnceThenWrite(int fd, const void* data, size_t size)
{
    if (failingWrites-- > 0) return errno = EIO, -1;
    return ::write(fd, data, size);
}

// The kind of file system node at `path`, not following a link.
mode_t FileType(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

} // namespace

// The one table, its factory layouts and the data file that keeps it.
class TestDataFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        Run().reset();
        dir_ = std::make_unique<QTemporaryDir>();
        name_ = dir_->filePath(QStringLiteral("data.QX3"));
    }

    void cleanup()
    {
        ui.checkAllUsed();
        SetWriteFunctionForTesting(nullptr);
    }

    // The failure's number and text are checked as a step reports them (common tests).
    void outOfRangeIndexIsAFailureNotACrash()
    {
        for (auto [s, f, e] : {std::tuple{42, 0, 0}, {-1, 0, 0}, {0, 30, 0}, {0, 0, 7}, {0, -1, 0}}) {
            QVERIFY_THROWS_EXCEPTION(Failure, LayoutData().setCell(s, f, e, QStringLiteral("x")));
            QVERIFY_THROWS_EXCEPTION(Failure, LayoutData().cell(s, f, e));
        }
    }

    // The factory layouts replace the layouts only; a new data set holds nothing else and forgets
    // its file. Both checked in the file they save.
    void factoryLayoutsAndANewDataSetAsSaved()
    {
        QCOMPARE(save(), 1);
        QCOMPARE(ReadBytes(name_), DataHeader); // an empty table
        QStringList kept{CellLine(0, 0, 0, "address"), CellLine(27, 3, 4, "spare")};
        for (int slot = 29; slot <= 41; ++slot) {
            for (int sub = 0; sub < 7; ++sub) LayoutData().setCell(slot, 17, sub, QStringLiteral("old"));
            for (int sub = 2; sub < 7; ++sub) kept << CellLine(slot, 17, sub, "old");
        }
        LayoutData().setCell(0, 0, 0, QStringLiteral("address"));
        LayoutData().setCell(27, 3, 4, QStringLiteral("spare"));
        Run().dataChanged = false;
        SetFactoryLayouts();
        QVERIFY(Run().dataChanged);
        QCOMPARE(save(), 1);
        QStringList factory = savedLines();
        for (const QString& line : kept) QVERIFY(factory.removeOne(line));

        QStringList calls;
        QObject context;
        connect(&Run(), &RunState::layoutsChanged, &context, [&] { calls << QStringLiteral("layouts"); });
        connect(&Run(), &RunState::addressCountsChanged, &context, [&] { calls << QStringLiteral("counts"); });
        connect(&Run(), &RunState::dataFileNameChanged, &context, [&](const QString& name) { calls << name; });
        StartNewData();
        QCOMPARE(calls, QStringList({"layouts", "counts", ""}));
        QCOMPARE(Run().entryCount(), 0);
        QVERIFY(Run().dataFileName().isEmpty() && Run().settingsData[0].isEmpty());
        // Forgotten and released: another copy may now edit it.
        QCOMPARE(CheckDataFileHeader(name_, false), int(HeaderCheck::Valid));
        QCOMPARE(save(), 1);
        QCOMPARE(savedLines(), factory);
        // The factory layouts as the product has always shipped them, checked line by line against the
        // maker's table when the file was made: a change to a layout or to how it is written shows here.
        QCOMPARE(ReadBytes(name_).split('\n'), ReadBytes(QStringLiteral(QUILLET_NEW_DATA_SET)).split('\n'));
    }

    void encodingsAndTheWritersChoice()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
        QCOMPARE(ToWindows1252(FromWindows1252(all)), all); // undefined bytes included
        QCOMPARE(FromWindows1252("\x80\x81\x9F"), QStringLiteral("€\u0081Ÿ"));

        // The data file is Windows-1252 unless some text does not fit or the bytes would read back
        // as UTF-8; a byte that starts a UTF-8 sequence at the end of one cell does not join the next.
        // Bytes that only look like UTF-8 stay Windows-1252: overlong (C0 AF), a surrogate (ED A0 80),
        // beyond U+10FFFF (F4 90 80 80), a lone byte (E9).
        const std::pair<std::vector<const char*>, bool> cases[] = {
            {{"café", "plain"}, false}, {{"Ã©"}, true},  {{"Ã", "©"}, false},
            {{"ok", "ş"}, true},        {{"À¯"}, false}, {{"í\u00A0€"}, false},
            {{"ô\xC2\x90€€"}, false}};
        for (const auto& [texts, utf8] : cases) {
            LayoutData().erase();
            for (std::size_t i = 0; i < texts.size(); ++i)
                LayoutData().setCell(0, 0, int(i), QString::fromUtf8(texts[i]));
            const QByteArray bytes = DataFileContent();
            QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);
            QCOMPARE(load(bytes), int(LoadResult::Loaded));
            for (std::size_t i = 0; i < texts.size(); ++i)
                QCOMPARE(LayoutData().cell(0, 0, int(i)), QString::fromUtf8(texts[i]));
        }
    }

    void roundTripKeepsEveryCell()
    {
        for (bool beyond1252 : {false, true}) {
            FillRichDataSet(beyond1252);
            // Line breaks never enter a cell, so none can split a line of the file.
            LayoutData().setCell(0, 0, 3, QStringLiteral("fi\rrst\r\nsec\nond") + QChar(0x2028) + QChar(0x85) + u'!');
            const auto before = TableSnapshot();
            QCOMPARE(save(), 1);
            const QByteArray bytes = ReadBytes(name_);
            QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), beyond1252);
            QVERIFY(bytes.contains(beyond1252 ? "Z\xC3\xBCrich" : "Z\xFCrich \xB7 M\xFCller \x80"));
            QVERIFY(bytes.contains("01014firstsecond!\r\n"));
            LayoutData().erase();
            Run().dataChanged = true;
            QCOMPARE(load(), int(LoadResult::Loaded));
            QVERIFY(TableSnapshot() == before);
            QVERIFY(!Run().dataChanged && !Run().readOnlyMode());
            QCOMPARE(Run().entryCount(), 78);
            QCOMPARE(Run().selectedCount(), 26);
        }
    }

    void headerCheck()
    {
        const std::pair<QByteArray, int> cases[] = {
            {"anything\r\n<FileName>.qX3\r\n", HeaderCheck::Valid},
            {"\xEF\xBB\xBFQuillet Data File\n<filename>.QX3", HeaderCheck::Valid},
            {"Quillet Data File\r\n", HeaderCheck::Invalid}, // one line
            {"", HeaderCheck::Invalid},
            {"Quillet Data File\r\nmy labels.QX3\r\n", HeaderCheck::Invalid}};
        for (const auto& [bytes, result] : cases) {
            WriteBytes(name_, bytes);
            QCOMPARE(CheckDataFileHeader(name_, false), result);
        }
        QCOMPARE(CheckDataFileHeader(QString(), false), int(HeaderCheck::NoName));
        for (const QString& missing :
             {dir_->filePath(QStringLiteral("none.QX3")), dir_->path(), dir_->filePath(QStringLiteral("*.QX3")),
              QStringLiteral("/dev/null"), QString::fromUtf16(u"bad\0name", 8)})
            QCOMPARE(CheckDataFileHeader(missing, true), int(HeaderCheck::NotFound));
    }

    void readerQuestionsAndAnswers()
    {
        const QByteArray bytes = DataHeader + "010111\r\n01011\r\n4301199 bad tab\r\n01021  kept  \r\n01031a\r\n"
                                              "01031later\r\n 2031 blank marker\r\n-1011negative\r\n";
        for (int i = 0; i < 3; ++i) ui.answer(Answer::Yes);
        QCOMPARE(load(bytes), int(LoadResult::Loaded));
        QCOMPARE(QStringList({LayoutData().cell(0, 0, 0), LayoutData().cell(0, 1, 0), LayoutData().cell(0, 2, 0),
                              LayoutData().cell(1, 2, 0)}),
                 QStringList({"1", "  kept  ", "later", " blank marker"}));
        QCOMPARE(ui.messages.size(), std::size_t(3));
        QVERIFY(IsMessage(ui.messages[0],
                          QStringLiteral("Error loading data file:  Record is not in a valid format.\r\rRecord loaded: "
                                         "01011\rRecord Number: 2\r\rContinue loading remaining data?"),
                          QStringLiteral("Error loading QX data file"), Buttons::YesNo, Icon::Warning, Answer::Yes));
        QVERIFY(IsMessage(ui.messages[1],
                          QStringLiteral("Error loading data file. Record marker is out of range.\r\rRecord marker "
                                         "loaded: 43011\rRecord Number: 3\rComplete record loaded: 4301199 bad tab\r\r"
                                         "Continue loading remaining records?"),
                          QStringLiteral("Error loading QX data file"), Buttons::YesNo, Icon::Warning, Answer::Yes));
        QVERIFY(ui.messages[2].text.contains(QStringLiteral("Record marker loaded: -1011")));

        // No stops the load: what was read stays, the file is held and named.
        ui.answer(Answer::No);
        QCOMPARE(load(bytes), int(LoadResult::Stopped));
        QVERIFY(LayoutData().cell(0, 0, 0) == QStringLiteral("1") && LayoutData().cell(0, 1, 0).isEmpty());
        QVERIFY(Run().dataFileName() == name_ && Run().dataFileHandle.isHeld());
    }

    void readerLimitsLineFormsAndMalformedFiles()
    {
        QByteArray bytes = DataHeader;
        // 12,000 cell lines: the first 10,000 load, the rest are ignored without a word.
        for (int i = 0; i < 12000; ++i)
            bytes += QString::asprintf("%02d%02d%dv%d\r\n", i / 210 % 42 + 1, i / 7 % 30 + 1, i % 7 + 1, i).toLatin1();
        QCOMPARE(load(bytes), int(LoadResult::Loaded));
        QCOMPARE(LayoutData().cell(0, 0, 0), QStringLiteral("v8820"));  // a later line overwrites
        QCOMPARE(LayoutData().cell(5, 18, 4), QStringLiteral("v1180")); // line 10,180 was ignored

        // A one-line file loads nothing at all: no layouts, no records.
        FillRichDataSet(false);
        QCOMPARE(load("Quillet Data File"), int(LoadResult::Loaded));
        QVERIFY(TableSnapshot() == std::vector<QString>(SlotCount * FieldCount * SubEntryCount));

        // LF, CR and CR LF line ends, a CR LF split across the reader's chunks, no end on the last.
        QCOMPARE(load("Quillet Data File\n<filename>.QX3\r01011a\n01012b\r\n01013c\r01014" +
                      QByteArray(256 * 1024 - 35, 'd') + "\r\n01015e"),
                 int(LoadResult::Loaded));
        QCOMPARE(LayoutData().cell(0, 0, 0) + LayoutData().cell(0, 0, 1) + LayoutData().cell(0, 0, 2) +
                     LayoutData().cell(0, 0, 4),
                 QStringLiteral("abce"));

        // A NUL is kept in a cell; a line of them is a record in no valid format.
        ui.answer(Answer::Yes);
        QCOMPARE(load(DataHeader + QByteArray("01011a\0b\r\n", 10) + QByteArray(1000, '\0')), int(LoadResult::Loaded));
        QCOMPARE(LayoutData().cell(0, 0, 0), QString::fromUtf16(u"a\0b", 3));

        // A 100 MB line is cut to the reader's limit, and so is a 1 GB one whose rest is a hole of
        // a sparse file, which the reader passes unread; the line after each still loads.
        for (qint64 hole : {0LL, 1LL << 30}) {
            WriteBytes(name_, DataHeader + "01011x" + QByteArray(hole ? 0 : 100 << 20, '\0'));
            QFile file(name_);
            QVERIFY(file.open(QIODevice::ReadWrite) && (!hole || file.resize(hole)) && file.seek(file.size()));
            file.write("\r\n01021after\r\n");
            file.close();
            QCOMPARE(load(), int(LoadResult::Loaded));
            QCOMPARE(LayoutData().cell(0, 0, 0), u'x' + QString(TextFileReader::MaxLineChars - 6, QChar(0)));
            QCOMPARE(LayoutData().cell(0, 1, 0), QStringLiteral("after"));
        }

        // The longest cell kept reads back whole even when the writer needs UTF-8 (two bytes for é).
        QCOMPARE(load(DataHeader + "01011" + QByteArray(300000, '\xE9')), int(LoadResult::Loaded));
        LayoutData().setCell(0, 0, 1, QStringLiteral("ş"));
        const auto kept = TableSnapshot();
        QCOMPARE(save(), 1);
        QCOMPARE(load(), int(LoadResult::Loaded));
        QVERIFY(TableSnapshot() == kept);
    }

    void failedWritesLeaveTheOldFile()
    {
        FillRichDataSet(false);
        QCOMPARE(save(), 1);
        const QByteArray old = ReadBytes(name_);
        const int held = Run().dataFileHandle.number();
        LayoutData().setCell(3, 3, 3, QStringLiteral("new"));
        const auto changed = TableSnapshot();

        // Full disk answered Abort, then Ignore: nothing is committed, nothing is left behind.
        SetWriteFunctionForTesting(FillingDisk);
        for (Answer answer : {Answer::Abort, Answer::Ignore}) {
            ui.clear();
            failingWrites = 1;
            ui.answer(answer);
            QCOMPARE(save(), 0);
            QCOMPARE(ReadBytes(name_), old);
            QVERIFY(TableSnapshot() == changed);
            QCOMPARE(Run().dataFileHandle.number(), held);
            QCOMPARE(files(), QStringList{"data.QX3"});
            const QString text = ui.messages.empty() ? QString() : ui.last().text;
            QVERIFY2(text.startsWith(
                         QStringLiteral("Error saving QX data:\r\rError:  No space left on device\rFilename:  ") +
                         name_ + QStringLiteral("\rError Number:  28-4-%1-").arg(held)),
                     qPrintable(text));
            QVERIFY(
                IsOnlyMessage(ui, text, QStringLiteral("Save Data Error"), Buttons::AbortRetryIgnore, Icon::Warning));
        }

        // Retry after a failure that passes writes the whole new file.
        SetWriteFunctionForTesting(FailOnceThenWrite);
        failingWrites = 1;
        ui.answer(Answer::Retry);
        QCOMPARE(save(), 1);
        QVERIFY(ui.last().text.contains(QStringLiteral("Error Number:  5-4-")));
        QCOMPARE(ReadBytes(name_), DataFileContent());
        QCOMPARE(files(), QStringList{"data.QX3"});
    }

    void endlessAndHugeFilesAreRefusedUnread()
    {
        // A sparse file far larger than any data file, and a file of the kernel's that reports no
        // size and never ends: both are refused before a byte is read, with a message saying why.
        // This process's own memory, read from address 0, is a file whose every read fails.
        const QString huge = dir_->filePath(QStringLiteral("huge.QX3"));
        WriteBytes(huge, DataHeader);
        QVERIFY(::truncate(QFile::encodeName(huge).constData(), 20LL << 30) == 0);
        const QString endless = dir_->filePath(QStringLiteral("endless.QX3"));
        QVERIFY(QFile::link(QStringLiteral("/proc/self/pagemap"), endless));
        const QString tooLarge =
            QStringLiteral("The file is larger than any file Quillet writes (21474836480 bytes, at "
                           "most %1); it was not read")
                .arg(MaxDataFileBytes);
        const QString noEnd =
            QStringLiteral("The file holds more than its size says (a system file without end); it was not read");
        const std::tuple<QString, QString, QString> cases[] = {
            {huge, tooLarge, "27"}, {endless, noEnd, "27"}, {"/proc/self/mem", "Input/output error", "5"}};
        for (const auto& [file, why, number] : cases) {
            ui.clear();
            ui.answer(Answer::Cancel);
            QCOMPARE(CheckDataFileHeader(file, false), int(HeaderCheck::Failed));
            QVERIFY(IsOnlyMessage(ui,
                                  QStringLiteral("Error checking file header of %1:\r\rError: %2\rError Number: "
                                                 "%3-3-0-0-0")
                                      .arg(file, why, number),
                                  QStringLiteral("Quillet Error"), Buttons::RetryCancel, Icon::Warning));
            ui.clear();
            ui.answer(Answer::Retry);
            ui.answer(Answer::Abort);
            QCOMPARE(LoadDataFile(file, true), int(LoadResult::Failed));
            QCOMPARE(ui.messages.size(), std::size_t(2));
            QVERIFY(IsMessage(ui.last(),
                              QStringLiteral("Error loading file:\r\rError: %1\rError Number: %2-6-0-%3-1-")
                                  .arg(why, number, QString::number(Run().dataFileHandle.number())),
                              QStringLiteral("Error Loading File"), Buttons::AbortRetryIgnore, Icon::Warning));
        }

        // The settings file is bounded the same way.
        QVERIFY(QFile::link(endless, SettingsFilePath()));
        ui.answer(Answer::Abort);
        QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Unusable));
        QVERIFY(ui.last().text.endsWith(noEnd + QStringLiteral("\rError Number: 27-3-0-0-0")));
        QFile::remove(SettingsFilePath());

        // The header check reads only the start of a file: a first line longer than that leaves
        // the header unseen.
        WriteBytes(name_, QByteArray(HeaderCheckBytes, 'h') + "\r\n<filename>.QX3\r\n");
        QCOMPARE(CheckDataFileHeader(name_, false), int(HeaderCheck::Invalid));
    }

    void saveReplacesOnlyRegularFiles()
    {
        // A pipe, a link to it and (for root, who may make one) a device: each is refused by name
        // and stays what it was.
        const QString pipe = dir_->filePath(QStringLiteral("pipe.QX3"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString link = dir_->filePath(QStringLiteral("link.QX3"));
        QVERIFY(QFile::link(pipe, link));
        QCOMPARE(CheckDataFileHeader(pipe, false), int(HeaderCheck::NotFound)); // not opened to wait for a writer
        std::vector<std::tuple<QString, QString, mode_t>> targets{{pipe, pipe, S_IFIFO}, {link, pipe, S_IFIFO}};
        if (::geteuid() == 0) {
            const QString device = dir_->filePath(QStringLiteral("device.QX3"));
            QCOMPARE(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
            targets.emplace_back(device, device, S_IFCHR);
        }
        const auto refusal = [](const QString& node) {
            return node + QStringLiteral(" is not a regular file (it is a device, pipe, socket or folder); nothing was "
                                         "written");
        };
        for (const auto& [name, node, type] : targets) {
            ui.clear();
            ui.answer(Answer::Abort);
            QString target = name;
            QCOMPARE(SaveDataFile(target), 0);
            QVERIFY(IsOnlyMessage(ui,
                                  QStringLiteral("Error saving QX data:\r\rError:  ") + refusal(node) +
                                      QStringLiteral("\rFilename:  ") + name +
                                      QStringLiteral("\rError Number:  22-2-0-0-0-0"),
                                  QStringLiteral("Save Data Error"), Buttons::AbortRetryIgnore, Icon::Warning));
            QCOMPARE(FileType(node), type);
        }

        // The settings file too, which before was written through any link.
        QVERIFY(QFile::link(pipe, SettingsFilePath()));
        ui.clear();
        ui.answer(Answer::Abort);
        SaveSettingsFile();
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("Error saving Quillet's initialization file, ") + SettingsFilePath() +
                                  QStringLiteral(":\r\rError: ") + refusal(pipe) +
                                  QStringLiteral("\rError Number: 22-2-0-0-0"),
                              QStringLiteral("Quillet Error"), Buttons::AbortRetryIgnore, Icon::Warning));
        QCOMPARE(FileType(pipe), mode_t(S_IFIFO));
        QVERIFY(QFileInfo(SettingsFilePath()).isSymLink());
        QFile::remove(SettingsFilePath());

        // A link to a regular file stays a link; its target takes the new content.
        const QString real = dir_->filePath(QStringLiteral("real.QX3"));
        WriteBytes(real, DataHeader);
        QFile::remove(link);
        QVERIFY(QFile::link(real, link));
        QString target = link;
        QCOMPARE(SaveDataFile(target), 1);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadBytes(real), DataFileContent());
        // Nothing else was written anywhere in the folder.
        QCOMPARE(
            QDir(dir_->path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(),
            int(targets.size()) + 1);
    }

    void saveKeepsOwnerGroupAndModeOrAsks()
    {
        FillRichDataSet(false);
        QCOMPARE(save(), 1);
        LayoutData().setCell(0, 0, 0, QStringLiteral("changed"));
        if (::geteuid() == 0) {
            // Root saving a user's file leaves it the user's, with its permissions.
            const struct passwd* nobody = ::getpwnam("nobody");
            QVERIFY(nobody);
            QCOMPARE(::chown(QFile::encodeName(name_).constData(), nobody->pw_uid, nobody->pw_gid), 0);
            QCOMPARE(::chmod(QFile::encodeName(name_).constData(), 02640), 0);
            QCOMPARE(save(), 1);
            struct stat info {};
            QCOMPARE(::stat(QFile::encodeName(name_).constData(), &info), 0);
            QCOMPARE(info.st_uid, nobody->pw_uid);
            QCOMPARE(info.st_gid, nobody->pw_gid);
            QCOMPARE(info.st_mode & 07777, mode_t(02640));
        }

        // A second name of the file would part from it: the user decides first.
        const QString second = dir_->filePath(QStringLiteral("second name.QX3"));
        QCOMPARE(::link(QFile::encodeName(name_).constData(), QFile::encodeName(second).constData()), 0);
        const QByteArray before = ReadBytes(name_);
        for (Answer answer : {Answer::No, Answer::Yes}) {
            ui.clear();
            ui.answer(answer);
            QCOMPARE(save(), answer == Answer::Yes ? 1 : 0);
            QVERIFY(IsOnlyMessage(ui,
                                  QStringLiteral("The file:\r") + name_ +
                                      QStringLiteral("\rhas other names (hard links), which will keep the old "
                                                     "content.\r\rSave it anyway?"),
                                  QStringLiteral("Save Data File"), Buttons::YesNo, Icon::Warning, Answer::No));
            QCOMPARE(ReadBytes(name_), answer == Answer::Yes ? DataFileContent() : before);
            QCOMPARE(ReadBytes(second), before);
        }
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
    // Loads the test file, first written with `bytes` unless they are null, for editing.
    int load(const QByteArray& bytes = QByteArray())
    {
        Run().dataFileHandle.release();
        if (!bytes.isNull()) WriteBytes(name_, bytes);
        return LoadDataFile(name_, false);
    }
    int save()
    {
        QString name = name_;
        return SaveDataFile(name);
    }
    // The saved file's cell lines, as long as every line ends with CR LF.
    QStringList savedLines() const
    {
        const QByteArray bytes = ReadBytes(name_);
        if (!bytes.startsWith(DataHeader) || !bytes.endsWith("\r\n")) return {};
        return QString::fromLatin1(bytes.mid(DataHeader.size()).chopped(2)).split(QStringLiteral("\r\n"));
    }
    QStringList files() const { return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden); }
    std::unique_ptr<QTemporaryDir> dir_;
    QString name_;
};

QUILLET_TEST_MAIN(TestDataFile)
#include "tst_data_file.moc"
