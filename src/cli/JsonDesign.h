#pragma once

#include <QByteArray>

namespace resonex {
class CFile;
}

namespace resonex::cli {

// The design as one line of JSON for scripts: the file, units and mains, then
// the secondary, transformer and primary, each null where the summary says it
// has not been calculated; a design that uses the top load (CFile::usesTopLoad)
// adds the top load (null without one) and the resonance with and without it
// (null until the secondary is calculated). Every value is in SI units (metres, henries, hertz,
// farads, volts, amperes) and is the float the design holds, converted from
// the unit the design keeps it in.
QByteArray designJson(const CFile& doc);

} // namespace resonex::cli
