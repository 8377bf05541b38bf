#pragma once

#include "core/drawing/DesignDrawing.h"

namespace resonex {

class CFile;

// The design's side section: the primary as built where it is not a new
// design's flat spiral, tapped where its own listing says.
DesignDrawing drawingOfDesign(const CFile& doc);

} // namespace resonex
