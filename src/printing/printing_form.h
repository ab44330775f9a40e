#pragma once

#include "printing/print_job.h"
#include "printing/printer_surface.h"

#include <QDialog>
#include <QElapsedTimer>

class QCheckBox;
class QFrame;
class QLabel;
class QPrinter;
class QPushButton;

namespace quillet {

// The printing window: Start runs the print job on the printer, with a progress display, an
// optional pause between sheets and Cancel at any time. It closes when the run ends.
class PrintingForm : public QDialog, private PrintRunWindow {
    Q_OBJECT
public:
    PrintingForm(const PrintJob& job, QPrinter& printer, QWidget* parent = nullptr);

    // The surface the run draws on (tests read which files it wrote).
    PrinterSurface& surface() { return surface_; }

    // Closing the window in any way cancels a run in progress.
    void reject() override;

Q_SIGNALS:
    // After the display has been updated, before pending events run (not after every label).
    void progressShown(int percent);

private:
    void setProgress(int percent) override;
    void sheetFinished() override;
    bool pauseBetweenSheets() const override;
    // Updates the display and lets pending window events run.
    void showProgress(int percent);

    void start();
    void cancel();
    void printerSetup();
    void showOutput();

    PrintJob job_;
    QPrinter& printer_;
    PrinterSurface surface_;
    QCheckBox* pause_ = nullptr;
    QPushButton* setup_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* output_ = nullptr;
    QLabel* meterLabel_ = nullptr;
    QFrame* meter_ = nullptr;
    QLabel* meterBorder_ = nullptr;
    int shownPercent_ = -1;
    int latestPercent_ = 0;
    QElapsedTimer sinceEvents_; // since the events last ran
    bool running_ = false;
};

} // namespace quillet
