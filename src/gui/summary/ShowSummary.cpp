#include "gui/summary/ShowSummary.h"

#include "core/summary/NewLine.h"
#include "gui/platform/Twips.h"
#include "gui/summary/SummaryLayout.h"

#include <QPalette>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace resonex::gui {

namespace {

constexpr int kParagraphIndentTwips = 100;
const QColor kHeadingColour(0, 0, 255);
const QColor kBodyColour(0, 0, 0);
const QColor kPaper(255, 255, 255);

// The summary is paper, as printed: its colours are fixed, so its ground is
// too, whatever the theme gives the rest of the window.
void usePaper(QTextEdit& box) {
    QPalette palette = box.palette();
    if (palette.color(QPalette::Base) == kPaper && palette.color(QPalette::Text) == kBodyColour)
        return;
    palette.setColor(QPalette::Base, kPaper);
    palette.setColor(QPalette::Text, kBodyColour);
    box.setPalette(palette);
}

} // namespace

void ShowSummary(QTextEdit& box, const Summary& summary, const QString& fontName, int fontSize) {
    usePaper(box);
    // One edit block: the box lays its text out and repaints once, not per piece.
    QTextCursor cursor(box.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();

    QTextBlockFormat paragraph;
    paragraph.setLeftMargin(twipsToPixels(kParagraphIndentTwips, documentDpi()));
    cursor.setBlockFormat(paragraph);

    QTextCharFormat style;
    style.setFontFamilies({fontName});
    style.setFontPointSize(fontSize);
    for (const SummaryPiece& piece : summary) {
        style.setFontWeight(piece.heading ? QFont::Bold : QFont::Normal);
        style.setForeground(piece.heading ? kHeadingColour : kBodyColour);
        // A carriage return would start a paragraph of its own.
        QString text = piece.text;
        text.replace(kNewLine, QStringLiteral("\n"));
        cursor.insertText(text, style);
    }
    cursor.endEditBlock();
    box.moveCursor(QTextCursor::Start);
}

} // namespace resonex::gui
