#include "main_window_test_support.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "support/scripted_dialogs.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

using namespace quillet;
using namespace quillet::test;

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

// One press for Walk: a key (on the keypad when `keypad`) or a mouse button (a double click when
// `twice`).
struct Press {
    Press(Qt::Key k, bool keypad = false) : key(k), modifiers(keypad ? Qt::KeypadModifier : Qt::NoModifier) {}
    Press(Qt::MouseButton b, bool twice = false) : button(b), doubled(twice) {}
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButton button = Qt::NoButton;
    bool doubled = false;
};

// The position after each press on `target`, joined by blanks.
QString Walk(MainWindow& w, QWidget* target, std::initializer_list<Press> presses)
{
    QStringList after;
    for (const Press& p : presses) {
        if (p.button == Qt::NoButton)
            QTest::keyClick(target, p.key, p.modifiers);
        else if (p.doubled)
            QTest::mouseDClick(target, p.button);
        else
            QTest::mouseClick(target, p.button);
        after << Position(w);
    }
    return after.join(u' ');
}
} // namespace

class TestMainWindowControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { loaded_ = std::make_unique<LoadedWindow>(); }
    void cleanup() { loaded_.reset(); }

    void copyAndPasteRoundTrip()
    {
        auto& [ui, window] = *loaded_;
        const QStringList lines = {QStringLiteral("Ann Smith"), QString(), QStringLiteral("12 Main St"), QString(),
                                   QString()};
        SetLines(window, lines);
        ui.answer(Answer::Ok);
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
        auto& [ui, window] = *loaded_;
        SetLines(window, QStringList(5, QStringLiteral("old")));
        QGuiApplication::clipboard()->setText(clipboard);
        if (IsBlankText(clipboard)) ui.answer(Answer::Ok);
        QTest::keyClick(Control<QLineEdit>(window, "TB1"), Qt::Key_F7);
        QCOMPARE(Lines(window), lines);
        QVERIFY(!IsBlankText(clipboard) || IsOnlyMessage(ui, QStringLiteral("The clipboard is empty")));
    }

    void pastingSeveralLinesFillsTheLinesBelow_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("lines");
        const QString long70(70, u'x');
        QTest::newRow("CR LF") << 1 << false << "Ann Smith\r\n12 Main St\r\nTown"
                               << QStringList({"Ann Smith", "12 Main St", "Town", "4", "5"});
        QTest::newRow("no more lines than boxes left, LF and CR")
            << 4 << false << "a\nb\rc" << QStringList({"1", "2", "3", "a", "b"});
        QTest::newRow("cut to 50, a final break ends the last line")
            << 2 << true << long70 + "\n\r\n"
            << QStringList({"1", long70.left(50), "", "4", "5"});
        QTest::newRow("one line and its break goes in at the cursor") << 3 << false << "Ann\r\n"
                                                                      << QStringList({"1", "2", "3Ann", "4", "5"});
        QTest::newRow("one line as ever") << 5 << true << "Ann" << QStringList({"1", "2", "3", "4", "5Ann"});
    }

    void pastingSeveralLinesFillsTheLinesBelow()
    {
        QFETCH(int, box);
        QFETCH(bool, fromMenu);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, lines);
        auto& [ui, window] = *loaded_;
        SetLines(window, {"1", "2", "3", "4", "5"});
        QGuiApplication::clipboard()->setText(clipboard);
        auto* target = Control<QLineEdit>(window, qPrintable(QStringLiteral("TB%1").arg(box)));
        target->setFocus();
        target->end(false);
        if (fromMenu) {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(target, &click);
            auto* menu = target->findChild<QMenu*>();
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QStringLiteral("&Paste"))) action->trigger();
            menu->close();
        } else {
            QTest::keySequence(target, QKeySequence::Paste);
        }
        QCOMPARE(Lines(window), lines);
    }

    void readingOrderAndSpokenNames()
    {
        auto& [ui, window] = *loaded_;
        // "Print what is entered below" stands above the boxes it means.
        const auto top = [&](const char* name) { return Control<QWidget>(window, name)->mapTo(&window, QPoint()).y(); };
        QVERIFY(top("PrintWhatOB3") < top("Frames1"));
        QStringList order;
        QWidget* const first = Control<QWidget>(window, "LayoutsList");
        QWidget* w = first;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden()) order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        QCOMPARE(order, QStringList({"LayoutsList", "PrintWhatOB1", "PrintWhatOB2", "PrintWhatOB3", "TB1", "TB2", "TB3",
                                     "TB4", "TB5", "ClearButton", "StartRowLabel", "StartRow", "StartColLabel",
                                     "StartCol", "IncrementButton", "CopiesBox", "AddressBookButton", "PrintButton"}));
        // A screen reader names each box for itself, not by its frame's caption.
        QStringList spoken;
        for (const char* name : {"TB1", "TB2", "TB3", "TB4", "TB5", "StartRow", "StartCol", "CopiesBox"})
            spoken << QAccessible::queryAccessibleInterface(Control<QWidget>(window, name))->text(QAccessible::Name);
        QCOMPARE(spoken, QStringList({"Label line 1", "Label line 2", "Label line 3", "Label line 4", "Label line 5",
                                      "Starting row", "Starting column", "Copies"}));
    }

    void printWhatGreysTheTypedTextClearEmptiesIt()
    {
        auto& [ui, window] = *loaded_;
        auto* frame = Control<QGroupBox>(window, "Frames1");
        auto* clear = Control<QPushButton>(window, "ClearButton");
        auto* tb1 = Control<QLineEdit>(window, "TB1");
        window.setLabelLine(1, QStringLiteral("kept"));

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
    }

    void countingRewritesTheOptionCaptions()
    {
        auto& [ui, window] = *loaded_;
        auto* selected = Control<QRadioButton>(window, "PrintWhatOB3");
        QCOMPARE(selected->text(), QStringLiteral("Print all entries selected in address book (0)"));
        const Cell cells[] = {{0, 0, Line1, "Ann"},      {0, 0, Selected, "True"},   // counted and selected
                              {3, 1, Line4, "Bob"},      {3, 1, Selected, "true"},   // counted, not selected
                              {25, 29, Line6, "memo"},   {25, 29, Selected, "True"}, // a memo alone makes a record
                              {2, 9, Line1, "\t"},                                   // a tab is not a blank
                              {12, 3, Selected, "True"}, {12, 4, Line2, "   "},      // blank records
                              {26, 0, Line1, "spare"},   {29, 0, Line1, "layout"}};  // outside the address book
        SetCells(cells);
        CountAddressEntries();
        QCOMPARE(Control<QRadioButton>(window, "PrintWhatOB2")->text(),
                 QStringLiteral("Print all entries in address book (4)"));
        QCOMPARE(selected->text(), QStringLiteral("Print all entries selected in address book (2)"));
    }

    void incrementButtonWalksTheSheet()
    {
        auto& [ui, window] = *loaded_;
        auto* button = Control<QPushButton>(window, "IncrementButton");
        SetPosition(window, "3", "10");
        QCOMPARE(Walk(window, button, {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}),
                 QStringLiteral("1,1 3,10 3,10"));
        SetPosition(window, "3", "4.5"); // rounds to 4
        // A quick double click reaches a widget as a press and then a double click: both step.
        QCOMPARE(Walk(window, button, {Qt::LeftButton, Qt::LeftButton, {Qt::LeftButton, true}}),
                 QStringLiteral("1,5 2,5 3,5"));
        QCOMPARE(Walk(window, button,
                      {Qt::Key_5,
                       {Qt::Key_0, true},
                       Qt::Key_Shift,
                       Qt::Key_Minus,
                       {Qt::Key_Minus, true},
                       {Qt::Key_1, true},
                       Qt::Key_Minus,
                       Qt::Key_Space}),
                 QStringLiteral("3,5 3,5 1,6 3,5 2,5 1,1 3,10 1,1"));
    }

    void captionButtonsStepTheirOwnBox()
    {
        auto& [ui, window] = *loaded_;
        auto* colCaption = Control<QPushButton>(window, "StartColLabel");
        SetPosition(window, "1", "4");
        // Column 4 is beyond 3 columns.
        QCOMPARE(Walk(window, colCaption, {Qt::Key_4, Qt::Key_0, Qt::Key_3, Qt::Key_A, Qt::Key_Minus}),
                 QStringLiteral("1,4 1,4 3,4 1,4 3,4"));
        QCOMPARE(Walk(window, Control<QPushButton>(window, "StartRowLabel"),
                      {{Qt::Key_9, true}, Qt::LeftButton, Qt::LeftButton, Qt::RightButton}),
                 QStringLiteral("3,9 3,10 3,1 3,10"));
        QCOMPARE(Walk(window, colCaption, {Qt::LeftButton}), QStringLiteral("1,10"));
    }

    void focusKeysAndAccessKeysAreLeftToQt()
    {
        auto& [ui, window] = *loaded_;
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
        auto& [ui, window] = *loaded_;
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
    }

    void leavingAStartBoxOutOfRangeRefusesIt()
    {
        auto& [ui, window] = *loaded_;
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
            ui.answer(Answer::Ok);
            box->setFocus();
            box->setText(QString::fromLatin1(typed));
            window.copiesBox()->setFocus(); // the user moves on
            QVERIFY(IsOnlyMessage(ui, QString::fromLatin1(message)));
            QCOMPARE(box->text(), QStringLiteral("1"));
            QCOMPARE(QApplication::focusWidget(), box); // back for another try
        }
    }

private:
    std::unique_ptr<LoadedWindow> loaded_;
};

QUILLET_TEST_MAIN(TestMainWindowControls)
#include "tst_main_window_controls.moc"
