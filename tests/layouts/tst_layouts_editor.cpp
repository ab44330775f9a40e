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
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace quillet;
using namespace quillet::test;

namespace {

QString At(int layout, int field, int subEntry = PropertiesSubEntry)
{
    return LayoutData().cell(LayoutSlot(layout), field, subEntry);
}

// "layout/field=text;..." into sub-entry 0.
void SetLayoutCells(const QString& cells)
{
    for (const QString& cell : cells.split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = cell.section(u'=', 0, 0).split(u'/');
        LayoutData().setCell(LayoutSlot(parts[0].toInt()), parts[1].toInt(), 0, cell.section(u'=', 1));
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
    template <class T = QLineEdit> T* at(const char* name) { return Control<T>(window, name); }
    QListWidget* list() { return at<QListWidget>("LayoutList"); }
    QAction* action(const char* name) { return window.findChild<QAction*>(QString::fromLatin1(name)); }
    void select(int layout) { list()->setCurrentRow(layout - 1); }
    // Types into the box as the user does, replacing what it held, and presses Tab.
    void type(const char* box, const QString& text)
    {
        QLineEdit* edit = at(box);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    bool checked(int layout) { return list()->item(layout - 1)->checkState() == Qt::Checked; }
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
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("columns 12") << "ColumnsBox"
                                    << "12" << int(Columns) << "Maximum number of label columns is 9"
                                    << "9"
                                    << " 9";
        QTest::newRow("columns 0") << "ColumnsBox"
                                   << "0" << int(Columns) << "Minimum number of label columns is 1"
                                   << "1"
                                   << " 1";
        QTest::newRow("rows 3.7") << "RowsBox"
                                  << "3.7" << int(Rows) << ""
                                  << "3"
                                  << " 3";
        QTest::newRow("rows 31") << "RowsBox"
                                 << "31" << int(Rows) << "Maximum number of rows is 30"
                                 << "30"
                                 << " 30";
        QTest::newRow("side .5") << "WidthBox"
                                 << ".5" << int(SideToSide) << ""
                                 << "0.5"
                                 << " .5";
        QTest::newRow("side empty") << "WidthBox"
                                    << "" << int(SideToSide) << "Minimum label side to label side distance is .25 inch"
                                    << "0.25"
                                    << " .25";
        QTest::newRow("top empty") << "HeightBox"
                                   << "" << int(TopToTop)
                                   << "Minimum 'label top' to 'label top' distance is 1/4 inch (.25)"
                                   << ".25"
                                   << " .25";
        QTest::newRow("top 21") << "HeightBox"
                                << "21" << int(TopToTop) << "Maximum 'label top' to 'label top' distance is 20 inches"
                                << "20"
                                << " 20";
        QTest::newRow("width empty") << "LabelWidthBox"
                                     << "" << int(LabelWidth) << "Minimum label width is 1 inch"
                                     << "1.0"
                                     << " 1";
        QTest::newRow("left -0.5") << "PositioningBox0"
                                   << "-0.5" << int(LeftOffset) << ""
                                   << "-0.5"
                                   << "-0.5";
        QTest::newRow("left -2") << "PositioningBox0"
                                 << "-2" << int(LeftOffset) << "Minimum left offset is negative 1 inch"
                                 << "0"
                                 << "0";
        QTest::newRow("left .1875") << "PositioningBox0"
                                    << ".1875" << int(LeftOffset) << ""
                                    << "0.1875"
                                    << "0.1875";
        QTest::newRow("top offset 12.5") << "PositioningBox1"
                                         << "12.5" << int(TopOffset) << ""
                                         << "12.5"
                                         << "12.5";
        QTest::newRow("top offset -0.1") << "PositioningBox1"
                                         << "-0.1" << int(TopOffset) << "Minimum top offset is zero inches"
                                         << "0"
                                         << "0";
        QTest::newRow("top offset 99") << "PositioningBox1"
                                       << "99" << int(TopOffset) << "Maximum offset is 20 inches (which is very large)."
                                       << "20"
                                       << "20";
    }
    void leavingANumberBox()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, field);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        Editor e;
        const int page = box.startsWith(QStringLiteral("Positioning")) ? 2 : 0;
        e.at<QTabWidget>("LETabs")->setCurrentIndex(page);
        if (!message.isEmpty()) ui.answer(Answer::Ok);
        e.type(qPrintable(box), typed);
        QLineEdit* edit = e.at(qPrintable(box));
        QCOMPARE(edit->text(), shown);
        QCOMPARE(At(1, field), stored);
        QVERIFY(Run().dataChanged);
        if (message.isEmpty())
            QVERIFY(ui.messages.empty());
        else
            QVERIFY(IsOnlyMessage(ui, message) && edit->hasFocus());
        e.select(2);
        e.select(1);
        if (message.isEmpty()) QCOMPARE(edit->text(), shown); // shown again as it was left
    }

