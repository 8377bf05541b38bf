#pragma once

#include <QString>

namespace resonex {

class CSecondary;
class CTransformer;

// A capacitance in microfarads ("###0.00##") and a frequency in kilohertz
// ("fixed"), as the primary shows them; the values it can take from the other
// models, the matched capacitance and the secondary's quarter wave, so shown.
QString microfaradsText(float farads);
QString kilohertzText(float hertz);
// A capacitance in picofarads ("fixed"), as the secondary's results show it.
QString picofaradsText(float farads);
// A length in the design's unit ("###0.00##"), as the models show their inputs.
QString lengthText(float length);
QString matchedCapacitanceText(const CTransformer& transformer);

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
