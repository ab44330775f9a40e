#include "printing/fit_checks.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"

namespace quillet {

namespace {

QString Inches(float value)
{
    return FormatPattern(value, u"#0.00");
}

bool AskYesNo(const QString& text, const QString& title, Icon icon)
{
    return ShowMessage(text, Buttons::YesNo, icon, title, Answer::No) == Answer::Yes;
}

const QString MarginNote =
    QStringLiteral("Note:  Some printer drivers mis-report this margin, and therefore it might be possible to exceed "
                   "it.  The only way to know for sure is to try printing it.  But use plain paper - - no sense "
                   "wasting an expensive label sheet if it doesn't work.") +
    CR + CR +
    QStringLiteral("Alternatively, try adjusting the settings for this layout (File > Layouts Editor), until it fits "
                   "within the printer's actual margins.");

} // namespace

bool CheckTopMargin(float MarginTop, float TopOffset)
{
    bool proceed = false;
    Steps step(QStringLiteral("Error displaying warning message about top margin"), Buttons::Ok);
    step(1, [&] {
        if (TopOffset >= MarginTop) {
            proceed = true;
            return;
        }
        const QString text =
            QStringLiteral("Caution:  The top margin for this layout (") + FormatPattern(TopOffset, u"0.00") +
            QStringLiteral("\") is smaller than what the currently selected printer driver is reporting as its "
                           "minimum printable margin (") +
            FormatPattern(MarginTop, u"0.00") + QStringLiteral("\").") + CR + CR + QStringLiteral("Use it anyway?") +
            CR + CR +
            QStringLiteral("(Note:  Some printer drivers misreport this margin, so it might work anyway.  The only "
                           "way to know for sure is to try it.  But use plain paper for the test - - no sense wasting "
                           "an expensive label sheet if it doesn't work)");
        proceed = AskYesNo(text, QStringLiteral("Print Caution"), Icon::Question);
    });
    return proceed;
}

bool CheckFit(float MaxBottom, float SheetHeight, float BottomMarginAt, float MaxRight, float SheetWidth,
              float RightMarginAt)
{
    bool proceed = false;
    Steps step(QStringLiteral("Error displaying print message"), Buttons::Ok);
    step(1, [&] {
        if (MaxBottom > SheetHeight) {
            const QString text =
                QStringLiteral("Warning:  The text to be printed (using the current layout) extends beyond the height "
                               "of the page (at its tallest point, it's printing at ") +
                Inches(MaxBottom) + QStringLiteral(" inches, while the currently selected sheet height is ") +
                Inches(SheetHeight) + QStringLiteral(" inches).") + CR + CR + QStringLiteral("Print it anyway?") + CR +
                CR +
                QStringLiteral("Note:  Continuing to print will produce unpredictable results.  It is recommended "
                               "that the print job be cancelled (press \"No\") and then the Quillet's layout settings "
                               "be adjusted (File > Layouts Editor), and/or the printer's sheet size be adjusted "
                               "(\"Printer Setup\" button).");
            if (!AskYesNo(text, QStringLiteral("Print Warning"), Icon::Warning)) return;
        } else if (MaxBottom > BottomMarginAt) {
            const QString text =
                QStringLiteral("Caution:  The text to be printed extends beyond what the printer driver is reporting "
                               "as its bottom margin (at its tallest point, the text to be printed will be at ") +
                Inches(MaxBottom) +
                QStringLiteral(" inches, while the bottom margin reported by the printer driver "
                               "is at ") +
                Inches(BottomMarginAt) + QStringLiteral(" inches.)") + CR + CR + QStringLiteral("Print it anyway?") +
                CR + CR + MarginNote;
            if (!AskYesNo(text, QStringLiteral("Printing Caution"), Icon::Question)) return;
        }
        if (MaxRight > SheetWidth) {
            const QString text =
                QStringLiteral("Warning:  The text to be printed (using the current layout) extends beyond the width "
                               "of the page (at its widest point, it's printing at ") +
                Inches(MaxRight) + QStringLiteral(" inches, while the currently selected sheet width is ") +
                Inches(SheetWidth) + QStringLiteral(" inches).") + CR + CR + QStringLiteral("Print it anyway?") + CR +
                CR +
                QStringLiteral("Note:  Continuing to print will produce unpredictable results.  It is recommended "
                               "that you cancel the print job (press \"No\") and then adjust Quillet's layout "
                               "settings (File > Layouts Editor), and/or the printer's sheet size (press the "
                               "\"Printer Setup\" button).");
            if (!AskYesNo(text, QStringLiteral("Print Warning"), Icon::Warning)) return;
        } else if (MaxRight > RightMarginAt) {
            const QString text =
                QStringLiteral("Caution:  The text to be printed extends beyond what the printer driver is reporting "
                               "as its right margin (at its widest point, the text to be printed will be at ") +
                Inches(MaxRight) +
                QStringLiteral(" inches, while the right margin reported by the printer driver "
                               "is at ") +
                Inches(RightMarginAt) + QStringLiteral(" inches.)") + CR + CR + QStringLiteral("Print it anyway?") +
                CR + CR + MarginNote;
            if (!AskYesNo(text, QStringLiteral("Printing Caution"), Icon::Question)) return;
        }
        proceed = true;
    });
    return proceed;
}

} // namespace quillet
