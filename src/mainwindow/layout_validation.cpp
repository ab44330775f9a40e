// The strict check of the current layout before every print run.
#include "mainwindow/main_window.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/drawing_surface.h"

#include <QCoreApplication>

namespace quillet {

namespace {

const QString ContactAboutProgramError = QStringLiteral(
    "  This indicates a problem with the programming.  Please contact Tolvan Software about this problem.  ");
const QString PleaseFixFont = QStringLiteral(
    "  Please open the Layouts Editor to fix this, or contact Tolvan Software if the problem persists.  ");
const QString AdjustPrinter =
    QStringLiteral("Adjust the printer driver (press \"Print Setup\", and then adjust \"Orientation\" and/or \"Paper "
                   "Size\"), and/or adjust the settings within the QX Layouts Editor (File > Layouts Editor).");

void Refuse(const QString& text)
{
    ShowMessage(text);
}

void RefusePrint(const QString& text)
{
    ShowMessage(text, Buttons::Ok, Icon::Critical, QStringLiteral("Print Error"));
}

QString Inches(double value)
{
    return FormatPattern(value, u"#0.00");
}

} // namespace

bool MainWindow::ValidateLayoutForPrint(DrawingSurface& surface)
{
    Steps step(QStringLiteral("Error verifying the current layout data"), Buttons::AbortRetryIgnore);
    int n = 0;
    bool refused = false;
    // Runs one check; false when it refused the layout or the handler was left.
    const auto check = [&](std::int32_t number, auto&& body) {
        if (!step(number, [&] { refused = !body(); })) return false;
        return !refused;
    };
    const auto stored = [&n](LayoutField field) -> const QString& { return LayoutCell(n, field); };
    const auto value = [&n](LayoutField field) { return ReadNumber(LayoutCell(n, field)); };

    if (!step(1, [] { QCoreApplication::processEvents(); })) return false;
    if (!step(2, [&] { n = currentLayoutNumber(); })) return false;
    // Without a selected layout there is nothing that could be printed.
    if (n < 1) return false;
    step.setContext(n);

    if (!check(3, [&] {
            if (value(Columns) >= 1) return true;
            Refuse(
                QStringLiteral("Program Error:  Number of columns of labels per sheet for the current layout is less "
                               "than or equal to zero.") +
                ContactAboutProgramError + QStringLiteral("Error #PBC-100.  Datum in this position: ") +
                stored(Columns));
            return false;
        }))
        return false;
    if (!check(4, [&] {
            if (value(Columns) <= 9) return true;
            Refuse(QStringLiteral("Program Error:  Number of columns of labels per sheet for the current layout is "
                                  "greater than nine (the maximum for Quillet).") +
                   ContactAboutProgramError + QStringLiteral("Error #PBC-101.  Datum in this position: ") +
                   stored(Columns));
            return false;
        }))
        return false;
    if (!check(5, [&] {
            if (value(Rows) >= 1) return true;
            Refuse(QStringLiteral("Program Error:  Number of rows of labels per sheet for the current layout is less "
                                  "than or equal to zero.") +
                   ContactAboutProgramError + QStringLiteral("Error #PBR-102.  Datum in this position: ") +
                   stored(Rows));
            return false;
        }))
        return false;
    if (!check(6, [&] {
            if (value(Rows) <= 30) return true;
            Refuse(QStringLiteral("Program Error:  Number of rows of labels per sheet for the current layout is "
                                  "greater than thirty (the maximum for Quillet).") +
                   ContactAboutProgramError + QStringLiteral("Error #PBR-103.  Datum in this position: ") +
                   stored(Rows));
            return false;
        }))
        return false;
    if (!check(7, [&] {
            if (value(SideToSide) >= 0.25) return true;
            Refuse(QStringLiteral("Error:  The label-side-to-label-side distance of the current layout is invalid "
                                  "(it's too small - - the minimum is .25 inches, and the value set is \"") +
                   stored(SideToSide) + QStringLiteral("\".  Error #LSS100"));
            return false;
        }))
        return false;
    if (!check(8, [&] {
            if (value(SideToSide) <= 20) return true;
            Refuse(QStringLiteral("Error:  The label-side-to-label-side distance of the current layout is invalid "
                                  "(it's too large - - the maximum is 20 inches, and the value set is \"") +
                   stored(SideToSide) + QStringLiteral("\".  Error #LSS101"));
            return false;
        }))
        return false;
    if (!check(9, [&] {
            if (value(TopToTop) >= 0.25) return true;
            Refuse(QStringLiteral("Error:  The label-top-to-label-top distance of the current layout is invalid (it's "
                                  "too small - - the minimum is .25 inches, and the value set is \"") +
                   stored(TopToTop) + QStringLiteral("\".  Error #LTT100"));
            return false;
        }))
        return false;
    if (!check(10, [&] {
            if (value(TopToTop) <= 20) return true;
            Refuse(QStringLiteral("Error:  The label-top-to-label-top distance of the current layout is invalid (it's "
                                  "too large - - the maximum is 20 inches, and the value set is \"") +
                   stored(TopToTop) + QStringLiteral("\".  Error #LTT101"));
            return false;
        }))
        return false;

    // Font sizes: every line when each has its own font, else line 1, whose font serves all.
    const int linesChecked = IsOneFlag(stored(SeparateFonts)) ? 5 : 1;
    for (int line = 1; line <= linesChecked; ++line) {
        step.setContext(n, line);
        if (!check(11, [&] {
                if (IsBlankText(FontCell(n, line, FontSize))) {
                    SetFontCell(n, line, FontSize, QStringLiteral("10"));
                    if (!Run().updatingControls) Run().dataChanged = true;
                }
                const double size = ReadNumber(FontCell(n, line, FontSize));
                const QString start = QStringLiteral("Error:  The font size selected for line ") +
                                      QString::number(line) + QStringLiteral(" of this layout (") +
                                      FormatShortest(size);
                if (size < 3) {
                    Refuse(start + QStringLiteral(" points) is too small.  The minimum is 3 points.") + PleaseFixFont +
                           QStringLiteral("Error #OLT-90"));
                    return false;
                }
                if (size > 50) {
                    Refuse(start + QStringLiteral(" points) is too large.  The maximum is 50 points.") + PleaseFixFont +
                           QStringLiteral("Error #OLT-91"));
                    return false;
                }
                return true;
            }))
            return false;
    }
    step.setContext(n);

    if (!check(12, [&] {
            const double left = value(LeftOffset);
            if (left < -1) {
                Refuse(QStringLiteral("Error:  The left offset for this layout (") + stored(LeftOffset) +
                       QStringLiteral(" inches) is too small.  The minimum is -1 inch.") + CR + CR +
                       QStringLiteral("Error #OLT100"));
                return false;
            }
            if (left > 20) {
                Refuse(QStringLiteral("Error:  The left offset for this layout (") + stored(LeftOffset) +
                       QStringLiteral(" inches) is too large.  The maximum is 20 inches.") + CR + CR +
                       QStringLiteral("Error #OLT101"));
                return false;
            }
            return true;
        }))
        return false;
    if (!check(13, [&] {
            surface.setUnit(DrawingSurface::Unit::Inches);
            const float width = static_cast<float>(surface.printableWidth());
            const float left = static_cast<float>(value(LeftOffset));
            if (width > left) return true;
            RefusePrint(QStringLiteral("The left offset for this layout exceeds the printable width of the currently "
                                       "selected printer and paper size/orientation (Error #OLT102).") +
                        CR + CR + QStringLiteral("The maximum printable width of current printer & sheet is ") +
                        Inches(width) + QStringLiteral(" inches, while the left offset for this layout is ") +
                        Inches(left) + QStringLiteral(" inches.") + CR + CR + AdjustPrinter);
            return false;
        }))
        return false;
    if (!check(14, [&] {
            const double top = value(TopOffset);
            if (top < 0) {
                Refuse(QStringLiteral("Error:  The top offset for this layout (") + Inches(top) +
                       QStringLiteral(" inches) is too small.  The minimum is 0 inches.") + CR + CR +
                       QStringLiteral("Error #OTT100"));
                return false;
            }
            if (top > 20) {
                Refuse(QStringLiteral("Error:  The top offset for this layout (") + Inches(top) +
                       QStringLiteral(" inches) is too large.  The maximum is 20 inches.") + CR + CR +
                       QStringLiteral("Error #OTT101"));
                return false;
            }
            return true;
        }))
        return false;
    if (!check(15, [&] {
            surface.setUnit(DrawingSurface::Unit::Inches);
            const float height = static_cast<float>(surface.printableHeight());
            const float top = static_cast<float>(value(TopOffset));
            if (height > top) return true;
            RefusePrint(QStringLiteral("The top offset for this layout exceeds the printable height of the currently "
                                       "selected printer and paper size/orientation (Error #OTT102).") +
                        CR + CR + QStringLiteral("The maximum printable height of current printer & sheet is ") +
                        Inches(height) + QStringLiteral(" inches, while the offset from top for this layout is ") +
                        Inches(top) + QStringLiteral(" inches.") + CR + CR + AdjustPrinter);
            return false;
        }))
        return false;
    if (!check(16, [&] {
            if (IsTrueFlag(stored(Visible))) return true;
            Refuse(QStringLiteral("Program Error:  The currently selected layout (layout number ") +
                   QString::number(n) +
                   QStringLiteral(") does not appear to be selected within QX's memory.  Please contact Tolvan "
                                  "Software about this problem, and include the following error number:") +
                   CR + CR + QStringLiteral("Error number:  VLNT-") + QString::number(n + 29) + u'-' +
                   QString::number(n) + u'-' + stored(Visible));
            return false;
        }))
        return false;
    return true;
}

} // namespace quillet
