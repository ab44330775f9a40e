#include "addressbook/letter_tabs.h"

#include "addressbook/address_records.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace quillet {

namespace {
constexpr int TabsPerRow = 13;
}

LetterTabs::LetterTabs(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Letter tabs"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int tab = 0; tab < TabCount; ++tab) {
        auto* button = new QToolButton(this);
        const QString letter = TabLetter(tab);
        button->setText(letter);
        button->setObjectName(QStringLiteral("Tab") + letter);
        button->setAccessibleName(QStringLiteral("Tab ") + letter);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->installEventFilter(this);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        grid->addWidget(button, tab / TabsPerRow, tab % TabsPerRow);
        buttons_[static_cast<std::size_t>(tab)] = button;
        connect(button, &QToolButton::toggled, this, [this, tab](bool on) {
            if (!on || tab == current_) return;
            markCurrent(tab);
            Q_EMIT chosen(tab);
        });
    }
    markCurrent(0);
}

void LetterTabs::setCurrent(int tab)
{
    if (tab == current_) return;
    markCurrent(tab);
}

bool LetterTabs::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int tab = tabForKey(key->key(), key->modifiers());
        if (tab >= 0) {
            QToolButton* button = buttons_[static_cast<std::size_t>(tab)];
            button->setFocus(Qt::TabFocusReason);
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int LetterTabs::tabForKey(int key, Qt::KeyboardModifiers modifiers) const
{
    // Keys held with Alt or Ctrl stay access keys and shortcuts.
    if (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return -1;
    const auto within = [](int tab) { return tab >= 0 && tab < TabCount ? tab : -1; };
    switch (key) {
    case Qt::Key_Left:
        return within(current_ - 1);
    case Qt::Key_Right:
        return within(current_ + 1);
    case Qt::Key_Up:
        return within(current_ - TabsPerRow);
    case Qt::Key_Down:
        return within(current_ + TabsPerRow);
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return TabCount - 1;
    default:
        return key >= Qt::Key_A && key <= Qt::Key_Z ? key - Qt::Key_A : -1;
    }
}

void LetterTabs::markCurrent(int tab)
{
    const bool hadFocus = buttons_[static_cast<std::size_t>(current_)]->hasFocus();
    current_ = tab;
    // current_ is set first, so the toggle this causes is not taken for the user's choice.
    buttons_[static_cast<std::size_t>(tab)]->setChecked(true);
    for (int t = 0; t < TabCount; ++t)
        buttons_[static_cast<std::size_t>(t)]->setFocusPolicy(t == tab ? Qt::StrongFocus : Qt::ClickFocus);
    if (hadFocus) buttons_[static_cast<std::size_t>(tab)]->setFocus();
}

} // namespace quillet
