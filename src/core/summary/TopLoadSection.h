#pragma once

#include <QString>

namespace resonex {

class CFile;

QString TopLoadSectionTitle();

// The top load's shape and where it stands, a line for each part of the
// surroundings entered (strike rail, ceiling, walls), then, once the
// secondary is calculated, its capacitances, the coil's frequencies with and without it and
// the toroids for the quarter wave and the target frequency; otherwise a line
// asking for the secondary first. Empty for a design without a top load;
// ends without a line break.
QString TopLoadSectionText(const CFile& doc);

} // namespace resonex
