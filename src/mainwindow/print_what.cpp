// What a print run prints: the typed label text, all address-book entries or the selected ones.
#include "mainwindow/main_window.h"

#include "common/steps.h"
#include "model/run_state.h"

#include <QColor>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

namespace quillet {

void MainWindow::printWhatChosen(int option)
{
    Steps step(QStringLiteral("Error setting the 'Print What' option buttons"), Buttons::RetryCancel);
    const bool typed = option == 1;
    if (!step(1, [&] {
            labelFrame_->setEnabled(typed);
            clearButton_->setEnabled(typed);
        }))
        return;
    step(2, [&] { paintLabelBoxes(typed); });
}

void MainWindow::paintLabelBoxes(bool typed)
{
    // White while the typed text is printed, grey while it is not; the text stays readable
    // whatever the desktop's colour scheme.
    const QColor background = typed ? QColor(255, 255, 255) : QColor(192, 192, 192);
    for (QLineEdit* box : labelBoxes_) {
        QPalette palette = box->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, background);
            palette.setColor(group, QPalette::Text, group == QPalette::Disabled ? QColor(64, 64, 64) : Qt::black);
        }
        box->setPalette(palette);
    }
}

void MainWindow::setPrintWhat(int option)
{
    if (option >= 1 && option <= 3) printWhatOptions_[static_cast<std::size_t>(option - 1)]->setChecked(true);
}

void MainWindow::showAddressCounts()
{
    printWhatOptions_[1]->setText(QStringLiteral("Print all entries in address book (") +
                                  QString::number(Run().entryCount()) + u')');
    printWhatOptions_[2]->setText(QStringLiteral("Print all entries selected in address book (") +
                                  QString::number(Run().selectedCount()) + u')');
}

} // namespace quillet
