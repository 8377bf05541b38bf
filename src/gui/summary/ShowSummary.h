#pragma once

#include "core/summary/Summary.h"

class QTextEdit;

namespace resonex::gui {

// Replaces the box's text with the summary's pieces: headings blue and bold,
// bodies black, on white in every theme, all in the given typeface and point
// size, every paragraph indented by 100 twips. The box reports one change per
// call.
void ShowSummary(QTextEdit& box, const Summary& summary, const QString& fontName, int fontSize);

} // namespace resonex::gui
