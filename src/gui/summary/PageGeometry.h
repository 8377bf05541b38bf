#pragma once

#include <QLocale>
#include <QPageSize>

class QPrinter;

namespace resonex::gui {

// A page as the printing routines see it, in twips: its physical size and the
// distance from its corner to the printable area.
struct PageGeometry {
    int pageWidth = 0;
    int pageHeight = 0;
    int leftOffset = 0;
    int topOffset = 0;

    bool operator==(const PageGeometry&) const = default;

    // The drawing rectangle for the requested margins, relative to the
    // printable area, and the width of a printed line.
    int leftMargin(int requested) const { return requested - leftOffset; }
    int topMargin(int requested) const { return requested - topOffset; }
    int rightMargin(int requested) const { return (pageWidth - requested) - leftOffset; }
    int bottomMargin(int requested) const { return (pageHeight - requested) - topOffset; }
    int lineWidth(int left, int right) const { return rightMargin(right) - leftMargin(left); }

    // The paper's size, for a device that is given its pages.
    QPageSize pageSize() const;

    // The printer's paper and its unprintable edges.
    static PageGeometry ofPrinter(const QPrinter& printer);
    // The paper used when no printer is installed: Letter where the locale
    // measures in inches, A4 elsewhere, printable to the edges.
    static PageGeometry defaultPage(const QLocale& locale = QLocale());
};

} // namespace resonex::gui
