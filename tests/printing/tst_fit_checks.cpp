#include "common/dialogs.h"
#include "common/scripted_dialogs.h"
#include "printing/fit_checks.h"
#include "support/test_environment.h"

using namespace quillet;

namespace {
const QChar CRc = CR;

void CheckQuestion(const MessageRequest& m, const QString& title, Icon icon)
{
    QCOMPARE(m.title, title);
    QCOMPARE(m.buttons, Buttons::YesNo);
    QCOMPARE(m.icon, icon);
    QCOMPARE(m.defaultButton, Answer::No);
}

const QString MarginNote =
    QStringLiteral("Note:  Some printer drivers mis-report this margin, and therefore it might be possible to exceed "
                   "it.  The only way to know for sure is to try printing it.  But use plain paper - - no sense "
                   "wasting an expensive label sheet if it doesn't work.") +
    CRc + CRc +
    QStringLiteral("Alternatively, try adjusting the settings for this layout (File > Layouts Editor), until it fits "
                   "within the printer's actual margins.");
} // namespace

class TestFitChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void topMarginCaution();
    void textWithinTheMarginsAsksNothing();
    void sheetHeightQuestionSkipsTheBottomMargin();
    void bottomMarginQuestionAlone();
    void sheetWidthAndRightMargin();
    void noEndsTheRunAtEachQuestion();
};

void TestFitChecks::topMarginCaution()
{
    ScriptedDialogs ui;
    QVERIFY(CheckTopMargin(0.17f, 0.17f)); // equal is enough
    QVERIFY(CheckTopMargin(0.0f, 0.625f));
    QVERIFY(ui.messages.empty());

    ui.answer(Answer::Yes);
    QVERIFY(CheckTopMargin(0.17f, 0.1f));
    ui.answer(Answer::No);
    QVERIFY(!CheckTopMargin(0.17f, 0.1f));
    QCOMPARE(ui.messages.size(), std::size_t(2));
    const MessageRequest& m = ui.last();
    CheckQuestion(m, QStringLiteral("Print Caution"), Icon::Question);
    QCOMPARE(m.text,
             QStringLiteral("Caution:  The top margin for this layout (0.10\") is smaller than what the currently "
                            "selected printer driver is reporting as its minimum printable margin (0.17\").") +
                 CRc + CRc + QStringLiteral("Use it anyway?") + CRc + CRc +
                 QStringLiteral("(Note:  Some printer drivers misreport this margin, so it might work anyway.  The "
                                "only way to know for sure is to try it.  But use plain paper for the test - - no "
                                "sense wasting an expensive label sheet if it doesn't work)"));
}

void TestFitChecks::textWithinTheMarginsAsksNothing()
{
    ScriptedDialogs ui;
    QVERIFY(CheckFit(10.5f, 11.0f, 10.8f, 8.0f, 8.5f, 8.25f));
    // Text ending exactly at the sheet's edge or the margin passes.
    QVERIFY(CheckFit(10.8f, 11.0f, 10.8f, 8.25f, 8.5f, 8.25f));
    QVERIFY(ui.messages.empty());
}

void TestFitChecks::sheetHeightQuestionSkipsTheBottomMargin()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Yes);
    QVERIFY(CheckFit(11.2f, 11.0f, 10.8f, 1.0f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(1));
    CheckQuestion(ui.last(), QStringLiteral("Print Warning"), Icon::Warning);
    QCOMPARE(ui.last().text,
             QStringLiteral("Warning:  The text to be printed (using the current layout) extends beyond the height of "
                            "the page (at its tallest point, it's printing at 11.20 inches, while the currently "
                            "selected sheet height is 11.00 inches).") +
                 CRc + CRc + QStringLiteral("Print it anyway?") + CRc + CRc +
                 QStringLiteral("Note:  Continuing to print will produce unpredictable results.  It is recommended "
                                "that the print job be cancelled (press \"No\") and then the Quillet's layout settings "
                                "be adjusted (File > Layouts Editor), and/or the printer's sheet size be adjusted "
                                "(\"Printer Setup\" button)."));
}

void TestFitChecks::bottomMarginQuestionAlone()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Yes);
    QVERIFY(CheckFit(10.9f, 11.0f, 10.8f, 1.0f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(1));
    CheckQuestion(ui.last(), QStringLiteral("Printing Caution"), Icon::Question);
    QCOMPARE(ui.last().text,
             QStringLiteral("Caution:  The text to be printed extends beyond what the printer driver is reporting as "
                            "its bottom margin (at its tallest point, the text to be printed will be at 10.90 inches, "
                            "while the bottom margin reported by the printer driver is at 10.80 inches.)") +
                 CRc + CRc + QStringLiteral("Print it anyway?") + CRc + CRc + MarginNote);
}

void TestFitChecks::sheetWidthAndRightMargin()
{
    ScriptedDialogs ui;
    ui.answer(Answer::Yes);
    QVERIFY(CheckFit(1.0f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(1));
    CheckQuestion(ui.last(), QStringLiteral("Print Warning"), Icon::Warning);
    QCOMPARE(ui.last().text,
             QStringLiteral("Warning:  The text to be printed (using the current layout) extends beyond the width of "
                            "the page (at its widest point, it's printing at 9.00 inches, while the currently "
                            "selected sheet width is 8.50 inches).") +
                 CRc + CRc + QStringLiteral("Print it anyway?") + CRc + CRc +
                 QStringLiteral("Note:  Continuing to print will produce unpredictable results.  It is recommended "
                                "that you cancel the print job (press \"No\") and then adjust Quillet's layout "
                                "settings (File > Layouts Editor), and/or the printer's sheet size (press the "
                                "\"Printer Setup\" button)."));

    ui.clear();
    ui.answer(Answer::Yes);
    ui.answer(Answer::Yes);
    QVERIFY(CheckFit(10.9f, 11.0f, 10.8f, 8.3f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(2));
    CheckQuestion(ui.last(), QStringLiteral("Printing Caution"), Icon::Question);
    QCOMPARE(ui.last().text,
             QStringLiteral("Caution:  The text to be printed extends beyond what the printer driver is reporting as "
                            "its right margin (at its widest point, the text to be printed will be at 8.30 inches, "
                            "while the right margin reported by the printer driver is at 8.25 inches.)") +
                 CRc + CRc + QStringLiteral("Print it anyway?") + CRc + CRc + MarginNote);
}

void TestFitChecks::noEndsTheRunAtEachQuestion()
{
    ScriptedDialogs ui;
    // Unanswered questions take their default, No.
    QVERIFY(!CheckFit(11.2f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f));
    QVERIFY(!CheckFit(10.9f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f));
    QVERIFY(!CheckFit(1.0f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f));
    QVERIFY(!CheckFit(1.0f, 11.0f, 10.8f, 8.3f, 8.5f, 8.25f));
    QCOMPARE(ui.messages.size(), std::size_t(4)); // each stopped at its first question
    ui.clear();
    ui.answer(Answer::Yes);
    QVERIFY(!CheckFit(11.2f, 11.0f, 10.8f, 9.0f, 8.5f, 8.25f)); // Yes to height, No to width
    QCOMPARE(ui.messages.size(), std::size_t(2));
}

QUILLET_TEST_MAIN(TestFitChecks)
#include "tst_fit_checks.moc"
