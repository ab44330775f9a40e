#include "common/scripted_dialogs.h"
#include "printing/fit_checks.h"
#include "support/test_environment.h"

using namespace quillet;

class TestFitChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void topMarginCaution();
    void sheetAndMarginQuestions();
};

void TestFitChecks::topMarginCaution()
{
    ScriptedDialogs ui;
    QVERIFY(CheckTopMargin(0.17f, 0.17f)); // equal is enough
    QVERIFY(ui.messages.empty());
    ui.answer(Answer::Yes);
    QVERIFY(CheckTopMargin(0.17f, 0.1f));
    QVERIFY(!CheckTopMargin(0.17f, 0.1f)); // unanswered: the default, No
    const MessageRequest& m = ui.last();
    QCOMPARE(m.title, QStringLiteral("Print Caution"));
    QVERIFY(m.buttons == Buttons::YesNo && m.icon == Icon::Question && m.defaultButton == Answer::No);
    QCOMPARE(m.text,
             QStringLiteral("Caution:  The top margin for this layout (0.10\") is smaller than what the currently "
                            "selected printer driver is reporting as its minimum printable margin (0.17\").\r\rUse it "
                            "anyway?\r\r(Note:  Some printer drivers misreport this margin, so it might work anyway.  "
                            "The only way to know for sure is to try it.  But use plain paper for the test - - no "
                            "sense wasting an expensive label sheet if it doesn't work)"));
}

void TestFitChecks::sheetAndMarginQuestions()
{
    ScriptedDialogs ui;
    // Within the margins, or exactly at them, nothing is asked.
    QVERIFY(CheckFit(10.5f, 11.0f, 10.8f, 8.25f, 8.5f, 8.25f));
    QVERIFY(ui.messages.empty());

    // Past the sheet: Yes skips the margin question of the same direction.
    ui.answer(Answer::Yes);
    QVERIFY(CheckFit(11.2f, 11.0f, 10.8f, 1.0f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().title, QStringLiteral("Print Warning"));
    QVERIFY(ui.last().icon == Icon::Warning && ui.last().defaultButton == Answer::No);
    QCOMPARE(
        ui.last().text,
        QStringLiteral("Warning:  The text to be printed (using the current layout) extends beyond the height of "
                       "the page (at its tallest point, it's printing at 11.20 inches, while the currently "
                       "selected sheet height is 11.00 inches).\r\rPrint it anyway?\r\rNote:  Continuing to "
                       "print will produce unpredictable results.  It is recommended that the print job be "
                       "cancelled (press \"No\") and then the Quillet's layout settings be adjusted (File > "
                       "Layouts Editor), and/or the printer's sheet size be adjusted (\"Printer Setup\" button)."));

    // Past the bottom margin, then past the right margin: two cautions.
    ui.clear();
    ui.answer(Answer::Yes);
    ui.answer(Answer::Yes);
    QVERIFY(CheckFit(10.9f, 11.0f, 10.8f, 8.3f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(2));
    const QString note = QStringLiteral(
        " inches.)\r\rPrint it anyway?\r\rNote:  Some printer drivers mis-report this margin, and therefore it might "
        "be possible to exceed it.  The only way to know for sure is to try printing it.  But use plain paper - - no "
        "sense wasting an expensive label sheet if it doesn't work.\r\rAlternatively, try adjusting the settings for "
        "this layout (File > Layouts Editor), until it fits within the printer's actual margins.");
    QCOMPARE(ui.messages[0].text,
             QStringLiteral("Caution:  The text to be printed extends beyond what the printer driver is reporting as "
                            "its bottom margin (at its tallest point, the text to be printed will be at 10.90 inches, "
                            "while the bottom margin reported by the printer driver is at 10.80") +
                 note);
    QCOMPARE(ui.messages[1].text,
             QStringLiteral("Caution:  The text to be printed extends beyond what the printer driver is reporting as "
                            "its right margin (at its widest point, the text to be printed will be at 8.30 inches, "
                            "while the right margin reported by the printer driver is at 8.25") +
                 note);
    for (const auto& m : ui.messages)
        QVERIFY(m.title == QStringLiteral("Printing Caution") && m.icon == Icon::Question &&
                m.defaultButton == Answer::No);

    // Past the sheet's width; No to any question ends the run there.
    ui.clear();
    ui.answer(Answer::Yes);
    QVERIFY(!CheckFit(11.2f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(2));
    QVERIFY(ui.last().text.startsWith(
        QStringLiteral("Warning:  The text to be printed (using the current layout) extends beyond the width of the "
                       "page (at its widest point, it's printing at 9.00 inches, while the currently selected sheet "
                       "width is 8.50 inches).\r\rPrint it anyway?\r\rNote:  Continuing to print will produce "
                       "unpredictable results.  It is recommended that you cancel the print job (press \"No\") and "
                       "then adjust Quillet's layout settings (File > Layouts Editor), and/or the printer's sheet "
                       "size (press the \"Printer Setup\" button).")));
    QVERIFY(!CheckFit(10.9f, 11.0f, 10.8f, 1.0f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(3));
}

QUILLET_TEST_MAIN(TestFitChecks)
#include "tst_fit_checks.moc"
