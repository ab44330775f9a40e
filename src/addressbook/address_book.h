#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QAction;
class QMenuBar;
class QPushButton;

namespace quillet {

class LetterTabs;
class RecordList;
class TypingLimitEdit;

// The address book: one letter tab's 30 records at a time, the current record's five address
// lines and memo edited in place (every edit goes into the table at once), checks that select
// records for printing, whole-record editing and Find. It reopens on the tab and record it was
// closed on.
class AddressBook : public QDialog {
    Q_OBJECT
public:
    explicit AddressBook(QWidget* parent = nullptr);

    // Shows tab `tab` (0-25) as if the user had picked it, with record `record` (0-29) current.
    void showPlace(int tab, int record);

Q_SIGNALS:
    // "Insert Address into Label": the five address lines of the current record, as shown.
    void insertIntoLabel(const QStringList& lines);

private:
    void buildMenus(QMenuBar* bar);
    void buildControls();

    int currentTab() const;
    int currentRecord() const;
    // Rewrites the 30 items of the shown tab; drops the check of a record without text.
    void ShowRecordList();
    // Fills the six boxes from the current record.
    void ShowCurrentRecord();
    // ShowRecordList, then record `record` highlighted and shown.
    void redraw(int record);

    void lineEdited(int line);
    void checkToggled(int record, bool checked);
    void tabChosen(int tab);
    void insertAddress();

    // Yes/No question with No as the default; true for Yes.
    static bool confirmed(const QString& question, const QString& title);
    void clearCurrentRecord();
    void cutRecord();
    void copyRecord();
    void pasteRecord();
    void clearAllRecords();
    void selectAll(bool select);
    void openFind();

    LetterTabs* tabs_ = nullptr;
    RecordList* list_ = nullptr;
    std::array<TypingLimitEdit*, 6> boxes_{};
    QPushButton* insertButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QAction* pasteAction_ = nullptr;
};

} // namespace quillet
