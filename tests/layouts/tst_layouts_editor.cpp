#include "common/font_color_dialog.h"
#include "layouts/font_sample.h"
#include "layouts/font_sample_drawing.h"
#include "layouts/layout_presets.h"
#include "layouts/layouts_editor.h"
#include "layouts/preset_catalogue.h"
#include "mainwindow/main_window_test_support.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "printing/painter_surface.h"
#include "support/recording_surface.h"
#include "support/test_environment.h"
#include "support/test_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

using namespace quillet;
using namespace quillet::test;

namespace {

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
    template <class T = QLineEdit> T* at(const QString& name) { return Control<T>(window, name); }
    QListWidget* list() { return at<QListWidget>("LayoutList"); }
    QAction* action(const QString& name) { return window.findChild<QAction*>(name); }
    void select(int layout) { list()->setCurrentRow(layout - 1); }
    bool checked(int layout) { return list()->item(layout - 1)->checkState() == Qt::Checked; }
};

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
        const QString message = Data("message");
        const QString shown = Data("shown");
        Editor e;
        QLineEdit* box = e.at(Data("box"));
        e.at<QTabWidget>("LETabs")->setCurrentIndex(
            box->objectName().startsWith(QStringLiteral("Pos")) ? PositioningPage : SheetPage);
        if (!message.isEmpty()) ui.answer(Answer::Ok);
        // Typed over the box's text, then Tab.
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, Data("typed"));
        QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(box->text() + u'|' + At(1, Data("field").toInt()), shown + u'|' + Data("stored"));
        QVERIFY(Run().dataChanged && (message.isEmpty() || (IsOnlyMessage(ui, message) && box->hasFocus())));
        e.select(2);
        e.select(1);
        if (message.isEmpty()) QCOMPARE(box->text(), shown); // shown again as it was left
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
        const int n = Data("layout").toInt();
        SetLayoutCells(Data("cells"));
        Editor e;
        e.select(n);
        QCOMPARE(e.at(Data("box"))->text() + u'|' + At(n, Data("field").toInt()),
                 Data("shown") + u'|' + Data("stored"));
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
    }

    void clearCutCopyAndPaste()
    {
        LayoutData().setCell(LayoutSlot(1), 0, 2, QStringLiteral("kept"));
        Editor e;
        QVERIFY(asks(e, "ClearButton", Answer::Yes, "Clear layout \"Avery 5160/8160\"?"));
        QVERIFY(!e.checked(1) && e.list()->item(0)->text() == QStringLiteral("1. "));
        // What the controls showed before is written back as their default; the rest stays empty.
        const LayoutRecord cleared = ReadLayoutRecord(1);
        QStringList written;
        for (int i = 0; i < 2 * FieldCount; ++i)
            if (!cleared[std::size_t(i)].isEmpty()) written << QString::number(i) + u'=' + cleared[std::size_t(i)];
        QCOMPARE(written, QStringList({"2= 1", "3= 1", "4= 1", "6= 1", "21=0", "22=0"}));
        QCOMPARE(LayoutData().cell(LayoutSlot(1), 0, 2), QStringLiteral("kept"));
        // Answered No, a question changes nothing.
        QVERIFY(asks(e, "MEditCutLayout", Answer::No, "\"Cut\" layout number 1 to memory?"));
        QVERIFY(ReadLayoutRecord(1) == cleared && !Run().layoutClipboardFull);

        // Cut layout 3 and paste it into 10: unchecked there. Copy 2 into 11 and 12: checked.
        e.select(3);
        QVERIFY(asks(e, "MEditCutLayout", Answer::Yes, "\"Cut\" layout number 3 (\"Avery 5162/8162\") to memory?"));
        QVERIFY(At(3, Title).isEmpty() && e.action("MEditPasteLayout")->isEnabled());
        e.select(10);
        ui.answer(Answer::Yes);
        e.action("MEditPasteLayout")->trigger();
        QVERIFY(!e.checked(10) && e.list()->item(9)->text() == QStringLiteral("10. Avery 5162/8162"));
        QCOMPARE(FontRecord(10, 1), QStringLiteral("Arial|10||||"));
        e.select(2);
        e.action("MEditCopyLayout")->trigger();
        for (int n : {11, 12}) {
            e.select(n);
            QVERIFY(asks(e, "MEditPasteLayout", Answer::Yes,
                         QStringLiteral("\"Paste\" the layout in memory  (\"Avery 5161/8161\") into layout position "
                                        "number %1 (therefore overwriting what is there now)?")
                             .arg(n)));
            // Pasted, then shown: what the controls changed is written back in their forms.
            QVERIFY(e.checked(n) && Run().layoutClipboard == ReadLayoutRecord(2) && At(n, Columns) == " 2");
        }

        // An untitled layout in memory, and a title of one blank, are named by their numbers.
        e.select(1);
        QVERIFY(asks(e, "MEditCutLayout", Answer::Yes, "\"Cut\" layout number 1 to memory?"));
        SetLayoutCell(4, Title, QStringLiteral(" "));
        e.select(4);
        const LayoutRecord four = ReadLayoutRecord(4);
        QVERIFY(asks(e, "MEditPasteLayout", Answer::No,
                     "\"Paste\" the layout in memory into layout position number 4 (therefore overwriting what is "
                     "there now)?"));
        QVERIFY(asks(e, "ClearButton", Answer::No, "Clear layout #4?"));
        QVERIFY(ReadLayoutRecord(4) == four);
    }

    void closingKeepsOneLayoutUsable_data()
    {
        // Layout 1's title before, and after the answer the row is named for.
        TextColumns({"title", "titleAfter"});
        Row("No", "Avery 5160/8160", "Avery 5160/8160");
        Row("Yes", "Avery 5160/8160", "Avery 5160/8160");
        Row("Yes, no title", "", "<List Item #1>");
        Row("Yes, blank title", "   ", "<List Item #1>");
    }
    void closingKeepsOneLayoutUsable()
    {
        const bool yes = QByteArray(QTest::currentDataTag()).startsWith("Yes");
        SetLayoutCell(1, Title, Data("title"));
        for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
        Editor e;
        ui.answer(yes ? Answer::Yes : Answer::No);
        e.at<QPushButton>("CloseButton")->click();
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("At least one layout must be 'checked', and have a title.\r\rSet position "
                                             "#1 with default information?"),
                              QStringLiteral("One layout required"), Buttons::YesNo, Icon::Question, Answer::No));
        // Yes makes layout 1 usable and closes; No leaves the editor open with none usable.
        QVERIFY(e.window.isVisible() != yes && LayoutIsUsable(1) == yes && At(1, Title) == Data("titleAfter"));
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
        PdfLabels pdf;
        MainWindow window;
        QVERIFY(window.load());
        window.layoutsList()->setCurrentIndex(1);
        const auto open = [&window] { window.layoutsEditorAction()->trigger(); };
        // Opening and closing with no edit: checking the list marks the data changed and rebuilds.
        SetLayoutCell(3, Title, QStringLiteral("Renamed"));
        Run().dataChanged = false;
        WithModal(open, [](QWidget& editor) { Click(editor, "CloseButton"); });
        QVERIFY(Run().dataChanged && window.layoutsList()->itemText(2) == QStringLiteral("Renamed"));

        // The user makes layout 2 one column of 20-point labels 1.25" in and 1.5" down.
        ui.answerFont(FontChoice{QStringLiteral("Arial"), 20});
        WithModal(open, [](QWidget& editor) {
            QCOMPARE(Control<QListWidget>(editor, "LayoutList")->currentRow(), 1);
            for (auto [box, text] :
                 {std::pair{"ColumnsBox", "1"}, {"PositioningBox0", "1.25"}, {"PositioningBox1", "1.5"}})
                Control<QLineEdit>(editor, box)->setText(QString::fromLatin1(text));
            Click(editor, "FontButton0");
            Click(editor, "CloseButton");
        });
        QVERIFY(window.currentLayoutNumber() == 2 && window.startColBox()->text() == QStringLiteral("1"));

        SetLines(window, {"Zoe", "Harbour"});
        window.copiesBox()->setText(QStringLiteral("2"));
        const auto words = pdf.print(window);
        QCOMPARE(words.size(), 4);
        // Both labels in the one column, the second a label height (1") below; lines 20 points apart.
        QVERIFY(qAbs(words[0].left - 1.25) < 0.01 && qAbs(words[2].left - 1.25) < 0.01);
        QVERIFY(qAbs(words[0].top - 1.5) < 0.05 && qAbs(words[2].top - 2.5) < 0.05);
        QVERIFY(qAbs(words[1].top - words[0].top - 1.15 * 20 / 72) < 0.03);
    }

    // ---- presets ----------------------------------------------------------------------------

    void everyPresetNumberHasItsSheet()
    {
        // Every cell with text after the title, in the record's order: columns, rows, distances,
        // offsets, alignment when centred, Visible, then each line's font name and size.
        const std::pair<const char*, const char*> groups[] = {
            {"5267 5667 8167 8667 8927", "4|20|2.03125|.5|1.75|.5|.625|True|Arial|8|Arial|8|Arial|8|Arial|8|Arial|8"},
            {"5160 5260 5970 5971 5972 5980 5982 5983 6460 8160 8460 8660 8920 8930",
             "3|10|2.75|1|2.625|.5|.625|True|Arial|10|Arial|10|Arial|10|Arial|10|Arial|10"},
            {"5161 5261 8161", "2|10|4.1875|1|4|.75|.7|True|Arial|10|Arial|10|Arial|10|Arial|10|Arial|10"},
            {"5162 5262 8162 8462 8662 8922 8932",
             "2|7|4.1875|1.3333|4|1|1.125|True|Arial|10|Arial|10|Arial|10|Arial|10|Arial|10"},
            {"5163 8163 8463 8663 8923", "2|5|4.16|2|4|.75|.75|True|Arial|10|Arial|10|Arial|10|Arial|10|Arial|10"},
            {"5164 6464 8164", "2|3|4.1875|3.33|4|1|2|True|Arial|12|Arial|12|Arial|12|Arial|12|Arial|12"},
            {"5066 5266 5366 5866 5966 8166 8366",
             "2|15|4.03125|0.6666667|3.4375|1|.70|True|Arial|10|Arial|10|Arial|10|Arial|10|Arial|10"},
            {"5095 5395 5895",
             "2|4|3.75|2.5|3.375|.69|1.25|1|True|Times New Roman|14|Arial|12|Arial|12|Arial|12|Arial|12"},
        };
        QStringList numbers;
        for (const auto& [group, sheet] : groups)
            for (const QString& number : QString::fromLatin1(group).split(u' ')) {
                numbers << number;
                QStringList filled;
                for (const QString& cell : PresetRecord(number.toInt()))
                    if (!cell.isEmpty()) filled << cell;
                QCOMPARE(filled.join(u'|'), "Avery #" + number + u'|' + sheet);
            }
        numbers.sort();
        QVERIFY(PresetNumbers() == numbers && numbers.size() == 47);
    }

    void copyingAPresetThenPastingIt_data()
    {
        // The preset's details, then once pasted into layout 2 its top-to-top distance as shown, and
        // its top-to-top, side-to-side and rows as stored: boxes whose text changed write back.
        TextColumns({"details", "pasted"});
        Row("8160", "Avery #8160|3|10|2.75 inches|1.0 inches|2.625 inches|0.5 inches|0.625 inches|Left",
            "1.0|1| 2.75|10");
        Row("5395", "Avery #5395|2|4|3.75 inches|2.5 inches|3.375 inches|0.69 inches|1.25 inches|Centered",
            "2.5| 2.5| 3.75| 4");
        Row("5066", "Avery #5066|2|15|4.0313 inches|0.6667 inches|3.4375 inches|1.0 inches|0.7 inches|Left",
            "0.6667| .6667| 4.0313| 15");
    }
    void copyingAPresetThenPastingIt()
    {
        const QString number = QString::fromLatin1(QTest::currentDataTag());
        LayoutPresets unshown; // no preset chosen yet
        QVERIFY(!Control<QPushButton>(unshown, "CopyPresetButton")->isEnabled());
        Editor e;
        // Closing without copying changes nothing.
        const auto open = [&e] { e.at<QPushButton>("LayoutPresetsButton")->click(); };
        WithModal(open, [](QWidget& presets) { Control<QListWidget>(presets, "PresetsList")->setCurrentRow(3); });
        QVERIFY(!Run().layoutClipboardFull && !e.action("MEditPasteLayout")->isEnabled());
        QVERIFY(Run().layoutClipboard == LayoutRecord() && Run().presetLayout == LayoutRecord());
        WithModal(open, [&number](QWidget& presets) {
            auto* list = Control<QListWidget>(presets, "PresetsList");
            auto* copy = Control<QPushButton>(presets, "CopyPresetButton");
            list->setCurrentItem(list->findItems(number, Qt::MatchExactly).value(0));
            QStringList shown;
            for (const char* name : {"PresetTitle", "PresetColumns", "PresetRows", "PresetSideToSide", "PresetTopToTop",
                                     "PresetLabelWidth", "PresetLeftOffset", "PresetTopOffset", "PresetAlignment"})
                shown << Control<QLabel>(presets, name)->text();
            QCOMPARE(shown.join(u'|'), Data("details"));
            QVERIFY(copy->isEnabled() && Run().presetLayout[Title] == "Avery #" + number);
            copy->click();
            Click(presets, "CloseButton");
        });
        QVERIFY(Run().layoutClipboard == PresetRecord(number.toInt()) && Run().presetLayout == LayoutRecord());
        e.select(2);
        QVERIFY(asks(e, "MEditPasteLayout", Answer::Yes,
                     "\"Paste\" the layout in memory  (\"Avery #" + number +
                         "\") into layout position number 2 (therefore overwriting what is there now)?"));
        QVERIFY(e.checked(2) && e.list()->item(1)->text() == "2. Avery #" + number);
        QCOMPARE(QStringList({e.at("HeightBox")->text(), At(2, TopToTop), At(2, SideToSide), At(2, Rows)}),
                 Data("pasted").split(u'|'));
    }

    // ---- font sample ------------------------------------------------------------------------

    void fontSampleDrawsInTheLayoutsFonts()
    {
        // Line 1 in 14-point bold serves every line unless the layout has separate fonts.
        SetFontCell(1, 1, FontBold, QStringLiteral("1"));
        SetFontCell(1, 1, FontSize, QStringLiteral("14"));
        SetFontCell(1, 3, FontSize, QString());
        RecordingSurface surface({96, 96, QSizeF(800, 600), QRectF(0, 0, 800, 600)});
        FontSampleExtent extent = DrawFontSample(surface, FontSampleLines(1), true);
        const auto texts = surface.texts();
        QCOMPARE(texts.size(), std::size_t(5));
        double widest = 0, height = 0;
        for (const auto& t : texts) {
            QVERIFY(t.fontSize == 14 && t.bold); // and so is the surface, measuring
            const double width = std::round(surface.textWidth(t.text));
            widest = std::max(widest, width);
            height += surface.textHeight(QStringLiteral("X"));
            // Centred on one axis: 100 twips plus half the widest line.
            QVERIFY(qAbs(t.x + width / 2 - (100 + std::round(extent.widestLine / 2.0))) < 0.01);
        }
        QVERIFY(texts[0].y == 100 && qAbs(texts[4].y - 100 - height * 4 / 5) < 0.01);
        QVERIFY(extent.widestLine == widest && qAbs(extent.totalHeight - 2 * height) < 0.01);

        // Separate fonts: an empty size draws at 10 points; left-justified lines start at 100 twips.
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        surface.clear();
        DrawFontSample(surface, FontSampleLines(1), false);
        QVERIFY(surface.texts()[2].fontSize == 10 && surface.texts()[2].x == 100 && surface.texts()[1].x == 100);
        QVERIFY(surface.texts()[0].fontSize == 14 && !surface.texts()[1].bold);

        // The built-in sample address unless the layout's default text is on, empty lines included.
        SetLayoutCell(2, LayoutField(DefaultText1 + 4), QStringLiteral("Line five"));
        QCOMPARE(FontSampleText(2), FontSampleText(1));
        SetLayoutCell(2, UseDefaultText, QStringLiteral("1"));
        QCOMPARE(FontSampleText(2), (std::array<QString, 5>{"", "", "", "", "Line five"}));
    }

    void fontSampleWindow()
    {
        // Opened from the editor for the layout selected there, sized around the text.
        Editor e;
        e.select(9);
        QPicture probe;
        PainterSurface surface(&probe);
        const FontSampleExtent extent = DrawFontSample(surface, FontSampleLines(9), false);
        WithModal([&e] { e.at<QPushButton>("FontsSampleButton")->click(); },
                  [extent](QWidget& window) {
                      auto* area = Control<QLabel>(window, "SampleArea");
                      const int dpi = area->logicalDpiX();
                      QCOMPARE(area->width(), int(std::lround((extent.widestLine + 200) * dpi / 1440.0)));
                      auto* close = Control<QPushButton>(window, "CloseButton");
                      QVERIFY(close->width() == area->width() && close->y() == area->height() &&
                              close->geometry().bottom() == window.height() - 1);
                  });
        QCOMPARE(Run().sampleLayoutIndex, 8);

        // A colour too large to draw: the failure is shown, the window still opens.
        SetFontCell(9, 1, FontColor, QStringLiteral("99999999999"));
        ui.answer(Answer::Ok);
        FontSample failed(9);
        QVERIFY(ui.last().text.startsWith(QStringLiteral("Error loading Font Sample form: ")) &&
                ui.last().text.contains(QStringLiteral("\r\rError Number:  6")));
    }

private:
    // Runs the list command and gives the answer; true when it asked this question under the
    // command's title and icon, with No as the default.
    bool asks(Editor& e, const char* command, Answer answer, const QString& question)
    {
        ui.answer(answer);
        const bool clear = qstrcmp(command, "ClearButton") == 0;
        if (clear)
            e.at<QPushButton>(command)->click();
        else
            e.action(command)->trigger();
        return IsMessage(ui.last(), question, clear ? "Clear Caution" : "Warning", Buttons::YesNo,
                         qstrcmp(command, "MEditCutLayout") == 0 ? Icon::Warning : Icon::Question, Answer::No);
    }

    ScriptedDialogs ui;
};

QUILLET_TEST_MAIN(TestLayoutsEditor)
#include "tst_layouts_editor.moc"
