#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace resonex {

struct SpiralTurns;

struct TurnInductance {
    int turn;
    float henries;
    bool operator==(const TurnInductance&) const = default;
};

struct Tap {
    int afterTurn;
    int beforeTurn;
    bool operator==(const Tap&) const = default;
};

// The primary's results as numbers: the inductance after each turn as the
// listing states it (to the hundredth of a microhenry, as the nearest float in
// henries) and the turns to tap between. A calculation gives them along with
// its texts; a design file's texts are read into them once, as it is opened,
// so that a design reopened has the very numbers it was calculated with.
struct PrimaryListing {
    // From the first turn. Empty when the primary would need more turns than
    // it lists, and for a damaged listing.
    QList<TurnInductance> turns;
    // None when the primary would need more turns than it lists, and for a
    // damaged sentence.
    std::optional<Tap> tap;
    // Whether the listing or the sentence names turns that no calculation
    // writes (a damaged design file): outside 1 to the spiral's turns, out of
    // order, or a pair that is not a turn and the next. Neither then gives
    // anything, so that nothing loops over or plots such numbers.
    bool damaged = false;
};

// What a calculation's listing and sentence state (turnListing and
// tappingSentence of the spiral): nothing where it ran out of turns.
PrimaryListing listingOf(const SpiralTurns& spiral);

// What a design file's listing and sentence state, written as turnListing and
// tappingSentence write them, in whatever locale.
PrimaryListing readListing(const QString& listing, const QString& sentence);

} // namespace resonex
