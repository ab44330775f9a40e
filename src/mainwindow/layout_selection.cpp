// The layouts list: filling it with the usable layouts and applying the entry the user picks.
#include "mainwindow/main_window.h"

#include "common/checked_line_edit.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "mainwindow/stepping_button.h"
#include "model/layout_data.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace quillet {

namespace {

const QString PleaseFix = QStringLiteral(
    " inches).  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem persists.  ");

// The tolerant checks warn and let the user go on (OK) or stop applying the layout (Cancel).
bool GoOnAfterWarning(const QString& text)
{
    return ShowMessage(text, Buttons::OkCancel, Icon::Warning) != Answer::Cancel;
}

bool Within(double value, double low, double high)
{
    return value >= low && value <= high;
}

} // namespace

void MainWindow::FillLayoutsList()
{
    Steps step(QStringLiteral("Error setting layout list"), Buttons::Ok);
    // Filling selects nothing: the callers choose the entry, and that choice applies it.
    const QSignalBlocker blocker(layoutsList_);
    if (!step(1, [this] { layoutsList_->clear(); })) return;
    for (int n = 1; n <= LayoutCount; ++n) {
        step.setContext(n);
        if (!step(2, [this, n] {
                if (LayoutIsUsable(n)) layoutsList_->addItem(LayoutCell(n, Title), n);
            }))
            return;
    }
    step.setContext(0);
    step(3, [this] {
        layoutsList_->setCurrentIndex(-1);
        const bool any = layoutsList_->count() > 0;
        if (!any)
            ShowMessage(
                QStringLiteral("Error:  No valid Layouts were found (a valid list item includes a title, and is "
                               "'checked' as being visible in the main screen).  At least one is necessary.") +
                CR + CR + QStringLiteral("Please open the Layouts Editor to modify this."));
        layoutsList_->setEnabled(any);
        printButton_->setEnabled(any);
    });
}

void MainWindow::refillLayoutsList()
{
    FillLayoutsList();
    if (layoutsList_->count() > 0) selectLayoutEntry(0);
}

void MainWindow::selectLayoutEntry(int index)
{
    if (layoutsList_->currentIndex() == index)
        layoutsListClicked();
    else
        layoutsList_->setCurrentIndex(index);
}

void MainWindow::layoutsEditorClosed(bool layoutsListChanged)
{
    const int position = layoutsList_->currentIndex() + 1;
    const int entries = layoutsList_->count();
    if (!layoutsListChanged) return;
    FillLayoutsList();
    if (layoutsList_->count() == 0) return;
    const bool samePlace = layoutsList_->count() == entries && position >= 1 && position <= entries;
    selectLayoutEntry(samePlace ? position - 1 : 0);
}

int MainWindow::currentLayoutNumber() const
{
    const int index = layoutsList_->currentIndex();
    if (index < 0) return 0;
    const int n = layoutsList_->itemData(index).toInt();
    return n >= 1 && n <= LayoutCount ? n : 0;
}

void MainWindow::layoutsListClicked()
{
    Steps step(QStringLiteral("Error in Layout List 'Click' event"), Buttons::RetryCancel);
    step(1, [this] { SelectLayout(); });
}

void MainWindow::setCaption(Axis a, const QString& caption)
{
    axis(a).caption->setText(caption);
    axis(a).plainCaption->setText(caption);
}

// Captions and the box of one axis from the layout's Columns or Rows; false when the user stopped.
bool MainWindow::applyPositionLimit(Axis a, int layoutNumber)
{
    const bool columns = a == Axis::Column;
    const double value = ReadNumber(LayoutCell(layoutNumber, columns ? Columns : Rows));
    const QString shown = FormatShortest(value);
    if (!Within(value, 1, columns ? 9 : 30)) {
        if (columns) {
            setCaption(a, QStringLiteral("Column (<error>):"));
            return GoOnAfterWarning(
                QStringLiteral("Error:  The currently selected layout contains an invalid number of columns of "
                               "labels:  \"") +
                shown +
                QStringLiteral("\".  Please open the Layouts Editor to fix this, or contact Tolvan Software if the "
                               "problem persists.  Error #SEL-100"));
        }
        setCaption(a, QStringLiteral("Row (<error>):"));
        return GoOnAfterWarning(
            QStringLiteral("Error:  The currently selected layout contains an invalid number of rows of labels:  \"") +
            shown +
            QStringLiteral("\".  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem "
                           "persists.  Error #SEL-101"));
    }
    setCaption(a,
               (columns ? QStringLiteral("&Column (1-") : QStringLiteral("&Row (1-")) + shown + QStringLiteral("):"));
    QLineEdit* box = axis(a).box;
    if (ReadNumber(box->text()) > value) box->setText(shown);
    if (ReadNumber(box->text()) < 1) box->setText(QStringLiteral("1"));
    return true;
}

