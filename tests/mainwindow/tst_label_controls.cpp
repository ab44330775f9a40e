#include "common/scripted_dialogs.h"
#include "main_window_test_support.h"
#include "model/layout_data.h"
#include "model/shared_state.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace quillet;
using quillet::test::Control;
using quillet::test::IsOnlyMessage;

namespace {
QStringList Lines(MainWindow& w)
{
    QStringList lines;
    for (int i = 1; i <= 5; ++i) lines << w.labelLine(i);
    return lines;
}

void SetLines(MainWindow& w, const QStringList& lines)
{
    for (int i = 1; i <= 5; ++i) w.setLabelLine(i, lines.value(i - 1));
}
} // namespace

class TestLabelControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyAndPasteRoundTrip()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        const QStringList lines = {QStringLiteral("Ann Smith"), QString(), QStringLiteral("12 Main St"), QString(),
                                   QString()};
        SetLines(window, lines);
        QTest::keyClick(Control<QLineEdit>(window, "TB2"), Qt::Key_F6);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Ann Smith\r\n\r\n12 Main St\r\n\r\n"));
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Address copied to Clipboard")));

        SetLines(window, QStringList(5, QStringLiteral("x")));
        QTest::keyClick(Control<QLineEdit>(window, "TB5"), Qt::Key_F7);
        QCOMPARE(Lines(window), lines);
        QCOMPARE(ui.messages.size(), size_t(1));
    }

    void pasteSplitsIntoAtMostFiveLines_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("lines"); // the boxes held "old" before
        const QString old = QStringLiteral("old");
        QTest::newRow("seven lines") << "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7" << QStringList{"1", "2", "3", "4", "5"};
        QTest::newRow("two lines") << "a\r\nb" << QStringList{"a", "b", old, old, old};
        QTest::newRow("two lines and a break") << "a\r\nb\r\n" << QStringList{"a", "b", "", old, old};
        QTest::newRow("CR alone") << "a\rb" << QStringList{"a", "b", old, old, old};
        QTest::newRow("LF alone") << "a\nb\n\nd" << QStringList{"a", "b", "", "d", old};
        QTest::newRow("long line") << QString(70, u'w') + QStringLiteral("\r\nshort")
                                   << QStringList{QString(50, u'w'), "short", old, old, old};
        QTest::newRow("no half characters")
            << QString(49, u'w') + QStringLiteral("\U0001F600") << QStringList{QString(49, u'w'), old, old, old, old};
        QTest::newRow("blanks only") << "   " << QStringList(5, old); // and the empty-clipboard message
        QTest::newRow("nothing") << "" << QStringList(5, old);
    }

    void pasteSplitsIntoAtMostFiveLines()
    {
        QFETCH(QString, clipboard);
        QFETCH(QStringList, lines);
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        SetLines(window, QStringList(5, QStringLiteral("old")));
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(Control<QLineEdit>(window, "TB1"), Qt::Key_F7);
        QCOMPARE(Lines(window), lines);
        QVERIFY(IsBlankText(clipboard) ? IsOnlyMessage(ui, QStringLiteral("The clipboard is empty"))
                                       : ui.messages.empty());
    }

    void printWhatGreysTheTypedTextClearEmptiesIt()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        auto* frame = Control<QGroupBox>(window, "Frames1");
        auto* clear = Control<QPushButton>(window, "ClearButton");
        auto* tb1 = Control<QLineEdit>(window, "TB1");
        window.setLabelLine(1, QStringLiteral("kept"));
        QCOMPARE(window.printWhat(), 1);
        QCOMPARE(tb1->palette().color(QPalette::Base), QColor(255, 255, 255));

        QTest::mouseClick(Control<QRadioButton>(window, "PrintWhatOB2"), Qt::LeftButton);
        QCOMPARE(window.printWhat(), 2);
        QVERIFY(!frame->isEnabled() && !clear->isEnabled() && !tb1->isEnabled());
        QCOMPARE(tb1->palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
        Control<QRadioButton>(window, "PrintWhatOB3")->click();
        QCOMPARE(window.printWhat(), 3);

        Control<QRadioButton>(window, "PrintWhatOB1")->click();
        QCOMPARE(window.printWhat(), 1);
        QVERIFY(frame->isEnabled() && clear->isEnabled() && tb1->isEnabled());
        QCOMPARE(tb1->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(window.labelLine(1), QStringLiteral("kept"));
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(Lines(window), QStringList(5, QString()));
        QVERIFY(ui.messages.empty());
    }

    void countingRewritesTheOptionCaptions()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        auto* selected = Control<QRadioButton>(window, "PrintWhatOB3");
        QCOMPARE(selected->text(), QStringLiteral("Print all entries selected in address book (0)"));
        LayoutData.setCell(0, 0, Line1, QStringLiteral("Ann"));
        LayoutData.setCell(3, 29, Line4, QStringLiteral("only line 4"));
        LayoutData.setCell(3, 29, Selected, QStringLiteral("True"));
        CountAddressEntries();
        QCOMPARE(Control<QRadioButton>(window, "PrintWhatOB2")->text(),
                 QStringLiteral("Print all entries in address book (2)"));
        QCOMPARE(selected->text(), QStringLiteral("Print all entries selected in address book (1)"));
    }
};

QUILLET_TEST_MAIN(TestLabelControls)
#include "tst_label_controls.moc"
