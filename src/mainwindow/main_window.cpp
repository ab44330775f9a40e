#include "mainwindow/main_window.h"

#include "model/factory_layouts.h"
#include "model/shared_state.h"

namespace quillet {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Quillet"));
    MainLink().setTitle = [this](const QString& title) { setWindowTitle(title); };
}

MainWindow::~MainWindow()
{
    MainLink() = MainWindowLink();
}

void MainWindow::load()
{
    UpdatingControls = true;
    StartNewData();
    show();
    DataChanged = false;
    UpdatingControls = false;
}

} // namespace quillet
