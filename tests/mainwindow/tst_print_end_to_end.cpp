#include "common/scripted_dialogs.h"
#include "main_window_test_support.h"
#include "mainwindow/main_window.h"
#include "model/shared_state.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace quillet;
using quillet::test::Control;

class TestPrintEndToEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedAddressPrintsWhereTheLayoutSays();
};

void TestPrintEndToEnd::typedAddressPrintsWhereTheLayoutSays()
{
    ScriptedDialogs ui;
    QTemporaryDir dir;
    UsePdfOutput(SelectedPrinter(), dir.filePath(QStringLiteral("Labels.pdf")));
    MainWindow window;
    window.load();
    QCOMPARE(window.currentLayoutNumber(), 1);

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
    QVERIFY(ui.messages.empty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Labels.pdf"});
    const auto words = quillet::test::ReadPdfWords(dir.filePath(QStringLiteral("Labels.pdf")));
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

QUILLET_TEST_MAIN(TestPrintEndToEnd)
#include "tst_print_end_to_end.moc"
