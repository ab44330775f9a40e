#pragma once

#include <QDialog>

namespace quillet {

// Help > "&About": the program's name, version and maker.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace quillet
