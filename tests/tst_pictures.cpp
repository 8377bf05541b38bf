// The pictures' layouts: where the tuning plot's, the bang plot's and the
// drawing's texts go, checked as rectangles at screen and double resolution.
#include "TestDesigns.h"
#include "TestSupport.h"

#include "core/model/TuningCurve.h"
#include "core/physics/Burst.h"
#include "gui/drawing/DrawingLayout.h"
#include "gui/plot/BangPlotLayout.h"
#include "gui/plot/TuningPlotLayout.h"
#include "gui/summary/PicturePage.h"

#include <QApplication>
#include <QImage>
#include <QLineF>
#include <QMap>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace resonex;
using namespace resonex::gui;

namespace {

constexpr double kMetresPerInch = 0.0254;

// A device of that resolution, for the metrics of its texts.
QImage deviceAt(int dpi) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / kMetresPerInch));
    image.setDotsPerMeterY(qRound(dpi / kMetresPerInch));
    return image;
}

// Whether the segment passes through the rectangle.
bool passesThrough(const QRectF& box, const QLineF& segment) {
    if (box.contains(segment.p1()) || box.contains(segment.p2()))
        return true;
    const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    for (int i = 0; i < 4; ++i)
        if (segment.intersects(QLineF(corners[i], corners[(i + 1) % 4]), nullptr) ==
            QLineF::BoundedIntersection)
            return true;
    return false;
}

bool passesThrough(const QRectF& box, const QPolygonF& line) {
    for (qsizetype i = 1; i < line.size(); ++i)
        if (passesThrough(box, QLineF(line[i - 1], line[i])))
            return true;
    return false;
}

QString describe(const QRectF& box) {
    return QString::asprintf("(%.1f, %.1f, %.1f x %.1f)", box.x(), box.y(), box.width(),
                             box.height());
}

// The primary of the worked example tuned to a frequency, with the
// secondary's lines where the case puts them.
struct PlotCase {
    bool metric;
    double kilohertz;
    std::optional<double> quarterWave; // times the target
    std::optional<double> loaded;
    // The coupling at each turn: none, or from the first turn's to the last's,
    // bowed up by the bulge in the middle.
    std::optional<std::pair<double, double>> coupling;
    double bulge = 0;
};

TuningCurve curveOf(const PlotCase& plot) {
    test::Design design(plot.metric);
    CPrimary& primary = design.primary;
    test::enterImperialExample(primary);
    if (plot.metric) {
        primary.setSecDia(QStringLiteral("114.3"));
        primary.setConDia(QStringLiteral("9.5"));
        primary.setConSpa(QStringLiteral("9.5"));
        primary.setSecSep(QStringLiteral("62.5"));
    }
    const QString fr = QString::number(plot.kilohertz, 'f', 2);
    primary.setFr(fr);
    design.calculate(fr);
    TuningCurve curve = tuningCurve(primary, design.settings, design.others());
    if (plot.quarterWave)
        curve.quarterWaveHertz = *plot.quarterWave * plot.kilohertz * 1e3;
    if (plot.loaded)
        curve.loadedHertz = *plot.loaded * plot.kilohertz * 1e3;
    if (plot.coupling) {
        const auto [first, last] = *plot.coupling;
        for (int turn = 1; turn <= 15; ++turn) {
            const double along = (turn - 1) / 14.0;
            curve.couplings.append(
                {turn, first + (last - first) * along + plot.bulge * 4 * along * (1 - along)});
        }
        curve.tapCoupling = (first + last) / 2;
    }
    return curve;
}

// A coil at 200 kHz, both circuits tuned, with the losses of a gap and a
// winding: 10 nF charged to 20 kV, 30 mH in the secondary.
physics::BangCircuit bangCoil(double k) {
    constexpr double kOmega = 2 * M_PI * 200e3;
    physics::BangCircuit c;
    c.tankCapacitance = 10e-9;
    c.primaryInductance = 1 / (kOmega * kOmega * c.tankCapacitance);
    c.primaryResistance = 1;
    c.secondaryInductance = 30e-3;
    c.secondaryCapacitance = 1 / (kOmega * kOmega * c.secondaryInductance);
    c.secondaryResistance = 50;
    c.mutualInductance = k * std::sqrt(c.primaryInductance * c.secondaryInductance);
    c.tankVolts = 20e3;
    return c;
}

