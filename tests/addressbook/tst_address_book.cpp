#include "addressbook/address_book.h"
#include "addressbook/letter_tabs.h"
#include "addressbook/record_list.h"
#include "mainwindow/main_window_test_support.h"
#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

using namespace quillet;
using namespace quillet::test;

namespace {
// The address book as the user meets it, shown and active.
struct Book {
    AddressBook window;
    Book()
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    RecordList* list() { return Control<RecordList>(window, "RecordList"); }
    QLineEdit* box(int line) { return Control<QLineEdit>(window, QStringLiteral("TB%1").arg(line)); }
    QAction* command(const char* name) { return Control<QAction>(window, name); }
    int tab() { return Control<LetterTabs>(window, "TabHolder")->current(); }
    // The user clicks the tab with this letter.
    void pickTab(char letter) { Click(window, QStringLiteral("Tab") + QChar(letter)); }
    QStringList items()
    {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->item(row)->text() + (list()->isChecked(row) ? QStringLiteral(" [x]") : QString());
        return texts;
    }
};

QStringList RecordText(int tab, int record)
{
    QStringList cells;
    for (int item = Line1; item <= Selected; ++item) cells << LayoutData().cell(tab, record, item);
    return cells;
}

// The Find window and the dialogs that record its messages.
struct Finder {
    ScriptedDialogs& ui;
    QWidget& window;
    QLineEdit* text() { return Control<QLineEdit>(window, "SearchText"); }
    QPushButton* button() { return Control<QPushButton>(window, "SearchButton"); }
    QString label(const char* name) { return Control<QLabel>(window, name)->text(); }
    bool frameShown() { return Control<QGroupBox>(window, "MatchFrame")->isEnabled(); }
    // The match the frame shows, as "A-3 Title"; or the message the search ended with.
    QString search(bool byEnter = false)
    {
        const std::size_t before = ui.messages.size();
        byEnter ? QTest::keyClick(text(), Qt::Key_Return) : button()->click();
        // A plain message ends a search and leaves the next press to start a new one.
        if (ui.messages.size() > before)
            return IsMessage(ui.last(), ui.last().text) && (label("CLet") + label("CNum")).isEmpty() &&
                           button()->text() == QStringLiteral("Search")
                       ? ui.last().text
                       : QStringLiteral("<not reset>");
        return frameShown() && button()->text() == QStringLiteral("Search For Next One")
                   ? label("LetterLabel") + u'-' + label("NumberLabel") + u' ' + label("TitleLabel")
                   : QStringLiteral("<not shown>");
    }
};
} // namespace

