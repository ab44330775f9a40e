#include "addressbook/address_book.h"

#include "addressbook/address_records.h"
#include "addressbook/find_window.h"
#include "addressbook/letter_tabs.h"
#include "addressbook/record_list.h"
#include "addressbook/typing_limit_edit.h"
#include "common/control_names.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "model/run_state.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {
constexpr int AddressLineLength = 50;
constexpr int MemoLength = 100;
constexpr std::size_t MemoBox = 5;

QAction* AddCommand(QMenu* menu, const QString& caption, const char* objectName, const QKeySequence& keys = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(keys);
    return action;
}

} // namespace

AddressBook::AddressBook(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AddressBook"));
    setWindowTitle(QStringLiteral("Address Book"));
    buildControls();

    RunState& run = Run();
    run.updatingControls = true;
    if (run.addressBookRecord < 1 || run.addressBookRecord > RecordsPerTab) run.addressBookRecord = 1;
    if (run.addressBookTab < 0 || run.addressBookTab >= TabCount) run.addressBookTab = 0;
    showPlace(run.addressBookTab, run.addressBookRecord - 1);
    pasteAction_->setEnabled(run.recordClipboardFull);
    run.updatingControls = false;
    list_->setFocus();
}

void AddressBook::buildMenus(QMenuBar* bar)
{
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MEdit"));
    connect(AddCommand(edit, QStringLiteral("&Cut Current Record"), "MEditCutAB", Qt::Key_F5), &QAction::triggered,
            this, &AddressBook::cutRecord);
    connect(AddCommand(edit, QStringLiteral("&Copy Current Record"), "MEditCopyAB", Qt::Key_F6), &QAction::triggered,
            this, &AddressBook::copyRecord);
    pasteAction_ = AddCommand(edit, QStringLiteral("&Paste Record"), "MEditPasteAB", Qt::Key_F7);
    connect(pasteAction_, &QAction::triggered, this, &AddressBook::pasteRecord);
    edit->addSeparator();
    connect(AddCommand(edit, QStringLiteral("Clear ALL Records..."), "MEditClearAll"), &QAction::triggered, this,
            &AddressBook::clearAllRecords);
    edit->addSeparator();
    connect(AddCommand(edit, QStringLiteral("&Find..."), "MFind", QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, &AddressBook::openFind);

    QMenu* select = bar->addMenu(QStringLiteral("&Select"));
    select->setObjectName(QStringLiteral("MSelect"));
    connect(AddCommand(select, QStringLiteral("&All"), "MSelectAll"), &QAction::triggered, this,
            [this] { selectAll(true); });
    connect(AddCommand(select, QStringLiteral("&None"), "MSelectNone"), &QAction::triggered, this,
            [this] { selectAll(false); });
}

void AddressBook::buildControls()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("AddressBookMenus"));
    buildMenus(bar);

    // Created in reading order, which is also the order the Tab key follows.
    tabs_ = new LetterTabs(this);
    tabs_->setObjectName(QStringLiteral("TabHolder"));
    connect(tabs_, &LetterTabs::chosen, this, &AddressBook::tabChosen);

    list_ = new RecordList(this);
    list_->setObjectName(QStringLiteral("RecordList"));
    list_->setAccessibleName(QStringLiteral("Records under this letter; check those to print"));
    list_->setMinimumWidth(list_->fontMetrics().averageCharWidth() * 30);
    auto* listCaption = new QLabel(QStringLiteral("&List"), this);
    listCaption->setObjectName(QStringLiteral("ListLabel"));
    listCaption->setBuddy(list_);
    connect(list_, &RecordList::highlightMoved, this, [this] {
        if (!Run().updatingControls) ShowCurrentRecord();
    });
    connect(list_, &RecordList::checkToggled, this, &AddressBook::checkToggled);

    auto* frame = new QGroupBox(QStringLiteral("Current Record"), this);
    frame->setObjectName(QStringLiteral("RecordFrame"));
    auto* frameLayout = new QVBoxLayout(frame);
    auto* addressCaption = new QLabel(QStringLiteral("&Address"), frame);
    addressCaption->setObjectName(QStringLiteral("AddressLabel"));
    frameLayout->addWidget(addressCaption);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const bool memo = i == MemoBox;
        auto* box = new TypingLimitEdit(memo ? MemoLength : AddressLineLength, frame);
        box->setObjectName(QStringLiteral("TB") + QString::number(i + 1));
        box->setAccessibleName(memo ? QStringLiteral("Memo") : QStringLiteral("Address line %1").arg(i + 1));
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 40);
        if (memo) {
            auto* memoCaption = new QLabel(QStringLiteral("&Memo"), frame);
            memoCaption->setObjectName(QStringLiteral("MemoLabel"));
            memoCaption->setBuddy(box);
            frameLayout->addWidget(memoCaption);
        }
        frameLayout->addWidget(box);
        boxes_[i] = box;
        connect(box, &QLineEdit::textChanged, this, [this, i] { lineEdited(static_cast<int>(i)); });
    }
    addressCaption->setBuddy(boxes_[0]);
    frameLayout->addStretch(1);

    insertButton_ =
        NonDefaultButton(QStringLiteral("&Insert Address into Label"), QStringLiteral("EnterAddressButton"), this);
    deleteButton_ = NonDefaultButton(QStringLiteral("Clear Current Record"), QStringLiteral("DeleteButton"), this);
    closeButton_ = NonDefaultButton(QStringLiteral("Close"), QStringLiteral("CloseButton"), this);
    connect(insertButton_, &QPushButton::clicked, this, &AddressBook::insertAddress);
    connect(deleteButton_, &QPushButton::clicked, this, &AddressBook::clearCurrentRecord);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    // The list grows with the window's height, the boxes with its width.
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(listCaption);
    listColumn->addWidget(list_, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(insertButton_);
    buttonRow->addWidget(deleteButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(closeButton_);
    auto* recordColumn = new QVBoxLayout;
    recordColumn->addWidget(frame, 1);
    recordColumn->addLayout(buttonRow);
    auto* body = new QHBoxLayout;
    body->addLayout(listColumn, 2);
    body->addLayout(recordColumn, 3);
    auto* whole = new QVBoxLayout(this);
    whole->setMenuBar(bar);
    whole->addWidget(tabs_);
    whole->addLayout(body, 1);
}

int AddressBook::currentTab() const
{
    return tabs_->current();
}

int AddressBook::currentRecord() const
{
    return std::max(list_->highlighted(), 0);
}

void AddressBook::ShowRecordList()
{
    const int tab = currentTab();
    for (int record = 0; record < RecordsPerTab; ++record) {
        const bool checked = RecordIsSelected(tab, record);
        // A check left on a record without text, or any other text than "True", goes here; the
        // user did not edit anything, so DataChanged stays as it is.
        if (!checked) LayoutData().setCell(tab, record, Selected, QString());
        list_->setRecord(record, ListItemText(tab, record), checked);
    }
}

void AddressBook::ShowCurrentRecord()
{
    RunState& run = Run();
    run.updatingControls = true;
    const int tab = currentTab();
    const int record = currentRecord();
    run.addressBookRecord = record + 1;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->showText(RecordCell(tab, record, static_cast<RecordItem>(i)));
    run.updatingControls = false;
}

void AddressBook::redraw(int record)
{
    ShowRecordList();
    list_->highlight(record);
    ShowCurrentRecord();
}

void AddressBook::showPlace(int tab, int record)
{
    Run().addressBookTab = tab;
    tabs_->setCurrent(tab);
    redraw(record);
}

void AddressBook::tabChosen(int tab)
{
    Run().updatingControls = true;
    showPlace(tab, 0);
    Run().updatingControls = false;
}

void AddressBook::lineEdited(int line)
{
    if (Run().updatingControls) return;
    const int record = currentRecord();
    const QString text = boxes_[static_cast<std::size_t>(line)]->text();
    LayoutData().setCell(currentTab(), record, line, text);
    // The item follows the first line while the user types into it; a box of blanks above counts
    // as text, and emptying line 1 shows only the number until the list is rebuilt.
    const bool firstLine = std::all_of(boxes_.begin(), boxes_.begin() + line,
                                       [](const TypingLimitEdit* box) { return box->text().isEmpty(); });
    if (firstLine) list_->setItemText(record, ListItemText(record, text));
    Run().dataChanged = true;
}

void AddressBook::checkToggled(int record, bool checked)
{
    if (Run().updatingControls) return;
    const bool stored = IsTrueFlag(RecordCell(currentTab(), record, Selected));
    if (checked == stored) return;
    LayoutData().setCell(currentTab(), record, Selected, checked ? QStringLiteral("True") : QString());
    Run().dataChanged = true;
}

void AddressBook::insertAddress()
{
    QStringList lines;
    for (std::size_t i = 0; i < MemoBox; ++i) lines << boxes_[i]->text();
    Q_EMIT insertIntoLabel(lines);
}

// ---- whole-record editing --------------------------------------------------------------------

bool AddressBook::confirmed(const QString& question, const QString& title)
{
    return ShowMessage(question, Buttons::YesNo, Icon::Question, title, Answer::No) == Answer::Yes;
}

void AddressBook::clearCurrentRecord()
{
    const int tab = currentTab(), record = currentRecord();
    if (!confirmed(ClearQuestion(tab, record), QStringLiteral("Clear Record Caution"))) return;
    WriteRecord(tab, record, RecordCells());
    Run().dataChanged = true;
    redraw(record);
}

void AddressBook::cutRecord()
{
    const int tab = currentTab(), record = currentRecord();
    if (!confirmed(CutQuestion(tab, record), QStringLiteral("Cut Warning"))) return;
    Run().recordClipboard = ReadRecord(tab, record);
    WriteRecord(tab, record, RecordCells());
    Run().dataChanged = true;
    redraw(record);
    pasteAction_->setEnabled(true);
    Run().recordClipboardFull = true;
}

void AddressBook::copyRecord()
{
    const int tab = currentTab(), record = currentRecord();
    if (!confirmed(CopyQuestion(tab, record), QStringLiteral("Copy Warning"))) return;
    Run().recordClipboard = ReadRecord(tab, record);
    pasteAction_->setEnabled(true);
    Run().recordClipboardFull = true;
}

void AddressBook::pasteRecord()
{
    if (!Run().recordClipboardFull) return;
    const int tab = currentTab(), record = currentRecord();
    if (!confirmed(PasteQuestion(Run().recordClipboard, tab, record), QStringLiteral("Paste Warning"))) return;
    WriteRecord(tab, record, Run().recordClipboard);
    Run().dataChanged = true;
    redraw(record);
}

void AddressBook::clearAllRecords()
{
    if (ShowMessage(QStringLiteral("Clear **ALL** Address Book entries?"), Buttons::YesNo, Icon::Warning,
                    QStringLiteral("Caution"), Answer::No) != Answer::Yes)
        return;
    ClearAllRecords();
    showPlace(0, 0);
    Run().dataChanged = true;
}

void AddressBook::selectAll(bool select)
{
    if (select)
        SelectAllRecords();
    else
        SelectNoRecords();
    redraw(currentRecord());
    Run().dataChanged = true;
}

void AddressBook::openFind()
{
    FindWindow find(this);
    // Find stays open while the address book moves to the record it found.
    connect(&find, &FindWindow::placeChosen, this, &AddressBook::showPlace);
    find.exec();
}

} // namespace quillet
