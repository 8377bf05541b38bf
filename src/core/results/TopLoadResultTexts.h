#pragma once

#include "core/model/CTopLoad.h"
#include "core/results/Figure.h"

#include <QString>

namespace resonex {

// The top load's figures, each declared once (Figure.h): the top load alone
// in free space, then on the coil; the JSON's top_load object has the first
// three, its resonance object the last three. Those on the coil are none
// while they are absent (TopLoadResults::absent says why).
FigureList<TopLoadResults> topLoadFigures();
FigureList<TopLoadResults> resonanceFigures();
// Both, in the order the summary and the dialog show them.
FigureList<TopLoadResults> onCoilFigures();

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

ToroidTexts toroidTexts(const CTopLoad& topLoad, const TopLoadResults& results);

// A toroid's diameter as the results show it: two decimals ("###0.00"), as
// the lengths entered read.
QString toroidSizeText(float length);

// Why the figures on the coil are absent, and what brings them back.
QString noFiguresText(NoFigures why);
// Why no toroid brings the coil to a frequency ("it lies above ..."), to
// follow the frequency's name.
QString noToroidText(physics::Unsolved why);

} // namespace resonex
