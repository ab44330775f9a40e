#include "common/widget_dialogs.h"
#include "mainwindow/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setOrganizationName(QStringLiteral("Quillet"));
    quillet::WidgetDialogs dialogs;
    quillet::InstallDialogs(&dialogs);
    quillet::MainWindow window;
    if (!window.load()) {
        quillet::InstallDialogs(nullptr);
        return 0;
    }
    const int result = QApplication::exec();
    quillet::InstallDialogs(nullptr);
    return result;
}
