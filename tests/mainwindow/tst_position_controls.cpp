#include "common/scripted_dialogs.h"
#include "main_window_test_support.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QLineEdit>
#include <QPushButton>

using namespace quillet;
using quillet::test::Control;
using quillet::test::IsOnlyMessage;
using quillet::test::LeaveBox;

namespace {
QString Position(MainWindow& w)
{
    return w.startColBox()->text() + u',' + w.startRowBox()->text();
}

void SetPosition(MainWindow& w, const char* column, const char* row)
{
    w.startColBox()->setText(QString::fromLatin1(column));
    w.startRowBox()->setText(QString::fromLatin1(row));
}
} // namespace

// The window starts with the first factory layout, a sheet of 3 columns and 10 rows.

class TestPositionControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void incrementButtonWalksTheSheet()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        auto* button = Control<QPushButton>(window, "IncrementButton");
        SetPosition(window, "3", "10");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(Position(window), QStringLiteral("1,1"));
        QTest::mouseClick(button, Qt::RightButton);
        QCOMPARE(Position(window), QStringLiteral("3,10"));
        QTest::mouseClick(button, Qt::MiddleButton);
        QCOMPARE(Position(window), QStringLiteral("3,10"));
        SetPosition(window, "3", "4.5"); // rounds to 4
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(Position(window), QStringLiteral("1,5"));
        // A quick double click reaches a widget as a press and then a double click: both step.
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseDClick(button, Qt::LeftButton);
        QCOMPARE(Position(window), QStringLiteral("3,5"));

        QTest::keyClick(button, Qt::Key_5);
        QTest::keyClick(button, Qt::Key_0, Qt::KeypadModifier);
        QCOMPARE(Position(window), QStringLiteral("3,5"));
        QTest::keyClick(button, Qt::Key_Shift);
        QCOMPARE(Position(window), QStringLiteral("1,6"));
        QTest::keyClick(button, Qt::Key_Minus);
        QTest::keyClick(button, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(Position(window), QStringLiteral("2,5"));
        QTest::keyClick(button, Qt::Key_1, Qt::KeypadModifier);
        QCOMPARE(Position(window), QStringLiteral("1,1"));
        QTest::keyClick(button, Qt::Key_Minus);
        QCOMPARE(Position(window), QStringLiteral("3,10"));
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(Position(window), QStringLiteral("1,1"));
        QVERIFY(ui.messages.empty());
    }

    void captionButtonsStepTheirOwnBox()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        auto* colCaption = Control<QPushButton>(window, "StartColLabel");
        auto* rowCaption = Control<QPushButton>(window, "StartRowLabel");
        SetPosition(window, "1", "4");
        QTest::keyClick(colCaption, Qt::Key_4); // beyond 3 columns
        QTest::keyClick(colCaption, Qt::Key_0);
        QCOMPARE(Position(window), QStringLiteral("1,4"));
        QTest::keyClick(colCaption, Qt::Key_3);
        QCOMPARE(Position(window), QStringLiteral("3,4"));
        QTest::keyClick(colCaption, Qt::Key_A);
        QCOMPARE(Position(window), QStringLiteral("1,4"));
        QTest::keyClick(colCaption, Qt::Key_Minus);
        QCOMPARE(Position(window), QStringLiteral("3,4"));

        QTest::keyClick(rowCaption, Qt::Key_9, Qt::KeypadModifier);
        QTest::mouseClick(rowCaption, Qt::LeftButton);
        QTest::mouseClick(rowCaption, Qt::LeftButton);
        QCOMPARE(Position(window), QStringLiteral("3,1"));
        QTest::mouseClick(rowCaption, Qt::RightButton);
        QCOMPARE(Position(window), QStringLiteral("3,10"));
        QTest::mouseClick(colCaption, Qt::LeftButton);
        QCOMPARE(Position(window), QStringLiteral("1,10"));
        QVERIFY(ui.messages.empty());
    }

    void focusKeysAndAccessKeysAreLeftToQt()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* button = Control<QPushButton>(window, "IncrementButton");
        button->setFocus();
        SetPosition(window, "2", "2");
        // Alt+C takes the focus to the column caption, Tab on to the column box; nothing steps.
        QTest::keyClick(button, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(button, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(window, "StartColLabel"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.startColBox());
        QCOMPARE(Position(window), QStringLiteral("2,2"));
    }

    void leavingTheBoxesNormalises()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        const QList<QPair<const char*, const char*>> copies = {{"3.7", "3"}, {"2.5", "2"}, {"-1.5", "-2"},
                                                               {"", "0"},    {"abc", "0"}, {" 12x", "12"}};
        for (const auto& [typed, left] : copies) {
            window.copiesBox()->setText(QString::fromLatin1(typed));
            LeaveBox(window.copiesBox());
            QCOMPARE(window.copiesBox()->text(), QString::fromLatin1(left));
        }
        SetPosition(window, "2.9", "0");
        // Another window coming up or a menu opening is not leaving the box.
        LeaveBox(window.startRowBox(), Qt::ActiveWindowFocusReason);
        LeaveBox(window.startRowBox(), Qt::PopupFocusReason);
        window.startRowBox()->setText(QStringLiteral("2.5"));
        LeaveBox(window.startRowBox());
        LeaveBox(window.startColBox());
        QCOMPARE(Position(window), QStringLiteral("2,2"));
        QVERIFY(ui.messages.empty());
    }

    void leavingAStartBoxOutOfRangeRefusesIt()
    {
        ScriptedDialogs ui;
        MainWindow window;
        window.load();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QList<std::tuple<QLineEdit*, const char*, const char*>> cases = {
            {window.startRowBox(), "0", "Starting row must be at least one"},
            {window.startRowBox(), "10.5", "Starting row cannot exceed rows of labels on the sheet"},
            {window.startColBox(), "-3", "Starting column must be at least one"},
            {window.startColBox(), "4", "Starting column cannot exceed columns of labels on the sheet"},
        };
        for (const auto& [box, typed, message] : cases) {
            ui.clear();
            box->setFocus();
            box->setText(QString::fromLatin1(typed));
            window.copiesBox()->setFocus(); // the user moves on
            QVERIFY(IsOnlyMessage(ui, QString::fromLatin1(message)));
            QCOMPARE(box->text(), QStringLiteral("1"));
            QCOMPARE(QApplication::focusWidget(), box); // back for another try
        }
    }
};

QUILLET_TEST_MAIN(TestPositionControls)
#include "tst_position_controls.moc"
