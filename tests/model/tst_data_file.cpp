#include "common/scripted_dialogs.h"
#include "data_file_fixtures.h"
#include "model/data_file.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/safe_file_write.h"
#include "model/shared_state.h"
#include "model/text_encoding.h"
#include "model/text_file_reader.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cerrno>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

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

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ui.clear();
        ui.onMessage = nullptr;
        ResetPersistenceState();
        dir_ = std::make_unique<QTemporaryDir>();
        name_ = dir_->filePath(QStringLiteral("data.QX3"));
    }

    void cleanup()
    {
        SetWriteFunctionForTesting(nullptr);
        ResetPersistenceState();
    }

    void encodingsRoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
        QCOMPARE(ToWindows1252(FromWindows1252(all)), all); // undefined bytes included
        QCOMPARE(FromWindows1252("\x80\x81\x9F"), QStringLiteral("€\u0081Ÿ"));
        // Overlong, surrogate, beyond U+10FFFF, a lone Windows-1252 byte, a sequence cut short.
        for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xE9", "open \xE2\x82"}) {
            Utf8Validator v;
            v.feed(bad);
            QVERIFY2(!v.valid(), bad);
        }
        QCOMPARE(EncodeForFile(u"café"), QByteArray("caf\xE9"));
        // Windows-1252 bytes that would read back as UTF-8 ("Ã©" is C3 A9) are written as UTF-8.
        QVERIFY(EncodeForFile(u"Ã©").startsWith("\xEF\xBB\xBF"));
    }

    void roundTripKeepsEveryCell_data()
    {
        QTest::addColumn<bool>("beyond1252");
        QTest::newRow("windows-1252") << false;
        QTest::newRow("utf-8") << true;
    }

    void roundTripKeepsEveryCell()
    {
        QFETCH(bool, beyond1252);
        FillRichDataSet(beyond1252);
        // Line breaks never enter a cell, so none can split a line of the file.
        LayoutData.setCell(0, 0, 3, QStringLiteral("fi\rrst\r\nsec\nond") + QChar(0x2028) + QChar(0x85) + u'!');
        const auto before = TableSnapshot();
        QCOMPARE(save(), 1);
        const QByteArray bytes = ReadBytes(name_);
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), beyond1252);
        QVERIFY(bytes.contains(beyond1252 ? "Z\xC3\xBCrich" : "Z\xFCrich \xB7 M\xFCller \x80"));
        QVERIFY(bytes.contains("01014firstsecond!\r\n"));
        LayoutData.erase();
        DataChanged = true;
        QCOMPARE(load(), int(LoadResult::Loaded));
        QVERIFY(TableSnapshot() == before);
        QVERIFY(!DataChanged && !ReadOnlyMode);
        QCOMPARE(EntryCount, 78);
        QCOMPARE(SelectedCount, 26);
        QVERIFY(ui.messages.empty());
    }

    void writerOrderAndEmptyTable()
    {
        QCOMPARE(save(), 1);
        QCOMPARE(ReadBytes(name_), DataHeader);
        StartNewData();
        QCOMPARE(save(), 1);
        const QByteArray bytes = ReadBytes(name_);
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n')); // every line ends with CR LF
        QList<QByteArray> layoutOne;
        for (const QByteArray& line : bytes.split('\n'))
            if (line.startsWith("30")) layoutOne << line.chopped(1);
        QCOMPARE(layoutOne.join('|'), "30011Avery 5160/8160|30012Arial|3002210|300313|3004110|300512.75|300611|"
                                      "300712.625|30072Arial|3008210|30132Arial|3014210|30192Arial|3020210|30221.5|"
                                      "30231.625|30252Arial|3026210|30301True");
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
        QVERIFY(ui.messages.empty());
    }

    void readerQuestionsAndAnswers()
    {
        const QByteArray bytes = DataHeader + "010111\r\n01011\r\n4301199 bad tab\r\n01021  kept  \r\n01031a\r\n"
                                              "01031later\r\n 2031 blank marker\r\n-1011negative\r\n";
        for (int i = 0; i < 3; ++i) ui.answer(Answer::Yes);
        QCOMPARE(load(bytes), int(LoadResult::Loaded));
        QCOMPARE(QStringList({LayoutData.cell(0, 0, 0), LayoutData.cell(0, 1, 0), LayoutData.cell(0, 2, 0),
                              LayoutData.cell(1, 2, 0)}),
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
        QVERIFY(LayoutData.cell(0, 0, 0) == QStringLiteral("1") && LayoutData.cell(0, 1, 0).isEmpty());
        QVERIFY(DataFileName == name_ && DataFileHandle.isHeld());
    }

    void readerLimitsAndLineForms()
    {
        QByteArray bytes = DataHeader;
        // 12,000 cell lines: the first 10,000 load, the rest are ignored without a word.
        for (int i = 0; i < 12000; ++i)
            bytes += QString::asprintf("%02d%02d%dv%d\r\n", i / 210 % 42 + 1, i / 7 % 30 + 1, i % 7 + 1, i).toLatin1();
        QCOMPARE(load(bytes), int(LoadResult::Loaded));
        QCOMPARE(LayoutData.cell(0, 0, 0), QStringLiteral("v8820"));  // a later line overwrites
        QCOMPARE(LayoutData.cell(5, 18, 4), QStringLiteral("v1180")); // line 10,180 was ignored

        // A one-line file loads nothing at all: no layouts, no records.
        FillRichDataSet(false);
        QCOMPARE(load("Quillet Data File"), int(LoadResult::Loaded));
        QVERIFY(TableSnapshot() == std::vector<QString>(SlotCount * FieldCount * SubEntryCount));

        // LF, CR and CR LF line ends, a CR LF split across the reader's chunks, no end on the last.
        QCOMPARE(load("Quillet Data File\n<filename>.QX3\r01011a\n01012b\r\n01013c\r01014" +
                      QByteArray(256 * 1024 - 35, 'd') + "\r\n01015e"),
                 int(LoadResult::Loaded));
        QCOMPARE(LayoutData.cell(0, 0, 0) + LayoutData.cell(0, 0, 1) + LayoutData.cell(0, 0, 2) +
                     LayoutData.cell(0, 0, 4),
                 QStringLiteral("abce"));
        QVERIFY(ui.messages.empty());
    }

    void malformedFilesLoadWithoutCrashing()
    {
        ui.onMessage = [&](const MessageRequest&) {
            ui.messages.clear();
            return Answer::Yes;
        };
        QByteArray junk(300000, Qt::Uninitialized);
        QRandomGenerator random(1234);
        for (char& c : junk) c = static_cast<char>(random.bounded(256));
        const QByteArray nuls = DataHeader + QByteArray("01011a\0b\r\n", 10) + QByteArray(1000, '\0');
        for (const QByteArray& bytes : {junk, QByteArray(2 << 20, '7'), nuls})
            QCOMPARE(load(bytes), int(LoadResult::Loaded));
        QCOMPARE(LayoutData.cell(0, 0, 0), QString::fromUtf16(u"a\0b", 3));

        // A 100 MB line is cut to the reader's limit; the line after it still loads.
        QCOMPARE(load(DataHeader + "01011" + QByteArray(100 << 20, 'x') + "\r\n01021after\r\n"),
                 int(LoadResult::Loaded));
        QCOMPARE(LayoutData.cell(0, 0, 0).size(), TextFileReader::MaxLineChars - 5);
        QCOMPARE(LayoutData.cell(0, 1, 0), QStringLiteral("after"));

        // The longest cell kept reads back whole even when the writer needs UTF-8 (two bytes for é).
        QCOMPARE(load(DataHeader + "01011" + QByteArray(300000, '\xE9')), int(LoadResult::Loaded));
        LayoutData.setCell(0, 0, 1, QStringLiteral("ş"));
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
        const int held = DataFileHandle.number();
        LayoutData.setCell(3, 3, 3, QStringLiteral("new"));
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
            QCOMPARE(DataFileHandle.number(), held);
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

    void readFailureIsFramedInTheLoadBox()
    {
        // This process's own memory, read from address 0, is a file whose every read fails.
        const QString unreadable = QStringLiteral("/proc/self/mem");
        if (!QFileInfo(unreadable).isFile()) QSKIP("no /proc/self/mem here to fail a read");
        ui.answer(Answer::Retry);
        ui.answer(Answer::Abort);
        QCOMPARE(LoadDataFile(unreadable, true), int(LoadResult::Failed));
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QVERIFY(IsMessage(ui.last(),
                          QStringLiteral("Error loading file:\r\rError: Input/output error\rError Number: 5-6-0-") +
                              QString::number(DataFileHandle.number()) + QStringLiteral("-1-"),
                          QStringLiteral("Error Loading File"), Buttons::AbortRetryIgnore, Icon::Warning));
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
    // Loads the test file, first written with `bytes` unless they are null, for editing.
    int load(const QByteArray& bytes = QByteArray())
    {
        DataFileHandle.release();
        if (!bytes.isNull()) WriteBytes(name_, bytes);
        return LoadDataFile(name_, false);
    }
    int save()
    {
        QString name = name_;
        return SaveDataFile(name);
    }
    QStringList files() const { return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden); }
    std::unique_ptr<QTemporaryDir> dir_;
    QString name_;
};

QUILLET_TEST_MAIN(TestDataFile)
#include "tst_data_file.moc"
