#include "common/program_folder.h"
#include "common/scripted_dialogs.h"
#include "model/settings_file.h"
#include "model/shared_state.h"
#include "model/user_settings.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace quillet;

namespace {

const QString MessageStart =
    QStringLiteral("Error loading QX.INI initiallization file (this file contains the name of your last saved data "
                   "file, and a few other program settings):  ");

void WriteIni(const QByteArray& bytes)
{
    QFile file(SettingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray ReadIni()
{
    QFile file(SettingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void loadsEntriesAndKeepsReservedOnes();
    void unusableFilesAreReported_data();
    void unusableFilesAreReported();
    void savedFileReadsBack();

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

void TestSettings::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    SetProgramFolderForTesting(folder_->path());
    for (QString& entry : SettingsData) entry.clear();
}

void TestSettings::cleanup()
{
    folder_.reset();
}

void TestSettings::loadsEntriesAndKeepsReservedOnes()
{
    ScriptedDialogs ui;
    WriteIni(
        "anything\r\nqx.ini\r\n/data/labels.QX3\r\n 1440\r\n-30\r\nr3\nr4\rr5\r\n\r\nr7\r\nr8\r\nr9\r\nignored\r\n");
    SettingsData[5] = QStringLiteral("stale");
    QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Loaded));
    const std::array<QString, 10> expected = {
        "/data/labels.QX3", " 1440", "-30", "r3", "r4", "r5", "", "r7", "r8", "r9"};
    QVERIFY(SettingsData == expected);

    // Only the two header lines: every entry stays empty.
    for (QString& entry : SettingsData) entry.clear();
    WriteIni("Quillet initialization data file\r\nQX.INI\r\n");
    QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Loaded));
    QVERIFY(SettingsData == (std::array<QString, 10>()));
    QVERIFY(ui.messages.empty());
}

void TestSettings::unusableFilesAreReported_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("ending");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("File exists, but appears to be empty of data.");
    QTest::newRow("one line") << QByteArray("Quillet initialization data file\r\n")
                              << QStringLiteral("File exists, but appears to be missing some header information.");
    QTest::newRow("wrong second line") << QByteArray("Quillet initialization data file\r\nQX.TXT\r\n/a.QX3\r\n")
                                       << QStringLiteral(
                                              "File exists, but does not appear to be in the proper format.");
    QTest::newRow("binary") << QByteArray("\x00\xFF\x01\n\x80\x81", 6)
                            << QStringLiteral("File exists, but does not appear to be in the proper format.");
}

void TestSettings::unusableFilesAreReported()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, ending);
    ScriptedDialogs ui;
    WriteIni(bytes);
    SettingsData[0] = QStringLiteral("from before");
    QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Unusable));
    QVERIFY(SettingsData == (std::array<QString, 10>()));
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().text, MessageStart + ending);
    QCOMPARE(ui.last().title, QStringLiteral("Quillet"));
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QCOMPARE(ui.last().icon, Icon::None);
}

void TestSettings::savedFileReadsBack()
{
    ScriptedDialogs ui;
    SettingsData = {"/home/ana/Müller.QX3", " 720", "-15", "", "r4", "", "", "", "", "r9"};
    SaveSettingsFile();
    QCOMPARE(ReadIni(), QByteArray("Quillet initialization data file\r\nQX.INI\r\n/home/ana/M\xFCller.QX3\r\n 720\r\n"
                                   "-15\r\n\r\nr4\r\n\r\n\r\n\r\n\r\nr9\r\n"));
    const auto saved = SettingsData;
    for (QString& entry : SettingsData) entry.clear();
    QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Loaded));
    QVERIFY(SettingsData == saved);

    // A path beyond Windows-1252 is kept whole (UTF-8 with a byte-order mark).
    SettingsData[0] = QStringLiteral("/home/şule/labels.QX3");
    SaveSettingsFile();
    QVERIFY(ReadIni().startsWith("\xEF\xBB\xBFQuillet initialization data file\r\n"));
    SettingsData[0].clear();
    QCOMPARE(LoadSettingsFile(), int(SettingsLoad::Loaded));
    QCOMPARE(SettingsData[0], QStringLiteral("/home/şule/labels.QX3"));
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"QX.INI"});
    QVERIFY(ui.messages.empty());

    // A folder the settings file cannot be written to is reported with its operation text.
    SetProgramFolderForTesting(folder_->path() + QStringLiteral("/missing"));
    ui.answer(Answer::Abort);
    SaveSettingsFile();
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QVERIFY(ui.last().text.startsWith(QStringLiteral("Error saving Quillet's initialization file, ") + folder_->path() +
                                      QStringLiteral("/missing/QX.INI:\r\rError: ")));
    QCOMPARE(ui.last().buttons, Buttons::AbortRetryIgnore);
    QCOMPARE(ui.last().title, QStringLiteral("Quillet Error"));
}

QUILLET_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
