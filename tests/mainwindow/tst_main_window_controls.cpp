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

class TestMainWindowControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        loaded_ = std::make_unique<LoadedWindow>();
        QApplication::setActiveWindow(&loaded_->window);
        QVERIFY(QTest::qWaitForWindowActive(&loaded_->window));
    }
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
        QVERIFY(Lines(window) == lines && ui.messages.size() == 1);
    }

    // F7 pastes an address over all five lines; Ctrl+V and the context menu's Paste fill the
    // focused line from its cursor and the lines below. No line break ever reaches a box.
    void pasting_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("lines"); // the boxes held 1 to 5 before
        const QString w70(70, u'w'), w50(50, u'w'), w49(49, u'w');
        QTest::newRow("F7 seven lines") << "F7" << 1 << "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng"
                                        << "a|b|c|d|e";
        QTest::newRow("F7 a final break") << "F7" << 5 << "a\r\nb\r\n"
                                          << "a|b||4|5";
        QTest::newRow("F7 CR alone") << "F7" << 1 << "a\rb"
                                     << "a|b|3|4|5";
        QTest::newRow("F7 LF alone") << "F7" << 1 << "a\nb\n\nd"
                                     << "a|b||d|5";
        QTest::newRow("F7 long line") << "F7" << 1 << w70 + "\r\nshort" << w50 + "|short|3|4|5";
        QTest::newRow("F7 no half characters") << "F7" << 1 << w49 + "\U0001F600" << w49 + "|2|3|4|5";
        QTest::newRow("F7 blanks only") << "F7" << 1 << "   "
                                        << "1|2|3|4|5"; // the empty-clipboard message
        QTest::newRow("F7 nothing") << "F7" << 1 << ""
                                    << "1|2|3|4|5";
        QTest::newRow("CR LF") << "keys" << 1 << "Ann Smith\r\n12 Main St\r\nTown"
                               << "Ann Smith|12 Main St|Town|4|5";
        QTest::newRow("no more lines than boxes left") << "keys" << 4 << "a\nb\rc"
                                                       << "1|2|3|a|b";
        QTest::newRow("cut to 50, a final break") << "menu" << 2 << w70 + "\n\r\n"
                                                  << "1|" + w50 + "||4|5";
        QTest::newRow("one line and its break at the cursor") << "keys" << 3 << "Ann\r\n"
                                                              << "1|2|3Ann|4|5";
        QTest::newRow("one line as ever") << "menu" << 5 << "Ann"
                                          << "1|2|3|4|5Ann";
    }
    void pasting()
    {
        QFETCH(QString, how);
        QFETCH(int, box);
        QFETCH(QString, clipboard);
        QFETCH(QString, lines);
        auto& [ui, window] = *loaded_;
        SetLines(window, {"1", "2", "3", "4", "5"});
        QGuiApplication::clipboard()->setText(clipboard);
        auto* target = Control<QLineEdit>(window, QStringLiteral("TB%1").arg(box));
        target->setFocus();
        target->end(false);
        if (how == QStringLiteral("menu")) {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(target, &click);
            auto* menu = target->findChild<QMenu*>();
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QStringLiteral("&Paste"))) action->trigger();
            menu->close();
        } else if (how == QStringLiteral("keys")) {
            QTest::keySequence(target, QKeySequence::Paste);
        } else {
            if (IsBlankText(clipboard)) ui.answer(Answer::Ok);
            QTest::keyClick(target, Qt::Key_F7);
            QVERIFY(!IsBlankText(clipboard) || IsOnlyMessage(ui, QStringLiteral("The clipboard is empty")));
        }
        QCOMPARE(Lines(window).join(u'|'), lines);
    }

    void readingOrderAndSpokenNames()
    {
        auto& [ui, window] = *loaded_;
        // "Print what is entered below" stands above the boxes it means.
        const auto top = [&](const char* name) { return Control(window, name)->mapTo(&window, QPoint()).y(); };
        QVERIFY(top("PrintWhatOB3") < top("Frames1"));
        QStringList order;
        QWidget* const first = Control(window, "LayoutsList");
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
            spoken << QAccessible::queryAccessibleInterface(Control(window, name))->text(QAccessible::Name);
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
        QVERIFY(window.printWhat() == 2 && !frame->isEnabled() && !clear->isEnabled() && !tb1->isEnabled());
        QCOMPARE(tb1->palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
        Click(window, "PrintWhatOB3");
        QCOMPARE(window.printWhat(), 3);
        Click(window, "PrintWhatOB1");
        QVERIFY(window.printWhat() == 1 && frame->isEnabled() && clear->isEnabled() && tb1->isEnabled());
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

    // Presses on the increment button or a start caption: mouse buttons L, R, M and D (a double
    // click, which reaches a widget as a press and then a double click), keys by their character,
    // "k" before a keypad key. The position after each press.
    void steppingTheStartPosition_data()
    {
        TextColumns({"target", "start", "presses", "after"});
        Row("increment mouse", "IncrementButton", "3,10", "L R M", "1,1 3,10 3,10");
        Row("increment rounds 4.5", "IncrementButton", "3,4.5", "L L D", "1,5 2,5 3,5");
        Row("increment keys", "IncrementButton", "3,5", "5 k0 Shift - k- k1 - Space",
            "3,5 3,5 1,6 3,5 2,5 1,1 3,10 1,1");
        Row("column caption beyond 3", "StartColLabel", "1,4", "4 0 3 a -", "1,4 1,4 3,4 1,4 3,4");
        Row("row caption", "StartRowLabel", "3,4", "k9 L L R", "3,9 3,10 3,1 3,10");
        Row("column caption click", "StartColLabel", "3,10", "L", "1,10");
    }
    void steppingTheStartPosition()
    {
        MainWindow& window = loaded_->window;
        auto* target = Control(window, Data("target"));
        const QStringList start = Data("start").split(u',');
        SetPosition(window, qPrintable(start[0]), qPrintable(start[1]));
        QStringList after;
        for (QString press : Data("presses").split(u' ')) {
            const Qt::KeyboardModifiers keypad =
                press.size() == 2 && press.startsWith(u'k') ? Qt::KeypadModifier : Qt::NoModifier;
            if (keypad) press.remove(0, 1);
            const int mouse = QStringLiteral("LRM").indexOf(press);
            if (press == QStringLiteral("D"))
                QTest::mouseDClick(target, Qt::LeftButton);
            else if (press.size() == 1 && mouse >= 0)
                QTest::mouseClick(target, Qt::MouseButton(Qt::LeftButton << mouse));
            else
                QTest::keyClick(target,
                                press == QStringLiteral("Shift")   ? Qt::Key_Shift
                                : press == QStringLiteral("Space") ? Qt::Key_Space
                                                                   : Qt::Key(press.toUpper()[0].unicode()),
                                keypad);
            after << Position(window);
        }
        QCOMPARE(after.join(u' '), Data("after"));
    }

    void focusKeysAndAccessKeysAreLeftToQt()
    {
        auto& [ui, window] = *loaded_;
        auto* button = Control(window, "IncrementButton");
        button->setFocus();
        SetPosition(window, "2", "2");
        // Alt+C takes the focus to the column caption, Tab on to the column box; nothing steps.
        QTest::keyClick(button, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(button, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), Control(window, "StartColLabel"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == window.startColBox() && Position(window) == QStringLiteral("2,2"));
    }

    // Leaving a box normalises it; a start position out of range is refused with a message, reset
    // to 1 and gets the focus back. Another window coming up or a menu opening is not leaving.
    void leavingABox_data()
    {
        TextColumns({"box", "typed", "left", "message"});
        Row("copies 3.7", "CopiesBox", "3.7", "3", "");
        Row("copies 2.5", "CopiesBox", "2.5", "2", "");
        Row("copies -1.5", "CopiesBox", "-1.5", "-2", "");
        Row("copies empty", "CopiesBox", "", "0", "");
        Row("copies abc", "CopiesBox", "abc", "0", "");
        Row("copies 12x", "CopiesBox", " 12x", "12", "");
        Row("row 2.5", "StartRow", "2.5", "2", "");
        Row("column 2.9", "StartCol", "2.9", "2", "");
        Row("row 0", "StartRow", "0", "1", "Starting row must be at least one");
        Row("row 10.5", "StartRow", "10.5", "1", "Starting row cannot exceed rows of labels on the sheet");
        Row("column -3", "StartCol", "-3", "1", "Starting column must be at least one");
        Row("column 4", "StartCol", "4", "1", "Starting column cannot exceed columns of labels on the sheet");
    }
    void leavingABox()
    {
        auto& [ui, window] = *loaded_;
        const QString message = Data("message");
        auto* box = Control<QLineEdit>(window, Data("box"));
        box->setFocus();
        box->setText(Data("typed"));
        LeaveBox(box, Qt::ActiveWindowFocusReason);
        LeaveBox(box, Qt::PopupFocusReason);
        QCOMPARE(box->text(), Data("typed"));
        if (!message.isEmpty()) ui.answer(Answer::Ok);
        (box == window.copiesBox() ? window.startRowBox() : window.copiesBox())->setFocus(); // the user moves on
        QCOMPARE(box->text(), Data("left"));
        QVERIFY(message.isEmpty() ? ui.messages.empty()
                                  : IsOnlyMessage(ui, message) && QApplication::focusWidget() == box);
    }

private:
    std::unique_ptr<LoadedWindow> loaded_;
};

QUILLET_TEST_MAIN(TestMainWindowControls)
#include "tst_main_window_controls.moc"
