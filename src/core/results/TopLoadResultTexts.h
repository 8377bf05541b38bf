#pragma once

#include "core/model/CTopLoad.h"

#include <QString>

namespace resonex {

// The top load's results as the dialog shows them: capacitances in pF and
// frequencies in kHz, "fixed"; toroid sizes toroidSizeText in the design's
// length unit, or kNoToroid where no toroid can reach the frequency. The free
// space capacitance is shown whatever the coil; the figures on the coil are
// empty while they are absent (absent then says why), and the target's
// toroid is empty while no target frequency is set. noToroid says, a line
// for each, why a toroid is kNoToroid.
struct TopLoadResultTexts {
    QString freeC;
    QString inPlaceC;
    QString chargeC;
    QString coilC;
    QString bareFr;
    QString loadedFr;
    QString torCDia;
    QString torCTube;
    QString targetDia;
    QString targetTube;
    QString absent;
    QString noToroid;
};

inline constexpr char kNoToroid[] = "none";

TopLoadResultTexts topLoadResultTexts(const CTopLoad& topLoad, const TopLoadResults& results);

// A toroid's diameter as the results show it: two decimals ("###0.00"), as
// the lengths entered read.
QString toroidSizeText(float length);

// Why the figures on the coil are absent, and what brings them back.
QString noFiguresText(NoFigures why);
// Why no toroid brings the coil to a frequency ("it lies above ..."), to
// follow the frequency's name.
QString noToroidText(physics::Unsolved why);

} // namespace resonex
