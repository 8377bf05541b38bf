#pragma once

#include <QString>

#include <optional>
#include <span>

namespace resonex {

// The primary's results as it keeps them, and as design files hold them: the
// inductance after each turn (from the first, in microhenries) a line each,
// lines ended by CR LF, and the sentence naming the turns to tap between,
// which quotes the frequency as the user sees it.
QString turnListing(std::span<const float> microhenries);
QString tappingSentence(int tapTurn, const QString& frText);

// Read back from those texts, as a design file may hold them from any locale:
// how many turns the listing has, and the turn the sentence taps (the later
// of its two), or none when there is no such sentence.
int listedTurns(const QString& listing);
std::optional<int> tappedTurn(const QString& results);

} // namespace resonex