    void typingWritesEveryKeystrokeAndABadBoxCallsItsPageBack()
    {
        Editor e;
        QLineEdit* columns = e.at("ColumnsBox");
        columns->setFocus();
        columns->selectAll();
        QStringList written;
        for (const QChar key : QStringLiteral("12")) {
            QTest::keyClicks(columns, QString(key));
            written << At(1, Columns);
        }
        QCOMPARE(written, QStringList({" 1", " 12"}));
        ui.answer(Answer::Ok); // the maximum message, once: it starts no second check
        e.at<QTabWidget>("LETabs")->setCurrentIndex(PositioningPage);
        QCoreApplication::processEvents();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(e.at("ColumnsBox")->parentWidget()->isVisible(), true);
        QCOMPARE(e.at<QTabWidget>("LETabs")->currentIndex(), int(SheetPage));
        QVERIFY(columns->hasFocus() && columns->text() == QStringLiteral("9"));
        QCOMPARE(Run().layoutsEditorTab, int(SheetPage));
        // Typing stops at the box's limit; Enter presses no button.
        QTest::keyClicks(columns, QStringLiteral("12345678901"));
        QCOMPARE(columns->text(), QStringLiteral("9123456789"));
        QTest::keyClick(columns, Qt::Key_Return);
        QVERIFY(e.window.isVisible());
        columns->setText(QStringLiteral("2"));
        // Every control a screen reader names.
        for (QWidget* w : e.window.findChildren<QWidget*>())
            if (w->objectName().contains(QRegularExpression(QStringLiteral("Box|CB|LTB|OB|Button|List|SL"))))
                QVERIFY2(!w->accessibleName().isEmpty() || !w->property("text").toString().isEmpty(),
                         qPrintable(w->objectName()));
    }