// A trace of 40,000 samples over a millisecond with nothing marked: a
// 200 kHz sine of 100 A and 100 kV, the current's peak and trough (300 A at
// sample 12345, -250 A at sample 23456) and the voltage's (at 30000 and
// 7000) far beyond the rest.
BangTrace spikedTrace() {
    BangTrace trace;
    for (int i = 0; i < 40000; ++i) {
        const double t = i * 25e-9;
        const double wave = 100 * std::sin(2 * M_PI * 200e3 * t);
        trace.samples.push_back({t, wave, wave * 1e3});
    }
    trace.samples[12345].primaryAmps = 300;
    trace.samples[23456].primaryAmps = -250;
    trace.samples[30000].topVolts = 400e3;
    trace.samples[7000].topVolts = -350e3;
    trace.span = trace.samples.back().time;
    return trace;
}

// Where a time lands on the plot's panes.
double xOfTime(const BangPlotLayout& layout, double seconds, double span) {
    return layout.currentPane.left() + seconds / span * layout.currentPane.width();
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(test::pointLocale()); }

    // At every target, from above the first turn to beyond the last, alone or
    // beside the secondary's lines near it, no name of the tuning plot covers
    // another text, the curve or a mark, and every text is inside the plot's
    // area: at the size the dialog gives it and on half a printed page, at
    // screen and double resolution. The tap before the first turn has its way
    // down drawn, and a tap beyond the last turn its note.
    void tuningPlotTextsKeepApart_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("paper");
        QTest::newRow("96 dpi") << 96 << false;
        QTest::newRow("192 dpi") << 192 << false;
        QTest::newRow("96 dpi, paper") << 96 << true;
        QTest::newRow("192 dpi, paper") << 192 << true;
    }
    void tuningPlotTextsKeepApart() {
        QFETCH(int, dpi);
        QFETCH(bool, paper);
        const QImage device = deviceAt(dpi);
        const QFontMetricsF metrics(QApplication::font(), &device);
        // The plot view's own size, or the text width of a Letter page and
        // half the height between its margins.
        const QRectF area =
            paper ? QRectF(0, 0, 6.5 * dpi, 4.5 * dpi)
                  : QRectF(0, 0, 56 * metrics.averageCharWidth(), 17 * metrics.lineSpacing());
        // The secondary's lines, each as a share of the target, and the
        // coupling: none, rising, falling from high or bowed.
        using Lines = std::pair<std::optional<double>, std::optional<double>>;
        const QList<Lines> lines{{}, {1.02, {}}, {0.98, 1.0}, {0.7, 1.3}, {1.002, 0.995}};
        using Coupling = std::optional<std::pair<double, double>>;
        const QList<std::pair<Coupling, double>> couplings{
            {{}, 0}, {{{0.08, 0.21}}, 0}, {{{0.6, 0.004}}, 0}, {{{0.1, 0.1}}, 0.05}};
        int tapBeforeFirst = 0;
        int beyondLast = 0;
        int caseNumber = 0;
        for (const bool metric : {true, false})
            for (double kilohertz = 40; kilohertz < 4000; kilohertz *= 1.13)
                for (const auto& [quarterWave, loaded] : lines) {
                    const auto& [coupling, bulge] = couplings[caseNumber++ % couplings.size()];
                    const PlotCase plot{metric, kilohertz, quarterWave, loaded, coupling, bulge};
                    const TuningCurve curve = curveOf(plot);
                    QVERIFY(!curve.isEmpty());
                    const TuningPlotLayout layout = layOutTuningPlot(curve, area, metrics);
                    const QString where = QStringLiteral("%1 kHz %2, lines %3 %4: ")
                                              .arg(kilohertz)
                                              .arg(metric ? "mm" : "in")
                                              .arg(plot.quarterWave.value_or(0))
                                              .arg(plot.loaded.value_or(0));
                    checkPlot(
                        layout, area,
                        where +
                            QStringLiteral("coupling %1: ").arg(coupling ? coupling->first : 0));
                    if (coupling) {
                        QCOMPARE(layout.couplingCurve.size(), 15);
                        for (const QPointF& point : layout.couplingCurve)
                            QVERIFY(layout.plot.adjusted(-0.5, -0.5, 0.5, 0.5).contains(point));
                    }
                    if (curve.tap && curve.tap->afterTurn == 0) {
                        ++tapBeforeFirst;
                        QVERIFY2(layout.lead.size() > 1 && layout.ring, qPrintable(where));
                        QVERIFY(layout.plot.adjusted(-0.5, -0.5, 0.5, 0.5)
                                    .contains(layout.lead.constFirst()));
                    }
                    if (curve.beyondLastTurn) {
                        ++beyondLast;
                        QCOMPARE(layout.notes.size(), 1);
                        QCOMPARE(layout.notes[0].text, reachText(*curve.beyondLastTurn));
                    }
                }
        QVERIFY(tapBeforeFirst > 0 && beyondLast > 0);
    }

    // Whatever the coupling and the notch the gap quenches after (or none),
    // no text of the bang plot covers another, a curve or a mark's line, all
    // are inside the area, each mark has its name, the marks stand at the
    // notches and the quench, and no column holds more than two points: at
    // the view's least and usual size, on a third of a printed page, at
    // screen and double resolution.
    void bangPlotTextsKeepApart_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("where");
        for (int dpi : {96, 192})
            for (const char* where : {"least", "usual", "paper"})
                QTest::addRow("%d dpi, %s", dpi, where) << dpi << QString::fromLatin1(where);
    }
    void bangPlotTextsKeepApart() {
        QFETCH(int, dpi);
        QFETCH(QString, where);
        const QImage device = deviceAt(dpi);
        const QFontMetricsF metrics(QApplication::font(), &device);
        const QRectF area =
            where == "paper" ? QRectF(0, 0, 6.5 * dpi, 2.9 * dpi)
            : where == "least"
                ? QRectF(0, 0, 36 * metrics.averageCharWidth(), 17 * metrics.lineSpacing())
                : QRectF(0, 0, 56 * metrics.averageCharWidth(), 19 * metrics.lineSpacing());
        for (const double k : {0.05, 0.12, 0.2, 0.4, 0.6})
            for (const std::optional<int> notch : {std::optional<int>(1), {2}, {3}, {}}) {
                const physics::Solved<physics::Bang> bang =
                    physics::Bang::fire(bangCoil(k), {notch, 300, 40});
                QVERIFY(bang);
                const BangTrace trace = bangTraceOf(*bang);
                const BangPlotLayout layout = layOutBangPlot(trace, area, metrics);
                const QString what =
                    QStringLiteral("k %1, notch %2: ").arg(k).arg(notch.value_or(0));
                checkBangPlot(layout, area, what);

                // The span: three times the quench, else three notches.
                const physics::BangFigures& figures = bang->figures();
                std::optional<double> quench;
                if (figures.quench)
                    quench = figures.quench->time;
                const double whole = trace.samples.back().time;
                const double span =
                    std::min(whole, quench ? 3 * *quench : 6 * figures.notches.front());
                QCOMPARE(trace.span, span);
                QList<double> marked;
                for (const PlotMark& mark : layout.marks)
                    marked << mark.x;
                // Notches closer than half a line: only the first.
                QList<double> expected;
                for (double notch : figures.notches)
                    if (notch <= span)
                        expected << xOfTime(layout, notch, span);
                for (qsizetype i = 1; i < expected.size(); ++i)
                    if (expected[i] - expected[i - 1] < 0.5 * layout.em)
                        expected.resize(1);
                if (quench)
                    expected << xOfTime(layout, *quench, span);
                QCOMPARE(marked.size(), expected.size());
                for (double x : marked)
                    QVERIFY2(std::any_of(expected.begin(), expected.end(),
                                         [x](double at) { return std::abs(at - x) < 1e-6; }),
                             qPrintable(what + QString::number(x)));
                QCOMPARE(layout.labels.size(), layout.marks.size());
                if (quench) {
                    const auto named =
                        std::find_if(layout.labels.begin(), layout.labels.end(),
                                     [](const PlotText& label) { return label.text == "quench"; });
                    QVERIFY(named != layout.labels.end());
                    QCOMPARE(named->box.left(), xOfTime(layout, *quench, span) + 0.15 * layout.em);
                }
            }
    }

    // The time shown: three times the quench; without one, six times the
    // first notch; without either, the whole waveform; never beyond it.
    void bangPlotSpans_data() {
        QTest::addColumn<double>("quench");         // us; 0 for none
        QTest::addColumn<QList<double>>("notches"); // us
        QTest::addColumn<double>("span");           // us
        QTest::newRow("quench") << 10.0 << QList<double>{9.0} << 30.0;
        QTest::newRow("late quench") << 400.0 << QList<double>{390.0} << 1000.0;
        QTest::newRow("notches") << 0.0 << QList<double>{5.0, 15.0, 25.0} << 30.0;
        QTest::newRow("late notch") << 0.0 << QList<double>{400.0} << 1000.0;
        QTest::newRow("neither") << 0.0 << QList<double>{} << 1000.0;
    }
    void bangPlotSpans() {
        QFETCH(double, quench);
        QFETCH(QList<double>, notches);
        QFETCH(double, span);
        std::vector<double> times;
        for (double notch : notches)
            times.push_back(notch * 1e-6);
        QCOMPARE(
            bangPlotSpan(times, quench > 0 ? std::optional(quench * 1e-6) : std::nullopt, 1000e-6) *
                1e6,
            span);
    }

    // The burst's plot, full or limited, at each size: its texts apart, the
    // peak and the stop (named "limit" where the over-current limit stopped
    // the burst) marked at their times and named beside them, the whole
    // waveform shown.
    void burstPlotTextsKeepApart_data() { bangPlotTextsKeepApart_data(); }
    void burstPlotTextsKeepApart() {
        QFETCH(int, dpi);
        QFETCH(QString, where);
        const QImage device = deviceAt(dpi);
        const QFontMetricsF metrics(QApplication::font(), &device);
        const QRectF area =
            where == "paper" ? QRectF(0, 0, 6.5 * dpi, 2.9 * dpi)
            : where == "least"
                ? QRectF(0, 0, 36 * metrics.averageCharWidth(), 17 * metrics.lineSpacing())
                : QRectF(0, 0, 56 * metrics.averageCharWidth(), 19 * metrics.lineSpacing());
        for (const double k : {0.05, 0.12, 0.2, 0.4})
            for (const std::optional<double> limit :
                 {std::optional<double>(), std::optional<double>(60)}) {
                physics::BurstCircuit circuit{bangCoil(k), 300, true};
                const physics::Solved<physics::Burst> burst =
                    physics::Burst::drive(circuit, {100e-6, limit, 40});
                QVERIFY(burst);
                const physics::BurstFigures& figures = burst->figures();
                const QString what =
                    QStringLiteral("k %1, limit %2: ").arg(k).arg(limit.value_or(0));
                QCOMPARE(figures.limited, limit.has_value());
                const BangTrace trace = burstTraceOf(*burst);
                QCOMPARE(trace.span, burst->waveform().back().time);
                const BangPlotLayout layout = layOutBangPlot(trace, area, metrics);
                checkBangPlot(layout, area, what);
                const QString stop = limit ? QStringLiteral("limit") : QStringLiteral("stop");
                for (const auto& [name, seconds] :
                     {std::pair{QStringLiteral("peak"), figures.primaryPeakTime},
                      std::pair{stop, figures.stopTime}}) {
                    const double x = xOfTime(layout, seconds, trace.span);
                    QVERIFY2(std::any_of(
                                 layout.marks.begin(), layout.marks.end(),
                                 [x](const PlotMark& mark) { return std::abs(mark.x - x) < 1e-6; }),
                             qPrintable(what + name));
                    const auto named =
                        std::find_if(layout.labels.begin(), layout.labels.end(),
                                     [&name](const PlotText& label) { return label.text == name; });
                    QVERIFY2(named != layout.labels.end(), qPrintable(what + name));
                    QVERIFY2(std::abs(named->box.left() - (x + 0.15 * layout.em)) < 1e-6 ||
                                 std::abs(named->box.right() - (x - 0.15 * layout.em)) < 1e-6,
                             qPrintable(what + name));
                }
                QCOMPARE(layout.marks.size(), 2);
            }
    }

    // Thinned to its columns, a line keeps the lowest and highest point of
    // each in their order, one where they are the same point: worked by hand.
    void columnsKeepTheirExtremes() {
        const QPolygonF line{{0.1, 5}, {0.5, 1}, {0.9, 3}, {1.2, 2}, {1.4, 2}, {2.5, 7}};
        QCOMPARE(columnExtremes(line, 0, 1), (QPolygonF{{0.1, 5}, {0.5, 1}, {1.2, 2}, {2.5, 7}}));
        // Columns of 2 from 0.5: the first point alone before them, the
        // column [0.5, 2.5) its lowest and highest, the last point alone.
        QCOMPARE(columnExtremes(line, 0.5, 2), (QPolygonF{{0.1, 5}, {0.5, 1}, {0.9, 3}, {2.5, 7}}));
    }

    // The plot of 40,000 samples holds at most two points a column, the
    // current's peak and trough and the voltage's among them, at their times.
    void bangPlotKeepsTheExtremes() {
        const QImage device = deviceAt(96);
        const QFontMetricsF metrics(QApplication::font(), &device);
        const QRectF area(0, 0, 560, 300);
        const BangTrace trace = spikedTrace();
        const BangPlotLayout layout = layOutBangPlot(trace, area, metrics);
        checkBangPlot(layout, area, QString());
        const double span = trace.samples.back().time;
        const auto extremes = [](const QPolygonF& line) {
            const auto [top, bottom] = std::minmax_element(
                line.begin(), line.end(),
                [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
            return std::pair{top->x(), bottom->x()};
        };
        const auto [peak, trough] = extremes(layout.current);
        QCOMPARE(peak, xOfTime(layout, trace.samples[12345].time, span));
        QCOMPARE(trough, xOfTime(layout, trace.samples[23456].time, span));
        const auto [high, low] = extremes(layout.voltage);
        QCOMPARE(high, xOfTime(layout, trace.samples[30000].time, span));
        QCOMPARE(low, xOfTime(layout, trace.samples[7000].time, span));
        QVERIFY(layout.current.size() <= 2 * (qCeil(layout.currentPane.width()) + 1));
        QVERIFY(layout.current.size() > layout.currentPane.width());
    }

    // However the parts compare, no text of the drawing covers another, a
    // part, the rail, the ceiling, the walls or the scale bar, all are inside
    // the area, the scale bar is long enough to read, and a winding too small
    // to see is said to be: in the drawing pane and an exported picture, at
    // screen and double resolution.
    void drawingTextsKeepApart_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSizeF>("inches");
        QTest::newRow("pane, 96 dpi") << 96 << QSizeF(3.2, 3.6);
        QTest::newRow("pane, 192 dpi") << 192 << QSizeF(3.2, 3.6);
        QTest::newRow("export, 96 dpi") << 96 << QSizeF(8.3, 8.3);
        QTest::newRow("slim pane, 192 dpi") << 192 << QSizeF(2, 3.6);
    }
    void drawingTextsKeepApart() {
        QFETCH(int, dpi);
        QFETCH(QSizeF, inches);
        const QImage device = deviceAt(dpi);
        QFont font = QApplication::font();
        font.setPointSizeF(kDrawingTextPoints);
        const QFontMetricsF metrics(font, &device);
        const QRectF area(QPointF(), inches * dpi);
        struct Design {
            bool metric;
            QStringList entries;
            physics::Surroundings around{};
        };
        const QList<Design> designs{
            {true, {"200", "600", "9.5", "9.5"}},
            {false, {"7.874", "23.62", "0.374", "0.374"}},
            {true, {"100", "600", "5000", "500", "50", "500"}},
            {true, {"200", "600", "300", "75", "1e6", "500"}},
            {true, {"200", "600", "300", "75", "50", "1e6"}},
            {true, {"200", "600", "300", "75", "50", "500"}},
            {true, {"200", "600"}},
            {true, {"10", "20", "5000", "500", "50", "0"}},
            {true, {"1", "1000", "3", "1", "2", "0"}},
            {true, {"5", "10", "50", "50"}},
            {false, {"2", "30", "1", "0.5"}},
            // A room close round the toroid, a rail beside its tube.
            {true,
             {"200", "600", "300", "75", "50", "500"},
             {{}, physics::StrikeRail{500, 20, 650}, 1300, 300}},
            // A slim winding under a wide toroid, in a room of its size, and
            // far off.
            {true, {"150", "500", "600", "150", "60", "600"}},
            {true,
             {"150", "500", "600", "150", "60", "600"},
             {{}, physics::StrikeRail{800, 25, 560}, 2800, 1600}},
            {true, {"150", "500", "600", "150", "60", "600"}, {{}, {}, 9000, 9000}},
            {false,
             {"4", "20", "16", "4", "2", "24"},
             {{}, physics::StrikeRail{24, 1, 22}, 100, 50}},
        };
        for (const auto& [metric, entries, around] : designs) {
            const DesignDrawing drawing = test::drawingOf(metric, entries, around);
            const DrawingLayout layout = layOutDrawing(drawing, area, metrics);
            const QString where =
                entries.join(u' ') +
                QStringLiteral(" in %1, %2: ").arg(around.ceiling).arg(around.walls);
            QList<DrawingText> texts = layout.dimensionTexts + layout.labelTexts + layout.notes;
            texts << layout.scaleText;
            QCOMPARE(layout.labelTexts.size(), drawing.labels.size());
            // The lines drawn: the floor, the dimensions' with their ticks.
            QList<QLineF> strokes{
                QLineF(layout.map({drawing.floorLeft, 0}), layout.map({drawing.floorRight, 0}))};
            for (const Dimension& dimension : drawing.dimensions) {
                const QLineF line(layout.map(dimension.from), layout.map(dimension.to));
                const QPointF across =
                    line.dx() == 0 ? QPointF(layout.tick, 0) : QPointF(0, layout.tick);
                strokes << line << QLineF(line.p1() - across, line.p1() + across)
                        << QLineF(line.p2() - across, line.p2() + across);
            }
            for (const DrawingText& text : texts)
                for (const QLineF& stroke : strokes)
                    QVERIFY2(!passesThrough(text.box, stroke),
                             qPrintable(where + text.text + u' ' + describe(text.box) +
                                        " covers a line"));
            // The notes close under the drawing, not at the area's foot.
            if (!layout.notes.isEmpty()) {
                double lowest = layout.rect(drawing.bounds).bottom();
                for (const DrawingText& text :
                     layout.dimensionTexts + layout.labelTexts + QList{layout.scaleText})
                    lowest = std::max(lowest, text.box.bottom());
                QVERIFY2(layout.notes[0].box.top() - lowest <= layout.line,
                         qPrintable(where + layout.notes[0].text));
            }
            QList<QRectF> lines; // the rail's sections too, by their boxes
            for (const DrawnCircle& circle : drawing.rail)
                lines << QRectF(circle.centre, circle.centre) +
                             QMarginsF(circle.radius, circle.radius, circle.radius, circle.radius);
            for (const QLineF& line : drawing.room)
                lines << QRectF(line.p1(), line.p2());
            for (const DrawingText& text : texts)
                for (const QRectF& line : lines)
                    QVERIFY2(!text.box.intersects(layout.rect(line) + QMarginsF(1, 1, 1, 1)),
                             qPrintable(where + text.text + " covers the surroundings"));
            QCOMPARE(layout.dimensionTexts.size(), drawing.dimensions.size());
            for (qsizetype i = 0; i < texts.size(); ++i) {
                const QString what = where + texts[i].text + u' ' + describe(texts[i].box);
                QVERIFY2(area.contains(texts[i].box), qPrintable(what + " outside"));
                QVERIFY2(!texts[i].box.intersects(layout.scaleBar),
                         qPrintable(what + " covers the scale bar"));
                for (qsizetype j = 0; j < i; ++j)
                    QVERIFY2(!texts[i].box.intersects(texts[j].box),
                             qPrintable(what + " covers " + texts[j].text));
            }
            QVERIFY2(layout.scaleBar.width() >= layout.line,
                     qPrintable(where + describe(layout.scaleBar)));
            QVERIFY(layout.scaleBar.width() <= area.width() / 2);
            QRectF winding;
            for (const QRectF& side : drawing.winding)
                winding |= layout.rect(side);
            QVERIFY2(std::max(winding.width(), winding.height()) >= 2 ||
                         drawing.notes.contains(QStringLiteral(
                             "The winding is too small beside the rest to be seen.")),
                     qPrintable(where + describe(winding)));
        }
    }

    // On a page, the pictures share the area's height with a gap between
    // each and the next: 1000 high for two gives 475 each, 50 apart.
    void picturesApartOnThePage() {
        QList<QRectF> given;
        const PagePicture recorder = [&given](QPainter&, const QRectF& area) { given << area; };
        QImage page(10, 10, QImage::Format_RGB32);
        QPainter painter(&page);
        paintPicturePage(painter, QRectF(100, 200, 600, 1000), {recorder, recorder});
        QCOMPARE(given, (QList<QRectF>{QRectF(100, 200, 600, 475), QRectF(100, 725, 600, 475)}));
        given.clear();
        paintPicturePage(painter, QRectF(0, 0, 600, 1000), {recorder});
        QCOMPARE(given, QList<QRectF>{QRectF(0, 0, 600, 1000)});
    }

private:
    void checkBangPlot(const BangPlotLayout& layout, const QRectF& area, const QString& where) {
        const QList<PlotText> texts = layout.axisTexts + layout.labels;
        QList<QLineF> marks;
        for (const PlotMark& mark : layout.marks) {
            marks << QLineF(mark.x, mark.top, mark.x, layout.currentPane.bottom());
            marks << QLineF(mark.x, layout.voltagePane.top(), mark.x, layout.voltagePane.bottom());
        }
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString what = where + texts[i].text + u' ' + describe(texts[i].box);
            QVERIFY2(area.contains(texts[i].box), qPrintable(what + QStringLiteral(" outside")));
            for (qsizetype j = 0; j < i; ++j)
                QVERIFY2(!texts[i].box.intersects(texts[j].box),
                         qPrintable(what + QStringLiteral(" covers ") + texts[j].text));
            QVERIFY2(!passesThrough(texts[i].box, layout.current) &&
                         !passesThrough(texts[i].box, layout.voltage),
                     qPrintable(what + QStringLiteral(" covers a curve")));
            for (const QLineF& mark : marks)
                QVERIFY2(!passesThrough(texts[i].box, mark),
                         qPrintable(what + QStringLiteral(" covers a mark")));
        }
        for (const auto& [line, pane] : {std::pair{&layout.current, &layout.currentPane},
                                         std::pair{&layout.voltage, &layout.voltagePane}}) {
            QMap<int, int> columns;
            for (const QPointF& point : *line) {
                QVERIFY2(pane->adjusted(-0.5, -0.5, 0.5, 0.5).contains(point),
                         qPrintable(where + QStringLiteral("a point outside its pane")));
                ++columns[int(std::floor(point.x() - pane->left()))];
            }
            for (int count : columns)
                QVERIFY2(count <= 2, qPrintable(where + QStringLiteral("a crowded column")));
        }
    }

    void checkPlot(const TuningPlotLayout& layout, const QRectF& area, const QString& where) {
        const QList<PlotText> texts = layout.axisTexts + layout.labels + layout.notes;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString what = where + texts[i].text + u' ' + describe(texts[i].box);
            QVERIFY2(area.contains(texts[i].box), qPrintable(what + QStringLiteral(" outside")));
            for (qsizetype j = 0; j < i; ++j)
                QVERIFY2(!texts[i].box.intersects(texts[j].box),
                         qPrintable(what + QStringLiteral(" covers ") + texts[j].text));
        }
        // The square round a point, reaching out by the radius.
        const auto around = [](const QPointF& centre, double radius) {
            return QRectF(centre, QSizeF()).adjusted(-radius, -radius, radius, radius);
        };
        const double halfLine = 0.06 * layout.em;
        for (const PlotText& label : layout.labels) {
            const QString what = where + label.text + u' ' + describe(label.box);
            const QRectF inked = label.box.adjusted(-halfLine, -halfLine, halfLine, halfLine);
            QVERIFY2(!passesThrough(inked, layout.curve) && !passesThrough(inked, layout.lead) &&
                         !passesThrough(inked, layout.couplingCurve),
                     qPrintable(what + QStringLiteral(" covers a curve")));
            for (const QPointF& point : layout.curve + layout.couplingCurve)
                QVERIFY2(!inked.intersects(around(point, layout.pointRadius)),
                         qPrintable(what + QStringLiteral(" covers a turn's mark")));
            if (layout.ring)
                QVERIFY2(!inked.intersects(around(*layout.ring, layout.ringRadius)),
                         qPrintable(what + QStringLiteral(" covers the ring")));
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
