#pragma once

#include "core/physics/Solved.h"
#include "core/results/CouplingResults.h"
#include "core/results/Figure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace resonex {

// The coupling as the primary dialog's sentence and listing show it; each
// text empty where there is none, and whyNoTap or whyNoHeight say why.
struct CouplingResultTexts {
    QString tapTurn;    // "15.44"
    QString tapListing; // which listing the tap is read from
    QString k;
    QString modes; // "131.14kHz and 159.46kHz"
    QString whyNoTap;
    QString targetK;    // the coupling typed, empty for none
    QString heightForK; // in the design's unit
    QString whyNoHeight;
    // The primary tapped after each turn built: " Turn  1     0.77uH  k 0.1518".
    QStringList listing;
};

// The coupling's figures, each declared once (Figure.h), in the order the
// summary shows them and the JSON's coupling object has them after the
// primary's inputs.
FigureList<CouplingResults> couplingFigures();

CouplingResultTexts couplingResultTexts(const CouplingResults& results, bool useMetric);

// A tap in the JSON: the turns it lies between and the fractional turn,
// where known.
QByteArray tapJson(int afterTurn, int beforeTurn, std::optional<double> turn);

// Why a figure of the coupling is none, to follow its name.
QString noCouplingText(physics::Unsolved why);

} // namespace resonex
