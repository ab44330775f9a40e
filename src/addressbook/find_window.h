#pragma once

#include "addressbook/record_search.h"

#include <QDialog>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet {

// Find: searches the address book for a piece of text, one match at a time in the order of the
// tabs and records, and can move the address book to the match while it stays open. Every
// opening starts a fresh search.
class FindWindow : public QDialog {
    Q_OBJECT
public:
    explicit FindWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    // "Set Address Book to This Record": tab 0-25, record 0-29.
    void placeChosen(int tab, int record);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    void showExamining(RecordPlace place);
    void showMatch(RecordPlace place);
    // The next press starts a new search from A-1.
    void endSearch();
    void searchTextEdited();

    QLineEdit* searchText_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QGroupBox* matchFrame_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* letterLabel_ = nullptr;
    QLabel* numberLabel_ = nullptr;
    QPushButton* setABButton_ = nullptr;
    QLabel* cLet_ = nullptr;
    QLabel* cNum_ = nullptr;
    // Where "Search For Next One" goes on from; none while the next press starts a new search.
    std::optional<RecordPlace> lastMatch_;
    // The match the frame shows.
    RecordPlace shownMatch_;
};

} // namespace quillet
