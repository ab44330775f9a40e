#include "main_window_test_support.h"
#include "mainwindow/print_command.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/printer_surface.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>

using namespace quillet;
using namespace quillet::test;

namespace {
const QString ContactUs = QStringLiteral(
    "  This indicates a problem with the programming.  Please contact Tolvan Software about this problem.  Error #");
const QString FixIt = QStringLiteral(
    "  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem persists.  Error #");
QString Warning(const QString& what, const QString& value, const QString& code)
{
    return "Error:  The currently selected layout contains an invalid " + what + value + u'.' + FixIt + "SEL-" + code;
}
const QString Adjust =
    QStringLiteral("\r\rAdjust the printer driver (press \"Print Setup\", and then adjust \"Orientation\" and/or "
                   "\"Paper Size\"), and/or adjust the settings within the QX Layouts Editor (File > Layouts Editor).");

// The Print command on the main window's boxes with a PDF printer and a layout check that records
// whether each call came under the busy pointer, and fails, so that nothing is printed.
struct Command {
    MainWindow& window;
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    PrintCommandInputs in = window.printCommandInputs();
    QList<bool> checksWhileBusy;

    explicit Command(MainWindow& w) : window(w)
    {
        UsePdfOutput(printer, dir.filePath(QStringLiteral("Labels.pdf")));
        in.printer = &printer;
        in.texts = {QStringLiteral("Ann")};
        in.validateLayout = [this](DrawingSurface&) {
            checksWhileBusy << (window.cursor().shape() == Qt::WaitCursor);
            return false;
        };
    }
    // Runs the command: the text of the single plain message it stopped at, or "" when it went on
    // to the layout check, under the busy pointer, without one.
    QString run(ScriptedDialogs& ui)
    {
        ui.clear();
        ui.allowUnscripted = true; // every message shown is returned and checked
        Run().cancelRequested = true;
        const qsizetype before = checksWhileBusy.size();
        PrintCommand(in);
        const bool restored = window.cursor().shape() == Qt::ArrowCursor && !Run().cancelRequested;
        const bool checked = checksWhileBusy.size() == before + 1 && checksWhileBusy.back();
        if (ui.messages.empty()) return restored && checked ? QString() : QStringLiteral("<stopped unchecked>");
        return restored && !checked && IsOnlyMessage(ui, ui.last().text) ? ui.last().text
                                                                         : QStringLiteral("<other message>");
    }
};

} // namespace

class TestMainWindowControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        loaded_ = std::make_unique<LoadedWindow>();
        QApplication::setActiveWindow(&loaded_->window);
        QVERIFY(QTest::qWaitForWindowActive(&loaded_->window));
    }
    void cleanup() { loaded_.reset(); }

    // F7 pastes an address over all five lines; Ctrl+V and the context menu's Paste fill the
    // focused line from its cursor and the lines below. No line break ever reaches a box. F6
    // copies the five lines, which F7 then gives back.
    void pasting_data()
    {
        TextColumns({"how", "box", "clipboard", "lines"}); // the boxes held 1 to 5 before
        const QString w70(70, u'w'), w50(50, u'w'), w49(49, u'w');
        Row("F7 seven lines", "F7", "1", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng", "a|b|c|d|e");
        Row("F7 a final break", "F7", "5", "a\r\nb\r\n", "a|b||4|5");
        Row("F7 LF alone", "F7", "1", "a\nb\n\nd", "a|b||d|5");
        Row("F7 no half characters", "F7", "1", w49 + "\U0001F600", w49 + "|2|3|4|5");
        Row("F7 blanks only", "F7", "1", "   ", "1|2|3|4|5"); // and the empty-clipboard message
        Row("CR LF", "keys", "1", "Ann Smith\r\n12 Main St\r\nTown", "Ann Smith|12 Main St|Town|4|5");
        Row("no more lines than boxes left", "keys", "4", "a\nb\rc", "1|2|3|a|b");
        Row("cut to 50, a final break", "menu", "2", w70 + "\n\r\n", "1|" + w50 + "||4|5");
        Row("one line and its break at the cursor", "keys", "3", "Ann\r\n", "1|2|3Ann|4|5");
        Row("one line as ever", "menu", "5", "Ann", "1|2|3|4|5Ann");
        Row("F6 and back", "F6", "2", "Ann Smith\r\n\r\n12 Main St\r\n\r\n", "Ann Smith||12 Main St||");
    }
    void pasting()
    {
        const QString how = Data("how"), clipboard = Data("clipboard");
        auto& [ui, window] = *loaded_;
        SetLines(window, {"1", "2", "3", "4", "5"});
        QGuiApplication::clipboard()->setText(how == QStringLiteral("F6") ? QString() : clipboard);
        auto* target = Control<QLineEdit>(window, "TB" + Data("box"));
        target->setFocus();
        target->end(false);
        if (how == QStringLiteral("menu")) {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(target, &click);
            auto* menu = target->findChild<QMenu*>();
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QStringLiteral("&Paste"))) action->trigger();
        } else if (how == QStringLiteral("keys")) {
            QTest::keySequence(target, QKeySequence::Paste);
        } else if (how == QStringLiteral("F6")) {
            SetLines(window, Data("lines").split(u'|'));
            ui.answer(Answer::Ok);
            QTest::keyClick(target, Qt::Key_F6);
            QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
            QVERIFY(IsOnlyMessage(ui, QStringLiteral("Address copied to Clipboard")));
            SetLines(window, QStringList(5, QStringLiteral("x")));
            QTest::keyClick(target, Qt::Key_F7);
        } else {
            if (IsBlankText(clipboard)) ui.answer(Answer::Ok);
            QTest::keyClick(target, Qt::Key_F7);
            QVERIFY(!IsBlankText(clipboard) || IsOnlyMessage(ui, QStringLiteral("The clipboard is empty")));
        }
        QCOMPARE(Lines(window).join(u'|'), Data("lines"));
    }

    void readingOrderSpokenNamesAndAccessKeys()
    {
        auto& [ui, window] = *loaded_;
        // "Print what is entered below" stands above the boxes it means.
        const auto top = [&](const char* name) { return Control(window, name)->mapTo(&window, QPoint()).y(); };
        QVERIFY(top("PrintWhatOB3") < top("Frames1"));
        QWidget* const first = Control(window, "LayoutsList");
        QStringList order{first->objectName()};
        for (QWidget* w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden()) order << w->objectName();
        QCOMPARE(order, QStringList({"LayoutsList", "PrintWhatOB1", "PrintWhatOB2", "PrintWhatOB3", "TB1", "TB2", "TB3",
                                     "TB4", "TB5", "ClearButton", "StartRowLabel", "StartRow", "StartColLabel",
                                     "StartCol", "IncrementButton", "CopiesBox", "AddressBookButton", "PrintButton"}));
        // A screen reader names each box for itself, not by its frame's caption.
        QStringList spoken;
        for (const char* name : {"TB1", "TB2", "TB3", "TB4", "TB5", "StartRow", "StartCol", "CopiesBox"})
            spoken << QAccessible::queryAccessibleInterface(Control(window, name))->text(QAccessible::Name);
        QCOMPARE(spoken, QStringList({"Label line 1", "Label line 2", "Label line 3", "Label line 4", "Label line 5",
                                      "Starting row", "Starting column", "Copies"}));

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

    // Typed text prints where the layout says; the address-book options grey it (Clear empties it)
    // and show the entry counts.
    void typedTextPrintsOrIsGreyedForTheAddressBook()
    {
        auto& [ui, window] = *loaded_;
        PdfLabels pdf;
        // A new user types an address, moves to the second label and presses Print, then Start.
        QTest::keyClicks(Control<QLineEdit>(window, "TB1"), QStringLiteral("Zoe Lindqvist"));
        QTest::keyClicks(Control<QLineEdit>(window, "TB2"), QStringLiteral("12 Harbour Road"));
        Control<QLineEdit>(window, "TB3")->insert(QStringLiteral("Malmö")); // as an input method types it
        window.startColBox()->setText(QStringLiteral("2"));
        const auto words = pdf.print(window);
        QCOMPARE(Texts(words), QStringList({"Zoe", "Lindqvist", "12", "Harbour", "Road", "Malmö"}));
        // Row 1, column 2 of "Avery 5160/8160": 0.5" + 2.75" from the left, 0.625" from the top.
        QVERIFY(qAbs(words[0].left - 3.25) < 0.01 && qAbs(words[0].top - 0.625) < 0.03);
        QCOMPARE(window.startColBox()->text(), QStringLiteral("2"));

        auto* clear = Control<QPushButton>(window, "ClearButton");
        auto* tb1 = Control<QLineEdit>(window, "TB1");
        QTest::mouseClick(Control<QRadioButton>(window, "PrintWhatOB2"), Qt::LeftButton);
        QVERIFY(window.printWhat() == 2 && !clear->isEnabled() && !tb1->isEnabled());
        QCOMPARE(tb1->palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
        Click(window, "PrintWhatOB1");
        QVERIFY(window.printWhat() == 1 && clear->isEnabled() && tb1->isEnabled());
        QCOMPARE(tb1->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(window.labelLine(1), QStringLiteral("Zoe Lindqvist"));
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(Lines(window), QStringList(5, QString()));

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
        QCOMPARE(Control<QRadioButton>(window, "PrintWhatOB3")->text(),
                 QStringLiteral("Print all entries selected in address book (2)"));
    }

    // Presses on the increment button or a start caption: mouse buttons L, R, M and D (a double
    // click, which reaches a widget as a press and then a double click), and keys as a key sequence
    // names them (Num+ for the keypad). The position after each press.
    void steppingTheStartPosition_data()
    {
        TextColumns({"target", "start", "presses", "after"});
        Row("increment mouse", "IncrementButton", "3,10", "L R M", "1,1 3,10 3,10");
        Row("increment rounds 4.5", "IncrementButton", "3,4.5", "L L D", "1,5 2,5 3,5");
        Row("increment keys", "IncrementButton", "3,5", "5 Num+0 Shift - Num+- Num+1 - Space",
            "3,5 3,5 1,6 3,5 2,5 1,1 3,10 1,1");
        Row("column caption beyond 3, a click", "StartColLabel", "1,4", "4 0 3 a - L", "1,4 1,4 3,4 1,4 3,4 1,4");
        Row("row caption", "StartRowLabel", "3,4", "Num+9 L L R", "3,9 3,10 3,1 3,10");
    }
    void steppingTheStartPosition()
    {
        MainWindow& window = loaded_->window;
        auto* target = Control(window, Data("target"));
        const QStringList start = Data("start").split(u',');
        SetPosition(window, start[0], start[1]);
        QStringList after;
        for (const QString& press : Data("presses").split(u' ')) {
            const int mouse = QStringLiteral("LRM").indexOf(press);
            if (press == QStringLiteral("D"))
                QTest::mouseDClick(target, Qt::LeftButton);
            else if (press.size() == 1 && mouse >= 0)
                QTest::mouseClick(target, Qt::MouseButton(Qt::LeftButton << mouse));
            else
                QTest::keySequence(target, QKeySequence::fromString(press));
            after << Position(window);
        }
        QCOMPARE(after.join(u' '), Data("after"));
    }

    // Leaving a box normalises it; a start position out of range is refused with a message, reset
    // to 1 and gets the focus back. Another window coming up or a menu opening is not leaving.
    // Print by its access key checks the box being typed in first, as leaving it would.
    void leavingABox_data()
    {
        TextColumns({"box", "typed", "left", "message"});
        Row("copies -1.5", "CopiesBox", "-1.5", "-2", "");
        Row("copies empty", "CopiesBox", "", "0", "");
        Row("copies 12x", "CopiesBox", " 12x", "12", "");
        Row("column 2.9", "StartCol", "2.9", "2", "");
        Row("row 0", "StartRow", "0", "1", "Starting row must be at least one");
        Row("row 10.5", "StartRow", "10.5", "1", "Starting row cannot exceed rows of labels on the sheet");
        Row("column -3", "StartCol", "-3", "1", "Starting column must be at least one");
        Row("column 4", "StartCol", "4", "1", "Starting column cannot exceed columns of labels on the sheet");
        Row("copies 3.7 by Alt+P", "CopiesBox", "3.7", "3", "");
        Row("row 2.9 by Alt+P", "StartRow", "2.9", "2", "");
        Row("row 0 by Alt+P", "StartRow", "0", "1", "Starting row must be at least one");
    }
    void leavingABox()
    {
        auto& [ui, window] = *loaded_;
        const QString message = Data("message");
        auto* box = Control<QLineEdit>(window, Data("box"));
        box->setFocus();
        box->setText(Data("typed"));
        for (const Qt::FocusReason notLeaving : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent event(QEvent::FocusOut, notLeaving);
            QApplication::sendEvent(box, &event);
        }
        QCOMPARE(box->text(), Data("typed"));
        if (!message.isEmpty()) ui.answer(Answer::Ok);
        if (QByteArray(QTest::currentDataTag()).endsWith("Alt+P")) {
            // The key clicks Print a moment later, the focus staying in the box. The printing window
            // comes up only after a box that passed, and is closed again unprinted.
            window.setLabelLine(1, QStringLiteral("Ann"));
            const auto altP = [&] {
                QTest::keyClick(box, Qt::Key_P, Qt::AltModifier);
                QTRY_VERIFY(!window.printButton()->isDown());
            };
            message.isEmpty() ? WithModal(altP, [](QWidget&) {}) : altP();
        } else {
            (box == window.copiesBox() ? window.startRowBox() : window.copiesBox())->setFocus(); // the user moves on
        }
        QCOMPARE(box->text(), Data("left"));
        QVERIFY(message.isEmpty() || (IsOnlyMessage(ui, message) && QApplication::focusWidget() == box));
    }

    // Closing the layouts editor refills the list only after a change, keeping the selected layout
    // and the start position when it can. The list holds the usable layouts in number order.
    void listsUsableLayoutsAndRefillsAfterTheEditor()
    {
        auto& [ui, window] = *loaded_;
        window.layoutsList()->setCurrentIndex(2);
        window.startRowBox()->setText(QStringLiteral("9"));
        window.layoutsEditorClosed(false);
        QCOMPARE(window.startRowBox()->text(), QStringLiteral("9")); // nothing refilled or applied

        window.layoutsEditorClosed(true);
        QCOMPARE(window.startRowBox()->text(), QStringLiteral("7")); // the same layout applied again: 7 rows

        SetLayoutCell(2, Visible, QString());
        window.layoutsEditorClosed(true);
        QCOMPARE(window.currentLayoutNumber(), 1);

        // A blank title, "true" and no title are not usable; layout 11 is.
        const Cell cells[] = {{LayoutSlot(2), Title, 0, "   "},       {LayoutSlot(3), Visible, 0, "true"},
                              {LayoutSlot(5), Title, 0, " Indented"}, {LayoutSlot(11), Title, 0, "Eleven"},
                              {LayoutSlot(11), Visible, 0, "True"},   {LayoutSlot(12), Visible, 0, "True"}};
        SetCells(cells);
        window.FillLayoutsList();

        QComboBox* list = window.layoutsList();
        QList<int> numbers;
        for (int i = 0; i < list->count(); ++i) numbers << list->itemData(i).toInt();
        QCOMPARE(numbers, QList<int>({1, 4, 5, 6, 7, 8, 9, 11}));
        QCOMPARE(list->itemText(2), QStringLiteral(" Indented"));
        QCOMPARE(list->currentIndex(), -1); // filling selects nothing
        QVERIFY(list->isEnabled() && window.printButton()->isEnabled());

        // No usable layout at all: the list and Print are disabled until one is usable again.
        for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
        ui.answer(Answer::Ok);
        window.refillLayoutsList();
        QVERIFY(IsOnlyMessage(ui, QStringLiteral("Error:  No valid Layouts were found (a valid list item includes a "
                                                 "title, and is 'checked' as being visible in the main screen).  At "
                                                 "least one is necessary.\r\rPlease open the Layouts Editor to modify "
                                                 "this.")));
        QVERIFY(!window.layoutsList()->isEnabled() && !window.printButton()->isEnabled());

        SetLayoutCell(4, Visible, QStringLiteral("True"));
        window.refillLayoutsList();
        QVERIFY(window.layoutsList()->isEnabled() && window.printButton()->isEnabled());
        QCOMPARE(window.currentLayoutNumber(), 4);
    }

    // Selecting a layout sets the start captions, lowers the start boxes into its sheet and, for
    // the maker's own layout, fills the label lines. Cancel on a warning stops applying there.
    void selectionAppliesTheLayoutUnlessCancelled()
    {
        auto& [ui, window] = *loaded_;
        auto* rowCaption = Control<QPushButton>(window, "StartRowLabel");
        QCOMPARE(Control<QPushButton>(window, "StartColLabel")->text(), QStringLiteral("&Column (1-3):"));
        QCOMPARE(Control<QLabel>(window, "StartRowLabelx")->text(), QStringLiteral("&Row (1-10):"));
        SetPosition(window, "5", "2");
        window.layoutsList()->setCurrentIndex(5); // name badges, 2 x 4
        QCOMPARE(Position(window), QStringLiteral("2,2"));
        QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-4):"));
        SetPosition(window, "0", "abc");
        window.selectLayoutEntry(5);
        QCOMPARE(Position(window), QStringLiteral("1,1"));

        SetLayoutCell(9, Columns, QStringLiteral("12"));
        SetLayoutCell(9, Rows, QStringLiteral("7"));
        window.startColBox()->setText(QStringLiteral("8"));
        SetLines(window, QStringList(5, QStringLiteral("typed")));
        ui.answer(Answer::Cancel);
        window.selectLayoutEntry(8);
        QCOMPARE(Control<QLabel>(window, "StartColLabelx")->text(), QStringLiteral("Column (<error>):"));
        QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-4):"));
        QCOMPARE(window.labelLine(1), QStringLiteral("typed"));
        QCOMPARE(window.currentLayoutNumber(), 9); // the entry stays selected

        ui.answer(Answer::Ok);
        window.selectLayoutEntry(8);
        QCOMPARE(window.startColBox()->text(), QStringLiteral("8")); // untouched under a bad column count
        QCOMPARE(rowCaption->text(), QStringLiteral("&Row (1-7):"));
        QCOMPARE(Lines(window), QStringList({MakerName, MakerAddress[0], MakerAddress[1], MakerAddress[2], QString()}));
    }

    // The layout's values are checked when it is selected, with warnings the user may go on from,
    // and strictly before printing. Cells of layout 1 as "sub-entry/field=text;..." before and after
    // the check; an empty message: the layout passes.
    void layoutChecks_data()
    {
        TextColumns({"cells", "message", "after"});
        const QString width = QStringLiteral("label width (\"Side-to-Side\") distance (");
        const QString side = QStringLiteral("Error:  The label-side-to-label-side distance of the current layout is "
                                            "invalid (it's too ");
        const QString font = QStringLiteral("Error:  The font size selected for line ");
        const QString left = QStringLiteral("Error:  The left offset for this layout (");
        // clang-format off
        QTest::newRow("selected, 9 columns") << "0/2=9" << QString() << QString();
        QTest::newRow("selected, 10 columns") << "0/2= 10" << Warning("number of columns of labels:  \"", "10\"", "100") << QString();
        QTest::newRow("selected, 30 rows") << "0/3=30" << QString() << QString();
        QTest::newRow("selected, 31 rows") << "0/3=31" << Warning("number of rows of labels:  \"", "31\"", "101") << QString();
        QTest::newRow("selected, side .25") << "0/4=0.25" << QString() << QString();
        QTest::newRow("selected, side 20") << "0/4=20" << QString() << QString();
        QTest::newRow("selected, side .24") << "0/4=0.24" << Warning(width, ".24 inches)", "102") << QString();
        QTest::newRow("selected, side 20.01") << "0/4=20.01" << Warning(width, "20.01 inches)", "102") << QString();
        QTest::newRow("selected, height") << "0/5=20.01in" << Warning("label height (\"Top-to-Top\") distance (", "20.01 inches)", "103") << QString();
        QTest::newRow("selected, left -.5, Cancel") << "0/21=-0.5;0/22=-1" << Warning("left offset distance (", "-.5 inches)", "104") << QString();
        QTest::newRow("selected, top") << "0/22=-.1" << Warning("\"Offset From Top\" distance (", "-.1 inches)", "105") << QString();
        QTest::newRow("9 x 30") << "0/2=9;0/3=30" << QString() << QString();
        QTest::newRow("no columns") << "0/2= 0.5x" << "Program Error:  Number of columns of labels per sheet for the current layout is less than or equal to zero." + ContactUs + "PBC-100.  Datum in this position:  0.5x" << QString();
        QTest::newRow("31 rows") << "0/3=31" << "Program Error:  Number of rows of labels per sheet for the current layout is greater than thirty (the maximum for Quillet)." + ContactUs + "PBR-103.  Datum in this position: 31" << QString();
        QTest::newRow("side .25, height 20") << "0/4=.25;0/5=20" << QString() << QString();
        QTest::newRow("side .24") << "0/4=0.24" << side + "small - - the minimum is .25 inches, and the value set is \"0.24\".  Error #LSS100" << QString();
        QTest::newRow("side 20.01") << "0/4=20.01" << side + "large - - the maximum is 20 inches, and the value set is \"20.01\".  Error #LSS101" << QString();
        QTest::newRow("height .2") << "0/5=.2" << "Error:  The label-top-to-label-top distance of the current layout is invalid (it's too small - - the minimum is .25 inches, and the value set is \".2\".  Error #LTT100" << QString();
        QTest::newRow("line 3 tiny, one font") << "1/13=2" << QString() << QString();
        QTest::newRow("line 3 tiny, own fonts") << "0/7=1;1/13=2" << font + "3 of this layout (2 points) is too small.  The minimum is 3 points." + FixIt + "OLT-90" << QString();
        QTest::newRow("line 1 huge") << "1/1=50.5" << font + "1 of this layout (50.5 points) is too large.  The maximum is 50 points." + FixIt + "OLT-91" << QString();
        QTest::newRow("left -.5") << "0/21=-.5" << QString() << QString();
        QTest::newRow("left -1.5") << "0/21=-1.5" << left + "-1.5 inches) is too small.  The minimum is -1 inch.\r\rError #OLT100" << QString();
        QTest::newRow("left 20.25") << "0/21=20.25" << left + "20.25 inches) is too large.  The maximum is 20 inches.\r\rError #OLT101" << QString();
        QTest::newRow("left 7.99") << "0/21=7.99" << QString() << QString();
        QTest::newRow("left = printable width") << "0/21=8" << "The left offset for this layout exceeds the printable width of the currently selected printer and paper size/orientation (Error #OLT102).\r\rThe maximum printable width of current printer & sheet is 8.00 inches, while the left offset for this layout is 8.00 inches." + Adjust << QString();
        QTest::newRow("top -.25") << "0/22=-.25" << "Error:  The top offset for this layout (-0.25 inches) is too small.  The minimum is 0 inches.\r\rError #OTT100" << QString();
        QTest::newRow("top = printable height") << "0/22=10" << "The top offset for this layout exceeds the printable height of the currently selected printer and paper size/orientation (Error #OTT102).\r\rThe maximum printable height of current printer & sheet is 10.00 inches, while the offset from top for this layout is 10.00 inches." + Adjust << QString();
        QTest::newRow("not visible") << "0/29=TRUE" << "Program Error:  The currently selected layout (layout number 1) does not appear to be selected within QX's memory.  Please contact Tolvan Software about this problem, and include the following error number:\r\rError number:  VLNT-30-1-TRUE" << QString();
        QTest::newRow("empty sizes, one font") << "1/1=  ;1/19=" << QString() << "1/1=10;1/19="; // line 4 unchecked
        QTest::newRow("empty sizes, own fonts") << "0/7=1;1/19=" << QString() << "1/19=10";
        // clang-format on
    }

    void layoutChecks()
    {
        const QString message = Data("message");
        auto& [ui, window] = *loaded_;
        // Each "sub-entry/field=text" of `list` as the sub-entry, field and text of a cell of layout 1.
        const auto cells = [](const QString& list) {
            QList<QStringList> found;
            for (const QString& cell : list.split(u';', Qt::SkipEmptyParts))
                found << cell.split(QRegularExpression(QStringLiteral("[/=]")));
            return found;
        };
        for (const QStringList& cell : cells(Data("cells")))
            LayoutData().setCell(LayoutSlot(1), cell[1].toInt(), cell[0].toInt(), cell[2]);
        if (QByteArray(QTest::currentDataTag()).startsWith("selected")) {
            // Cancel on the left offset warning skips the top offset check after it.
            if (!message.isEmpty()) ui.answer(message.endsWith(u"104") ? Answer::Cancel : Answer::Ok);
            window.selectLayoutEntry(0);
            QVERIFY(message.isEmpty() || IsOnlyMessage(ui, message, ProgramTitle, Buttons::OkCancel, Icon::Warning));
            return;
        }
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        UseLetterPdf(printer, dir.filePath(QStringLiteral("out.pdf")), {0.25, 0.5, 0.25, 0.5});
        PrinterSurface surface(printer);
        ui.onMessage = [](const MessageRequest&) { return Answer::Ok; }; // go on past selection warnings
        window.selectLayoutEntry(0);
        ui.clear();
        if (!message.isEmpty()) ui.answer(Answer::Ok);

        QCOMPARE(window.ValidateLayoutForPrint(surface), message.isEmpty());
        const bool printError = message.contains(QStringLiteral("printable"));
        QVERIFY(message.isEmpty() ||
                (printError ? IsOnlyMessage(ui, message, QStringLiteral("Print Error"), Buttons::Ok, Icon::Critical)
                            : IsOnlyMessage(ui, message)));
        QVERIFY(QDir(dir.path()).isEmpty()); // checking prints nothing
        for (const QStringList& cell : cells(Data("after")))
            QVERIFY(LayoutData().cell(LayoutSlot(1), cell[1].toInt(), cell[0].toInt()) == cell[2] && Run().dataChanged);
    }

    void copiesSomethingToPrintAndTheSheet()
    {
        auto& [ui, window] = *loaded_;
        Command c(window);
        QLineEdit* copies = window.copiesBox();
        for (const char* low : {"0", "", "abc", "0.9"}) {
            copies->setText(QString::fromLatin1(low));
            QCOMPARE(c.run(ui), QStringLiteral("Number of copies must be at least one"));
        }
        copies->setText(QStringLiteral("1000"));
        QCOMPARE(c.run(ui), QStringLiteral("Maximum number of copies is 999"));
        QCOMPARE(copies->text(), QStringLiteral("1000"));

        ui.answer(Answer::No);
        copies->setText(QStringLiteral("100"));
        PrintCommand(c.in);
        QVERIFY(IsMessage(ui.last(), QStringLiteral("Print 100 copies?"), QStringLiteral("Caution"), Buttons::YesNo,
                          Icon::Question, Answer::No));
        QVERIFY(c.checksWhileBusy.isEmpty());
        copies->setText(QStringLiteral("99"));
        QCOMPARE(c.run(ui), QString());

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

        // Sheets up to 22 inches (31680 twips) each way go on to the layout check.
        Run().setAddressCounts(1, 0);
        const QString over = QStringLiteral("Error:  The printer driver is reporting that the currently selected "
                                            "printer and sheet %1 is greater than 22 inches.  22 inches %2 is the "
                                            "maximum that Quillet can handle.");
        for (const auto& [width, height, message] :
             {std::tuple{22.0, 22.0, QString()},
              {22.23, 11.0, over.arg(QStringLiteral("width"), QStringLiteral("wide"))},
              {11.0, 22.23, over.arg(QStringLiteral("height"), QStringLiteral("high"))}}) {
            c.printer.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Inch),
                                                QPageLayout::Portrait, QMarginsF(), QPageLayout::Inch));
            QCOMPARE(c.run(ui), message);
        }
    }

    // The row is checked before the column: a refused row leaves a bad column unchecked. A refused
    // box is reset to 1 and gets the focus, and the layout is not checked.
    void startPositionLimits_data()
    {
        TextColumns({"value", "rows", "message"});
        Row("row 0", "0", "10", "Minimum \"Starting Row\" is 1");
        Row("row 31 of 30", "31", "30", "Maximum \"Starting Row\" is 30");
        Row("row 11 of 10", "11", "10", "Maximum \"Starting Row\" for this label sheet is 10");
        Row("row 3 of ' 2'", "3", " 2", "Maximum \"Starting Row\" for this label sheet is  2");
        Row("column text", "x", "10", "Minimum \"Starting Column\" is 1");
        Row("column 10", "10", "10", "Maximum \"Starting Column\" is 9");
        Row("column 4 of 3", "4", "10", "Maximum \"Starting Column\" for this label sheet is 3");
    }
    void startPositionLimits()
    {
        auto& [ui, window] = *loaded_;
        const bool isRow = Data("message").contains(QStringLiteral("Row"));
        SetLayoutCell(1, Rows, Data("rows"));
        Command c(window);
        window.copiesBox()->setFocus();
        SetPosition(window, isRow ? QStringLiteral("0") : Data("value"), isRow ? Data("value") : QStringLiteral("2"));
        QCOMPARE(c.run(ui), Data("message"));
        QCOMPARE(Position(window), isRow ? QStringLiteral("0,1") : QStringLiteral("1,2"));
        QCOMPARE(QApplication::focusWidget(), isRow ? window.startRowBox() : window.startColBox());
    }

private:
    std::unique_ptr<LoadedWindow> loaded_;
};

QUILLET_TEST_MAIN(TestMainWindowControls)
#include "tst_main_window_controls.moc"
