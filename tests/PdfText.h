#pragma once

#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QXmlStreamReader>

#include <optional>

// Reading back printed summaries with poppler's pdftotext, and checking them
// against the summary box they came from.
namespace resonex::test {

struct PdfPage {
    QSizeF size;
    QList<QRectF> words; // in points from the top left
};

struct PdfText {
    QList<PdfPage> pages;
    QStringList lines; // in order, blank ones left out
};

inline QString toolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Nothing when pdftotext is not installed.
inline std::optional<PdfText> readPdf(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::nullopt;
    PdfText pdf;
    QXmlStreamReader xml(toolOutput(tool, {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    const auto number = [&xml](const char* name) {
        return xml.attributes().value(QLatin1String(name)).toDouble();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page"))
            pdf.pages.append({QSizeF(number("width"), number("height")), {}});
        else if (xml.name() == QLatin1String("word") && !pdf.pages.isEmpty())
            pdf.pages.last().words.append(QRectF(QPointF(number("xMin"), number("yMin")),
                                                 QPointF(number("xMax"), number("yMax"))));
    }
    // A form feed starts each page after the first.
    for (QString line : toolOutput(tool, {path, QStringLiteral("-")}).split(u'\n'))
        if (!line.remove(u'\f').trimmed().isEmpty())
            pdf.lines << line.simplified();
    return pdf;
}

// The box's lines as it has laid them out on screen.
inline QStringList screenLines(const QTextEdit& box) {
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const QString text = block.text().mid(line.textStart(), line.textLength()).simplified();
            if (!text.isEmpty())
                lines << text;
        }
    }
    return lines;
}

// Every page is the paper, every word lies within one-inch margins (with a
// little room for the glyphs' full height), and the lines are the box's own,
// none lost or repeated where a page breaks.
inline void checkPrintedSummary(const PdfText& pdf, const QSizeF& paper, const QTextEdit& box) {
    constexpr double kSlack = 1.5;
    // An inch, less what word boxes take in of the font's whole ascent and descent.
    constexpr double kMargin = 72 - 3;
    for (qsizetype i = 0; i < pdf.pages.size(); ++i) {
        const PdfPage& page = pdf.pages[i];
        QVERIFY2(qAbs(page.size.width() - paper.width()) < kSlack &&
                     qAbs(page.size.height() - paper.height()) < kSlack,
                 qPrintable(QString::asprintf("page %lld is %g x %g pt", qlonglong(i + 1),
                                              page.size.width(), page.size.height())));
        const QRectF body = QRectF(QPointF(), page.size)
                                .marginsRemoved(QMarginsF(kMargin, kMargin, kMargin, kMargin));
        for (const QRectF& word : page.words)
            QVERIFY2(body.contains(word),
                     qPrintable(QString::asprintf("page %lld: a word at %g,%g", qlonglong(i + 1),
                                                  word.left(), word.top())));
    }
    QCOMPARE(pdf.lines, screenLines(box));
}

} // namespace resonex::test
