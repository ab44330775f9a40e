#pragma once

#include "common/dialogs.h"

#include <QColor>
#include <QDialog>

class QFontDialog;
class QLabel;
class QPushButton;

namespace quillet {

// The font choice of a label line: Qt's font dialog (face, style, size, underline) with a colour
// button beside it, as Qt's own dialogs have none. Sizes are limited to 3-50 points: OK with
// another size keeps the dialog open and says why.
class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColorDialog(const FontChoice& initial, QWidget* parent = nullptr);

    FontChoice choice() const;
    void setColor(const QColor& color);
    void accept() override;

    static constexpr double SmallestSize = 3;
    static constexpr double LargestSize = 50;

private:
    void chooseColor();

    QFontDialog* fonts_;
    QPushButton* colorButton_;
    QLabel* sizeNote_;
    QColor color_;
};

} // namespace quillet
