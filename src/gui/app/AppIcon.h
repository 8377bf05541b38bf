#pragma once

#include <QIcon>

namespace resonex::gui {

// The program's icon, the same picture the desktop shows for its design files.
inline QIcon appIcon() { return QIcon(QStringLiteral(":/resonex/resonex.svg")); }

} // namespace resonex::gui
