// Twips <-> pixels at the primary screen's logical resolution.
#include "window/controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace window {

namespace {
constexpr double TwipsPerInch = 1440;
constexpr double FallbackTwipsPerPixel = 15;  // 96 DPI, when no screen can be asked

double perPixel(double dpi) { return dpi > 0 ? TwipsPerInch / dpi : FallbackTwipsPerPixel; }

const QScreen* screen() { return qGuiApp ? QGuiApplication::primaryScreen() : nullptr; }
}  // namespace

double twipsPerPixelX() {
    const QScreen* s = screen();
    return s ? perPixel(s->logicalDotsPerInchX()) : FallbackTwipsPerPixel;
}

double twipsPerPixelY() {
    const QScreen* s = screen();
    return s ? perPixel(s->logicalDotsPerInchY()) : FallbackTwipsPerPixel;
}

int twipsToPixelsX(double twips) { return int(std::lround(twips / twipsPerPixelX())); }
int twipsToPixelsY(double twips) { return int(std::lround(twips / twipsPerPixelY())); }
double pixelsToTwipsX(int pixels) { return pixels * twipsPerPixelX(); }
double pixelsToTwipsY(int pixels) { return pixels * twipsPerPixelY(); }

}  // namespace window
