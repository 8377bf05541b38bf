#pragma once

#include <QList>
#include <QString>

namespace resonex {

class CFile;

// One piece of the design summary and whether it is a heading (blue, bold) or
// body text (black).
struct SummaryPiece {
    QString text;
    bool heading = false;
};

// The pieces in order: file label and title, then heading and body of the
// secondary, primary and transformer sections; for a design with a top load,
// a blank line, then heading and body of its section.
using Summary = QList<SummaryPiece>;

// Recomputes every piece from the document and its objects. A value too large
// to show raises an overflow.
Summary ComposeSummary(const CFile& doc);

// The pieces joined, as plain text.
QString plainText(const Summary& summary);

} // namespace resonex
