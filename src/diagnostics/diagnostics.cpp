#include "diagnostics/diagnostics.h"

#include "common/dialogs.h"
#include "common/steps.h"
#include "diagnostics/system_facts.h"
#include "printing/selected_printer.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillet {

namespace {

const QString PrintHeading = QStringLiteral("TOLVAN SOFTWARE'S QUILLET - - DIAGNOSTICS PRINOUT");

QPushButton* Button(const QString& caption, const char* objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

// The hourglass over the window while the report prints, however the printing ends.
struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

} // namespace

Diagnostics::Diagnostics(QPrinter& printer, int layoutNumber, int mainListPosition, QWidget* parent)
    : QDialog(parent), printer_(printer), surface_(printer)
{
    setObjectName(QStringLiteral("Diagnostics"));
    setWindowTitle(QStringLiteral("Quillet Diagnostics"));

    ShowPrinterPage(values_, surface_);
    ShowLayoutPage(values_, layoutNumber, mainListPosition);
    ShowFontsPage(values_, layoutNumber);
    ShowMiscPage(values_, ReadSystemFacts());

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("DTab"));
    tabs->setAccessibleName(QStringLiteral("Diagnostics pages"));
    for (int page = 0; page < DiagnosticsPageCount; ++page) tabs->addTab(buildPage(page), DiagnosticsPageCaption(page));

    auto* print = Button(QStringLiteral("Print..."), "PrintButton", this);
    auto* copy = Button(QStringLiteral("Copy to Clipboard"), "CopyButton", this);
    auto* close = Button(QStringLiteral("Close"), "CloseButton", this);
    connect(print, &QPushButton::clicked, this, &Diagnostics::print);
    connect(copy, &QPushButton::clicked, this, &Diagnostics::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &Diagnostics::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(tabs, 1);
    whole->addLayout(buttons);
}

QWidget* Diagnostics::buildPage(int page)
{
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    for (int item = FirstItemOf(page); item < FirstItemOf(page + 1); ++item) {
        const QString name = DiagnosticsItemName(item);
        auto* caption = new QLabel(name, widget);
        caption->setObjectName(QStringLiteral("L") + QString::number(item));
        auto* value = new QLabel(values_[static_cast<std::size_t>(item)], widget);
        value->setObjectName(QStringLiteral("A") + QString::number(item));
        value->setAccessibleName(name.endsWith(u':') ? name.chopped(1) : name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // The two blank items take part in the report only.
        caption->setVisible(!name.isEmpty());
        value->setVisible(!name.isEmpty());
        const int row = item - FirstItemOf(page);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
    }
    grid->setRowStretch(FirstItemOf(page + 1) - FirstItemOf(page), 1);
    grid->setColumnStretch(1, 1);
    return widget;
}

void Diagnostics::copyToClipboard()
{
    QApplication::clipboard()->setText(BuildDiagnosticsText(values_));
}

void Diagnostics::print()
{
    if (!Ui().printSetup(printer_, PrintSetupPurpose::Diagnostics)) return;
    Steps step(QStringLiteral("Error printing diagnostics"), Buttons::RetryCancel);
    if (!step(1, [&] { surface_.endDocument(); })) return;
    BusyPointer busy;
    QStringList lines = BuildDiagnosticsText(values_).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line's end
    lines.prepend(QString());
    lines.prepend(PrintHeading);
    surface_.setFontName(QString());
    surface_.setFontSize(10);
    surface_.setFontBold(false);
    surface_.setForeColor(0);
    surface_.setFontItalic(false);
    surface_.setFontUnderline(false);
    surface_.setUnit(DrawingSurface::Unit::Twips);
    surface_.currentX = 0;
    surface_.currentY = 0;
    for (int i = 0; i < lines.size(); ++i) {
        step.setContext(i);
        // A line that would run off the sheet starts a new one, as printed lines always have.
        const bool printed = step(2, [&] {
            const double height = surface_.textHeight(QStringLiteral("X"));
            if (surface_.currentY > 0 && surface_.currentY + height > surface_.printableHeight()) {
                surface_.newPage();
                surface_.currentY = 0;
            }
            surface_.drawText(lines[i]);
            surface_.drawEmptyLine();
        });
        if (!printed) {
            surface_.abandonDocument();
            return;
        }
    }
    if (!step(3, [&] { surface_.endDocument(); })) surface_.abandonDocument();
}

void OpenDiagnostics(QWidget* parent, int layoutNumber, int mainListPosition)
{
    Diagnostics(SelectedPrinter(), layoutNumber, mainListPosition, parent).exec();
}

} // namespace quillet
