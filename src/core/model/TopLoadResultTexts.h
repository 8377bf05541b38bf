#pragma once

#include <QString>

namespace resonex {

class CSecondary;
class CTopLoad;

// The top load's results as the dialog shows them: capacitances in pF and
// frequencies in kHz, "fixed"; toroid sizes "###0.00##" in the design's length
// unit, or kNoToroid where no toroid can reach the frequency. Everything is
// empty while the secondary has not been calculated, and the target's toroid
// is empty while no target frequency is set.
struct TopLoadResultTexts {
    QString freeC;
    QString inPlaceC;
    QString coilC;
    QString bareFr;
    QString loadedFr;
    QString torCDia;
    QString torCTube;
    QString targetDia;
    QString targetTube;
};

inline constexpr char kNoToroid[] = "none";

TopLoadResultTexts topLoadResultTexts(const CTopLoad& topLoad, const CSecondary& secondary,
                                      bool useMetric);

} // namespace resonex
