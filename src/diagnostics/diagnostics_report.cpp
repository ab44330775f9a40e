#include "diagnostics/diagnostics_report.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "diagnostics/system_facts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "printing/drawing_surface.h"

#include <functional>

namespace quillet {

namespace {

const char* const ItemNames[DiagnosticsItemCount] = {
    // the printer
    "Device Name:", "Driver Name:", "Resolution, \"X\":", "Resolution, \"Y\":", "Sheet Width:", "Sheet Height:",
    "Printable Sheet Width:", "Printable Sheet Height:", "Printer's Left Margin:", "Printer's Top Margin:",
    "Port Connected to:",
    // the layout
    "Current Layout Name:", "Layout List Number:", "Main Screen List Number:", "Label Sheet Columns:",
    "Label Sheet Rows:", "Left-to-Left Dimension:", "Top-to-Top Dimension:", "Left Margin:", "Top Margin:",
    "Text Alignment:", "",
    // its fonts
    "Font Name, Line 1:", "Font Name, Line 2:", "Font Name, Line 3:", "Font Name, Line 4:", "Font Name, Line 5:",
    "Font Sizes:", "Font Bold:", "Font Italic:", "Font Underline:", "Font Colors:", "Use First Line's Font for All:",
    // the system
    "OS Type:", "OS Version:", "OS Build #:", "Battery Charge (portables):", "Work Area Dimensions:",
    "Screen Dimensions:", "Quillet's Path:", "Current Data File:", "Entries in Address Book:",
    "Selected in Address Book:", ""};

const char* const PageCaptions[DiagnosticsPageCount] = {"Current Printer", "Layout", "Layout Fonts", "Misc."};
const int FirstItems[DiagnosticsPageCount + 1] = {0, 11, 22, 33, DiagnosticsItemCount};

const QString CRLF = QStringLiteral("\r\n");

// Fills items first.. of a page, one numbered step each, reporting a failure with the page's own
// operation text: Retry fills the item again, Ignore goes on with the next, Abort leaves the page.
void FillPage(DiagnosticsValues& values, int page, const std::function<QString(int)>& valueOf)
{
    Steps step(page == PrinterPage ? QStringLiteral("Error setting page 1 of diagnostics")
                                   : QStringLiteral("Error setting page %1 of the diagnostics").arg(page + 1),
               Buttons::AbortRetryIgnore);
    for (int item = FirstItems[page]; item < FirstItems[page + 1]; ++item) {
        if (item == 21 || item == 43) continue;
        if (!step(item, [&] { values[static_cast<std::size_t>(item)] = valueOf(item); })) return;
    }
}

// Pixels over pixels per inch, in single precision.
QString Inches(double pixels, double dpi)
{
    if (dpi == 0) throw Failure(FailureNumber::DivisionByZero, QStringLiteral("Division by zero"));
    return FormatSingle(static_cast<float>(pixels / dpi));
}

QString PixelsAndInches(const DrawingSurface& printer, int size, int dpi)
{
    const int pixels = printer.GetDeviceCaps(size);
    return QString::number(pixels) + QStringLiteral(" Pixels (") + Inches(pixels, printer.GetDeviceCaps(dpi)) +
           QStringLiteral(" inches)");
}

QString Millimetres(const DrawingSurface& printer, int size)
{
    const int mm = printer.GetDeviceCaps(size);
    return QString::number(mm) + QStringLiteral(" millimeters (") + FormatSingle(static_cast<float>(mm / 25.4)) +
           QStringLiteral(" inches)");
}

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    return text.mid(i);
}

QString TwipsText(const QSize& size)
{
    return QString::number(size.height()) + QStringLiteral(" x ") + QString::number(size.width());
}

} // namespace

QString DiagnosticsPageCaption(int page)
{
    return QString::fromLatin1(PageCaptions[page]);
}

int FirstItemOf(int page)
{
    return FirstItems[page];
}

QString DiagnosticsItemName(int item)
{
    return QString::fromLatin1(ItemNames[item]);
}

void ShowPrinterPage(DiagnosticsValues& values, const DrawingSurface& printer)
{
    FillPage(values, PrinterPage, [&printer](int item) {
        switch (item) {
        case 0:
            return printer.deviceName();
        case 1:
            return printer.driverName();
        case 2:
            return QString::number(printer.GetDeviceCaps(LOGPIXELSX)) + QStringLiteral(" DPI");
        case 3:
            return QString::number(printer.GetDeviceCaps(LOGPIXELSY)) + QStringLiteral(" DPI");
        case 4:
            return PixelsAndInches(printer, PHYSICALWIDTH, LOGPIXELSX);
        case 5:
            return PixelsAndInches(printer, PHYSICALHEIGHT, LOGPIXELSY);
        case 6:
            return Millimetres(printer, HORZSIZE);
        case 7:
            return Millimetres(printer, VERTSIZE);
        case 8:
            return PixelsAndInches(printer, PHYSICALOFFSETX, LOGPIXELSX);
        case 9:
            return PixelsAndInches(printer, PHYSICALOFFSETY, LOGPIXELSY);
        default:
            return printer.portName();
        }
    });
}

