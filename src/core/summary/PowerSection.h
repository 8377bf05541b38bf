#pragma once

#include <QString>

namespace resonex {

class CFile;

QString PowerSectionTitle();
// The power side's figures a line each ("label : value"), a warning or a
// reason alone on its line. Empty unless the design sets anything of the
// power side, and until the transformer bank is calculated.
QString PowerSectionText(const CFile& doc);

} // namespace resonex
