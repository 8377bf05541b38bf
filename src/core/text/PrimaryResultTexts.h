#pragma once

#include <QString>

#include <span>

namespace resonex {

// The primary's results as it keeps them, and as design files hold them: the
// inductance after each turn (from the first, in microhenries) a line each,
// lines ended by CR LF, and the sentence naming the turns to tap between,
// which quotes the frequency as the user sees it.
QString turnListing(std::span<const float> microhenries);
QString tappingSentence(int tapTurn, const QString& frText);

} // namespace resonex
