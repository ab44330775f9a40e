#include "address_book_test_support.h"
#include "addressbook/find_window.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace quillet;
using namespace quillet::test;

namespace {
struct Finder {
    ScriptedDialogs& ui;
    FindWindow window;
    explicit Finder(ScriptedDialogs& dialogs) : ui(dialogs)
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QLineEdit* text() { return Find<QLineEdit>(window, QStringLiteral("SearchText")); }
    QPushButton* button() { return Find<QPushButton>(window, QStringLiteral("SearchButton")); }
    QString label(const char* name) { return Find<QLabel>(window, QString::fromLatin1(name))->text(); }
    bool frameShown() { return Find<QGroupBox>(window, QStringLiteral("MatchFrame"))->isEnabled(); }
    // The match the frame shows, as "A-3 Title"; or the message the search ended with.
    QString search(bool byEnter = false)
    {
        const std::size_t before = ui.messages.size();
        if (byEnter)
            QTest::keyClick(text(), Qt::Key_Return);
        else
            button()->click();
        if (ui.messages.size() > before) {
            const bool plain = IsMessage(ui.last(), ui.last().text);
            const bool reset = label("CLet").isEmpty() && label("CNum").isEmpty() && button()->text() == "Search";
            return plain && reset ? ui.last().text : QStringLiteral("<not reset>");
        }
        const bool next = button()->text() == QStringLiteral("Search For Next One") && frameShown();
        return next ? label("LetterLabel") + u'-' + label("NumberLabel") + u' ' + label("TitleLabel")
                    : QStringLiteral("<not shown>");
    }
};
} // namespace

class TestFindWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        ui.clear();
    }
    void cleanup() { ui.checkAllUsed(); }

    void matchesOneAtATimeInOrder()
    {
        const Cell cells[] = {{0, 2, Line3, "Norrköping"}, {0, 19, Line1, "Per"}, {0, 19, Line6, "met at NORRLAND"}};
        SetCells(cells);
        Finder f(ui);
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Find Address Book Record"));
        QVERIFY(!f.frameShown());
        QTest::keyClicks(f.text(), QStringLiteral("norr"));
        QCOMPARE(f.search(), QStringLiteral("A-3 Norrköping"));
        QCOMPARE(f.search(), QStringLiteral("A-20 Per"));
        ui.answer(Answer::Ok);
        QCOMPARE(f.search(), QStringLiteral("No more matches found"));
        QVERIFY(f.frameShown() && f.label("NumberLabel") == QStringLiteral("20"));
        QCOMPARE(f.search(), QStringLiteral("A-3 Norrköping"));
        // Enter searches once: from A-3 it finds A-20.
        QCOMPARE(f.search(true), QStringLiteral("A-20 Per"));
        QCOMPARE(QApplication::focusWidget(), f.button());

        // Editing the text starts over; a search that finds nothing leaves the frame empty.
        QTest::keyClicks(f.text(), QStringLiteral("x"));
        QVERIFY(!f.frameShown() && f.label("TitleLabel").isEmpty() && f.label("LetterLabel").isEmpty());
        QCOMPARE(f.button()->text(), QStringLiteral("Search"));
        ui.answer(Answer::Ok);
        QCOMPARE(f.search(), QStringLiteral("No matches found"));
        QVERIFY(!f.frameShown());
        // An empty text matches the first record examined, empty or not.
        f.text()->clear();
        QCOMPARE(f.search(), QStringLiteral("A-1 "));
    }

    void continuesAcrossTabsToTheEnd()
    {
        const Cell cells[] = {{24, 29, Line1, "Yves"}, {25, 0, Line2, "yvonne"}, {25, 29, Line5, "Sylvia Yves"}};
        SetCells(cells);
        Finder f(ui);
        QTest::keyClicks(f.text(), QStringLiteral("YV"));
        QCOMPARE(f.search(), QStringLiteral("Y-30 Yves"));
        QCOMPARE(f.search(), QStringLiteral("Z-1 yvonne"));
        QCOMPARE(f.search(), QStringLiteral("Z-30 Sylvia Yves"));
        ui.answer(Answer::Ok);
        QCOMPARE(f.search(), QStringLiteral("End of Search"));
        QCOMPARE(f.search(), QStringLiteral("Y-30 Yves"));
    }

    void setsTheAddressBookWhileFindStaysOpen()
    {
        LayoutData().setCell(12, 11, Line1, QStringLiteral("Mona"));
        Book b;
        WithModal([&] { QTest::keyClick(b.list(), Qt::Key_F, Qt::ControlModifier); },
                  [&](QWidget& find) {
                      QTest::keyClicks(Find<QLineEdit>(find, QStringLiteral("SearchText")), QStringLiteral("mon"));
                      Find<QPushButton>(find, QStringLiteral("SearchButton"))->click();
                      Find<QPushButton>(find, QStringLiteral("SetABButton"))->click();
                      QVERIFY(find.isVisible());
                      QVERIFY(b.tab() == 12 && b.list()->currentRow() == 11);
                      QCOMPARE(b.box(1)->text(), QStringLiteral("Mona"));
                  });
        QVERIFY(Run().addressBookTab == 12 && Run().addressBookRecord == 12);
        // The user's next tab, here by the arrow key on the current one, shows its record 1 as usual.
        auto* current = Find<QToolButton>(b.window, QStringLiteral("TabM"));
        current->setFocus();
        QTest::keyClick(current, Qt::Key_Right);
        QVERIFY(b.tab() == 13 && b.list()->currentRow() == 0);
    }

private:
    ScriptedDialogs ui;
};

QUILLET_TEST_MAIN(TestFindWindow)
#include "tst_find_window.moc"
