#include "common/scripted_dialogs.h"
#include "mainwindow/print_command.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "printing/drawing_surface.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"

#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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
        layout->addWidget(copies);
        layout->addWidget(row);
        layout->addWidget(column);
        window.show();
        QApplication::setActiveWindow(&window);
        UsePdfOutput(printer, dir.filePath(QStringLiteral("Labels.pdf")));
        in.window = &window;
        in.copiesBox = copies;
        in.startRowBox = row;
        in.startColumnBox = column;
        in.texts = {QStringLiteral("Ann"), QString(), QString(), QString(), QString()};
        in.printer = &printer;
        in.validateLayout = [this](DrawingSurface&) {
            ++validated;
            busyWhileChecking = window.cursor().shape() == Qt::WaitCursor;
            return layoutPasses;
        };
    }
    void run()
    {
        CancelRequested = true;
        PrintCommand(in);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor); // the pointer is back, whatever happened
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
    void copiesOutOfRange_data();
    void copiesOutOfRange();
    void manyCopiesAskFirst();
    void somethingMustBeChosenToPrint();
    void startPositionLimits_data();
    void startPositionLimits();
    void sheetsWiderOrTallerThan22InchesAreRefused();
    void passingChecksOpenThePrintingWindow();
};

void TestPrintCommand::init()
{
    LayoutData.erase();
    SetFactoryLayouts();
    EntryCount = 0;
    SelectedCount = 0;
}

void TestPrintCommand::copiesOutOfRange_data()
{
    QTest::addColumn<QString>("copies");
    QTest::addColumn<QString>("message");
    const QString low = QStringLiteral("Number of copies must be at least one");
    QTest::newRow("0") << "0" << low;
    QTest::newRow("empty") << "" << low;
    QTest::newRow("text") << "abc" << low;
    QTest::newRow("0.9") << "0.9" << low;
    QTest::newRow("1000") << "1000" << QStringLiteral("Maximum number of copies is 999");
}

void TestPrintCommand::copiesOutOfRange()
{
    QFETCH(QString, copies);
    QFETCH(QString, message);
    ScriptedDialogs ui;
    Command c;
    c.copies->setText(copies);
    c.run();
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().text, message);
    QCOMPARE(ui.last().title, QStringLiteral("Quillet"));
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QCOMPARE(ui.last().icon, Icon::None);
    QCOMPARE(c.validated, 0);
    QVERIFY(!CancelRequested);
    QCOMPARE(c.copies->text(), copies);
}

void TestPrintCommand::manyCopiesAskFirst()
{
    ScriptedDialogs ui;
    Command c;
    c.copies->setText(QStringLiteral("100"));
    ui.answer(Answer::No);
    c.run();
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().text, QStringLiteral("Print 100 copies?"));
    QCOMPARE(ui.last().title, QStringLiteral("Caution"));
    QCOMPARE(ui.last().buttons, Buttons::YesNo);
    QCOMPARE(ui.last().icon, Icon::Question);
    QCOMPARE(ui.last().defaultButton, Answer::No);
    QCOMPARE(c.validated, 0);

    ui.clear();
    ui.answer(Answer::Yes);
    c.copies->setText(QStringLiteral("250.5"));
    c.run();
    QCOMPARE(ui.last().text, QStringLiteral("Print 250.5 copies?"));
    QCOMPARE(c.validated, 1);

    ui.clear();
    c.copies->setText(QStringLiteral("99"));
    c.run();
    QVERIFY(ui.messages.empty());
    QCOMPARE(c.validated, 2);
    QVERIFY(c.busyWhileChecking);
}

void TestPrintCommand::somethingMustBeChosenToPrint()
{
    ScriptedDialogs ui;
    Command c;
    c.in.texts = {};
    c.run();
    QCOMPARE(ui.last().text, QStringLiteral("Nothing to print"));
    QCOMPARE(c.validated, 0);

    // A box of blanks is something to print.
    ui.clear();
    c.in.texts[4] = QStringLiteral(" ");
    c.run();
    QVERIFY(ui.messages.empty());
    QCOMPARE(c.validated, 1);

    // The address-book options look at the counts, not at the typed text.
    c.in.texts[0] = QStringLiteral("Typed");
    for (const int source : {int(PrintJob::AllEntries), int(PrintJob::SelectedEntries)}) {
        ui.clear();
        c.in.source = source;
        EntryCount = 3;
        SelectedCount = 0;
        c.run();
        if (source == PrintJob::AllEntries) {
            QVERIFY(ui.messages.empty());
        } else {
            QCOMPARE(ui.messages.size(), std::size_t(1));
            QCOMPARE(ui.last().text, QStringLiteral("Nothing to print"));
        }
        ui.clear();
        EntryCount = 0;
        c.run();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.last().text, QStringLiteral("Nothing to print"));
    }
    QCOMPARE(c.validated, 2);
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
    QTest::newRow("row text") << true << "x"
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
    QTest::newRow("column 0") << false << "0"
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
    c.run();
    QCOMPARE(ui.messages.size(), std::size_t(1));
    QCOMPARE(ui.last().text, message);
    QCOMPARE(ui.last().buttons, Buttons::Ok);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(other->text(), QStringLiteral("2"));
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(c.validated, 0);
}

void TestPrintCommand::sheetsWiderOrTallerThan22InchesAreRefused()
{
    ScriptedDialogs ui;
    Command c;
    c.setPaper(22, 22); // 31680 twips each way
    c.run();
    QVERIFY(ui.messages.empty());
    QCOMPARE(c.validated, 1);

    c.setPaper(22.23, 11);
    c.run();
    QCOMPARE(ui.last().text, QStringLiteral("Error:  The printer driver is reporting that the currently selected "
                                            "printer and sheet width is greater than 22 inches.  22 inches wide is "
                                            "the maximum that Quillet can handle."));
    c.setPaper(11, 22.23);
    c.run();
    QCOMPARE(ui.last().text, QStringLiteral("Error:  The printer driver is reporting that the currently selected "
                                            "printer and sheet height is greater than 22 inches.  22 inches high is "
                                            "the maximum that Quillet can handle."));
    QCOMPARE(ui.messages.size(), std::size_t(2));
    QCOMPARE(c.validated, 1);
}

void TestPrintCommand::passingChecksOpenThePrintingWindow()
{
    ScriptedDialogs ui;
    Command c;
    c.layoutPasses = true;
    c.copies->setText(QStringLiteral("2.5"));
    c.row->setText(QStringLiteral("3"));
    c.column->setText(QStringLiteral("2"));
    QString title;
    QTimer poll; // waits for the modal printing window, then presses Start
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* form = QApplication::activeModalWidget();
        if (!form) return;
        poll.stop();
        title = form->windowTitle();
        form->findChild<QPushButton*>(QStringLiteral("StartButton"))->click();
    });
    poll.start(5);
    c.run();
    QCOMPARE(title, QStringLiteral("Print"));
    QVERIFY(ui.messages.empty());
    const auto words = quillet::test::ReadPdfWords(c.dir.filePath(QStringLiteral("Labels.pdf")));
    QCOMPARE(words.size(), 2); // 2.5 copies round to the even 2
    QVERIFY(qAbs(words[0].left - 3.25) < 0.01);
    QVERIFY(qAbs(words[0].top - 2.625) < 0.03);
    QCOMPARE(c.row->text(), QStringLiteral("3")); // the start position stays as it was
    QCOMPARE(c.column->text(), QStringLiteral("2"));
}

QUILLET_TEST_MAIN(TestPrintCommand)
#include "tst_print_command.moc"
