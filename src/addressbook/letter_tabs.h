#pragma once

#include <QWidget>

#include <array>

class QToolButton;

namespace quillet {

// The letter tabs "A" to "Z" in two rows of 13, one of them current. A click picks a tab; so do,
// on the current tab, the arrow keys (left and right step through the alphabet, up and down
// between the rows), Home and End, and a letter key. The Tab key stops only at the current tab.
// Only the user's choice is signalled, never a tab the program sets.
class LetterTabs : public QWidget {
    Q_OBJECT
public:
    explicit LetterTabs(QWidget* parent = nullptr);

    int current() const { return current_; }
    void setCurrent(int tab);

Q_SIGNALS:
    void chosen(int tab);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tab a key on the current tab leads to; -1 for keys left to Qt.
    int tabForKey(int key, Qt::KeyboardModifiers modifiers) const;
    void markCurrent(int tab);

    std::array<QToolButton*, 26> buttons_{};
    int current_ = 0;
};

} // namespace quillet
