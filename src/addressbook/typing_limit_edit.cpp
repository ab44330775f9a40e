#include "addressbook/typing_limit_edit.h"

#include <algorithm>

namespace quillet {

TypingLimitEdit::TypingLimitEdit(int limit, QWidget* parent) : QLineEdit(parent), limit_(limit)
{
    setMaxLength(limit);
    connect(this, &QLineEdit::textEdited, this, &TypingLimitEdit::allowCurrentLength);
}

void TypingLimitEdit::showText(const QString& text)
{
    // Qt cuts the text shown when the limit is lowered, so the limit is lowered only after the
    // new text is in.
    const int allowed = std::max(limit_, static_cast<int>(text.size()));
    if (allowed > maxLength()) setMaxLength(allowed);
    setText(text);
    if (allowed < maxLength()) setMaxLength(allowed);
}

void TypingLimitEdit::allowCurrentLength()
{
    // Shortening a long line lowers what may be typed back, down to the limit itself. Qt puts the
    // cursor at the end when the limit changes; the user's place is kept.
    const int allowed = std::max(limit_, static_cast<int>(text().size()));
    if (allowed == maxLength()) return;
    const int cursor = cursorPosition();
    setMaxLength(allowed);
    setCursorPosition(cursor);
}

} // namespace quillet
