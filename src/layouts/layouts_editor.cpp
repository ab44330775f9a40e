#include "layouts/layouts_editor.h"

#include "common/checked_line_edit.h"
#include "common/control_names.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "layouts/font_sample.h"
#include "layouts/layout_presets.h"
#include "layouts/typing_limit.h"
#include "model/run_state.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace quillet {

namespace {

constexpr int TextLength = 50;

const QString FieldHelp[5] = {
    QStringLiteral("\"Columns of Labels\" means the number of labels on the sheet, counting from the left side to the "
                   "right side.  A \"column\" might also be called a vertical row of labels."),
    QStringLiteral("\"Rows of Labels\" means the number of labels on the sheet, counting from the top to the bottom.") +
        CR + CR +
        QStringLiteral("Another way to describe it might be, \"the number of horizontal 'stripes' of labels.\""),
    QStringLiteral("\"Side-to-Side Distance\" means the distance, in inches, from the left side of one label, to the "
                   "left side of the label directly to the right of it.") +
        CR + CR +
        QStringLiteral("If there are no gaps between labels, then this distance will end up being the width of one "
                       "label."),
    QStringLiteral(
        "\"Top-to-Top Distance\" means the distance, in inches, from the top of one label, to the top of the "
        "label directly below it.") +
        CR + CR +
        QStringLiteral("If there are no gaps between labels, then this distance will end up being the height of one "
                       "label."),
    QStringLiteral("Side-to-side distance of one label, in inches."),
};

template <class Box> Box* Named(Box* box, const QString& objectName, const QString& accessibleName)
{
    box->setObjectName(objectName);
    box->setAccessibleName(accessibleName);
    return box;
}

QLabel* Inches(QWidget* parent)
{
    return new QLabel(QStringLiteral("inches"), parent);
}

NumberBox BoxAt(int index)
{
    return static_cast<NumberBox>(index);
}

} // namespace

LayoutsEditor::LayoutsEditor(const QString& mainWindowTitle, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LayoutsEditor"));
    setWindowTitle(QStringLiteral("Layouts Editor"));
    buildControls();
    buildEditMenu();
    connectControls();
    fillList(mainWindowTitle);
    pasteAction_->setEnabled(Run().layoutClipboardFull);
    if (Run().layoutsEditorTab < SheetPage || Run().layoutsEditorTab > PositioningPage)
        Run().layoutsEditorTab = SheetPage;
    tabs_->setCurrentIndex(Run().layoutsEditorTab);
    connect(tabs_, &QTabWidget::currentChanged, this, [](int page) { Run().layoutsEditorTab = page; });
}

