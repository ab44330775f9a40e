#include "common/widget_dialogs.h"

#include "common/font_color_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace quillet {

namespace {

QMessageBox::StandardButton ToStandard(Answer a)
{
    switch (a) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::None:
        break;
    }
    return QMessageBox::NoButton;
}

Answer FromStandard(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::None;
    }
}

QMessageBox::StandardButtons ButtonSet(Buttons b)
{
    switch (b) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(Icon i)
{
    switch (i) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QWidget* Parent()
{
    return QApplication::activeWindow();
}

} // namespace

Answer WidgetDialogs::message(const MessageRequest& request)
{
    QString text = request.text;
    text.replace(CR, u'\n');
    QMessageBox box(ToIcon(request.icon), request.title, text, ButtonSet(request.buttons), Parent());
    // Texts carry names, paths and cells from files: never markup, never a link.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(ToStandard(EffectiveDefault(request)));
    if (request.buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);
    return FromStandard(box.exec());
}

std::optional<QString> WidgetDialogs::chooseFile(const FileDialogRequest& request)
{
    QFileDialog dialog(Parent(), request.title, request.directory);
    dialog.setAcceptMode(request.mode == FileDialogRequest::Mode::Save ? QFileDialog::AcceptSave
                                                                       : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mode == FileDialogRequest::Mode::Save ? QFileDialog::AnyFile
                                                                     : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.nameFilters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setOption(QFileDialog::DontResolveSymlinks, true);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<FontChoice> WidgetDialogs::chooseFont(const FontChoice& initial)
{
    FontColorDialog dialog(initial, Parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

bool WidgetDialogs::printSetup(QPrinter& printer, PrintSetupPurpose purpose)
{
    QPrintDialog dialog(&printer, Parent());
    dialog.setWindowTitle(purpose == PrintSetupPurpose::Diagnostics ? QStringLiteral("Print Setup")
                                                                    : QStringLiteral("Printer Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, printer.outputFormat() == QPrinter::PdfFormat);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quillet
