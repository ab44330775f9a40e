#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringView>

// Where the main window goes at start and what of its position the settings keep: twips
// (1/1440 inch) in the settings, pixels on the screen.
namespace quillet {

// The window's top-left corner in pixels from the stored left and top in twips: a value that
// is not above 0 or not within the screen centres the window on that axis.
QPoint PlaceWindow(QStringView leftTwips, QStringView topTwips, QSize screen, QSize window, double logicalDpi);
// A pixel position as stored: twips, with the leading blank of a number that is not negative.
QString TwipsText(int pixels, double logicalDpi);

} // namespace quillet
