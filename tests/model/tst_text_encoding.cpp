#include "model/text_encoding.h"
#include "model/text_file_reader.h"
#include "support/test_environment.h"

#include <QTemporaryFile>

#include <fcntl.h>
#include <unistd.h>

using namespace quillet;

class TestTextEncoding : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindows1252ByteRoundTrips();
    void charactersBeyondWindows1252AreNotSilentlyReplaced();
    void strictUtf8Check();
    void fileEncodingKeepsEveryTextReadable();
    void readerTellsEncodingsAndLineEnds();
    void readerBoundsLongLines();
};

void TestTextEncoding::everyWindows1252ByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    const QString text = FromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(FitsWindows1252(text));
    QCOMPARE(ToWindows1252(text), all);
    QCOMPARE(text[0x80], QChar(0x20AC)); // euro
    QCOMPARE(text[0x81], QChar(0x0081)); // undefined byte keeps its value
    QCOMPARE(text[0x9F], QChar(0x0178));
    QCOMPARE(text[0xFF], QChar(0x00FF));
}

void TestTextEncoding::charactersBeyondWindows1252AreNotSilentlyReplaced()
{
    QVERIFY(!FitsWindows1252(u"ş"));
    QVERIFY(!FitsWindows1252(u"\U0001F600"));
    const QByteArray bytes = EncodeForFile(u"Şule");
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(bytes.mid(3)), QStringLiteral("Şule"));
    QCOMPARE(EncodeForFile(u"plain"), QByteArray("plain"));
    QCOMPARE(EncodeForFile(u"café"), QByteArray("caf\xE9"));
    // Windows-1252 bytes that would read back as UTF-8 are written as UTF-8 instead.
    const QByteArray tricky = EncodeForFile(u"Ã©");
    QVERIFY(tricky.startsWith("\xEF\xBB\xBF"));
}

void TestTextEncoding::strictUtf8Check()
{
    const auto valid = [](const QByteArray& bytes) {
        Utf8Validator v;
        // Fed in two pieces: a sequence may straddle the chunks of a file.
        v.feed(bytes.left(bytes.size() / 2));
        v.feed(bytes.mid(bytes.size() / 2));
        return v.valid();
    };
    QVERIFY(valid("plain ascii"));
    QVERIFY(valid("Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x98\x80"));
    QVERIFY(!valid("\xC0\xAF"));         // overlong
    QVERIFY(!valid("\xE0\x80\xAF"));     // overlong
    QVERIFY(!valid("\xED\xA0\x80"));     // surrogate
    QVERIFY(!valid("\xF4\x90\x80\x80")); // past U+10FFFF
    QVERIFY(!valid("caf\xE9"));
    QVERIFY(!valid("open \xE2\x82")); // sequence left open at the end
}

void TestTextEncoding::fileEncodingKeepsEveryTextReadable()
{
    // Whatever the writer makes of a text reads back as that text.
    const QString samples[] = {QStringLiteral("plain"),
                               QStringLiteral("café ÿ €"),
                               QStringLiteral("Ã© looks like UTF-8"),
                               QStringLiteral("Dvořák ş 😀"),
                               QString(QChar(0xFEFF)) + QStringLiteral("mark inside"),
                               QString::fromUtf16(u"nul\0inside", 10)};
    for (const QString& text : samples) {
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(EncodeForFile(QStringLiteral("header\r\n") + text + QStringLiteral("\r\n")));
        file.flush();
        TextFileReader reader(file.handle(), true);
        QString line;
        QVERIFY(reader.nextLine(line));
        QCOMPARE(line, QStringLiteral("header"));
        QVERIFY(reader.nextLine(line));
        QCOMPARE(line, text);
        QVERIFY(!reader.nextLine(line));
    }
}

void TestTextEncoding::readerTellsEncodingsAndLineEnds()
{
    const auto lines = [](const QByteArray& bytes, TextEncoding* encoding = nullptr) {
        QTemporaryFile file;
        file.open();
        file.write(bytes);
        file.flush();
        TextFileReader reader(file.handle(), true);
        if (encoding) *encoding = reader.encoding();
        QStringList result;
        QString line;
        while (reader.nextLine(line)) result << line;
        return result;
    };
    QCOMPARE(lines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    QCOMPARE(lines("a\r\n\r\nb\r\n"), QStringList({"a", "", "b"}));
    QCOMPARE(lines("\r\r"), QStringList({"", ""}));
    QCOMPARE(lines(""), QStringList());
    TextEncoding encoding{};
    QCOMPARE(lines("caf\xC3\xA9\r\n", &encoding), QStringList({"café"}));
    QCOMPARE(encoding, TextEncoding::Utf8);
    QCOMPARE(lines("caf\xE9\r\nna\xC3\xAFve\r\n", &encoding), QStringList({"café", "naÃ¯ve"}));
    QCOMPARE(encoding, TextEncoding::Windows1252);
    // A byte-order mark makes the file UTF-8 and is not part of the first line.
    QCOMPARE(lines("\xEF\xBB\xBFhead\r\n\xC5\x9F\r\n", &encoding), QStringList({"head", "ş"}));
    QCOMPARE(encoding, TextEncoding::Utf8);
    // CR LF split across the reader's chunks still ends one line.
    QByteArray big(256 * 1024 - 1, 'x');
    big += "\r\nnext";
    const QStringList split = lines(big);
    QCOMPARE(split.size(), 2);
    QCOMPARE(split[1], QStringLiteral("next"));
}

void TestTextEncoding::readerBoundsLongLines()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    const QByteArray chunk(1 << 20, 'z');
    for (int i = 0; i < 20; ++i) file.write(chunk); // one 20 MB line
    file.write("\r\nafter\r\n");
    file.flush();
    TextFileReader reader(file.handle(), true);
    QString line;
    QVERIFY(reader.nextLine(line));
    QCOMPARE(line.size(), TextFileReader::MaxLineBytes);
    QVERIFY(reader.nextLine(line));
    QCOMPARE(line, QStringLiteral("after"));
    // A UTF-8 character cut by the limit is dropped, not turned into a replacement mark.
    QTemporaryFile utf8;
    QVERIFY(utf8.open());
    QByteArray text(TextFileReader::MaxLineBytes - 1, 'a');
    text += "\xE2\x82\xAC\r\n";
    utf8.write(text);
    utf8.flush();
    TextFileReader cut(utf8.handle(), true);
    QVERIFY(cut.nextLine(line));
    QCOMPARE(line, QString(TextFileReader::MaxLineBytes - 1, u'a'));
}

QUILLET_TEST_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