void ShowLayoutPage(DiagnosticsValues& values, int layoutNumber, int mainListPosition)
{
    if (layoutNumber < 1 || layoutNumber > LayoutCount) return;
    const auto field = [layoutNumber](LayoutField f) { return WithoutLeadingBlanks(LayoutCell(layoutNumber, f)); };
    const auto inches = [&field](LayoutField f) { return field(f) + QStringLiteral(" inches"); };
    FillPage(values, LayoutPage, [&](int item) {
        switch (item) {
        case 11:
            return LayoutCell(layoutNumber, Title);
        case 12:
            return QString::number(layoutNumber);
        case 13:
            return QString::number(mainListPosition);
        case 14:
            return field(Columns);
        case 15:
            return field(Rows);
        case 16:
            return inches(SideToSide);
        case 17:
            return inches(TopToTop);
        case 18:
            return inches(LeftOffset);
        case 19:
            return inches(TopOffset);
        default:
            return IsOneFlag(LayoutCell(layoutNumber, Alignment)) ? QStringLiteral("Centered")
                                                                  : QStringLiteral("Left Aligned");
        }
    });
}

void ShowFontsPage(DiagnosticsValues& values, int layoutNumber)
{
    if (layoutNumber < 1 || layoutNumber > LayoutCount) return;
    const auto fiveValues = [layoutNumber](FontItem font) {
        QStringList texts;
        for (int line = 1; line <= 5; ++line) texts << FormatShortest(ReadNumber(FontCell(layoutNumber, line, font)));
        return texts.join(QStringLiteral(", "));
    };
    FillPage(values, LayoutFontsPage, [&](int item) {
        if (item < 27) {
            const QString& name = FontCell(layoutNumber, item - 21, FontName);
            return IsBlankText(name) ? QStringLiteral("None (will use printer's default font)") : name;
        }
        if (item < 32) return fiveValues(static_cast<FontItem>(FontSize + item - 27));
        return IsOneFlag(LayoutCell(layoutNumber, SeparateFonts)) ? QStringLiteral("False") : QStringLiteral("True");
    });
}

void ShowMiscPage(DiagnosticsValues& values, const SystemFacts& system)
{
    FillPage(values, MiscPage, [&system](int item) {
        switch (item) {
        case 33:
            return OsTypeText(system.platform);
        case 34:
            return FormatSingle(system.version);
        case 35:
            return QString::number(system.build);
        case 36:
            return BatteryText(system.batteryStatus);
        case 37:
            return TwipsText(system.workArea);
        case 38:
            return TwipsText(system.screen);
        case 39:
            return system.programFolder;
        case 40:
            return Run().dataFileName();
        case 41:
            return QString::number(Run().entryCount());
        default:
            return QString::number(Run().selectedCount());
        }
    });
}

QString OsTypeText(const QString& platform)
{
    if (platform == u"0") return QStringLiteral("Win32s");
    if (platform == u"1") return QStringLiteral("Win95");
    if (platform == u"2") return QStringLiteral("WinNT");
    return QStringLiteral("Unknown Type : ") + (platform.startsWith(u'-') ? QString() : QStringLiteral(" ")) + platform;
}

QString BatteryText(int status)
{
    switch (status) {
    case BatteryStatus::High:
        return QStringLiteral("High");
    case BatteryStatus::Low:
        return QStringLiteral("Low");
    case BatteryStatus::CriticallyLow:
        return QStringLiteral("Critically Low");
    case BatteryStatus::Charging:
        return QStringLiteral("Charging");
    case BatteryStatus::NoBattery:
        return QStringLiteral("None");
    default:
        return QStringLiteral("Could not determine it");
    }
}

QString BuildDiagnosticsText(const DiagnosticsValues& values)
{
    QString text = QStringLiteral("CURRENT PRINTER:") + CRLF;
    for (int item = 0; item < DiagnosticsItemCount; ++item) {
        for (int page = LayoutPage; page < DiagnosticsPageCount; ++page)
            if (item == FirstItems[page]) text += CRLF + DiagnosticsPageCaption(page).toUpper() + u':' + CRLF;
        text += DiagnosticsItemName(item) + u' ' + values[static_cast<std::size_t>(item)] + CRLF;
    }
    return text;
}

} // namespace quillet
