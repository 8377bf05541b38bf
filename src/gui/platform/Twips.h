#pragma once

#include <QtMath>

namespace resonex::gui {

// Window geometry, margins and indents are kept in twips, 1440 to the inch,
// whatever the resolution of the screen or the printer.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr double kTwipsPerPoint = 20.0;

inline int twipsToPixels(double twips, double dotsPerInch) {
    return qRound(twips * dotsPerInch / kTwipsPerInch);
}

inline double pixelsToTwips(double pixels, double dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

} // namespace resonex::gui
