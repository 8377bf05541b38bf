#pragma once

#include <QByteArray>

namespace resonex {
class CFile;
}

namespace resonex::cli {

// The design as one line of JSON for scripts: the file, units and mains, then
// the secondary, transformer and primary, each null where the summary says it
// has not been calculated. Every value is in SI units (metres, henries, hertz,
// farads, volts, amperes) and is the float the design holds, converted from
// the unit the design keeps it in.
QByteArray designJson(const CFile& doc);

} // namespace resonex::cli
