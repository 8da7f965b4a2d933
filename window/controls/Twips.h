// Geometry in twips (1/1440 inch), converted at the screen's real resolution.
//
// The window is designed in twips; Qt places widgets in logical pixels. The
// conversion uses the primary screen's logical resolution (15 twips per
// pixel at 96 DPI), so a design rectangle covers the same part of the screen
// as it did on the system's own screens.
#pragma once

namespace window {

// Twips per logical pixel of the primary screen (15 at 96 DPI; 15 when
// there is no screen at all), horizontally and vertically.
double twipsPerPixelX();
double twipsPerPixelY();
// Pixels for a twips value, rounded to the nearest pixel (halves away from 0).
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
// Twips for a number of pixels (exact, not rounded).
double pixelsToTwipsX(int pixels);
double pixelsToTwipsY(int pixels);

}  // namespace window
