#include "mainwindow/main_window.h"

#include "addressbook/address_book.h"
#include "common/checked_line_edit.h"
#include "common/control_names.h"
#include "common/dialogs.h"
#include "diagnostics/diagnostics.h"
#include "layouts/layouts_editor.h"
#include "mainwindow/about_window.h"
#include "mainwindow/help_viewer.h"
#include "mainwindow/label_clipboard.h"
#include "mainwindow/label_line_edit.h"
#include "mainwindow/print_command.h"
#include "mainwindow/stepping_button.h"
#include "model/factory_layouts.h"
#include "model/file_commands.h"
#include "model/run_state.h"
#include "printing/selected_printer.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace quillet {

namespace {

// Wide enough for `digits` digits in the box's own font, so the window follows larger fonts.
void FitToDigits(QLineEdit* box, int digits)
{
    const QFontMetrics metrics(box->font());
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    box->setFixedWidth(metrics.horizontalAdvance(QString(digits + 2, u'0')) + 2 * frame + 4);
}

QAction* AddMenuAction(QMenu* menu, const QString& caption, const char* objectName, bool enabled)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    // Commands that are not built yet stay visibly unavailable.
    action->setEnabled(enabled);
    return action;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(ProgramTitle);
    buildMenus();
    buildControls();
    connectControls();
    connectFileAndHelpMenus();
    connectRunState();
}

void MainWindow::connectRunState()
{
    const RunState* run = &Run();
    connect(run, &RunState::layoutsChanged, this, &MainWindow::refillLayoutsList);
    connect(run, &RunState::addressCountsChanged, this, &MainWindow::showAddressCounts);
    connect(run, &RunState::dataFileNameChanged, this, [this](const QString& path) {
        setWindowTitle(path.isEmpty() ? ProgramTitle : QStringLiteral("Quillet:  ") + path);
    });
    connect(run, &RunState::readOnlyModeChanged, this, [this](bool readOnly) {
        saveAction_->setEnabled(!readOnly);
        saveAsAction_->setEnabled(!readOnly);
    });
    connect(run, &RunState::settingsLoaded, this, &MainWindow::restoreWindowPosition);
}

