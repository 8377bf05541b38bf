#pragma once

#include <QString>

namespace resonex {

// The summary's line break, as it is shown, printed and stored.
inline const QString kNewLine = QStringLiteral("\r\n");

} // namespace resonex
