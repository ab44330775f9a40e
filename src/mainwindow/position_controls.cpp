// Copies and the position of the first label: the boxes' checks when the user leaves them, and
// stepping the position with the caption buttons and the "<>" button, by key and by mouse.
#include "mainwindow/main_window.h"

#include "common/checked_line_edit.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "mainwindow/position_stepping.h"
#include "mainwindow/stepping_button.h"
#include "model/layout_data.h"

#include <QLineEdit>

namespace quillet {

namespace {

// Resets the guard however the check ends.
class CheckingBox {
public:
    explicit CheckingBox(bool& flag) : flag_(flag) { flag_ = true; }
    ~CheckingBox() { flag_ = false; }
    CheckingBox(const CheckingBox&) = delete;
    CheckingBox& operator=(const CheckingBox&) = delete;

private:
    bool& flag_;
};

int RoundedValue(const QLineEdit* box)
{
    return RoundToInt32(ReadNumber(box->text()));
}

} // namespace

// The layout's columns or rows, rounded halves to even; only with a current layout.
int MainWindow::layoutLimit(Axis a) const
{
    return RoundToInt16(ReadNumber(LayoutCell(currentLayoutNumber(), a == Axis::Column ? Columns : Rows)));
}

void MainWindow::copiesLeft()
{
    if (checkingBox_) return;
    const CheckingBox guard(checkingBox_);
    Steps step(QStringLiteral("Error converting number of copies to print, into an integer"), Buttons::Ok);
    step(1, [this] { copiesBox_->setText(WholePart(ReadNumber(copiesBox_->text()))); });
}

bool MainWindow::leaveFocusedBox()
{
    QWidget* focused = focusWidget();
    if (focused == copiesBox_) copiesLeft();
    for (Axis a : {Axis::Column, Axis::Row})
        if (focused == axis(a).box) return startBoxLeft(a);
    return true;
}

bool MainWindow::leaveEveryPositionBox()
{
    copiesLeft();
    return startBoxLeft(Axis::Row) && startBoxLeft(Axis::Column);
}

bool MainWindow::startBoxLeft(Axis a)
{
    if (checkingBox_) return true;
    const CheckingBox guard(checkingBox_);
    const bool columns = a == Axis::Column;
    Steps step(columns ? QStringLiteral("Error checking the value of 'Starting Column' entry box")
                       : QStringLiteral("Error checking the value of 'Starting Row' entry box"),
               Buttons::Ok);
    QLineEdit* box = axis(a).box;
    QString refusal;
    double value = 0;
    if (!step(1, [&] {
            value = ReadNumber(box->text());
            if (value < 1)
                refusal = columns ? QStringLiteral("Starting column must be at least one")
                                  : QStringLiteral("Starting row must be at least one");
            // Without a current layout there is no sheet to measure against.
            else if (hasCurrentLayout() && value > layoutLimit(a))
                refusal = columns ? QStringLiteral("Starting column cannot exceed columns of labels on the sheet")
                                  : QStringLiteral("Starting row cannot exceed rows of labels on the sheet");
        }))
        return false;
    if (refusal.isEmpty()) return step(2, [&] { box->setText(WholePart(value)); });
    if (step(3, [&] { ShowMessage(refusal); }))
        step(4, [&] {
            box->setText(QStringLiteral("1"));
            box->setFocus(Qt::OtherFocusReason);
        });
    return false;
}

void MainWindow::stepPosition(bool forward)
{
    if (!hasCurrentLayout()) return;
    const LabelPosition from{RoundedValue(column_.box), RoundedValue(row_.box)};
    const int columns = layoutLimit(Axis::Column);
    const int rows = layoutLimit(Axis::Row);
    const LabelPosition to = forward ? StepForward(from, columns, rows) : StepBack(from, columns, rows);
    column_.box->setText(QString::number(to.column));
    row_.box->setText(QString::number(to.row));
}

void MainWindow::incrementKey(int key)
{
    Steps step(QStringLiteral("Error setting starting row and column via keyboard input on the navigation button"),
               Buttons::Ok);
    step(1, [&] {
        if (const auto digit = DigitOfKey(key)) {
            // 1 goes to the sheet's first label; the other digits do nothing.
            if (*digit == 1) {
                column_.box->setText(QStringLiteral("1"));
                row_.box->setText(QStringLiteral("1"));
            }
            return;
        }
        stepPosition(!IsMinusKey(key));
    });
}

void MainWindow::incrementMouse(Qt::MouseButton button)
{
    Steps step(QStringLiteral("Error setting starting column and row via mouse input on the navigation button"),
               Buttons::Ok);
    step(1, [&] {
        if (button == Qt::LeftButton) stepPosition(true);
        if (button == Qt::RightButton) stepPosition(false);
    });
}

void MainWindow::captionKey(Axis a, int key)
{
    const bool columns = a == Axis::Column;
    Steps step(columns ? QStringLiteral("Error setting starting column via keyboard input on the navigation button")
                       : QStringLiteral("Error setting starting row via keyboard input on the navigation button"),
               Buttons::Ok);
    QLineEdit* box = axis(a).box;
    step(1, [&] {
        const auto digit = DigitOfKey(key);
        if (digit == 1) {
            box->setText(QStringLiteral("1"));
            return;
        }
        if (!hasCurrentLayout() || digit == 0) return;
        const int limit = layoutLimit(a);
        if (digit) {
            if (*digit <= limit) box->setText(QString::number(*digit));
            return;
        }
        const double value = ReadNumber(box->text());
        box->setText(QString::number(IsMinusKey(key) ? StepDownWithin(value, limit) : StepUpWithin(value, limit)));
    });
}

void MainWindow::captionMouse(Axis a, Qt::MouseButton button)
{
    const bool columns = a == Axis::Column;
    Steps step(columns ? QStringLiteral("Error setting starting column via mouse input on the navigation button")
                       : QStringLiteral("Error setting starting row via mouse input on the navigation button"),
               Buttons::Ok);
    QLineEdit* box = axis(a).box;
    step(1, [&] {
        if (!hasCurrentLayout()) return;
        const double value = ReadNumber(box->text());
        if (button == Qt::LeftButton) box->setText(QString::number(StepUpWithin(value, layoutLimit(a))));
        if (button == Qt::RightButton) box->setText(QString::number(StepDownWithin(value, layoutLimit(a))));
    });
}

} // namespace quillet
