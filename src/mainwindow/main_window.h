#pragma once

#include <QMainWindow>

namespace quillet {

// The main window owns the program's lifetime: loading it starts the program, closing it ends it.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: a fresh data set, shown, with DataChanged false at the end.
    void load();
};

} // namespace quillet
