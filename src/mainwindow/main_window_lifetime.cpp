// The main window's loading, which starts the program, and its unload, which ends it.
#include "mainwindow/main_window.h"

#include "common/dialogs.h"
#include "common/failure.h"
#include "common/steps.h"
#include "mainwindow/window_placement.h"
#include "model/data_file.h"
#include "model/file_commands.h"
#include "model/run_state.h"
#include "model/settings_file.h"
#include "model/startup.h"
#include "model/user_settings.h"

#include <QCloseEvent>
#include <QScreen>
#include <QWindow>

namespace quillet {

bool MainWindow::load(const QString& fileToOpen)
{
    int stepNumber = 1;
    try {
        if (AnotherCopyIsRunning()) {
            const Answer answer =
                ShowMessage(QStringLiteral("Quillet is already running.") + CR + CR +
                                QStringLiteral("Would you like to run another copy of it?"),
                            Buttons::YesNo, Icon::Question, QStringLiteral("QX Already Running"), Answer::No);
            if (answer != Answer::Yes) return false;
        }
        stepNumber = 2;
        Run().updatingControls = true;
        stepNumber = 3;
        LoadStartupData(fileToOpen.isEmpty());
        stepNumber = 4;
        show();
        stepNumber = 5;
        SetHelpFile();
        stepNumber = 6;
        Run().dataChanged = false;
        Run().updatingControls = false;
        // A file named at start opens over the fresh data set, with File > Open's questions.
        if (!fileToOpen.isEmpty()) OpenDataFileNamed(fileToOpen, false);
        return true;
    } catch (...) {
        const Failure failure = Steps::ToFailure(std::current_exception());
        try {
            ShowMessage(QStringLiteral("Error loading Quillet:  ") + failure.description + CR +
                        QStringLiteral("Error number:  ") + QString::number(failure.number) + u'-' +
                        QString::number(stepNumber) + CR + CR +
                        QStringLiteral("Please contact Tolvan Software about this problem - - it shouldn't have "
                                       "happened.") +
                        CR + CR + QStringLiteral("Tolvan Software, Suite 300, 1420 Alder Street, Eugene, OR 97401"));
        } catch (...) {
        }
        Run().updatingControls = false;
        return false;
    }
}

void MainWindow::restoreWindowPosition()
{
    Steps step(QStringLiteral("Error setting default QX Window position"), Buttons::AbortRetryIgnore);
    QPoint position;
    if (!step(1, [&] {
            QSize size = frameGeometry().size();
            if (!isVisible()) {
                // Not shown yet: Qt's default size and no frame. Centre it as showing it will make
                // it, laid out (as showing does, unless something resized it) and framed.
                if (!testAttribute(Qt::WA_Resized)) {
                    adjustSize();
                    setAttribute(Qt::WA_Resized, false);
                }
                create();
                size = geometry().size().grownBy(windowHandle()->frameMargins());
            }
            position = PlaceWindow(Run().settingsData[1], Run().settingsData[2], screen()->geometry().size(), size,
                                   screen()->logicalDotsPerInch());
        }))
        return;
    step(2, [&] { move(position); });
}

bool MainWindow::unload()
{
    Steps step(QStringLiteral("Error unloading Quillet"), Buttons::Ok);
    bool goOn = true;
    // When the save itself cannot be attempted the window stays open: closing would lose data.
    if (!step(1, [&] {
            goOn = true;
            if (!Run().dataChanged || Run().readOnlyMode()) return;
            QString name = Run().settingsData[0];
            if (SaveDataFile(name) == 1) return;
            goOn = ShowMessage(QStringLiteral("Exit Quillet without saving data?"), Buttons::YesNo, Icon::Question,
                               QStringLiteral("QX Exit Warning"), Answer::No) == Answer::Yes;
        }))
        return false;
    if (!goOn) return false;

    if (step(2,
             [this] {
                 const double dpi = screen()->logicalDotsPerInch();
                 const QRect frame = frameGeometry();
                 Run().settingsData[1] = TwipsText(frame.left(), dpi);
                 Run().settingsData[2] = TwipsText(frame.top(), dpi);
             }) &&
        step(3, [] { SaveSettingsFile(); }))
        step(4, [] { SaveUserSettings(); });
    Run().dataFileHandle.release();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (unload()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::fileExit()
{
    Steps step(QStringLiteral("Error closing Quillet from the menu"), Buttons::RetryCancel);
    step(1, [this] { close(); });
}

} // namespace quillet
