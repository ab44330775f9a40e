#include "layouts/typing_limit.h"

#include <QLineEdit>

#include <algorithm>

namespace quillet {

TypingLimit::TypingLimit(QLineEdit* box, int limit) : QValidator(box), limit_(limit), allowed_(limit)
{
    box->setValidator(this);
    // Validation sees the new text before this runs: what the box held is the allowance.
    connect(box, &QLineEdit::textChanged, this,
            [this](const QString& text) { allowed_ = std::max(limit_, static_cast<int>(text.size())); });
}

QValidator::State TypingLimit::validate(QString& input, int&) const
{
    return input.size() > allowed_ ? Invalid : Acceptable;
}

void SetShownText(QLineEdit* box, const QString& text)
{
    if (auto* limit = box->findChild<TypingLimit*>(QString(), Qt::FindDirectChildrenOnly))
        limit->allowed_ = std::max(limit->limit_, static_cast<int>(text.size()));
    box->setText(text);
}

} // namespace quillet
