#pragma once

#include <QString>

#include <array>

// The diagnostics report without its window: 44 numbered items on four pages (the printer, the
// current layout, its fonts, the system), and the text that is copied and printed.
namespace quillet {

class DrawingSurface;
struct SystemFacts;

constexpr int DiagnosticsItemCount = 44;
using DiagnosticsValues = std::array<QString, DiagnosticsItemCount>;

enum DiagnosticsPage { PrinterPage = 0, LayoutPage, LayoutFontsPage, MiscPage };
constexpr int DiagnosticsPageCount = 4;

// The page's caption ("Current Printer") and its heading in the report ("CURRENT PRINTER:").
QString DiagnosticsPageCaption(int page);
// The first item of each page: 0, 11, 22, 33.
int FirstItemOf(int page);
// The item's name as shown ("Sheet Width:"); empty for the two blank items, 21 and 43.
QString DiagnosticsItemName(int item);

// Each page fills its own items; a failure is reported and leaves the items not reached empty.
void ShowPrinterPage(DiagnosticsValues& values, const DrawingSurface& printer);
// `layoutNumber` 1-12 and its position in the main window's list (from 1); 0 when none is chosen.
void ShowLayoutPage(DiagnosticsValues& values, int layoutNumber, int mainListPosition);
void ShowFontsPage(DiagnosticsValues& values, int layoutNumber);
// The system, and the data file and address-book counts of the run.
void ShowMiscPage(DiagnosticsValues& values, const SystemFacts& system);

// "WinNT" for platform "2"; an unknown one as "Unknown Type :  3".
QString OsTypeText(const QString& platform);
QString BatteryText(int status);

// The report as copied and printed: a heading before each page's items, one line per item (name,
// a blank, value), lines ended by CR LF.
QString BuildDiagnosticsText(const DiagnosticsValues& values);

} // namespace quillet