void MainWindow::SelectLayout()
{
    Steps step(QStringLiteral("Error setting QX layout"), Buttons::AbortRetryIgnore);
    bool stop = false;
    int index = -1;
    int n = 0;
    const auto distance = [&n](LayoutField field) { return ReadNumber(LayoutCell(n, field)); };

    if (!step(1,
              [&] {
                  index = layoutsList_->currentIndex();
                  if (index < 0 || index > LayoutCount - 1) {
                      ShowMessage(QStringLiteral("Program error:  QX attempted to set a layout outside the acceptable "
                                                 "range.  List index = ") +
                                      QString::number(index),
                                  Buttons::Ok, Icon::Warning);
                      stop = true;
                  }
              }) ||
        stop)
        return;
    if (!step(2,
              [&] {
                  n = layoutsList_->itemData(index).toInt();
                  if (n < 1 || n > LayoutCount) {
                      ShowMessage(
                          QStringLiteral("Program error:  Layout Number in memory is outside acceptable range.  "
                                         "Layout number = ") +
                              QString::number(n),
                          Buttons::Ok, Icon::Warning);
                      stop = true;
                  }
              }) ||
        stop)
        return;
    step.setContext(n);
    if (!step(3, [&] { stop = !applyPositionLimit(Axis::Column, n); }) || stop) return;
    if (!step(4, [&] { stop = !applyPositionLimit(Axis::Row, n); }) || stop) return;
    if (!step(5,
              [&] {
                  const double value = distance(SideToSide);
                  if (!Within(value, 0.25, 20))
                      stop =
                          !GoOnAfterWarning(QStringLiteral("Error:  The currently selected layout contains an invalid "
                                                           "label width (\"Side-to-Side\") distance (") +
                                            FormatShortest(value) + PleaseFix + QStringLiteral("Error #SEL-102"));
              }) ||
        stop)
        return;
    if (!step(6,
              [&] {
                  const double value = distance(TopToTop);
                  if (!Within(value, 0.25, 20))
                      stop =
                          !GoOnAfterWarning(QStringLiteral("Error:  The currently selected layout contains an invalid "
                                                           "label height (\"Top-to-Top\") distance (") +
                                            FormatShortest(value) + PleaseFix + QStringLiteral("Error #SEL-103"));
              }) ||
        stop)
        return;
    if (!step(7, [&] {
            if (!IsOneFlag(LayoutCell(n, UseDefaultText))) return;
            for (int line = 1; line <= 5; ++line)
                setLabelLine(line, LayoutData().cell(LayoutSlot(n), DefaultText1 + line - 1, PropertiesSubEntry));
        }))
        return;
    if (!step(8,
              [&] {
                  const double value = distance(LeftOffset);
                  if (!Within(value, 0, 20))
                      stop = !GoOnAfterWarning(
                          QStringLiteral(
                              "Error:  The currently selected layout contains an invalid left offset distance (") +
                          FormatShortest(value) + PleaseFix + QStringLiteral("Error #SEL-104"));
              }) ||
        stop)
        return;
    step(9, [&] {
        const double value = distance(TopOffset);
        if (!Within(value, 0, 20))
            GoOnAfterWarning(QStringLiteral("Error:  The currently selected layout contains an invalid \"Offset From "
                                            "Top\" distance (") +
                             FormatShortest(value) + PleaseFix + QStringLiteral("Error #SEL-105"));
    });
}

} // namespace quillet