void LayoutsEditor::buildControls()
{
    list_ = Named(new QListWidget(this), QStringLiteral("LayoutList"), QStringLiteral("Layouts list"));
    list_->setAccessibleDescription(QStringLiteral("Checked = Visible in main screen"));
    auto* listCaption = new QLabel(QStringLiteral("Layouts List"), this);
    listCaption->setBuddy(list_);

    tabs_ = Named(new QTabWidget(this), QStringLiteral("LETabs"), QStringLiteral("Layout pages"));
    tabs_->addTab(buildSheetPage(), QStringLiteral("Sheet"));
    tabs_->addTab(buildTextPage(), QStringLiteral("Text && Fonts"));
    tabs_->addTab(buildPositioningPage(), QStringLiteral("Positioning"));

    auto* presets = NonDefaultButton(QStringLiteral("Layout Presets..."), QStringLiteral("LayoutPresetsButton"), this);
    connect(presets, &QPushButton::clicked, this, &LayoutsEditor::showPresets);
    auto* clear = NonDefaultButton(QStringLiteral("Clear Layout"), QStringLiteral("ClearButton"), this);
    auto* close = NonDefaultButton(QStringLiteral("Close Editor"), QStringLiteral("CloseButton"), this);
    connect(clear, &QPushButton::clicked, this, &LayoutsEditor::clearLayout);
    connect(close, &QPushButton::clicked, this, &LayoutsEditor::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(listCaption);
    left->addWidget(list_, 1);
    left->addWidget(new QLabel(QStringLiteral("Checked = Visible in main screen"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(presets);
    buttons->addStretch(1);
    buttons->addWidget(clear);
    buttons->addWidget(close);
    auto* right = new QVBoxLayout;
    right->addWidget(tabs_, 1);
    right->addLayout(buttons);
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left);
    whole->addLayout(right, 1);
}

QWidget* LayoutsEditor::buildSheetPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SheetPage"));
    auto* grid = new QGridLayout(page);
    const QString captions[5] = {QStringLiteral("Columns of Labels (1-9):"), QStringLiteral("Rows of Labels (1-30):"),
                                 QStringLiteral("Side-to-Side Distance:"), QStringLiteral("Top-to-Top Distance:"),
                                 QStringLiteral("Width of One Label:")};
    for (int i = 0; i < 5; ++i) {
        // A caption the user clicks for an explanation; reachable by Tab, a mouse click leaves the
        // focus where it is.
        auto* caption = NonDefaultButton(captions[i], Indexed("SL", i + 1), page);
        caption->setFlat(true);
        caption->setFocusPolicy(Qt::TabFocus);
        caption->setToolTip(QStringLiteral("Click for further information"));
        caption->setAccessibleDescription(QStringLiteral("Click for further information"));
        connect(caption, &QPushButton::clicked, this, [this, i] { fieldHelp(i); });
        grid->addWidget(caption, i, 0, Qt::AlignLeft);
        grid->addWidget(numberBoxes_[static_cast<std::size_t>(i)] = new CheckedLineEdit(QStringLiteral("1"), page), i,
                        1);
        if (i >= 2) grid->addWidget(Inches(page), i, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("(Click on text at left for further explanation)"), page), 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget* LayoutsEditor::buildTextPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TextPage"));
    auto* grid = new QGridLayout(page);
    titleBox_ = Named(new QLineEdit(page), QStringLiteral("ListTitleBox"), QStringLiteral("List title"));
    new TypingLimit(titleBox_, TextLength);
    auto* titleCaption = new QLabel(QStringLiteral("List Title"), page);
    titleCaption->setBuddy(titleBox_);
    grid->addWidget(titleCaption, 0, 0);
    grid->addWidget(titleBox_, 0, 1);
    defaultTextBox_ = Named(new QCheckBox(QStringLiteral("Default Text"), page), QStringLiteral("DefaultTextCB"),
                            QStringLiteral("Default text"));
    firstLineFontBox_ = Named(new QCheckBox(QStringLiteral("Use First Line's Font for All:"), page),
                              QStringLiteral("UseL1FontCB"), QStringLiteral("Use first line's font for all lines"));
    grid->addWidget(defaultTextBox_, 1, 0);
    grid->addWidget(firstLineFontBox_, 1, 1, Qt::AlignRight);
    for (int k = 0; k < 5; ++k) {
        const QString line = QString::number(k + 1);
        QLineEdit* box = Named(new QLineEdit(page), Indexed("LTB", k), QStringLiteral("Default text line ") + line);
        new TypingLimit(box, TextLength);
        textBoxes_[static_cast<std::size_t>(k)] = box;
        QPushButton* font = NonDefaultButton(QStringLiteral("Font..."), Indexed("FontButton", k), page);
        font->setAccessibleName(QStringLiteral("Font for line ") + line);
        connect(font, &QPushButton::clicked, this, [this, k] { chooseFont(k + 1); });
        fontButtons_[static_cast<std::size_t>(k)] = font;
        grid->addWidget(box, k + 2, 0, 1, 2);
        grid->addWidget(font, k + 2, 2);
    }
    paintTextBoxes(false);
    auto* factory =
        NonDefaultButton(QStringLiteral("Set Fonts to Defaults..."), QStringLiteral("FactoryFontsButton"), page);
    connect(factory, &QPushButton::clicked, this, &LayoutsEditor::factoryFonts);
    auto* sample = NonDefaultButton(QStringLiteral("View Sample"), QStringLiteral("FontsSampleButton"), page);
    connect(sample, &QPushButton::clicked, this, &LayoutsEditor::showFontSample);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(factory);
    row->addWidget(sample);
    grid->addLayout(row, 7, 0, 1, 3);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* LayoutsEditor::buildPositioningPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PositioningPage"));
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Positioning of Text on Sheet"), page), 0, 0, 1, 3);
    const QString captions[2] = {QStringLiteral("Offset to Right"), QStringLiteral("Offset Downward:")};
    for (int k = 0; k < 2; ++k) {
        auto* box = new CheckedLineEdit(page);
        numberBoxes_[static_cast<std::size_t>(static_cast<int>(NumberBox::LeftOffset) + k)] = box;
        auto* caption = new QLabel(captions[k], page);
        caption->setBuddy(box);
        grid->addWidget(caption, k + 1, 0);
        grid->addWidget(box, k + 1, 1);
        grid->addWidget(Inches(page), k + 1, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("Alignment of Text Within Each Label"), page), 3, 0, 1, 3);
    const QString options[2] = {QStringLiteral("Left Justify"), QStringLiteral("Center")};
    for (int k = 0; k < 2; ++k) {
        alignment_[static_cast<std::size_t>(k)] = Named(new QRadioButton(options[k], page), Indexed("AlignmentOB", k),
                                                        options[k] + QStringLiteral(" text within each label"));
        grid->addWidget(alignment_[static_cast<std::size_t>(k)], k + 4, 0, 1, 3);
    }
    alignment_[0]->setChecked(true);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

void LayoutsEditor::buildEditMenu()
{
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MEdit"));
    const auto add = [&](const char* caption, const char* name, Qt::Key key, void (LayoutsEditor::*handler)()) {
        QAction* action = edit->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add("&Cut Layout", "MEditCutLayout", Qt::Key_F5, &LayoutsEditor::cutLayout);
    add("&Copy Layout", "MEditCopyLayout", Qt::Key_F6, &LayoutsEditor::copyLayout);
    pasteAction_ = add("&Paste Layout", "MEditPasteLayout", Qt::Key_F7, &LayoutsEditor::pasteLayout);
}

void LayoutsEditor::connectControls()
{
    for (int i = 0; i < NumberBoxCount; ++i) {
        const NumberBox which = BoxAt(i);
        const NumberBoxRule& rule = RuleOf(which);
        CheckedLineEdit* box = Named(numberBoxes_[static_cast<std::size_t>(i)], QString::fromLatin1(rule.objectName),
                                     QString::fromLatin1(rule.accessibleName));
        if (rule.typingLimit > 0) new TypingLimit(box, rule.typingLimit);
        connect(box, &QLineEdit::textChanged, this, [this, which] { numberChanged(which); });
        connect(box, &CheckedLineEdit::focusLeft, this, [this, which] { numberLeft(which); });
    }
    connect(titleBox_, &QLineEdit::textChanged, this, &LayoutsEditor::titleChanged);
    for (int k = 0; k < 5; ++k)
        connect(textBoxes_[static_cast<std::size_t>(k)], &QLineEdit::textChanged, this,
                [this, k](const QString& text) { setField(static_cast<LayoutField>(DefaultText1 + k), text); });
    connect(defaultTextBox_, &QCheckBox::toggled, this, &LayoutsEditor::defaultTextClicked);
    connect(firstLineFontBox_, &QCheckBox::toggled, this, &LayoutsEditor::useFirstLineFontClicked);
    for (int k = 0; k < 2; ++k)
        connect(alignment_[static_cast<std::size_t>(k)], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) setField(Alignment, FormatShortForm(k));
        });
    // Every change of a check, the program's own included, is the user's: text changes are not.
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        const bool checked = item->checkState() == Qt::Checked;
        if (row < 0 || row >= LayoutCount || checks_[static_cast<std::size_t>(row)] == checked) return;
        checks_[static_cast<std::size_t>(row)] = checked;
        checkChanged(row, checked);
    });
    connect(list_, &QListWidget::currentRowChanged, this, &LayoutsEditor::showLayout);
}

int LayoutsEditor::layoutNumber() const
{
    const int row = list_->currentRow();
    return row >= 0 && row < LayoutCount ? row + 1 : 0;
}

void LayoutsEditor::fillList(const QString& mainWindowTitle)
{
    int start = 0;
    for (int i = 0; i < LayoutCount; ++i) {
        auto* item = new QListWidgetItem(LayoutListItemText(i + 1));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        list_->addItem(item);
        if (!IsTrueFlag(LayoutCell(i + 1, Visible))) continue;
        setCheck(i, true);
        if (!mainWindowTitle.isEmpty() && LayoutCell(i + 1, Title) == mainWindowTitle) start = i;
    }
    list_->setCurrentRow(start);
}

void LayoutsEditor::showLayout()
{
    const int n = layoutNumber();
    if (n == 0) return;
    for (int i = 0; i < NumberBoxCount; ++i) {
        if (BoxAt(i) == NumberBox::LeftOffset) break; // the offsets come after the text page
        SetShownText(numberBoxes_[static_cast<std::size_t>(i)],
                     ShownNumberText(BoxAt(i), LayoutCell(n, RuleOf(BoxAt(i)).field)));
    }
    SetShownText(titleBox_, QString(LayoutCell(n, Title)));
    for (int k = 0; k < 5; ++k)
        SetShownText(textBoxes_[static_cast<std::size_t>(k)],
                     LayoutCell(n, static_cast<LayoutField>(DefaultText1 + k)).left(TextLength));
    const bool useDefaultText = IsOneFlag(LayoutCell(n, UseDefaultText));
    defaultTextBox_->setChecked(useDefaultText);
    paintTextBoxes(useDefaultText);
    const bool sharedFont = !IsOneFlag(LayoutCell(n, SeparateFonts));
    firstLineFontBox_->setChecked(sharedFont);
    for (int k = 1; k < 5; ++k) fontButtons_[static_cast<std::size_t>(k)]->setHidden(sharedFont);
    for (NumberBox offset : {NumberBox::LeftOffset, NumberBox::TopOffset})
        SetShownText(numberBoxes_[static_cast<std::size_t>(offset)],
                     ShownNumberText(offset, LayoutCell(n, RuleOf(offset).field)));
    alignment_[IsOneFlag(LayoutCell(n, Alignment)) ? 1 : 0]->setChecked(true);
}

// ---- the list ------------------------------------------------------------------------------

void LayoutsEditor::checkChanged(int row, bool checked)
{
    Run().dataChanged = true;
    Run().layoutsListChanged = true;
    SetLayoutCell(row + 1, Visible, checked ? QStringLiteral("True") : QString());
}

void LayoutsEditor::setCheck(int row, bool checked)
{
    list_->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void LayoutsEditor::clearLayout()
{
    const int n = layoutNumber();
    if (n == 0 || ShowMessage(ClearLayoutQuestion(n), Buttons::YesNo, Icon::Question, QStringLiteral("Clear Caution"),
                              Answer::No) != Answer::Yes)
        return;
    setCheck(n - 1, false);
    WriteLayoutRecord(n, LayoutRecord());
    Run().dataChanged = true;
    showLayout();
}

void LayoutsEditor::copyLayout()
{
    if (const int n = layoutNumber()) clipboardFilled(ReadLayoutRecord(n));
}

void LayoutsEditor::cutLayout()
{
    const int n = layoutNumber();
    if (n == 0 || ShowMessage(CutLayoutQuestion(n), Buttons::YesNo, Icon::Warning, QStringLiteral("Warning"),
                              Answer::No) != Answer::Yes)
        return;
    setCheck(n - 1, false); // the memory never holds a visible layout
    const LayoutRecord record = ReadLayoutRecord(n);
    WriteLayoutRecord(n, LayoutRecord());
    Run().dataChanged = true;
    showLayout();
    clipboardFilled(record);
}

void LayoutsEditor::clipboardFilled(const LayoutRecord& record)
{
    Run().layoutClipboard = record;
    pasteAction_->setEnabled(true);
    Run().layoutClipboardFull = true;
}

void LayoutsEditor::pasteLayout()
{
    const int n = layoutNumber();
    const LayoutRecord& memory = Run().layoutClipboard;
    if (n == 0 || !Run().layoutClipboardFull ||
        ShowMessage(PasteLayoutQuestion(n, memory), Buttons::YesNo, Icon::Question, QStringLiteral("Warning"),
                    Answer::No) != Answer::Yes)
        return;
    WriteLayoutRecord(n, memory);
    Run().dataChanged = true;
    setCheck(n - 1, IsTrueFlag(memory[Visible]));
    showLayout();
}

void LayoutsEditor::reject()
{
    if (!AnyLayoutUsable()) {
        if (ShowMessage(QStringLiteral("At least one layout must be 'checked', and have a title.") + CR + CR +
                            QStringLiteral("Set position #1 with default information?"),
                        Buttons::YesNo, Icon::Question, QStringLiteral("One layout required"),
                        Answer::No) != Answer::Yes)
            return;
        // A title of blanks is no title: it would leave the editor closed on no usable layout.
        if (IsBlankText(LayoutCell(1, Title))) SetLayoutCell(1, Title, QStringLiteral("<List Item #1>"));
        setCheck(0, true);
        SetLayoutCell(1, Visible, QStringLiteral("True"));
        // The main window must offer the layout even when only its title was mended.
        Run().layoutsListChanged = true;
        Run().dataChanged = true;
        list_->setCurrentRow(0);
    }
    QDialog::reject();
}

// ---- change handlers -----------------------------------------------------------------------

void LayoutsEditor::setField(LayoutField field, const QString& text)
{
    const int n = layoutNumber();
    if (n == 0) return;
    SetLayoutCell(n, field, text);
    Run().dataChanged = true;
}

void LayoutsEditor::numberChanged(NumberBox box)
{
    setField(RuleOf(box).field, WrittenNumberText(box, numberBoxes_[static_cast<std::size_t>(box)]->text()));
}

void LayoutsEditor::numberLeft(NumberBox box)
{
    CheckedLineEdit* edit = numberBoxes_[static_cast<std::size_t>(box)];
    const BoxCheck check = CheckNumberBox(box, edit->text());
    if (!check.message.isEmpty()) ShowMessage(check.message);
    SetShownText(edit, check.text);
    if (check.message.isEmpty()) return;
    // The box may have been left by a page switch that is still going on: call its page back after.
    QTimer::singleShot(0, edit, [this, edit, page = check.page] {
        CheckedLineEdit::asCheck([&] {
            tabs_->setCurrentIndex(page);
            edit->setFocus(Qt::OtherFocusReason);
        });
    });
}

void LayoutsEditor::titleChanged()
{
    const int n = layoutNumber();
    if (n == 0) return;
    setField(Title, titleBox_->text());
    list_->item(n - 1)->setText(LayoutListItemText(n));
    Run().layoutsListChanged = true;
}

void LayoutsEditor::defaultTextClicked(bool checked)
{
    setField(UseDefaultText, checked ? QStringLiteral("1") : QString());
    paintTextBoxes(checked);
}

void LayoutsEditor::paintTextBoxes(bool enabled)
{
    for (QLineEdit* box : textBoxes_) {
        box->setEnabled(enabled);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, enabled ? QColor(Qt::white) : QColor(192, 192, 192));
        box->setPalette(palette);
    }
}

// ---- fonts ---------------------------------------------------------------------------------

void LayoutsEditor::chooseFont(int line)
{
    const int n = layoutNumber();
    if (n == 0) return;
    Steps step(QStringLiteral("Error setting font"), Buttons::Ok);
    FontChoice start;
    // A stored colour too large for a whole number.
    if (!step(1, [&] { start = FontDialogStart(n, line); })) return;
    const std::optional<FontChoice> chosen = Ui().chooseFont(start);
    if (!chosen) return;
    Run().dataChanged = true;
    WriteFontChoice(n, line, *chosen);
}

void LayoutsEditor::useFirstLineFontClicked(bool checked)
{
    for (int k = 1; k < 5; ++k) fontButtons_[static_cast<std::size_t>(k)]->setHidden(checked);
    setField(SeparateFonts, checked ? QString() : QStringLiteral("1"));
}

void LayoutsEditor::factoryFonts()
{
    const int n = layoutNumber();
    if (n == 0 ||
        ShowMessage(QStringLiteral("Erase all font settings for this layout, and replace them with the "
                                   "\"Factory\" default settings (Arial, 10Pt.,non-bold/italic/underlined, "
                                   "black)?"),
                    Buttons::YesNo, Icon::Question, QStringLiteral("Factory Fonts"), Answer::No) != Answer::Yes)
        return;
    ResetLayoutFonts(n);
    Run().dataChanged = true;
}

void LayoutsEditor::showFontSample()
{
    const int n = layoutNumber();
    if (n == 0) return;
    Run().sampleLayoutIndex = n - 1;
    FontSample(Run().sampleLayoutIndex + 1, this).exec();
}

void LayoutsEditor::showPresets()
{
    LayoutPresets(this).exec();
    pasteAction_->setEnabled(Run().layoutClipboardFull);
}

void LayoutsEditor::fieldHelp(int caption)
{
    ShowMessage(FieldHelp[caption]);
}

void OpenLayoutsEditor(QWidget* parent, const QString& mainWindowTitle)
{
    Run().layoutsListChanged = false;
    LayoutsEditor editor(mainWindowTitle, parent);
    editor.exec();
}

} // namespace quillet