class TestAddressBook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        ui.clear();
    }
    void cleanup() { ui.checkAllUsed(); }

    void listFollowsTheFirstTypedLine()
    {
        Book b;
        QStringList bare;
        for (int n = 1; n <= 30; ++n) bare << QString::number(n) + QStringLiteral(". ");
        for (char letter = 'Z'; letter >= 'A'; --letter) {
            b.pickTab(letter);
            QCOMPARE(b.items(), bare);
        }
        const QString longLine(70, u'w');
        const Cell cells[] = {{2, 0, Line6, "memo only"}, {2, 1, Line1, "  "},  {2, 1, Line2, "Ann"},
                              {2, 1, Selected, "True"},   {2, 2, Line1, " Bo"}, {2, 3, Selected, "true"},
                              {2, 4, Selected, "True"},   {2, 4, Line3, "   "}};
        SetCells(cells);
        LayoutData().setCell(2, 5, Line1, longLine);
        b.pickTab('C');
        QCOMPARE(b.items().mid(0, 6),
                 QStringList({"1. memo only", "2. Ann [x]", "3.  Bo", "4. ", "5. ", "6. " + longLine}));
        // Checks on records without text or other than "True" are dropped, which is not an edit.
        QVERIFY(RecordCell(2, 3, Selected).isEmpty() && RecordCell(2, 4, Selected).isEmpty() && !Run().dataChanged);

        // Typing into line 2 of an empty record renames its item as it is typed; line 3 does not.
        b.list()->setCurrentRow(6);
        QTest::keyClicks(b.box(2), QStringLiteral("Kim"));
        QCOMPARE(b.list()->item(6)->text(), QStringLiteral("7. Kim"));
        QTest::keyClicks(b.box(3), QStringLiteral("Elm"));
        QCOMPARE(b.list()->item(6)->text(), QStringLiteral("7. Kim"));
        QCOMPARE(RecordText(2, 6).mid(0, 3), QStringList({"", "Kim", "Elm"}));
        QVERIFY(Run().dataChanged);

        // Emptying a line 1 of blanks leaves the bare number until the list is rebuilt.
        b.list()->setCurrentRow(1);
        b.box(1)->selectAll();
        QTest::keyClick(b.box(1), Qt::Key_Backspace);
        QCOMPARE(b.list()->item(1)->text(), QStringLiteral("2. "));
        // Ticking an empty record highlights it and stores its check; Space takes Ann's check off.
        Run().dataChanged = false;
        b.list()->item(8)->setCheckState(Qt::Checked);
        QVERIFY(b.list()->currentRow() == 8 && RecordCell(2, 8, Selected) == QStringLiteral("True") &&
                Run().dataChanged);
        b.list()->setCurrentRow(1);
        QTest::keyClick(b.list(), Qt::Key_Space);
        QVERIFY(RecordCell(2, 1, Selected).isEmpty() && b.box(2)->text() == QStringLiteral("Ann"));
        // Another tab and back: the empty record's check is dropped, which is not an edit; record 1 shown.
        Run().dataChanged = false;
        b.pickTab('D');
        b.pickTab('C');
        QVERIFY(RecordCell(2, 8, Selected).isEmpty() && !b.list()->isChecked(8) && !Run().dataChanged);
        QVERIFY(b.list()->currentRow() == 0 && b.list()->item(1)->text() == QStringLiteral("2. Ann"));

        // A line longer than the box's limit is shown and kept whole; typing cannot lengthen it.
        b.list()->setCurrentRow(5);
        QCOMPARE(b.box(1)->text(), longLine);
        QTest::keyClick(b.box(1), Qt::Key_Home);
        QTest::keyClicks(b.box(1), QStringLiteral("x"));
        QTest::keyClick(b.box(1), Qt::Key_Delete);
        QCOMPARE(RecordCell(2, 5, Line1), longLine.left(69));
    }

    void recordCommandsAskByNameAndTheMemoryLasts()
    {
        const Cell cells[] = {{12, 1, Line1, "  "},      {12, 1, Line2, "Bo"}, {12, 1, Line6, "memo"},
                              {12, 1, Selected, "True"}, {12, 2, Line1, "Cy"}, {12, 2, Selected, "True"},
                              {12, 3, Line4, "Di"}};
        SetCells(cells);
        Run().addressBookTab = 12;
        Run().addressBookRecord = 7;
        {
            Book b;
            QVERIFY(!b.command("MEditPasteAB")->isEnabled());
            auto* clear = Control<QPushButton>(b.window, "DeleteButton");
            QVERIFY(asks(Answer::Yes, clear, Qt::Key_Space, "Clear record M-7?"));
            // A line of blanks names the record; No keeps it, Yes empties all seven cells.
            b.list()->setCurrentRow(1);
            QVERIFY(asks(Answer::No, clear, Qt::Key_Space, "Clear record \"  \"?"));
            QCOMPARE(RecordCell(12, 1, Line2), QStringLiteral("Bo"));
            QVERIFY(asks(Answer::Yes, clear, Qt::Key_Space, "Clear record \"  \"?"));
            QCOMPARE(RecordText(12, 1), QStringList(7, QString()));
            QVERIFY(b.box(2)->text().isEmpty() && b.box(6)->text().isEmpty() && Run().dataChanged);
            QCOMPARE(b.items().at(1), QStringLiteral("2. "));

            // A checked record cut and pasted elsewhere keeps its check; its old place is empty.
            b.list()->setCurrentRow(2);
            QVERIFY(asks(Answer::Yes, b.list(), Qt::Key_F5, "Cut \"Cy\" to memory?"));
            QVERIFY(b.command("MEditPasteAB")->isEnabled() && RecordText(12, 2) == QStringList(7, QString()));
            b.list()->setCurrentRow(8);
            QVERIFY(asks(Answer::Yes, b.box(1), Qt::Key_F7, "Paste \"Cy\" into list position M-9?"));
            QCOMPARE(b.items().mid(2, 7), QStringList({"3. ", "4. Di", "5. ", "6. ", "7. ", "8. ", "9. Cy [x]"}));
            QCOMPARE(b.box(1)->text(), QStringLiteral("Cy"));

            // An empty record cut is named by its number; pasting the empty memory empties the target.
            b.list()->setCurrentRow(6);
            QVERIFY(asks(Answer::Yes, b.list(), Qt::Key_F5, "Cut list item #7 to memory?"));
            b.list()->setCurrentRow(8);
            QVERIFY(asks(Answer::No, b.list(), Qt::Key_F7, "Paste the address in memory into list position M-9?"));
            QCOMPARE(RecordCell(12, 8, Line1), QStringLiteral("Cy"));
            QVERIFY(asks(Answer::Yes, b.list(), Qt::Key_F7, "Paste the address in memory into list position M-9?"));
            QCOMPARE(RecordText(12, 8), QStringList(7, QString()));

            // Copy is no edit, and the memory outlives the window and the data file.
            b.list()->setCurrentRow(3);
            Run().dataChanged = false;
            QVERIFY(asks(Answer::Yes, b.box(6), Qt::Key_F6, "Copy \"Di\" to memory?") && !Run().dataChanged);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Other.QX3"));
        WriteBytes(path, "Quillet Data File\r\n<filename>.QX3\r\n02011Zed\r\n");
        QCOMPARE(LoadDataFile(path, false), int(LoadResult::Loaded));
        Book b;
        b.pickTab('B');
        b.list()->setCurrentRow(1);
        QVERIFY(asks(Answer::Yes, b.list(), Qt::Key_F7, "Paste \"Di\" into list position B-2?"));
        QCOMPARE(b.items().mid(0, 2), QStringList({"1. Zed", "2. Di"}));
    }

    void wholeBookCommands()
    {
        const Cell cells[] = {{0, 0, Line1, "Ann"},      {0, 1, Line1, "   "},    {12, 4, Line1, "Mo"},
                              {12, 4, Selected, "True"}, {25, 29, Line6, "memo"}, {29, 0, 0, "layout"}};
        SetCells(cells);
        Book b;
        b.command("MSelectNone")->trigger();
        QVERIFY(RecordCell(12, 4, Selected).isEmpty() && Run().dataChanged);
        // Select All checks every record with a typed line; the shown tab drops the blank one's check.
        Run().dataChanged = false;
        b.command("MSelectAll")->trigger();
        QCOMPARE(b.items().mid(0, 3), QStringList({"1. Ann [x]", "2. ", "3. "}));
        QVERIFY(RecordCell(0, 1, Selected).isEmpty() && RecordCell(0, 2, Selected).isEmpty());
        QVERIFY(RecordIsSelected(12, 4) && RecordIsSelected(25, 29) && Run().dataChanged);

        Run().dataChanged = false;
        b.pickTab('M');
        b.list()->setCurrentRow(4);
        ui.answer(Answer::No);
        b.command("MEditClearAll")->trigger();
        QVERIFY(IsMessage(ui.last(), QStringLiteral("Clear **ALL** Address Book entries?"), QStringLiteral("Caution"),
                          Buttons::YesNo, Icon::Warning, Answer::No));
        QVERIFY(!Run().dataChanged && RecordCell(12, 4, Line1) == QStringLiteral("Mo") && b.tab() == 12);
        ui.answer(Answer::Yes);
        b.command("MEditClearAll")->trigger();
        QVERIFY(RecordText(12, 4) == QStringList(7, QString()) && RecordCell(25, 29, Line6).isEmpty());
        QVERIFY(b.tab() == 0 && b.list()->currentRow() == 0 && Run().dataChanged);
        QCOMPARE(LayoutData().cell(29, 0, 0), QStringLiteral("layout"));
    }

    void printsTheSelectedEntriesAndReopensWhereItClosed()
    {
        PdfLabels pdf;
        LoadedWindow w;
        const auto open = [&] { Click(w.window, "AddressBookButton"); };
        WithModal(open, [&](QWidget& book) {
            QCOMPARE(book.windowTitle(), QStringLiteral("Address Book"));
            auto* list = Control<RecordList>(book, "RecordList");
            const auto type = [&](char tab, int row, const char* name) {
                Click(book, QStringLiteral("Tab") + QChar(tab));
                list->setCurrentRow(row);
                QTest::keyClicks(Control<QLineEdit>(book, "TB1"), QString::fromLatin1(name));
            };
            type('M', 0, "Mona");
            list->item(0)->setCheckState(Qt::Checked);
            type('B', 4, "Bert");
            QTest::keyClick(list, Qt::Key_Space);
            type('B', 1, "Bea");
            Click(book, "CloseButton");
        });
        auto* selected = Control<QRadioButton>(w.window, "PrintWhatOB3");
        QCOMPARE(selected->text(), QStringLiteral("Print all entries selected in address book (2)"));
        selected->click();
        QCOMPARE(Texts(pdf.print(w.window)), QStringList({"Bert", "Mona"}));

        // Reopened on B-2, whose three lines replace all five of the label; the memo stays out.
        const Cell lines[] = {{1, 1, Line2, "1 Elm St"}, {1, 1, Line3, "Springfield"}, {1, 1, Line6, "met in May"}};
        SetCells(lines);
        SetLines(w.window, QStringList(5, QStringLiteral("x")));
        WithModal(open, [&](QWidget& book) {
            QVERIFY(Control<QToolButton>(book, "TabB")->isChecked());
            QCOMPARE(Control<QLineEdit>(book, "TB6")->text(), QStringLiteral("met in May"));
            Click(book, "EnterAddressButton");
            QCOMPARE(Lines(w.window), QStringList({"Bea", "1 Elm St", "Springfield", "", ""}));
            QVERIFY(book.isVisible());
        });
    }

    void findMatchesInOrderAndSetsTheAddressBook()
    {
        const Cell cells[] = {{0, 2, Line3, "Norrköping"}, {0, 19, Line1, "Per"},    {0, 19, Line6, "met at NORRLAND"},
                              {24, 29, Line1, "Yves"},     {25, 0, Line2, "yvonne"}, {25, 29, Line5, "Sylvia Yves"},
                              {12, 11, Line1, "Mona"}};
        SetCells(cells);
        Book b;
        const auto open = [&b] { QTest::keyClick(b.list(), Qt::Key_F, Qt::ControlModifier); };
        WithModal(open, [&](QWidget& find) {
            Finder f{ui, find};
            ui.onMessage = [](const MessageRequest&) { return Answer::Ok; }; // its messages are plain OK boxes
            QCOMPARE(find.windowTitle(), QStringLiteral("Find Address Book Record"));
            QVERIFY(!f.frameShown());
            QTest::keyClicks(f.text(), QStringLiteral("norr"));
            QCOMPARE(QStringList({f.search(), f.search(), f.search()}),
                     QStringList({"A-3 Norrköping", "A-20 Per", "No more matches found"}));
            QVERIFY(f.frameShown() && f.label("NumberLabel") == QStringLiteral("20"));
            // The next search starts over; Enter searches once: from A-3 it finds A-20.
            QCOMPARE(QStringList({f.search(), f.search(true)}), QStringList({"A-3 Norrköping", "A-20 Per"}));
            QCOMPARE(QApplication::focusWidget(), f.button());

            // Editing the text starts over; a search that finds nothing leaves the frame empty.
            QTest::keyClicks(f.text(), QStringLiteral("x"));
            QVERIFY(!f.frameShown() && f.label("TitleLabel").isEmpty() && f.label("LetterLabel").isEmpty());
            QCOMPARE(f.button()->text(), QStringLiteral("Search"));
            QCOMPARE(f.search(), QStringLiteral("No matches found"));
            QVERIFY(!f.frameShown());
            // An empty text matches the first record examined, empty or not.
            f.text()->clear();
            QCOMPARE(f.search(), QStringLiteral("A-1 "));

            // Y-30 goes on at Z-1; after Z-30 the search ends and starts again.
            f.text()->setText(QStringLiteral("YV"));
            QCOMPARE(QStringList({f.search(), f.search(), f.search(), f.search(), f.search()}),
                     QStringList({"Y-30 Yves", "Z-1 yvonne", "Z-30 Sylvia Yves", "End of Search", "Y-30 Yves"}));

            // Set Address Book moves the address book to the match while Find stays open.
            f.text()->setText(QStringLiteral("mon"));
            QCOMPARE(f.search(), QStringLiteral("M-12 Mona"));
            Click(find, "SetABButton");
            QVERIFY(find.isVisible() && b.tab() == 12 && b.list()->currentRow() == 11);
            QCOMPARE(b.box(1)->text(), QStringLiteral("Mona"));
        });
        QVERIFY(Run().addressBookTab == 12 && Run().addressBookRecord == 12);
        // The user's next tab, here by the arrow key on the current one, shows its record 1 as usual.
        auto* current = Control<QToolButton>(b.window, "TabM");
        current->setFocus();
        QTest::keyClick(current, Qt::Key_Right);
        QVERIFY(b.tab() == 13 && b.list()->currentRow() == 0);
    }

private:
    // Presses the key on the target and gives the answer; true when the command's question had
    // this text, with No as the default.
    bool asks(Answer answer, QWidget* target, Qt::Key key, const char* text)
    {
        ui.answer(answer);
        QTest::keyClick(target, key);
        const char* title = key == Qt::Key_F5   ? "Cut Warning"
                            : key == Qt::Key_F6 ? "Copy Warning"
                            : key == Qt::Key_F7 ? "Paste Warning"
                                                : "Clear Record Caution";
        return IsMessage(ui.last(), QString::fromUtf8(text), QString::fromLatin1(title), Buttons::YesNo, Icon::Question,
                         Answer::No);
    }

    ScriptedDialogs ui;
};

QUILLET_TEST_MAIN(TestAddressBook)
#include "tst_address_book.moc"
