#pragma once

#include <QString>

namespace resonex {

class CFile;

QString BangSectionTitle();
// The bang in time: its figures a line each, or why there is none. Empty
// unless the design sets anything of the power side.
QString BangSectionText(const CFile& doc);

} // namespace resonex