    void showingALayout_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<int>("layout"); // shown after layout 1
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("abc shown first") << "1/2=abc" << 1 << "ColumnsBox" << int(Columns) << "1"
                                         << "abc";
        QTest::newRow("abc after 3") << "2/2=abc" << 2 << "ColumnsBox" << int(Columns) << "1"
                                     << " 1";
        QTest::newRow("two thirds") << "1/5=0.6666667" << 1 << "HeightBox" << int(TopToTop) << "0.6667"
                                    << " .6667";
        QTest::newRow("two thirds after the same")
            << "1/5=0.6666667;2/5=0.6666667" << 2 << "HeightBox" << int(TopToTop) << "0.6667"
            << "0.6666667";
        QTest::newRow("ties away from zero") << "" << 7 << "WidthBox" << int(SideToSide) << "4.0313"
                                             << " 4.0313";
        QTest::newRow("offset out of range") << "2/21=25" << 2 << "PositioningBox0" << int(LeftOffset) << "0"
                                             << "0";
        QTest::newRow("offset -0.5") << "2/21=-.5" << 2 << "PositioningBox0" << int(LeftOffset) << "-0.5"
                                     << "-0.5";
        QTest::newRow("title") << "2/0=  Mine" << 2 << "ListTitleBox" << int(Title) << "  Mine"
                               << "  Mine";
        QTest::newRow("default text cut to 50") << QStringLiteral("2/9=") + QString(60, u'x') << 2 << "LTB0"
                                                << int(DefaultText1) << QString(50, u'x') << QString(50, u'x');
    }
    void showingALayout()
    {
        QFETCH(QString, cells);
        QFETCH(int, layout);
        QFETCH(QString, box);
        QFETCH(int, field);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        SetLayoutCells(cells);
        Editor e;
        e.select(layout);
        QCOMPARE(e.at(qPrintable(box))->text(), shown);
        QCOMPARE(At(layout, field), stored);
        QCOMPARE(e.list()->currentItem()->text(), QString::number(layout) + QStringLiteral(". ") + At(layout, Title));
    }

    void defaultTextAlignmentAndPages()
    {
        SetLayoutCells(QStringLiteral("1/9=Kept"));
        Run().layoutsEditorTab = 7;
        Editor e(QStringLiteral("Avery 5160/8160 (Tolvan Software)"));
        QCOMPARE(e.list()->currentRow(), 8);
        QCOMPARE(e.at<QTabWidget>("LETabs")->currentIndex(), int(SheetPage));
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
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("mainTitle");
        QTest::addColumn<int>("row");
        QTest::newRow("later of two") << "2/0=Same;4/0=Same"
                                      << "Same" << 3;
        QTest::newRow("unchecked only") << "2/0=Same;2/29=;4/29=true;4/0=Same"
                                        << "Same" << 0;
        QTest::newRow("no title") << "10/0=;10/29=True"
                                  << "" << 0;
    }
    void openingSelection()
    {
        QFETCH(QString, cells);
        QFETCH(QString, mainTitle);
        QFETCH(int, row);
        SetLayoutCells(cells);
        Editor e(mainTitle);
        QCOMPARE(e.list()->currentRow(), row);
        QVERIFY(e.checked(1) && !e.checked(12) && Run().layoutsListChanged && Run().dataChanged);
        QVERIFY(!e.action("MEditPasteLayout")->isEnabled());
    }

    void listQuestions_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("question");
        QTest::newRow("clear blank") << "ClearButton"
                                     << "4/0= " << 4 << "Clear layout #4?";
        QTest::newRow("clear titled") << "ClearButton"
                                      << "4/0=Labels" << 4 << "Clear layout \"Labels\"?";
        QTest::newRow("cut untitled") << "MEditCutLayout"
                                      << "5/0=" << 5 << "\"Cut\" layout number 5 to memory?";
        QTest::newRow("cut titled") << "MEditCutLayout"
                                    << "" << 4 << "\"Cut\" layout number 4 (\"Avery 5163/8163\") to memory?";
    }
    void listQuestions()
    {
        QFETCH(QString, command);
        QFETCH(QString, cells);
        QFETCH(int, layout);
        QFETCH(QString, question);
        SetLayoutCells(cells);
        Editor e;
        e.select(layout);
        const LayoutRecord before = ReadLayoutRecord(layout);
        ui.answer(Answer::No);
        if (QAction* action = e.action(qPrintable(command)))
            action->trigger();
        else
            e.at<QPushButton>(qPrintable(command))->click();
        const bool clear = command == QStringLiteral("ClearButton");
        QVERIFY(IsOnlyMessage(ui, question, clear ? QStringLiteral("Clear Caution") : QStringLiteral("Warning"),
                              Buttons::YesNo, clear ? Icon::Question : Icon::Warning, Answer::No));
        QVERIFY(ReadLayoutRecord(layout) == before && !Run().layoutClipboardFull);
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
        const LayoutRecord three = ReadLayoutRecord(3);
        ui.answer(Answer::Yes);
        e.action("MEditCutLayout")->trigger();
        QVERIFY(ReadLayoutRecord(3)[Title].isEmpty() && e.action("MEditPasteLayout")->isEnabled());
        e.select(10);
        ui.answer(Answer::Yes);
        e.action("MEditPasteLayout")->trigger();
        QVERIFY(!e.checked(10) && At(10, Title) == three[Title] &&
                At(10, FontField(1, FontName), 1) == QStringLiteral("Arial"));
        QCOMPARE(e.list()->item(9)->text(), QStringLiteral("10. ") + three[Title]);
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
            QVERIFY(At(n, FontField(5, FontSize), FontsSubEntry) == QStringLiteral("10") &&
                    At(n, LeftOffset) == "0.75");
        }
        // The memory lives for the run: a new editor may paste it, untitled it asks without a title.
        Run().layoutClipboard[Title].clear();
        Editor again;
        ui.answer(Answer::No);
        again.action("MEditPasteLayout")->trigger();
        QCOMPARE(ui.last().text, QStringLiteral("\"Paste\" the layout in memory into layout position number 1 "
                                                "(therefore overwriting what is there now)?"));
    }

    void closingKeepsOneLayoutUsable_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("titleAfter");
        QTest::newRow("No") << "Avery 5160/8160" << int(Answer::No) << "";
        QTest::newRow("Yes") << "Avery 5160/8160" << int(Answer::Yes) << "Avery 5160/8160";
        QTest::newRow("Yes, no title") << "" << int(Answer::Yes) << "<List Item #1>";
        QTest::newRow("Yes, blank title") << "   " << int(Answer::Yes) << "<List Item #1>";
    }
    void closingKeepsOneLayoutUsable()
    {
        QFETCH(QString, title);
        QFETCH(int, answer);
        QFETCH(QString, titleAfter);
        SetLayoutCell(1, Title, title);
        for (int n = 1; n <= LayoutCount; ++n) SetLayoutCell(n, Visible, QString());
        Editor e;
        ui.answer(Answer(answer));
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
        QTest::addColumn<QString>("stored"); // name, size, bold, italic, underline, colour
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("written"); // after confirming unchanged
        QTest::newRow("no size") << " Arial ,,1,,,255"
                                 << "Arial 10 1 0 0 255"
                                 << "Arial| 10|1||| 255";
        QTest::newRow("72 points") << "Arial,72,,1,,"
                                   << "Arial 10 0 1 0 0"
                                   << "Arial| 10||1|| 0";
        QTest::newRow("negative colour") << "Times,12,,,1,-5"
                                         << "Times 12 0 0 1 0"
                                         << "Times| 12|||1| 0";
        QTest::newRow("half points") << "Arial,10.5,0,,,"
                                     << "Arial 10.5 0 0 0 0"
                                     << "Arial| 10.5|||| 0";
    }
    void fontDialog()
    {
        QFETCH(QString, stored);
        QFETCH(QString, offered);
        QFETCH(QString, written);
        const QStringList cells = stored.split(u',');
        for (int i = 0; i < 6; ++i) SetFontCell(1, 2, FontItem(i), cells[i]);
        SetLayoutCell(1, SeparateFonts, QStringLiteral("1"));
        Editor e;
        Run().dataChanged = false;
        ui.answerFont(std::nullopt);
        e.at<QPushButton>("FontButton1")->click();
        QVERIFY(!Run().dataChanged && At(1, FontField(2, FontName), FontsSubEntry) == cells[0]);
        const FontChoice f = ui.fontRequests.back();
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(f.family)
                     .arg(f.pointSize)
                     .arg(f.bold)
                     .arg(f.italic)
                     .arg(f.underline)
                     .arg(f.color),
                 offered);
        ui.answerFont(f);
        e.at<QPushButton>("FontButton1")->click();
        QStringList record;
        for (int i = 0; i < 6; ++i) record << At(1, FontField(2, FontItem(i)), FontsSubEntry);
        QCOMPARE(record.join(u'|'), written);
        QVERIFY(Run().dataChanged);
    }

    void firstLineFontAndFactoryFonts()
    {
        const Cell line3[] = {{LayoutSlot(1), FontField(3, FontName), 1, "Courier"},
                              {LayoutSlot(1), FontField(3, FontSize), 1, "14"},
                              {LayoutSlot(1), FontField(3, FontBold), 1, "1"},
                              {LayoutSlot(1), FontField(3, FontColor), 1, "255"}};
        SetCells(line3);
        const LayoutRecord before = ReadLayoutRecord(1);
        Editor e;
        QVERIFY(e.at<QCheckBox>("UseL1FontCB")->isChecked() && e.at<QPushButton>("FontButton4")->isHidden());
        e.at<QCheckBox>("UseL1FontCB")->click();
        QVERIFY(!e.at<QPushButton>("FontButton4")->isHidden() && At(1, SeparateFonts) == QStringLiteral("1"));
        e.at<QCheckBox>("UseL1FontCB")->click();
        QVERIFY(e.at<QPushButton>("FontButton1")->isHidden() && At(1, SeparateFonts).isEmpty());
        for (int i = FieldCount; i < 2 * FieldCount; ++i)
            QCOMPARE(ReadLayoutRecord(1)[std::size_t(i)], before[std::size_t(i)]);

        ui.answer(Answer::Yes);
        e.at<QPushButton>("FactoryFontsButton")->click();
        QVERIFY(IsOnlyMessage(ui,
                              QStringLiteral("Erase all font settings for this layout, and replace them with the "
                                             "\"Factory\" default settings (Arial, 10Pt.,non-bold/italic/underlined, "
                                             "black)?"),
                              QStringLiteral("Factory Fonts"), Buttons::YesNo, Icon::Question, Answer::No));
        QStringList record;
        for (int i = 0; i < 6; ++i) record << At(1, FontField(3, FontItem(i)), FontsSubEntry);
        QCOMPARE(record, QStringList({"Arial", "10", "", "", "", ""}));

        // The real dialog: the colour goes through, a size outside 3-50 points keeps it open.
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
        QVERIFY(Run().dataChanged && window.currentLayoutNumber() == 2);
        QCOMPARE(Control<QWidget>(window, "StartColLabel")->property("text").toString(),
                 QStringLiteral("&Column (1-1):"));

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
