#pragma once

#include <QString>

namespace resonex {

class CSecondary;

// The secondary's results as the dialog and the summary show them, each
// "fixed" in its display unit: turns as a whole number, wire length in the
// model's unit, inductance in mH, frequencies in kHz, capacitances in pF. The
// aspect ratio reads "3.00 : 1".
struct SecondaryResultTexts {
    QString aspectRatio;
    QString turns;
    QString wireLength;
    QString l;
    QString natFr;
    QString quarWaveFr;
    QString selfC;
    QString torC;
};
SecondaryResultTexts secondaryResultTexts(const CSecondary& secondary);

} // namespace resonex
