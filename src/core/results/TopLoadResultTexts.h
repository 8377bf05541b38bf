#pragma once

#include "core/model/CTopLoad.h"
#include "core/results/Figure.h"

#include <QString>

namespace resonex {

// The top load's figures, each declared once (Figure.h), in the order the
// summary and the dialog show them: the top load alone in free space, then
// on the coil, then the toroids for the quarter wave and for the target
// frequency. The JSON's top_load object has those of the top load, its
// resonance object (kResonanceObject) those of the coil. Those on the coil
// are none while they are absent (TopLoadResults::absent says why).
inline constexpr int kResonanceObject = 1;
FigureList<TopLoadResults> topLoadFigures();

// The toroids the dialog shows: sizes toroidSizeText in the design's length
// unit, or kNoToroid where no toroid can reach the frequency; the target's
// toroid empty while no target frequency is set, and every box empty while
// the figures on the coil are absent (absent then says why). noToroid says,
// a line for each, why a toroid is kNoToroid.
struct ToroidTexts {
    QString torCDia;
    QString torCTube;
    QString targetDia;
    QString targetTube;
    QString absent;
    QString noToroid;
};

inline constexpr char kNoToroid[] = "none";

ToroidTexts toroidTexts(const TopLoadResults& results);

// A toroid's diameter as the results show it: two decimals ("###0.00"), as
// the lengths entered read.
QString toroidSizeText(float length);

// Why the figures on the coil are absent, and what brings them back.
QString noFiguresText(NoFigures why);
// Why no toroid brings the coil to a frequency ("it lies above ..."), to
// follow the frequency's name.
QString noToroidText(physics::Unsolved why);

} // namespace resonex