void MainWindow::connectFileAndHelpMenus()
{
    for (QAction* action :
         {newAction_, openAction_, saveAction_, saveAsAction_, layoutsEditorAction_, helpContentsAction_, aboutAction_})
        action->setEnabled(true);
    connect(newAction_, &QAction::triggered, this, [] { FileNew(); });
    connect(openAction_, &QAction::triggered, this, [] { FileOpen(); });
    connect(saveAction_, &QAction::triggered, this, [] { FileSave(); });
    connect(saveAsAction_, &QAction::triggered, this, [] { FileSaveAs(); });
    connect(layoutsEditorAction_, &QAction::triggered, this, [this] {
        OpenLayoutsEditor(this, layoutsList_->currentText());
        layoutsEditorClosed(Run().layoutsListChanged);
    });
    connect(exitAction_, &QAction::triggered, this, &MainWindow::fileExit);
    connect(helpContentsAction_, &QAction::triggered, this, [this] { ShowHelpFrontPage(this); });
    diagnosticsAction_->setEnabled(true);
    connect(diagnosticsAction_, &QAction::triggered, this,
            [this] { OpenDiagnostics(this, currentLayoutNumber(), layoutsList_->currentIndex() + 1); });
    connect(aboutAction_, &QAction::triggered, this, [this] { AboutWindow(this).exec(); });
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MFile"));
    newAction_ = AddMenuAction(file, QStringLiteral("&New"), "MFileNew", false);
    openAction_ = AddMenuAction(file, QStringLiteral("&Open..."), "MFileOpen", false);
    saveAction_ = AddMenuAction(file, QStringLiteral("&Save"), "MFileSave", false);
    saveAsAction_ = AddMenuAction(file, QStringLiteral("Save &As..."), "MFileSaveAs", false);
    file->addSeparator();
    layoutsEditorAction_ = AddMenuAction(file, QStringLiteral("&Layouts Editor..."), "MLayoutsEditor", false);
    file->addSeparator();
    exitAction_ = AddMenuAction(file, QStringLiteral("E&xit"), "MFileExit", true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MHelp"));
    helpContentsAction_ =
        AddMenuAction(help, QStringLiteral("&Help && Information (Front Page)..."), "MHelpContents", false);
    diagnosticsAction_ = AddMenuAction(help, QStringLiteral("&Diagnostics..."), "MDiagnostics", false);
    aboutAction_ = AddMenuAction(help, QStringLiteral("&About"), "MAbout", false);
}

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("CentralWidget"));
    setCentralWidget(central);

    // ---- what to print, above the label text it refers to ----
    auto* printWhatFrame = new QGroupBox(central);
    printWhatFrame->setObjectName(QStringLiteral("Frames2"));
    auto* printWhatLayout = new QVBoxLayout(printWhatFrame);
    const QString optionCaptions[3] = {QStringLiteral("Prin&t what is entered below"),
                                       QStringLiteral("Print all entries in address book"),
                                       QStringLiteral("Print all entries selected in address book")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(optionCaptions[i], printWhatFrame);
        option->setObjectName(Indexed("PrintWhatOB", i + 1));
        printWhatLayout->addWidget(option);
        printWhatOptions_[static_cast<std::size_t>(i)] = option;
    }
    printWhatOptions_[0]->setChecked(true);

    // ---- the label text ----
    labelFrame_ = new QGroupBox(QStringLiteral("Label Text"), central);
    labelFrame_->setObjectName(QStringLiteral("Frames1"));
    auto* labelLayout = new QVBoxLayout(labelFrame_);
    const QFontMetrics metrics(font());
    for (int i = 0; i < LabelLineCount; ++i) {
        auto* box = new LabelLineEdit(labelFrame_);
        box->setObjectName(Indexed("TB", i + 1));
        // A screen reader would otherwise call all five by the frame's caption.
        box->setAccessibleName(QStringLiteral("Label line %1").arg(i + 1));
        connect(box, &LabelLineEdit::linesPasted, this,
                [this, i](const QStringList& lines) { pasteLabelLines(i + 1, lines); });
        box->setMaxLength(LabelLineLength);
        box->setMinimumWidth(metrics.averageCharWidth() * 36);
        box->setToolTip(QStringLiteral("F6 copies the five lines to the clipboard, F7 pastes them"));
        box->installEventFilter(this);
        labelLayout->addWidget(box);
        labelBoxes_[static_cast<std::size_t>(i)] = box;
    }
    clearButton_ = new QPushButton(QStringLiteral("Clear"), labelFrame_);
    clearButton_->setObjectName(QStringLiteral("ClearButton"));
    auto* clearRow = new QHBoxLayout;
    clearRow->addWidget(clearButton_);
    clearRow->addStretch(1);
    labelLayout->addLayout(clearRow);

    paintLabelBoxes(true);

    // ---- the layout ----
    layoutsList_ = new QComboBox(central);
    layoutsList_->setObjectName(QStringLiteral("LayoutsList"));
    layoutsList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layoutsList_->setMinimumContentsLength(30);
    layoutsList_->setMaxVisibleItems(12);
    auto* layoutCaption = new QLabel(QStringLiteral("La&yout:"), central);
    layoutCaption->setBuddy(layoutsList_);

    // ---- position for the first label ----
    auto* positionFrame = new QGroupBox(QStringLiteral("Position for First Label"), central);
    positionFrame->setObjectName(QStringLiteral("Frames3"));
    auto* positionLayout = new QGridLayout(positionFrame);
    const auto makeAxis = [&](PositionAxis& a, const QString& word, const QString& name, int gridRow,
                              const QString& spoken) {
        // Until a layout is applied the caption names no range.
        a.caption = new SteppingButton(QStringLiteral("&%1:").arg(word), positionFrame);
        a.caption->setObjectName(name + QStringLiteral("Label"));
        // The button shows the caption; the plain label keeps the same text for whoever reads it.
        a.plainCaption = new QLabel(a.caption->text(), positionFrame);
        a.plainCaption->setObjectName(name + QStringLiteral("Labelx"));
        a.plainCaption->hide();
        a.box = new CheckedLineEdit(QStringLiteral("1"), positionFrame);
        a.box->setObjectName(name);
        a.box->setAccessibleName(spoken);
        a.box->setMaxLength(5);
        FitToDigits(a.box, 5);
        positionLayout->addWidget(a.caption, gridRow, 0);
        positionLayout->addWidget(a.box, gridRow, 1);
    };
    makeAxis(row_, QStringLiteral("Row"), QStringLiteral("StartRow"), 0, QStringLiteral("Starting row"));
    makeAxis(column_, QStringLiteral("Column"), QStringLiteral("StartCol"), 1, QStringLiteral("Starting column"));
    row_.caption->setToolTip(QStringLiteral("Click or press a key to step the row; right click or minus steps back"));
    column_.caption->setToolTip(
        QStringLiteral("Click or press a key to step the column; right click or minus steps back"));
    incrementButton_ = new SteppingButton(QStringLiteral("<>"), positionFrame);
    incrementButton_->setObjectName(QStringLiteral("IncrementButton"));
    incrementButton_->setToolTip(QStringLiteral("Next label: click or press a key; previous label: right click or "
                                                "minus; first label: 1"));
    incrementButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    positionLayout->addWidget(incrementButton_, 0, 2, 2, 1, Qt::AlignVCenter);
    positionLayout->setColumnStretch(3, 1);

    // ---- copies, address book, print ----
    copiesBox_ = new CheckedLineEdit(QStringLiteral("1"), central);
    copiesBox_->setObjectName(QStringLiteral("CopiesBox"));
    copiesBox_->setAccessibleName(QStringLiteral("Copies"));
    copiesBox_->setMaxLength(5);
    FitToDigits(copiesBox_, 5);
    auto* copiesCaption = new QLabel(QStringLiteral("C&opies:"), central);
    copiesCaption->setObjectName(QStringLiteral("CopiesLabel"));
    copiesCaption->setBuddy(copiesBox_);

    addressBookButton_ = new QPushButton(QStringLiteral("&Address Book..."), central);
    addressBookButton_->setObjectName(QStringLiteral("AddressBookButton"));

    printButton_ = new QPushButton(QStringLiteral("&Print..."), central);
    printButton_->setObjectName(QStringLiteral("PrintButton"));

    // ---- arrangement ----
    auto* layoutRow = new QHBoxLayout;
    layoutRow->addWidget(layoutCaption);
    layoutRow->addWidget(layoutsList_, 1);

    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(copiesCaption);
    copiesRow->addWidget(copiesBox_);
    copiesRow->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(positionFrame);
    right->addLayout(copiesRow);
    right->addStretch(1);

    auto* middle = new QGridLayout;
    middle->addWidget(printWhatFrame, 0, 0);
    middle->addWidget(labelFrame_, 1, 0);
    middle->addLayout(right, 0, 1, 2, 1);
    middle->setColumnStretch(0, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(addressBookButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(printButton_);

    auto* whole = new QVBoxLayout(central);
    whole->addLayout(layoutRow);
    whole->addLayout(middle, 1);
    whole->addLayout(buttonRow);

    // Reading order: the layout, what to print, the label text, the position, copies, print.
    // Typing still starts in the first label line.
    QWidget::setTabOrder(layoutsList_, printWhatOptions_[0]);
    QWidget::setTabOrder(printWhatOptions_[0], printWhatOptions_[1]);
    QWidget::setTabOrder(printWhatOptions_[1], printWhatOptions_[2]);
    QWidget::setTabOrder(printWhatOptions_[2], labelBoxes_[0]);
    for (std::size_t i = 1; i < labelBoxes_.size(); ++i) QWidget::setTabOrder(labelBoxes_[i - 1], labelBoxes_[i]);
    QWidget::setTabOrder(labelBoxes_[4], clearButton_);
    QWidget::setTabOrder(clearButton_, row_.caption);
    QWidget::setTabOrder(row_.caption, row_.box);
    QWidget::setTabOrder(row_.box, column_.caption);
    QWidget::setTabOrder(column_.caption, column_.box);
    QWidget::setTabOrder(column_.box, incrementButton_);
    QWidget::setTabOrder(incrementButton_, copiesBox_);
    QWidget::setTabOrder(copiesBox_, addressBookButton_);
    QWidget::setTabOrder(addressBookButton_, printButton_);
    labelBoxes_[0]->setFocus();
}

void MainWindow::connectControls()
{
    connect(layoutsList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) layoutsListClicked();
    });
    connect(clearButton_, &QPushButton::clicked, this, &MainWindow::clearLabelText);
    for (int i = 0; i < 3; ++i) {
        connect(printWhatOptions_[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) printWhatChosen(i + 1);
        });
    }
    connect(copiesBox_, &CheckedLineEdit::focusLeft, this, &MainWindow::copiesLeft);
    for (Axis a : {Axis::Column, Axis::Row}) {
        PositionAxis& p = axis(a);
        connect(p.box, &CheckedLineEdit::focusLeft, this, [this, a] { startBoxLeft(a); });
        connect(p.caption, &SteppingButton::keyPressed, this, [this, a](int key) { captionKey(a, key); });
        connect(p.caption, &SteppingButton::mousePressed, this,
                [this, a](Qt::MouseButton button) { captionMouse(a, button); });
    }
    connect(incrementButton_, &SteppingButton::keyPressed, this, &MainWindow::incrementKey);
    connect(incrementButton_, &SteppingButton::mousePressed, this, &MainWindow::incrementMouse);
    connect(printButton_, &QPushButton::clicked, this, &MainWindow::printClicked);
    connect(addressBookButton_, &QPushButton::clicked, this, &MainWindow::openAddressBook);
}

