#pragma once

#include <QList>

#include <optional>

namespace resonex {

class CPrimary;

// What the primary keeps of a calculation only as the texts the summary
// shows: the inductance after each turn and the turns to tap between, read
// back from those texts.

struct TurnInductance {
    int turn;
    float henries;
};

// Empty when the primary would need more turns than it lists, and for a
// damaged listing.
QList<TurnInductance> turnInductances(const CPrimary& primary);

struct Tap {
    int afterTurn;
    int beforeTurn;
};

// None when the primary would need more turns than it lists, and for a
// damaged sentence.
std::optional<Tap> tap(const CPrimary& primary);

// Whether the listing or the sentence names turns that no calculation writes
// (a damaged design file): outside 1 to the spiral's turns, out of order, or a
// pair that is not a turn and the next. Neither then gives anything, so that
// nothing loops over or plots such numbers.
bool listingDamaged(const CPrimary& primary);

} // namespace resonex
