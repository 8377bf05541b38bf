#pragma once

#include <QString>

namespace resonex {

class CFile;

QString PrimarySectionTitle();

// The primary's inputs (taken from the other models where the settings say
// so), the tapping sentence and the per-turn listing, then a note for each
// calculated value the primary does not use; or the not-calculated line. A
// primary built otherwise than the flat spiral has its own turns and tap (its
// coupling): the spiral's tap is then said to be the classic listing's, and a
// listing the 15 turns did not reach is not headed.
QString PrimarySectionText(const CFile& doc);

} // namespace resonex
