#include "mainwindow/window_placement.h"

#include "common/numbers.h"

#include <cmath>

namespace quillet {

namespace {
constexpr double TwipsPerInch = 1440.0;
}

QPoint PlaceWindow(QStringView leftTwips, QStringView topTwips, QSize screen, QSize window, double logicalDpi)
{
    const double dpi = logicalDpi > 0 ? logicalDpi : 96.0;
    const auto place = [&](QStringView stored, int screenPixels, int windowPixels) {
        const double twips = ReadNumber(stored);
        const double screenTwips = screenPixels * TwipsPerInch / dpi;
        if (twips > 0 && twips < screenTwips) return static_cast<int>(std::lround(twips * dpi / TwipsPerInch));
        return static_cast<int>(std::lround(screenPixels / 2.0 - windowPixels / 2.0));
    };
    return {place(leftTwips, screen.width(), window.width()), place(topTwips, screen.height(), window.height())};
}

QString TwipsText(int pixels, double logicalDpi)
{
    const double dpi = logicalDpi > 0 ? logicalDpi : 96.0;
    return FormatShortForm(static_cast<double>(RoundToInt32(pixels * TwipsPerInch / dpi)));
}

} // namespace quillet