void MainWindow::openAddressBook()
{
    AddressBook book(this);
    // The address book stays open while the label text takes the record's address lines.
    connect(&book, &AddressBook::insertIntoLabel, this, [this](const QStringList& lines) {
        for (int line = 1; line <= LabelLineCount; ++line) setLabelLine(line, lines.value(line - 1));
    });
    book.exec();
    if (Run().dataChanged) CountAddressEntries();
}

void MainWindow::printClicked()
{
    if (!leaveFocusedBox()) return;
    PrintCommand(printCommandInputs());
}

PrintCommandInputs MainWindow::printCommandInputs()
{
    PrintCommandInputs in;
    in.window = this;
    in.copiesBox = copiesBox_;
    in.startRowBox = row_.box;
    in.startColumnBox = column_.box;
    in.source = printWhat();
    for (int line = 1; line <= LabelLineCount; ++line) in.texts[static_cast<std::size_t>(line - 1)] = labelLine(line);
    in.layoutNumber = currentLayoutNumber();
    in.printer = &SelectedPrinter();
    in.validateLayout = [this](DrawingSurface& surface) { return ValidateLayoutForPrint(surface); };
    return in;
}

int MainWindow::printWhat() const
{
    for (int i = 0; i < 3; ++i)
        if (printWhatOptions_[static_cast<std::size_t>(i)]->isChecked()) return i + 1;
    return 1;
}

QString MainWindow::labelLine(int line) const
{
    if (line < 1 || line > LabelLineCount) return QString();
    return labelBoxes_[static_cast<std::size_t>(line - 1)]->text();
}

void MainWindow::setLabelLine(int line, const QString& text)
{
    if (line < 1 || line > LabelLineCount) return;
    labelBoxes_[static_cast<std::size_t>(line - 1)]->setText(text);
}

QLineEdit* MainWindow::copiesBox() const
{
    return copiesBox_;
}

QLineEdit* MainWindow::startRowBox() const
{
    return row_.box;
}

QLineEdit* MainWindow::startColBox() const
{
    return column_.box;
}

} // namespace quillet
