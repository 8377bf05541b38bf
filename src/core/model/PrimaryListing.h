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

// Empty when the primary would need more turns than it lists.
QList<TurnInductance> turnInductances(const CPrimary& primary);

struct Tap {
    int afterTurn;
    int beforeTurn;
};

// None when the primary would need more turns than it lists.
std::optional<Tap> tap(const CPrimary& primary);

} // namespace resonex
