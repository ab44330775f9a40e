#include "common/error_report.h"
#include "common/numbers.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/system_facts.h"
#include "mainwindow/main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "support/recording_surface.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QTabWidget>

using namespace quillet;
using namespace quillet::test;

class TestDiagnostics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        SetFactoryLayouts();
        ui.clear();
    }
    void cleanup() { ui.checkAllUsed(); }

    void printerPageWithTwoResolutionsAndAFailure()
    {
        // Widths and left offsets by the horizontal resolution, heights and top offsets by the vertical one.
        RecordingSurface surface({600, 300, QSizeF(5100, 3300), QRectF(150, 150, 4800, 3000)});
        DiagnosticsValues values;
        ShowPrinterPage(values, surface);
        QCOMPARE(QStringList({values[4], values[5], values[8], values[9]}),
                 QStringList({"5100 Pixels (8.5 inches)", "3300 Pixels (11 inches)", "150 Pixels (.25 inches)",
                              "150 Pixels (.5 inches)"}));
        // No resolution: the page's failure is reported, the items it did not reach stay empty and
        // the next page fills all the same.
        surface.setGeometry({0, 0, QSizeF(5100, 3300), QRectF(150, 150, 4800, 3000)});
        values = DiagnosticsValues();
        ui.answer(Answer::Abort);
        ShowPrinterPage(values, surface);
        ShowLayoutPage(values, 1, 1);
        QVERIFY(ui.last().title == ErrorReportTitle && ui.last().buttons == Buttons::AbortRetryIgnore &&
                ui.last().text.startsWith(QStringLiteral("Error setting page 1 of diagnostics:\r\r")));
        QVERIFY(values[3] == "0 DPI" && values[4].isEmpty() && values[10].isEmpty());
        QCOMPARE(values[11], QStringLiteral("Avery 5160/8160"));
    }

    void layoutAndFontPages_data()
    {
        // Items 11-20, then 22-32.
        TextColumns({"layout", "items"});
        Row("6", "6",
            "Avery 5095 (Name Badge)|6|4|2|4|3.75 inches|2.5 inches|1.5 inches|1.25 inches|Centered|Times New Roman|"
            "Arial|None (will use printer's default font)|Arial|Arial|14, 12, 12, 12, 12|1, 0, 0, 0, 0|0, 0, 0, 0, 0|"
            "0, 0, 0, 0, 0|0, 0, 0, 0, 0|True");
        Row("9", "9",
            "Avery 5160/8160 (Tolvan Software)|9|4|3|10|2.75 inches|1 inches|.5 inches|.625 inches|Left Aligned|Arial|"
            "Arial|None (will use printer's default font)|Arial|Arial|13, 12, 12, 12, 12|1, 0, 0, 0, 0|0, 0, 0, 0, 0|"
            "0, 0, 0, 0, 0|8388608, 0, 0, 0, 0|False");
    }
    void layoutAndFontPages()
    {
        const int layout = Data("layout").toInt();
        SetFontCell(layout, 3, FontName, QStringLiteral("  "));
        SetLayoutCell(layout, Columns, QStringLiteral("  ") + LayoutCell(layout, Columns));
        DiagnosticsValues values;
        ShowLayoutPage(values, layout, 4);
        ShowFontsPage(values, layout);
        QCOMPARE(QStringList(values.begin() + 11, values.begin() + 21) +
                     QStringList(values.begin() + 22, values.begin() + 33),
                 Data("items").split(u'|'));
    }

    void systemFacts()
    {
        QCOMPARE(
            QStringList({OsTypeText("2"), OsTypeText("3"), OsTypeText("linux"), BatteryText(128), BatteryText(255)}),
            QStringList({"WinNT", "Unknown Type :  3", "Unknown Type :  linux", "None", "Could not determine it"}));
        // A fake system tree: no folder, a mains adapter only, then a battery in several states.
        QTemporaryDir root;
        const QString supplies = root.filePath(QStringLiteral("power_supply"));
        const auto status = [&supplies](const QString& file, const char* text) {
            QDir().mkpath(QFileInfo(supplies + file).path());
            WriteBytes(supplies + file, text);
            return ReadBatteryStatus(supplies);
        };
        QCOMPARE(QList<int>({ReadBatteryStatus(supplies), status("/AC/type", "Mains\n"),
                             status("/BAT0/type", "Battery"), status("/BAT0/capacity", "3\n"),
                             status("/BAT0/capacity_level", "Low\n"), status("/BAT0/status", "Charging\n")}),
                 QList<int>({255, 128, 255, 4, 2, 8}));
        QDir(root.path()).mkpath(QStringLiteral("sys/kernel"));
        WriteBytes(root.filePath(QStringLiteral("sys/kernel/osrelease")), "6.1.0-18-amd64\n");
        WriteBytes(root.filePath(QStringLiteral("sys/kernel/version")), "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1\n");
        const KernelRelease kernel = ReadKernelRelease(root.path());
        QVERIFY(FormatSingle(kernel.version) == QStringLiteral("6.1") && kernel.build == 1);

        const SystemFacts facts{"linux", 0, 0, BatteryStatus::NoBattery, QSize(14400, 10080), QSize(15360, 11520), ""};
        DiagnosticsValues values;
        ShowMiscPage(values, facts);
        QCOMPARE(QStringList(values.begin() + 36, values.begin() + 43),
                 QStringList({"None", "10080 x 14400", "11520 x 15360", "", "", "0", "0"}));
    }

    void reportTextCopyAndMenu()
    {
        LoadedWindow w;
        w.window.layoutsList()->setCurrentIndex(1);
        WithModal([&w] { w.window.diagnosticsAction()->trigger(); },
                  [](QWidget& window) {
                      QVERIFY(Control<QLabel>(window, "A11")->text() == "Avery 5161/8161" &&
                              Control<QLabel>(window, "A13")->text() == "2" &&
                              !Control<QLabel>(window, "A21")->isVisibleTo(&window));
                      Click(window, "CopyButton");
                  });
        const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 1 + 44 + 3 * 2 + 1);
        QCOMPARE(lines.first(), QStringLiteral("CURRENT PRINTER:"));
        QCOMPARE(lines.mid(12, 2), QStringList({"", "LAYOUT:"}));
        QCOMPARE(lines.mid(24, 3), QStringList({" ", "", "LAYOUT FONTS:"}));
        QCOMPARE(lines.mid(38, 2), QStringList({"", "MISC.:"}));
        QCOMPARE(lines.mid(49), QStringList({"Selected in Address Book: 0", " ", ""}));
    }

    void printerPageAndPrintingTheReport()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        UseLetterPdf(printer, dir.filePath(QStringLiteral("Report.pdf")), {0.25, 0.5, 0.25, 0.5});
        Diagnostics window(printer, 1, 1);
        QCOMPARE(
            QStringList(window.values().begin(), window.values().begin() + 11),
            QStringList({"PDF file", "Qt PDF", "600 DPI", "600 DPI", "5100 Pixels (8.5 inches)",
                         "6600 Pixels (11 inches)", "203 millimeters (7.992126 inches)", "254 millimeters (10 inches)",
                         "150 Pixels (.25 inches)", "300 Pixels (.5 inches)", printer.outputFileName()}));
        QCOMPARE(Control<QLabel>(window, "L2")->text(), QStringLiteral("Resolution, \"X\":"));
        QCOMPARE(Control<QTabWidget>(window, "DTab")->tabText(3), QStringLiteral("Misc."));

        // Cancelling the setup prints nothing.
        auto* print = Control<QPushButton>(window, "PrintButton");
        ui.answerPrintSetup(false);
        print->click();
        QVERIFY(window.surface().writtenFiles().isEmpty() &&
                ui.printSetupRequests == std::vector{PrintSetupPurpose::Diagnostics});

        // Three printable inches: the report runs on over several sheets and loses no line.
        ui.answerPrintSetup(true, [](QPrinter& p) { p.setPageMargins({0.25, 4, 0.25, 4}, QPageLayout::Inch); });
        print->click();
        const QList<PdfWord> words = ReadPdfWords(window.surface().writtenFiles().value(0));
        const QString report =
            "TOLVAN SOFTWARE'S QUILLET - - DIAGNOSTICS PRINOUT " + BuildDiagnosticsText(window.values());
        // Compatibility-normalised: the PDF's text may join letters into ligatures.
        QCOMPARE(Texts(words).join(u' ').normalized(QString::NormalizationForm_KC), report.simplified());
        QVERIFY(words.last().page > 1);

        // A document that cannot be written: Retry tries again, Cancel leaves nothing behind.
        UsePdfOutput(printer, QStringLiteral("/proc/no-such-folder/Report.pdf"));
        ui.answerPrintSetup(true);
        ui.answer(Answer::Retry);
        ui.answer(Answer::Cancel);
        print->click();
        QVERIFY(ui.last().text.startsWith(QStringLiteral("Error printing diagnostics:")) &&
                ui.last().buttons == Buttons::RetryCancel);
        QVERIFY(!window.surface().documentOpen() && window.surface().writtenFiles().size() == 1);
    }

private:
    ScriptedDialogs ui;
};

QUILLET_TEST_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
