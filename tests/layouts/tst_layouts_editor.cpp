#include "common/font_color_dialog.h"
#include "layouts/layouts_editor.h"
#include "mainwindow/main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "printing/selected_printer.h"
#include "support/pdf_text.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace quillet;
using namespace quillet::test;

namespace {

// Data rows of text columns.
void TextColumns(std::initializer_list<const char*> names)
{
    for (const char* name : names) QTest::addColumn<QString>(name);
}
template <class... Texts> void Row(const char* name, Texts... texts)
{
    (QTest::newRow(name) << ... << QString::fromUtf8(texts));
}
QString Data(const char* column)
{
    return *static_cast<QString*>(QTest::qData(column, QMetaType::QString));
}

QString At(int layout, int field, int subEntry = PropertiesSubEntry)
{
    return LayoutData().cell(LayoutSlot(layout), field, subEntry);
}

QString FontRecord(int layout, int line)
{
    QStringList cells;
    for (int i = 0; i < 6; ++i) cells << At(layout, FontField(line, FontItem(i)), FontsSubEntry);
    return cells.join(u'|');
}

// "layout/field=text;..." into the layouts' properties.
void SetLayoutCells(const QString& cells)
{
    for (const QString& cell : cells.split(u';', Qt::SkipEmptyParts)) {
        const QStringList at = cell.section(u'=', 0, 0).split(u'/');
        SetLayoutCell(at[0].toInt(), LayoutField(at[1].toInt()), cell.section(u'=', 1));
    }
}

// The editor shown and active, so that leaving a box moves the focus as it does for a user.
struct Editor {
    LayoutsEditor window;
    explicit Editor(const QString& mainTitle = QString()) : window(mainTitle)
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    template <class T = QLineEdit> T* at(const QString& name) { return Control<T>(window, qPrintable(name)); }
    QListWidget* list() { return at<QListWidget>("LayoutList"); }
    QAction* action(const QString& name) { return window.findChild<QAction*>(name); }
    void select(int layout) { list()->setCurrentRow(layout - 1); }
    bool checked(int layout) { return list()->item(layout - 1)->checkState() == Qt::Checked; }
    // Replaces the box's text as the user types it and presses Tab.
    void type(const QString& box, const QString& text)
    {
        QLineEdit* edit = at(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
};

// Acts on the next modal window as soon as it shows.
void WhenModal(const std::function<void(QWidget*)>& act)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            act(modal);
        }
    });
    poll->start(5);
}

} // namespace

class TestLayoutsEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Run().reset();
        SetFactoryLayouts();
        Run().dataChanged = false;
        ui.clear();
    }
    void cleanup() { ui.checkAllUsed(); }

    void leavingANumberBox_data()
    {
        TextColumns({"box", "typed", "field", "message", "shown", "stored"});
        Row("columns 12", "ColumnsBox", "12", "2", "Maximum number of label columns is 9", "9", " 9");
        Row("columns 0", "ColumnsBox", "0", "2", "Minimum number of label columns is 1", "1", " 1");
        Row("rows 3.7", "RowsBox", "3.7", "3", "", "3", " 3");
        Row("rows 31", "RowsBox", "31", "3", "Maximum number of rows is 30", "30", " 30");
        Row("side .5", "WidthBox", ".5", "4", "", "0.5", " .5");
        Row("side empty", "WidthBox", "", "4", "Minimum label side to label side distance is .25 inch", "0.25", " .25");
        Row("side 21", "WidthBox", "21", "4", "Maximum label side to label side distance is 20 inches", "20.0", " 20");
        Row("top empty", "HeightBox", "", "5", "Minimum 'label top' to 'label top' distance is 1/4 inch (.25)", ".25",
            " .25");
        Row("top 21", "HeightBox", "21", "5", "Maximum 'label top' to 'label top' distance is 20 inches", "20", " 20");
        Row("width empty", "LabelWidthBox", "", "6", "Minimum label width is 1 inch", "1.0", " 1");
        Row("width 21", "LabelWidthBox", "21", "6", "Maximum label width is 20 inches", "20", " 20");
        Row("left -0.5", "PositioningBox0", "-0.5", "21", "", "-0.5", "-0.5");
        Row("left -2", "PositioningBox0", "-2", "21", "Minimum left offset is negative 1 inch", "0", "0");
        Row("left .1875", "PositioningBox0", ".1875", "21", "", "0.1875", "0.1875");
        Row("top offset 12.5", "PositioningBox1", "12.5", "22", "", "12.5", "12.5");
        Row("top offset -0.1", "PositioningBox1", "-0.1", "22", "Minimum top offset is zero inches", "0", "0");
        Row("top offset 99", "PositioningBox1", "99", "22", "Maximum offset is 20 inches (which is very large).", "20",
            "20");
    }
    void leavingANumberBox()
    {
        const QString box = Data("box");
        const QString message = Data("message");
        const QString shown = Data("shown");
        Editor e;
        e.at<QTabWidget>("LETabs")->setCurrentIndex(box.startsWith(QStringLiteral("Pos")) ? PositioningPage
                                                                                          : SheetPage);
        if (!message.isEmpty()) ui.answer(Answer::Ok);
        e.type(box, Data("typed"));
        QCOMPARE(e.at(box)->text() + u'|' + At(1, Data("field").toInt()), shown + u'|' + Data("stored"));
        QVERIFY(Run().dataChanged);
        QVERIFY(message.isEmpty() ? ui.messages.empty() : IsOnlyMessage(ui, message) && e.at(box)->hasFocus());
        e.select(2);
        e.select(1);
        if (message.isEmpty()) QCOMPARE(e.at(box)->text(), shown); // shown again as it was left
    }

    void typingWritesEveryKeystrokeAndABadBoxCallsItsPageBack()
    {
        Editor e;
        QLineEdit* columns = e.at("ColumnsBox");
        columns->setFocus();
        columns->selectAll();
        QTest::keyClicks(columns, QStringLiteral("1"));
        QCOMPARE(At(1, Columns), QStringLiteral(" 1"));
        QTest::keyClicks(columns, QStringLiteral("2"));
        QCOMPARE(At(1, Columns), QStringLiteral(" 12"));
        // Another page chosen: the maximum message once (it starts no second check), then Sheet again.
        ui.answer(Answer::Ok);
        e.at<QTabWidget>("LETabs")->setCurrentIndex(PositioningPage);
        QCoreApplication::processEvents();
        QVERIFY(columns->isVisible() && columns->hasFocus() && columns->text() == QStringLiteral("9"));
        QCOMPARE(Run().layoutsEditorTab, int(SheetPage));
        // Typing stops at the box's limit; Enter presses no button.
        QTest::keyClicks(columns, QStringLiteral("12345678901"));
        QCOMPARE(columns->text(), QStringLiteral("9123456789"));
        QTest::keyClick(columns, Qt::Key_Return);
        QVERIFY(e.window.isVisible());
        columns->setText(QStringLiteral("2"));
        for (const char* name : {"FontButton2", "PositioningBox1", "LTB4", "LayoutList"})
            QVERIFY(!e.at<QWidget>(name)->accessibleName().isEmpty());
    }

    void showingALayout_data()
    {
        TextColumns({"cells", "layout", "box", "field", "shown", "stored"});
        Row("abc shown first", "1/2=abc", "1", "ColumnsBox", "2", "1", "abc");
        Row("abc after 3", "2/2=abc", "2", "ColumnsBox", "2", "1", " 1");
        Row("two thirds", "1/5=0.6666667", "1", "HeightBox", "5", "0.6667", " .6667");
        Row("ties away from zero", "", "7", "WidthBox", "4", "4.0313", " 4.0313");
        Row("offset out of range", "2/21=25", "2", "PositioningBox0", "21", "0", "0");
        const QByteArray sixty = "2/9=" + QByteArray(60, 'x'), fifty(50, 'x');
        Row("default text cut to 50", sixty.data(), "2", "LTB0", "9", fifty.data(), fifty.data());
    }
    void showingALayout()
    {
        const QString layout = Data("layout");
        SetLayoutCells(Data("cells"));
        Editor e;
        const int n = layout.toInt();
        e.select(n);
        QCOMPARE(e.at(Data("box"))->text() + u'|' + At(n, Data("field").toInt()),
                 Data("shown") + u'|' + Data("stored"));
        QCOMPARE(e.list()->currentItem()->text(), layout + QStringLiteral(". ") + At(n, Title));
    }

    void defaultTextAlignmentAndPages()
    {
        SetLayoutCells(QStringLiteral("1/9=Kept"));
        Run().layoutsEditorTab = 7;
        Editor e(QStringLiteral("Avery 5160/8160 (Tolvan Software)"));
        QVERIFY(e.list()->currentRow() == 8 && e.at<QTabWidget>("LETabs")->currentIndex() == SheetPage);
        QVERIFY(e.at<QCheckBox>("DefaultTextCB")->isChecked() && e.at("LTB3")->isEnabled());
        QCOMPARE(e.at("LTB0")->palette().color(QPalette::Base), QColor(Qt::white));
        e.select(1);
        QVERIFY(!e.at("LTB0")->isEnabled() && e.at("LTB0")->text() == QStringLiteral("Kept"));
        QCOMPARE(e.at("LTB0")->palette().color(QPalette::Base), QColor(192, 192, 192));
        e.at<QCheckBox>("DefaultTextCB")->click();
        QVERIFY(At(1, UseDefaultText) == QStringLiteral("1") && e.at("LTB4")->isEnabled());
        e.select(6);
        QVERIFY(e.at<QRadioButton>("AlignmentOB1")->isChecked() && At(6, Alignment) == QStringLiteral(" 1"));
        e.select(7);
        QCOMPARE(At(7, Alignment), QStringLiteral(" 0"));
        e.at<QTabWidget>("LETabs")->setCurrentIndex(TextAndFontsPage);
        QCOMPARE(Run().layoutsEditorTab, int(TextAndFontsPage));
        ui.answer(Answer::Ok);
        e.at<QPushButton>("SL2")->click();
        QVERIFY(ui.last().text.startsWith(QStringLiteral("\"Rows of Labels\" means")));
    }

    void openingSelection_data()
    {
        TextColumns({"cells", "mainTitle", "row"});
        Row("later of two", "2/0=Same;4/0=Same", "Same", "3");
        Row("unchecked only", "2/0=Same;2/29=;4/29=true;4/0=Same", "Same", "0");
        Row("no title", "10/0=;10/29=True", "", "0");
    }
    void openingSelection()
    {
        SetLayoutCells(Data("cells"));
        Editor e(Data("mainTitle"));
        QCOMPARE(e.list()->currentRow(), Data("row").toInt());
        QVERIFY(e.checked(1) && !e.checked(12) && Run().layoutsListChanged && Run().dataChanged);
        QVERIFY(!e.action("MEditPasteLayout")->isEnabled());
    }

    void listQuestions_data()
    {
        TextColumns({"command", "cells", "layout", "question"});
        Row("clear blank", "ClearButton", "4/0= ", "4", "Clear layout #4?");
        Row("clear titled", "ClearButton", "4/0=Labels", "4", "Clear layout \"Labels\"?");
        Row("cut untitled", "MEditCutLayout", "5/0=", "5", "\"Cut\" layout number 5 to memory?");
        Row("cut titled", "MEditCutLayout", "", "4", "\"Cut\" layout number 4 (\"Avery 5163/8163\") to memory?");
        Row("paste untitled", "MEditPasteLayout", "", "1",
            "\"Paste\" the layout in memory into layout position number 1 (therefore overwriting what is there now)?");
    }
    void listQuestions()
    {
        const QString command = Data("command");
        const QString layout = Data("layout");
        SetLayoutCells(Data("cells"));
        Run().layoutClipboardFull = true; // an empty memory
        Editor e;
        e.select(layout.toInt());
        const LayoutRecord before = ReadLayoutRecord(layout.toInt());
        ui.answer(Answer::No);
        const bool clear = command == QStringLiteral("ClearButton");
        if (clear)
            e.at<QPushButton>(command)->click();
        else
            e.action(command)->trigger();
        QVERIFY(IsOnlyMessage(ui, Data("question"), clear ? QStringLiteral("Clear Caution") : QStringLiteral("Warning"),
                              Buttons::YesNo, command.contains(QStringLiteral("Cut")) ? Icon::Warning : Icon::Question,
                              Answer::No));
        QVERIFY(ReadLayoutRecord(layout.toInt()) == before && Run().layoutClipboard == LayoutRecord());
    }

    void clearCutCopyAndPaste()
    {
        LayoutData().setCell(LayoutSlot(1), 0, 2, QStringLiteral("kept"));
        Editor e;
        ui.answer(Answer::Yes);
        e.at<QPushButton>("ClearButton")->click();
        QVERIFY(!e.checked(1) && e.list()->item(0)->text() == QStringLiteral("1. "));
        // What the controls showed before is written back as their default; the rest stays empty.
        const LayoutRecord cleared = ReadLayoutRecord(1);
        QStringList written;
        for (int i = 0; i < 2 * FieldCount; ++i)
            if (!cleared[std::size_t(i)].isEmpty()) written << QString::number(i) + u'=' + cleared[std::size_t(i)];
        QCOMPARE(written, QStringList({"2= 1", "3= 1", "4= 1", "6= 1", "21=0", "22=0"}));
        QCOMPARE(LayoutData().cell(LayoutSlot(1), 0, 2), QStringLiteral("kept"));

        // Cut layout 3 and paste it into 10: unchecked there. Copy 2 into 11 and 12: checked.
        e.select(3);
        const QString three = At(3, Title);
        ui.answer(Answer::Yes);
        e.action("MEditCutLayout")->trigger();
        QVERIFY(At(3, Title).isEmpty() && e.action("MEditPasteLayout")->isEnabled());
        e.select(10);
        ui.answer(Answer::Yes);
        e.action("MEditPasteLayout")->trigger();
        QVERIFY(!e.checked(10) && e.list()->item(9)->text() == QStringLiteral("10. ") + three);
        QCOMPARE(FontRecord(10, 1), QStringLiteral("Arial|10||||"));
        e.select(2);
        e.action("MEditCopyLayout")->trigger();
        for (int n : {11, 12}) {
            e.select(n);
            ui.clear();
            ui.answer(Answer::Yes);
            e.action("MEditPasteLayout")->trigger();
            QVERIFY(IsOnlyMessage(ui,
                                  QStringLiteral("\"Paste\" the layout in memory  (\"Avery 5161/8161\") into layout "
                                                 "position number %1 (therefore overwriting what is there now)?")
                                      .arg(n),
                                  QStringLiteral("Warning"), Buttons::YesNo, Icon::Question, Answer::No));
            // Pasted, then shown: what the controls changed is written back in their forms.
            QVERIFY(e.checked(n) && Run().layoutClipboard == ReadLayoutRecord(2) && At(n, Columns) == " 2");
        }
    }

    void closingKeepsOneLayoutUsable_data()
    {
        TextColumns({"title", "answer", "titleAfter"});
        Row("No", "Avery 5160/8160", "No", "");
        Row("Yes", "Avery 5160/8160", "Yes", "Avery 5160/8160");
        Row("Yes, no title", "", "Yes", "<List Item #1>");
        Row("Yes, blank title", "   ", "Yes", "<List Item #1>");
    }
    void closingKeepsOneLayoutUsable()
    {
        const QString title = Data("title");
        const QString answer = Data("answer");
        const QString titleAfter = Data("titleAfter");
        SetLayoutCell(1, Title, title);
        for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
        Editor e;
        ui.answer(answer == QStringLiteral("Yes") ? Answer::Yes : Answer::No);
        e.at<QPushButton>("CloseButton")->click();
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("At least one layout must be 'checked', and have a title.\r\rSet position "
                                             "#1 with default information?"),
                              QStringLiteral("One layout required"), Buttons::YesNo, Icon::Question, Answer::No));
        QCOMPARE(e.window.isVisible(), titleAfter.isEmpty());
        if (!titleAfter.isEmpty())
            QVERIFY(LayoutIsUsable(1) && At(1, Title) == titleAfter);
        else
            QVERIFY(!AnyLayoutUsable() && At(1, Title) == title);
    }

    void fontDialog_data()
    {
        // Line 2's name, size, bold, italic, underline and colour, and what confirming the dialog
        // unchanged writes: the dialog got what it gives back.
        TextColumns({"stored", "written"});
        Row("no size", " Arial ||1|||255", "Arial| 10|1||| 255");
        Row("72 points", "Arial|72||1||", "Arial| 10||1|| 0");
        Row("negative colour", "Times|12|||1|-5", "Times| 12|||1| 0");
        Row("half points", "Arial|10.5|0|||", "Arial| 10.5|||| 0");
    }
    void fontDialog()
    {
        const QString stored = Data("stored");
        for (int i = 0; i < 6; ++i) SetFontCell(1, 2, FontItem(i), stored.section(u'|', i, i));
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        Editor e;
        Run().dataChanged = false;
        ui.answerFont(std::nullopt);
        e.at<QPushButton>("FontButton1")->click();
        QVERIFY(!Run().dataChanged && FontRecord(1, 2) == stored);
        ui.answerFont(ui.fontRequests.back());
        e.at<QPushButton>("FontButton1")->click();
        QVERIFY(Run().dataChanged && FontRecord(1, 2) == Data("written"));
    }

    void firstLineFontAndFactoryFonts()
    {
        for (int i = 0; i < 6; ++i)
            SetFontCell(1, 3, FontItem(i), QStringLiteral("Courier|14|1|||255").section(u'|', i, i));
        const LayoutRecord before = ReadLayoutRecord(1);
        Editor e;
        QVERIFY(e.at<QCheckBox>("UseL1FontCB")->isChecked() && e.at<QPushButton>("FontButton4")->isHidden());
        e.at<QCheckBox>("UseL1FontCB")->click();
        QVERIFY(!e.at<QPushButton>("FontButton4")->isHidden() && At(1, SeparateFonts) == QStringLiteral("1"));
        e.at<QCheckBox>("UseL1FontCB")->click();
        QVERIFY(e.at<QPushButton>("FontButton1")->isHidden() && At(1, SeparateFonts).isEmpty());
        QVERIFY(std::equal(before.begin() + FieldCount, before.end(), ReadLayoutRecord(1).begin() + FieldCount));

        ui.answer(Answer::Yes);
        e.at<QPushButton>("FactoryFontsButton")->click();
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("Erase all font settings for this layout, and replace them with the "
                                             "\"Factory\" default settings (Arial, 10Pt.,non-bold/italic/underlined, "
                                             "black)?"),
                              QStringLiteral("Factory Fonts"), Buttons::YesNo, Icon::Question, Answer::No));
        QCOMPARE(FontRecord(1, 3), QStringLiteral("Arial|10||||"));

        // The real dialog: the colour and a face's style go through, a size outside 3-50 points keeps it open.
        FontColorDialog dialog({QStringLiteral("Arial"), 72, true, false, false, 0x800000});
        dialog.accept();
        QVERIFY(dialog.result() != QDialog::Accepted && dialog.findChild<QLabel*>("SizeNote")->isVisibleTo(&dialog));
        QVERIFY(dialog.choice().color == 0x800000 && dialog.choice().bold);
    }

    void anEditedLayoutPrintsWhereItSays()
    {
        QTemporaryDir dir;
        UsePdfOutput(SelectedPrinter(), dir.filePath(QStringLiteral("Labels.pdf")));
        MainWindow window;
        QVERIFY(window.load());
        window.layoutsList()->setCurrentIndex(1);
        // Opening and closing with no edit: checking the list marks the data changed and rebuilds.
        SetLayoutCell(3, Title, QStringLiteral("Renamed"));
        Run().dataChanged = false;
        WhenModal([](QWidget* editor) { editor->findChild<QPushButton*>(QStringLiteral("CloseButton"))->click(); });
        window.layoutsEditorAction()->trigger();
        QVERIFY(Run().dataChanged && window.layoutsList()->itemText(2) == QStringLiteral("Renamed"));

        // The user makes layout 2 one column of 20-point labels 1.25" in and 1.5" down.
        ui.answerFont(FontChoice{QStringLiteral("Arial"), 20});
        WhenModal([](QWidget* editor) {
            QCOMPARE(editor->findChild<QListWidget*>()->currentRow(), 1);
            for (auto [box, text] :
                 {std::pair{"ColumnsBox", "1"}, {"PositioningBox0", "1.25"}, {"PositioningBox1", "1.5"}})
                editor->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QString::fromLatin1(text));
            editor->findChild<QPushButton*>(QStringLiteral("FontButton0"))->click();
            editor->findChild<QPushButton*>(QStringLiteral("CloseButton"))->click();
        });
        window.layoutsEditorAction()->trigger();
        QVERIFY(window.currentLayoutNumber() == 2 && window.startColBox()->text() == QStringLiteral("1"));

        window.setLabelLine(1, QStringLiteral("Zoe"));
        window.setLabelLine(2, QStringLiteral("Harbour"));
        window.copiesBox()->setText(QStringLiteral("2"));
        WhenModal([](QWidget* form) { form->findChild<QPushButton*>(QStringLiteral("StartButton"))->click(); });
        window.printButton()->click();
        const auto words = ReadPdfWords(dir.filePath(QStringLiteral("Labels.pdf")));
        QCOMPARE(words.size(), 4);
        // Both labels in the one column, the second a label height (1") below; lines 20 points apart.
        QVERIFY(qAbs(words[0].left - 1.25) < 0.01 && qAbs(words[2].left - 1.25) < 0.01);
        QVERIFY(qAbs(words[0].top - 1.5) < 0.05 && qAbs(words[2].top - 2.5) < 0.05);
        QVERIFY(qAbs(words[1].top - words[0].top - 1.15 * 20 / 72) < 0.03);
    }

private:
    ScriptedDialogs ui;
};

QUILLET_TEST_MAIN(TestLayoutsEditor)
#include "tst_layouts_editor.moc"
