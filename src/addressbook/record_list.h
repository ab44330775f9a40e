#pragma once

#include <QListWidget>

namespace quillet {

// The address book's list of one tab's 30 records, each with a check box. It tells the user's own
// actions apart: a check toggled and a highlight moved by the user are signalled, each on its own;
// what the program sets through the methods below signals nothing.
class RecordList : public QListWidget {
    Q_OBJECT
public:
    explicit RecordList(QWidget* parent = nullptr);

    void setRecord(int row, const QString& text, bool checked);
    void setItemText(int row, const QString& text);
    // Highlights the item and scrolls it into view.
    void highlight(int row);
    int highlighted() const { return currentRow(); }
    bool isChecked(int row) const;

Q_SIGNALS:
    void checkToggled(int row, bool checked);
    void highlightMoved(int row);

private:
    // Runs a change of the program's own without signalling it.
    template <class Change> void quietly(Change&& change)
    {
        const bool wasQuiet = quiet_;
        quiet_ = true;
        change();
        quiet_ = wasQuiet;
    }

    bool quiet_ = false;
};

} // namespace quillet
