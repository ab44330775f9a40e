#include "main_window_test_support.h"
#include "mainwindow/print_command.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QDir>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

using namespace quillet;
using namespace quillet::test;

namespace {

// The main window's boxes, a PDF printer and a layout check that records its calls and fails.
struct Command {
    QWidget window;
    QLineEdit* copies = new QLineEdit(QStringLiteral("1"), &window);
    QLineEdit* row = new QLineEdit(QStringLiteral("1"), &window);
    QLineEdit* column = new QLineEdit(QStringLiteral("1"), &window);
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    PrintCommandInputs in;
    int validated = 0;
    bool busyWhileChecking = false;

    Command()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit* box : {copies, row, column}) layout->addWidget(box);
        window.show();
        QApplication::setActiveWindow(&window);
        UsePdfOutput(printer, dir.filePath(QStringLiteral("Labels.pdf")));
        in = {&window, copies, row, column, PrintJob::TypedText, {QStringLiteral("Ann")}, 1, &printer, {}, {}};
        in.validateLayout = [this](DrawingSurface&) {
            ++validated;
            busyWhileChecking = window.cursor().shape() == Qt::WaitCursor;
            return false;
        };
    }
    // Runs the command; the text of the single plain message it showed, or "" when it showed none.
    QString run(ScriptedDialogs& ui)
    {
        ui.clear();
        ui.allowUnscripted = true; // every message shown is returned and checked
        Run().cancelRequested = true;
        PrintCommand(in);
        const bool restored = window.cursor().shape() == Qt::ArrowCursor && !Run().cancelRequested;
        if (ui.messages.empty()) return restored ? QString() : QStringLiteral("<busy pointer left>");
        return restored && IsOnlyMessage(ui, ui.last().text) ? ui.last().text : QStringLiteral("<other message>");
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
    void init()
    {
        ui.clear();
        LayoutData().erase();
        SetFactoryLayouts();
        Run().setAddressCounts(0, 0);
    }
    void cleanup() { ui.checkAllUsed(); }

    void copiesAndSomethingToPrint()
    {
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
        QVERIFY(IsMessage(ui.last(), QStringLiteral("Print 100 copies?"), QStringLiteral("Caution"), Buttons::YesNo,
                          Icon::Question, Answer::No));
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
        Run().setAddressCounts(3, 0);
        c.in.source = PrintJob::SelectedEntries;
        QCOMPARE(c.run(ui), QStringLiteral("Nothing to print"));
        c.in.source = PrintJob::AllEntries;
        QCOMPARE(c.run(ui), QString());
        Run().setAddressCounts(0, 0);
        QCOMPARE(c.run(ui), QStringLiteral("Nothing to print"));
        QCOMPARE(c.validated, 3);
    }

    void startPositionLimits_data()
    {
        QTest::addColumn<bool>("isRow");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("row 0") << true << "0" << "10" << "Minimum \"Starting Row\" is 1";
        QTest::newRow("row 31 of 30") << true << "31" << "30" << "Maximum \"Starting Row\" is 30";
        QTest::newRow("row 11 of 10") << true << "11" << "10" << "Maximum \"Starting Row\" for this label sheet is 10";
        QTest::newRow("row 3 of ' 2'") << true << "3" << " 2" << "Maximum \"Starting Row\" for this label sheet is  2";
        QTest::newRow("column text") << false << "x" << "10" << "Minimum \"Starting Column\" is 1";
        QTest::newRow("column 10") << false << "10" << "10" << "Maximum \"Starting Column\" is 9";
        QTest::newRow("column 4 of 3") << false << "4" << "10" << "Maximum \"Starting Column\" for this label sheet is 3";
        // clang-format on
    }

    void startPositionLimits()
    {
        QFETCH(bool, isRow);
        QFETCH(QString, value);
        QFETCH(QString, rows);
        QFETCH(QString, message);
        SetLayoutCell(1, Rows, rows);
        Command c;
        QLineEdit* box = isRow ? c.row : c.column;
        QLineEdit* other = isRow ? c.column : c.row;
        // The row is checked first: a refused row leaves a bad column unchecked.
        other->setText(isRow ? QStringLiteral("0") : QStringLiteral("2"));
        c.copies->setFocus();
        box->setText(value);
        QCOMPARE(c.run(ui), message);
        QCOMPARE(box->text() + other->text(), isRow ? QStringLiteral("10") : QStringLiteral("12"));
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(c.validated, 0);
    }

    void sheetsOver22InchesAndTheLayoutCheck()
    {
        Command c;
        c.setPaper(22, 22); // 31680 twips each way
        QCOMPARE(c.run(ui), QString());
        QCOMPARE(c.validated, 1);
        const QString over = QStringLiteral("Error:  The printer driver is reporting that the currently selected "
                                            "printer and sheet %1 is greater than 22 inches.  22 inches %2 is the "
                                            "maximum that Quillet can handle.");
        c.setPaper(22.23, 11);
        QCOMPARE(c.run(ui), over.arg(QStringLiteral("width"), QStringLiteral("wide")));
        c.setPaper(11, 22.23);
        QCOMPARE(c.run(ui), over.arg(QStringLiteral("height"), QStringLiteral("high")));
        QCOMPARE(c.validated, 1);
    }

    void typedAddressPrintsWhereTheLayoutSays()
    {
        QTemporaryDir dir;
        UsePdfOutput(SelectedPrinter(), dir.filePath(QStringLiteral("Labels.pdf")));
        MainWindow window;
        window.load();
        // A new user types an address, moves to the second label and presses Print, then Start.
        QTest::keyClicks(Control<QLineEdit>(window, "TB1"), QStringLiteral("Zoe Lindqvist"));
        QTest::keyClicks(Control<QLineEdit>(window, "TB2"), QStringLiteral("12 Harbour Road"));
        Control<QLineEdit>(window, "TB3")->insert(QStringLiteral("Malmö")); // as an input method types it
        window.startColBox()->setText(QStringLiteral("2"));
        QString formTitle;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* form = QApplication::activeModalWidget();
            if (!form) return;
            poll.stop();
            formTitle = form->windowTitle();
            form->findChild<QPushButton*>(QStringLiteral("StartButton"))->click();
        });
        poll.start(5);
        Control<QPushButton>(window, "PrintButton")->click();

        QCOMPARE(formTitle, QStringLiteral("Print"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Labels.pdf"});
        const auto words = ReadPdfWords(dir.filePath(QStringLiteral("Labels.pdf")));
        QStringList texts;
        for (const auto& w : words) texts << w.text;
        QCOMPARE(texts, QStringList({"Zoe", "Lindqvist", "12", "Harbour", "Road", "Malmö"}));
        // Row 1, column 2 of "Avery 5160/8160": 0.5" + 2.75" from the left, 0.625" from the top.
        QVERIFY(qAbs(words[0].left - 3.25) < 0.01);
        QVERIFY(qAbs(words[0].top - 0.625) < 0.03);
        QVERIFY(words[5].top > words[2].top && words[2].top > words[0].top);
        QCOMPARE(window.startColBox()->text(), QStringLiteral("2"));
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

private:
    ScriptedDialogs ui; // the messages of the case at hand
};

QUILLET_TEST_MAIN(TestPrintCommand)
#include "tst_print_command.moc"
