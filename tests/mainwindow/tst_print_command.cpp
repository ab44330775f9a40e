#include "common/scripted_dialogs.h"
#include "mainwindow/print_command.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "printing/selected_printer.h"
#include "support/test_environment.h"

#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QVBoxLayout>

using namespace quillet;

namespace {

// The main window's boxes, a PDF printer and a layout check that records its calls.
struct Command {
    QWidget window;
    QLineEdit* copies = new QLineEdit(QStringLiteral("1"), &window);
    QLineEdit* row = new QLineEdit(QStringLiteral("1"), &window);
    QLineEdit* column = new QLineEdit(QStringLiteral("1"), &window);
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    PrintCommandInputs in;
    int validated = 0;
    bool layoutPasses = false;
    bool busyWhileChecking = false;

    Command()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit* box : {copies, row, column}) layout->addWidget(box);
        window.show();
        QApplication::setActiveWindow(&window);
        UsePdfOutput(printer, dir.filePath(QStringLiteral("Labels.pdf")));
        in = {&window, copies, row, column, PrintJob::TypedText, {QStringLiteral("Ann")}, 1, &printer, {}};
        in.validateLayout = [this](DrawingSurface&) {
            ++validated;
            busyWhileChecking = window.cursor().shape() == Qt::WaitCursor;
            return layoutPasses;
        };
    }
    // Runs the command; the single message it showed, or "" when it showed none.
    QString run(ScriptedDialogs& ui)
    {
        ui.clear();
        CancelRequested = true;
        PrintCommand(in);
        [&] { QCOMPARE(window.cursor().shape(), Qt::ArrowCursor); }(); // restored however it ended
        [&] { QVERIFY(!CancelRequested); }();
        if (ui.messages.empty()) return QString();
        [&] { QVERIFY(ui.messages.size() == 1 && ui.last().title == QStringLiteral("Quillet")); }();
        return ui.last().text;
    }
    void setPaper(double width, double height)
    {
        printer.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Inch), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
    }
};

} // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void copiesAndSomethingToPrint();
    void startPositionLimits_data();
    void startPositionLimits();
    void sheetsOver22InchesAndTheLayoutCheck();
};

void TestPrintCommand::init()
{
    LayoutData.erase();
    SetFactoryLayouts();
    EntryCount = 0;
    SelectedCount = 0;
}

void TestPrintCommand::copiesAndSomethingToPrint()
{
    ScriptedDialogs ui;
    Command c;
    for (const char* low : {"0", "", "abc", "0.9"}) {
        c.copies->setText(QString::fromLatin1(low));
        QCOMPARE(c.run(ui), QStringLiteral("Number of copies must be at least one"));
    }
    c.copies->setText(QStringLiteral("1000"));
    QCOMPARE(c.run(ui), QStringLiteral("Maximum number of copies is 999"));
    QCOMPARE(c.copies->text(), QStringLiteral("1000"));

    ui.answer(Answer::No);
    c.copies->setText(QStringLiteral("100"));
    PrintCommand(c.in);
    QCOMPARE(ui.last().text, QStringLiteral("Print 100 copies?"));
    QVERIFY(ui.last().title == QStringLiteral("Caution") && ui.last().buttons == Buttons::YesNo &&
            ui.last().icon == Icon::Question && ui.last().defaultButton == Answer::No);
    QCOMPARE(c.validated, 0);
    c.copies->setText(QStringLiteral("99"));
    QCOMPARE(c.run(ui), QString());
    QVERIFY(c.validated == 1 && c.busyWhileChecking);

    // Typed text: all five boxes empty is nothing; a box of blanks is something.
    c.in.texts = {};
    QCOMPARE(c.run(ui), QStringLiteral("Nothing to print"));
    c.in.texts[4] = QStringLiteral(" ");
    QCOMPARE(c.run(ui), QString());
    // The address-book options look at the counts, not at the typed text.
    EntryCount = 3;
    c.in.source = PrintJob::SelectedEntries;
    QCOMPARE(c.run(ui), QStringLiteral("Nothing to print"));
    c.in.source = PrintJob::AllEntries;
    QCOMPARE(c.run(ui), QString());
    EntryCount = 0;
    QCOMPARE(c.run(ui), QStringLiteral("Nothing to print"));
    QCOMPARE(c.validated, 3);
}

void TestPrintCommand::startPositionLimits_data()
{
    QTest::addColumn<bool>("isRow");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("row 0") << true << "0"
                           << "10"
                           << "Minimum \"Starting Row\" is 1";
    QTest::newRow("row 31 of 30") << true << "31"
                                  << "30"
                                  << "Maximum \"Starting Row\" is 30";
    QTest::newRow("row 11 of 10") << true << "11"
                                  << "10"
                                  << "Maximum \"Starting Row\" for this label sheet is 10";
    QTest::newRow("row 3 of ' 2'") << true << "3"
                                   << " 2"
                                   << "Maximum \"Starting Row\" for this label sheet is  2";
    QTest::newRow("column text") << false << "x"
                                 << "10"
                                 << "Minimum \"Starting Column\" is 1";
    QTest::newRow("column 10") << false << "10"
                               << "10"
                               << "Maximum \"Starting Column\" is 9";
    QTest::newRow("column 4 of 3") << false << "4"
                                   << "10"
                                   << "Maximum \"Starting Column\" for this label sheet is 3";
}

void TestPrintCommand::startPositionLimits()
{
    QFETCH(bool, isRow);
    QFETCH(QString, value);
    QFETCH(QString, rows);
    QFETCH(QString, message);
    ScriptedDialogs ui;
    SetLayoutCell(1, Rows, rows);
    Command c;
    QLineEdit* box = isRow ? c.row : c.column;
    QLineEdit* other = isRow ? c.column : c.row;
    other->setText(QStringLiteral("2"));
    c.copies->setFocus();
    box->setText(value);
    QCOMPARE(c.run(ui), message);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(other->text(), QStringLiteral("2"));
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(c.validated, 0);
}

void TestPrintCommand::sheetsOver22InchesAndTheLayoutCheck()
{
    ScriptedDialogs ui;
    Command c;
    c.setPaper(22, 22); // 31680 twips each way
    QCOMPARE(c.run(ui), QString());
    QCOMPARE(c.validated, 1);
    c.setPaper(22.23, 11);
    QCOMPARE(c.run(ui), QStringLiteral("Error:  The printer driver is reporting that the currently selected printer "
                                       "and sheet width is greater than 22 inches.  22 inches wide is the maximum "
                                       "that Quillet can handle."));
    c.setPaper(11, 22.23);
    QCOMPARE(c.run(ui), QStringLiteral("Error:  The printer driver is reporting that the currently selected printer "
                                       "and sheet height is greater than 22 inches.  22 inches high is the maximum "
                                       "that Quillet can handle."));
    QCOMPARE(c.validated, 1);
}

QUILLET_TEST_MAIN(TestPrintCommand)
#include "tst_print_command.moc"
