#pragma once

#include <QString>

namespace resonex {

class CFile;

QString BurstSectionTitle();
// The burst of a bridge-driven coil: its figures a line each, or why there
// is none. Empty unless a bridge drives the primary.
QString BurstSectionText(const CFile& doc);

} // namespace resonex
