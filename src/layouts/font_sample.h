#pragma once

#include <QDialog>
#include <QPicture>

class QLabel;

namespace quillet {

// The font sample window: a layout's five lines drawn once, on opening, in the layout's fonts,
// sizes, styles, colours and alignment, in a white area sized around them, with Close below.
class FontSample : public QDialog {
    Q_OBJECT
public:
    // Layout number 1-12.
    explicit FontSample(int layoutNumber, QWidget* parent = nullptr);

private:
    // The drawn lines, kept so that they show again whenever the window is uncovered.
    QPicture picture_;
};

} // namespace quillet
