// Geometry in twips (1/1440 inch), converted at the screen's real resolution.
#pragma once

#include <QPoint>

class QWidget;

namespace window {

// Twips per pixel of the primary screen (15 at 96 DPI), horizontally and vertically.
double twipsPerPixelX();
double twipsPerPixelY();
// Pixels for a twips value, rounded to the nearest pixel.
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(int pixels);
double pixelsToTwipsY(int pixels);

}  // namespace window
