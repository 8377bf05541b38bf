#pragma once

namespace resonex {

class CFile;

// Where a document command shows the design it has started, opened or saved:
// the desktop program sets its caption to the title and rebuilds the summary.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void showDesign(const CFile& doc) = 0;
};

} // namespace resonex
