#pragma once

#include <QString>

class QMimeData;

namespace resonex::gui {

// The design a drop brings: one local file named *.rzn (in any letter case);
// empty for anything else, which the window refuses.
QString DroppedDesign(const QMimeData* data);

} // namespace resonex::gui
