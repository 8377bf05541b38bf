#pragma once

#include "core/drawing/DesignDrawing.h"
#include "core/model/TuningCurve.h"

namespace resonex {

class CFile;

// The design's side section: the primary as built where it is not a new
// design's flat spiral, tapped where its own listing says.
DesignDrawing drawingOfDesign(const CFile& doc);

// The primary's tuning curve: for a primary built otherwise than a new
// design's flat spiral, its own listing and the tap in use read from it.
TuningCurve tuningCurveOfDesign(const CFile& doc);

} // namespace resonex
