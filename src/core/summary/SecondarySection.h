#pragma once

#include <QString>

namespace resonex {

class CFile;

QString SecondarySectionTitle();

// The secondary's inputs and results, or the not-calculated line, in the
// design's unit of length and of wire length ("m"/"ft").
QString SecondarySectionText(const CFile& doc);

} // namespace resonex
