#include "printing/printing_form.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "model/run_state.h"
#include "printing/print_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quillet {

namespace {
constexpr int MeterWidth = 300;
constexpr int MeterHeight = 18;
// How long the display and the window's events may wait while labels are drawn.
constexpr qint64 EventInterval = 10'000'000; // nanoseconds
// The progress a pass starts at, 12; the values below it are the run's first steps.
constexpr int FirstLabelPercent = 12;
} // namespace

PrintingForm::PrintingForm(const PrintJob& job, QPrinter& printer, QWidget* parent)
    : QDialog(parent), job_(job), printer_(printer), surface_(printer)
{
    Steps step(QStringLiteral("Error loading print form"), Buttons::Ok);
    step(1, [&] {
        setObjectName(QStringLiteral("PrintingForm"));
        setWindowTitle(QStringLiteral("Print"));
        setModal(true);

        pause_ = new QCheckBox(QStringLiteral("Pause Between Sheets"), this);
        pause_->setObjectName(QStringLiteral("PauseCB"));
        output_ = new QLabel(this);
        output_->setObjectName(QStringLiteral("OutputLabel"));
        output_->setWordWrap(true);
        output_->setTextFormat(Qt::PlainText); // a printer name or file path, never markup
        output_->setTextInteractionFlags(Qt::TextSelectableByMouse);

        meterBorder_ = new QLabel(this);
        meterBorder_->setObjectName(QStringLiteral("MeterBorder"));
        meterBorder_->setFrameShape(QFrame::Box);
        meterBorder_->setFixedSize(MeterWidth, MeterHeight);
        meter_ = new QFrame(meterBorder_);
        meter_->setObjectName(QStringLiteral("Meter"));
        meter_->setAutoFillBackground(true);
        QPalette fill = meter_->palette();
        fill.setColor(QPalette::Window, fill.color(QPalette::Highlight));
        meter_->setPalette(fill);
        meter_->setGeometry(1, 1, 0, MeterHeight - 2);
        meterLabel_ = new QLabel(QStringLiteral("0%"), this);
        meterLabel_->setObjectName(QStringLiteral("MeterLabel"));
        meterLabel_->setMinimumWidth(40);

        setup_ = new QPushButton(QStringLiteral("Printer Setup..."), this);
        setup_->setObjectName(QStringLiteral("PrinterSetupButton"));
        start_ = new QPushButton(QStringLiteral("Start"), this);
        start_->setObjectName(QStringLiteral("StartButton"));
        start_->setDefault(true);
        cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
        cancel_->setObjectName(QStringLiteral("CancelButton"));

        auto* meterRow = new QHBoxLayout;
        meterRow->addWidget(meterBorder_);
        meterRow->addWidget(meterLabel_);
        meterRow->addStretch();
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(setup_);
        buttons->addStretch();
        buttons->addWidget(start_);
        buttons->addWidget(cancel_);
        auto* column = new QVBoxLayout(this);
        column->addWidget(output_);
        column->addWidget(pause_);
        column->addLayout(meterRow);
        column->addLayout(buttons);

        connect(start_, &QPushButton::clicked, this, &PrintingForm::start);
        connect(cancel_, &QPushButton::clicked, this, &PrintingForm::cancel);
        connect(setup_, &QPushButton::clicked, this, &PrintingForm::printerSetup);
        showOutput();
    });
    step(2, [&] { showProgress(0); });
}

void PrintingForm::showOutput()
{
    const QString where = surface_.outputDescription();
    output_->setText(printer_.outputFormat() == QPrinter::PdfFormat ? QStringLiteral("Output: PDF file ") + where
                                                                    : QStringLiteral("Output: printer ") + where);
}

void PrintingForm::setProgress(int percent)
{
    // The run reports after every label. The first steps and the start of each pass are always
    // shown; the rest at most every few milliseconds, which is often enough for the eye and for
    // Cancel or the pause box to take effect at once.
    latestPercent_ = percent;
    const bool milestone =
        percent != shownPercent_ && (percent <= FirstLabelPercent || percent < shownPercent_ || percent >= 100);
    if (!milestone && sinceEvents_.isValid() && sinceEvents_.nsecsElapsed() < EventInterval) return;
    showProgress(percent);
}

void PrintingForm::sheetFinished()
{
    showProgress(latestPercent_);
}

void PrintingForm::showProgress(int percent)
{
    Steps step(QStringLiteral("Error setting print progress meter"), Buttons::Ok);
    step(1, [&] {
        // Only a changed number is worth repainting; the events below run every time.
        if (percent == shownPercent_) return;
        shownPercent_ = percent;
        if (percent >= 1) {
            meterLabel_->setVisible(true);
            meter_->setVisible(true);
        } else {
            meterLabel_->setVisible(false);
            meter_->setVisible(false);
        }
        const float fraction = std::min(static_cast<float>(percent) / 100.0f, 1.0f);
        meterLabel_->setText(FormatSingle(fraction * 100.0f));
        const int width = static_cast<int>((meterBorder_->width() - meter_->x()) * fraction);
        meter_->resize(std::max(0, std::min(width, meterBorder_->width() - 2)), meter_->height());
    });
    Q_EMIT progressShown(percent);
    step(2, [] { QCoreApplication::processEvents(); });
    sinceEvents_.start();
}

bool PrintingForm::pauseBetweenSheets() const
{
    return pause_->isChecked();
}

void PrintingForm::start()
{
    Steps step(QStringLiteral("Error starting print job"), Buttons::Ok);
    if (!step(1, [&] { showProgress(1); })) return;
    if (!step(2, [&] {
            start_->setEnabled(false);
            // Printer Setup would change the sheet under a run in progress.
            setup_->setEnabled(false);
            running_ = true;
        }))
        return;
    step(3, [&] {
        if (job_.source == PrintJob::TypedText)
            RunTypedText(job_, surface_, *this);
        else
            RunAddressBook(job_, surface_, *this);
    });
    running_ = false;
    step(4, [&] {
        if (isVisible()) accept();
    });
}

void PrintingForm::cancel()
{
    Steps step(QStringLiteral("Error cancelling print job"), Buttons::Ok);
    step(1, [&] { reject(); });
}

void PrintingForm::reject()
{
    Run().cancelRequested = true;
    QDialog::reject();
}

void PrintingForm::printerSetup()
{
    if (running_) return;
    Steps step(QStringLiteral("Error showing printer setup window"), Buttons::RetryCancel);
    if (!step(1, [&] { Ui().printSetup(printer_, PrintSetupPurpose::Printing); })) return;
    if (!step(2, [&] { surface_.endDocument(); })) return;
    step(3, [&] { showOutput(); });
}

} // namespace quillet
