#pragma once

namespace resonex {

class CFile;

// Where a document command shows the design it has started, opened or saved:
// the desktop program sets its caption to the title and rebuilds the summary.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void showDesign(const CFile& doc) = 0;
    // A dialog has calculated while it stays open: what is shown beside it (the
    // drawing) may follow at once; the summary waits for the dialog to close.
    virtual void designCalculated(const CFile&) {}
};

} // namespace resonex
