#pragma once

#include <QFontMetricsF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

// What the program's line charts share, worked out before anything is
// painted: the texts in their boxes, round steps for a linear scale, the
// axes' texts kept apart, names kept clear of the lines and of each other,
// and a long line thinned to what its pixels can show.
namespace resonex::gui {

// What a part of a chart is drawn in; the painter chooses the colours.
enum class PlotInk { Text, Curve, Target, Secondary, Coupling };

// A text in its box, drawn with the flags (Qt::Alignment, word wrap).
struct PlotText {
    QRectF box;
    QString text;
    int flags;
    PlotInk ink;
};

// What stands before a name set above a chart, when the chart has no room
// for it beside its line: a piece of that line, or a ring.
struct PlotKey {
    QRectF box;
    PlotInk ink;
    enum class Shape { Line, DashedLine, Ring } shape;
};

// Whether the polyline touches the box: a point inside it or a segment
// across one of its edges.
bool crosses(const QRectF& box, const QPolygonF& line);
// Whether the box comes nearer than the radius to the centre.
bool covers(const QRectF& box, const QPointF& centre, double radius);

// A linear scale from low to high marked every step, 1, 2 or 5 times a
// power of ten.
struct LinearScale {
    double low = 0;
    double high = 1;
    double step = 1;
    // The whole steps from low to high.
    QList<double> ticks() const;
};
// The scale that takes the values from low to high (low <= 0 <= high) on an
// axis so long, low and high whole steps, its marks at least leastGap apart
// where a step from a tenth of the largest value's power of ten to five
// times that allows.
LinearScale linearScale(double low, double high, double length, double leastGap);
// The scale from low to high as they are, its marks the closest whole steps
// at least leastGap apart on an axis so long.
LinearScale spannedScale(double low, double high, double length, double leastGap);

// The texts of a chart for the metrics of its font: its sizes are in lines
// of that text (ems).
class ChartTexts {
public:
    explicit ChartTexts(const QFontMetricsF& metrics)
        : m_metrics(metrics), m_em(metrics.height()) {}

    double em(double ems = 1) const { return ems * m_em; }
    double width(const QString& text) const { return m_metrics.horizontalAdvance(text); }

    // An axis text in a box as wide as it at the anchor, unless it would
    // touch the last of the texts (the one before it on the same axis).
    void addAxisText(QList<PlotText>& texts, const QPointF& anchor, Qt::Alignment align,
                     const QString& text, PlotInk ink = PlotInk::Text) const;

private:
    const QFontMetricsF& m_metrics;
    double m_em;
};

// Where names may stand: inside a frame, keeping a margin from the lines and
// round marks given, and apart from the names placed before.
class LabelRoom {
public:
    LabelRoom(const QRectF& inside, double margin) : m_inside(inside), m_margin(margin) {}

    void avoid(const QPolygonF& line) { m_lines << line; }
    // Round marks of the radius at the points.
    void avoid(const QPolygonF& points, double radius) { m_marks.append({points, radius}); }

    bool clear(const QRectF& box, const QList<PlotText>& placed) const;

private:
    QRectF m_inside;
    double m_margin;
    QList<QPolygonF> m_lines;
    QList<std::pair<QPolygonF, double>> m_marks;
};

// A line of many points in the order of x, thinned to the lowest and highest
// point of each column so wide from left (kept in their order): its look at
// that resolution, every peak and trough kept, at most two points a column.
QPolygonF columnExtremes(const QPolygonF& line, double left, double columnWidth);

} // namespace resonex::gui
