#pragma once

#include <QValidator>

class QLineEdit;

namespace quillet {

// A length limit on what the user types into a line edit. Unlike QLineEdit::setMaxLength it never
// cuts a text the program puts in (SetShownText): the user only cannot make the text longer than
// the limit, or longer than it already is.
class TypingLimit : public QValidator {
    Q_OBJECT
public:
    TypingLimit(QLineEdit* box, int limit);
    State validate(QString& input, int& pos) const override;
    int limit() const { return limit_; }

private:
    friend void SetShownText(QLineEdit* box, const QString& text);
    int limit_;
    int allowed_;
};

// Sets the box's text in full, whatever its typing limit.
void SetShownText(QLineEdit* box, const QString& text);

} // namespace quillet
