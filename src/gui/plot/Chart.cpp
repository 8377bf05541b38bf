#include "gui/plot/Chart.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace resonex::gui {

bool crosses(const QRectF& box, const QPolygonF& line) {
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (box.contains(line[i]))
            return true;
        if (i == 0)
            continue;
        const QLineF segment(line[i - 1], line[i]);
        for (const QLineF& edge : edges)
            if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection)
                return true;
    }
    return false;
}

bool covers(const QRectF& box, const QPointF& centre, double radius) {
    const double dx = std::max({box.left() - centre.x(), 0.0, centre.x() - box.right()});
    const double dy = std::max({box.top() - centre.y(), 0.0, centre.y() - box.bottom()});
    return dx * dx + dy * dy < radius * radius;
}

QList<double> LinearScale::ticks() const {
    // A hair's tolerance, so that an end that is a whole step is marked.
    constexpr double kHair = 1e-9;
    QList<double> ticks;
    for (auto k = std::llround(std::ceil(low / step - kHair));
         k <= std::llround(std::floor(high / step + kHair)); ++k)
        ticks << double(k) * step;
    return ticks;
}

LinearScale linearScale(double low, double high, double length, double leastGap) {
    const double largest = std::max(std::abs(low), std::abs(high));
    if (!(largest > 0))
        return {};
    const double power = std::pow(10.0, std::floor(std::log10(largest)) - 1);
    LinearScale scale;
    for (double multiple : {1, 2, 5, 10, 20, 50}) {
        scale.step = multiple * power;
        scale.low = std::floor(low / scale.step) * scale.step;
        scale.high = std::ceil(high / scale.step) * scale.step;
        if (length * scale.step / (scale.high - scale.low) >= leastGap)
            break;
    }
    return scale;
}

LinearScale spannedScale(double low, double high, double length, double leastGap) {
    if (!(high > low) || !(length > 0))
        return {};
    const double least = (high - low) * leastGap / length;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    double step = 10 * power;
    for (double multiple : {1, 2, 5})
        if (multiple * power >= least * (1 - 1e-12)) {
            step = multiple * power;
            break;
        }
    return {low, high, step};
}

void ChartTexts::addAxisText(QList<PlotText>& texts, const QPointF& anchor, Qt::Alignment align,
                             const QString& text, PlotInk ink) const {
    const double width = m_metrics.horizontalAdvance(text);
    const double left = align & Qt::AlignRight     ? anchor.x() - width
                        : align & Qt::AlignHCenter ? anchor.x() - width / 2
                                                   : anchor.x();
    const double top = align & Qt::AlignVCenter ? anchor.y() - m_em / 2 : anchor.y();
    const QRectF box(left, top, width, m_em);
    if (!texts.isEmpty() && texts.constLast().box.intersects(box))
        return;
    texts.append({box, text, int(Qt::AlignCenter), ink});
}

bool LabelRoom::clear(const QRectF& box, const QList<PlotText>& placed) const {
    if (!m_inside.contains(box))
        return false;
    const QRectF wide = box.adjusted(-m_margin, -m_margin, m_margin, m_margin);
    for (const QPolygonF& line : m_lines)
        if (crosses(wide, line))
            return false;
    for (const auto& [points, radius] : m_marks)
        for (const QPointF& point : points)
            if (covers(box, point, radius + m_margin))
                return false;
    for (const PlotText& other : placed)
        if (other.box.intersects(box))
            return false;
    return true;
}

QPolygonF columnExtremes(const QPolygonF& line, double left, double columnWidth) {
    QPolygonF thinned;
    qsizetype i = 0;
    while (i < line.size()) {
        const double column = std::floor((line[i].x() - left) / columnWidth);
        qsizetype lowest = i;
        qsizetype highest = i;
        qsizetype j = i + 1;
        for (; j < line.size() && std::floor((line[j].x() - left) / columnWidth) == column; ++j) {
            if (line[j].y() < line[lowest].y())
                lowest = j;
            if (line[j].y() > line[highest].y())
                highest = j;
        }
        thinned << line[std::min(lowest, highest)];
        if (lowest != highest)
            thinned << line[std::max(lowest, highest)];
        i = j;
    }
    return thinned;
}

} // namespace resonex::gui
