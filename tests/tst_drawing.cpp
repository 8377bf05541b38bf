#include "TestDesigns.h"

#include "core/document/DesignPictures.h"
#include "core/document/DesignResults.h"
#include "core/drawing/DesignDrawing.h"
#include "core/results/CouplingResults.h"
#include "core/text/PrimaryResultTexts.h"

#include <cmath>

using namespace resonex;

namespace {

// What the design's calculated parts draw, in its units.
DesignDrawing drawingOf(const CFile& doc) { return drawingOfDesign(doc); }

QStringList textsOf(const DesignDrawing& drawing) {
    QStringList texts;
    for (const Dimension& dimension : drawing.dimensions)
        texts << dimension.text;
    return texts << drawing.scale.text;
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(test::pointLocale()); }

    void nothingCalculatedSaysSo() {
        CFile doc(nullptr);
        const DesignDrawing empty = drawingOf(doc);
        QVERIFY(empty.isEmpty());
        QVERIFY(empty.winding.isEmpty() && empty.dimensions.isEmpty());
        // Entered but uncalculated inputs draw nothing either.
        doc.primary().setC(QStringLiteral("0.01"));
        QVERIFY(drawingOf(doc).isEmpty());
    }

    // Positions worked out by hand: the winding stands on the toroid's 500 mm
    // base, its first primary turn 100 + 62.5 + 4.75 = 167.25 mm out. The
    // turns before the tapped one carry the current; the tap is clipped on
    // the later of the two turns tapped between.
    void metricWorkedExample() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        const DesignDrawing drawing = drawingOf(doc);
        QVERIFY(!drawing.isEmpty());

        QCOMPARE(drawing.winding.size(), 2);
        QCOMPARE(drawing.winding[0], QRectF(-100, 500, 5, 600));
        QCOMPARE(drawing.winding[1], QRectF(95, 500, 5, 600));

        QCOMPARE(drawing.primaryTurns.size(), 30);
        QCOMPARE(drawing.primaryTurns[0].section, (DrawnCircle{QPointF(-167.25, 500), 4.75}));
        QCOMPARE(drawing.primaryTurns[1].section, (DrawnCircle{QPointF(167.25, 500), 4.75}));
        // Turn 15: 167.25 + 14 × 19 = 433.25.
        QCOMPARE(drawing.primaryTurns[29].section.centre, QPointF(433.25, 500));

        // The top load's tube centres 112.5 mm out, 50 mm above the 1100 mm top.
        QCOMPARE(drawing.topLoad,
                 (QList<DrawnCircle>{{QPointF(-112.5, 1150), 37.5}, {QPointF(112.5, 1150), 37.5}}));

        QCOMPARE(textsOf(drawing), QStringList({"200.00mm", "600.00mm", "500.00mm", "876.00mm",
                                                "300.00mm", "200mm"}));
        QVERIFY(drawing.breaks.isEmpty() && drawing.notes.isEmpty());
        // The floor, the outer turns and the top of the toroid are inside.
        QVERIFY(drawing.bounds.contains(QPointF(-438, 0)));
        QVERIFY(drawing.bounds.contains(QPointF(438, 1187.5)));

        const int tap = doc.primary().listing().tap->beforeTurn;
        QVERIFY(tap > 1 && tap <= 15);
        for (int turn = 1; turn <= 15; ++turn)
            QCOMPARE(drawing.primaryTurns[2 * (turn - 1)].inCircuit, turn < tap);
        const double x = 167.25 + (tap - 1) * 19.0;
        QCOMPARE(drawing.taps, (QList<QPointF>{QPointF(-x, 500), QPointF(x, 500)}));
    }

    // Only what is calculated: a stale primary and an unset top load drop out,
    // and the winding then stands on the floor.
    // A primary built otherwise stands where it was built: a helix of 20
    // turns rises a pitch (19 mm) a turn from its inner turn 30 mm below the
    // winding's base, each turn 167.25 mm out; the tap in use and the tuning
    // curve are its own.
    void primaryAsBuilt() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        // A new design's flat spiral has its k at each of its 15 turns too.
        const TuningCurve classic = tuningCurveOfDesign(doc);
        QCOMPARE(classic.couplings.size(), 15);
        QCOMPARE(classic.tapCoupling, doc.results().coupling()->atTap->k);
        test::RecordingPrompts prompts;
        calculatePrimary(
            doc, {},
            {{Input::PriShape, "helical"}, {Input::PriTurns, "20"}, {Input::PriHeight, "-30"}},
            prompts);
        const DesignDrawing drawing = drawingOf(doc);
        QCOMPARE(drawing.primaryTurns.size(), 40);
        QCOMPARE(drawing.primaryTurns[1].section.centre, QPointF(167.25, 470));
        QCOMPARE(drawing.primaryTurns[39].section.centre, QPointF(167.25, 470 + 19 * 19));
        QCOMPARE(drawing.taps.size(), 2);
        const double tapAt = drawing.taps[1].y();
        for (const PrimaryTurn& turn : drawing.primaryTurns)
            QCOMPARE(turn.inCircuit, turn.section.centre.y() < tapAt);
        QVERIFY(tapAt > 470 && tapAt <= 470 + 19 * 19);
        // The tuning curve is its own too, tapped on the same turn.
        const TuningCurve curve = tuningCurveOfDesign(doc);
        QCOMPARE(curve.points.size(), 20);
        QCOMPARE(curve.points[19].henries,
                 doc.results().coupling()->listing.turns[19].primaryInductance);
        QVERIFY(curve.crossingTurn && curve.tap);
        QCOMPARE(470 + (curve.tap->beforeTurn - 1) * 19, tapAt);
        // With the coupling at each turn built and at the tap.
        QCOMPARE(curve.couplings.size(), 20);
        QCOMPARE(curve.couplings[19].k, doc.results().coupling()->listing.turns[19].k);
        QCOMPARE(curve.tapCoupling, doc.results().coupling()->atTap->k);
    }

    void onlyWhatIsCalculated() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        doc.primary().setCalcsInvalid(true);
        doc.topLoad().setShape(CTopLoad::Shape::None);
        DesignDrawing drawing = drawingOf(doc);
        QVERIFY(drawing.primaryTurns.isEmpty() && drawing.taps.isEmpty());
        QVERIFY(drawing.topLoad.isEmpty());
        QCOMPARE(drawing.winding[0], QRectF(-100, 0, 5, 600));
        QCOMPARE(textsOf(drawing), QStringList({"200.00mm", "600.00mm", "100mm"}));

        doc.topLoad().setShape(CTopLoad::Shape::Sphere);
        drawing = drawingOf(doc);
        QCOMPARE(drawing.topLoad, (QList<DrawnCircle>{{QPointF(0, 1150), 150}}));
    }

    // A stand or a top load's height many times the rest is drawn as long as
    // the largest part, its dimension line broken and its text true; a part
    // lost beside the others is named. The scale bar is a round length, a
    // tenth to a quarter of the drawing's larger extent, in every case.
    void extremeProportions_data() {
        QTest::addColumn<QStringList>("entries"); // dia, height, top dia, tube, top height, base
        QTest::addColumn<QString>("broken");      // the text of the broken dimension
        QTest::addColumn<QString>("note");
        const QString shortened = "Heights whose dimension line is broken are drawn shortened.";
        QTest::newRow("plain") << QStringList{"200", "600"} << ""
                               << "";
        QTest::newRow("large toroid") << QStringList{"100", "600", "5000", "500", "50", "500"} << ""
                                      << "";
        QTest::newRow("tall stand")
            << QStringList{"200", "600", "300", "75", "50", "1e6"} << "1000000.00mm" << shortened;
        QTest::newRow("high top load")
            << QStringList{"200", "600", "300", "75", "1e6", "500"} << "1000000.00mm" << shortened;
        QTest::newRow("winding lost") << QStringList{"10", "20", "5000", "500", "50", "0"} << ""
                                      << "The winding is too small beside the rest to be seen.";
    }
    void extremeProportions() {
        QFETCH(QStringList, entries);
        QFETCH(QString, broken);
        QFETCH(QString, note);
        const DesignDrawing drawing = test::drawingOf(true, entries);
        const double extent = std::max(drawing.bounds.width(), drawing.bounds.height());
        const double bar = drawing.scale.length;
        QVERIFY2(bar > extent / 10 && bar <= extent / 4, qPrintable(drawing.scale.text));
        const double mantissa = bar / std::pow(10.0, std::floor(std::log10(bar)));
        QVERIFY(qFuzzyCompare(mantissa, 1) || qFuzzyCompare(mantissa, 2) ||
                qFuzzyCompare(mantissa, 5));

        QCOMPARE(drawing.breaks.size(), broken.isEmpty() ? 0 : 1);
        if (!broken.isEmpty()) {
            QVERIFY(textsOf(drawing).contains(broken));
            // The winding stays a good part of the drawing.
            QVERIFY(drawing.winding[0].height() > extent / 5);
            // The break is on a dimension line.
            bool onALine = false;
            const QPointF at = drawing.breaks[0];
            for (const Dimension& dimension : drawing.dimensions)
                onALine |= dimension.from.x() == at.x() && dimension.to.x() == at.x() &&
                           std::min(dimension.from.y(), dimension.to.y()) < at.y() &&
                           std::max(dimension.from.y(), dimension.to.y()) > at.y();
            QVERIFY(onALine);
        }
        QCOMPARE(drawing.notes, note.isEmpty() ? QStringList() : QStringList{note});
    }

    // The strike rail's two sections stand like the primary's turns; the
    // walls and the ceiling near the coil bound the drawing, its heights and
    // the top load's diameter dimensioned outside them. Far off (more than
    // twice the coil's larger extent), they are left out and named.
    void surroundings() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        const auto enter = [&doc](Input input, const char* text) {
            storeEntry(designInput(input), doc.models(), QString::fromLatin1(text));
        };
        enter(Input::RailDia, "1000");
        enter(Input::RailWire, "25");
        enter(Input::RailHeight, "700");
        enter(Input::Ceiling, "1250");
        enter(Input::Walls, "600");
        DesignDrawing drawing = drawingOf(doc);
        QCOMPARE(drawing.rail,
                 (QList<DrawnCircle>{{QPointF(-500, 1200), 12.5}, {QPointF(500, 1200), 12.5}}));
        // Each named: the rail by its right section.
        QCOMPARE(drawing.labels.size(), 3);
        QCOMPARE(drawing.labels[0],
                 (Label{QLineF(500, 1200, 500, 1200), 12.5, QStringLiteral("strike rail")}));
        QCOMPARE(drawing.labels[1].text, QStringLiteral("walls"));
        QCOMPARE(drawing.labels[2].text, QStringLiteral("ceiling"));
        QCOMPARE(drawing.room.mid(0, 2),
                 (QList<QLineF>{QLineF(-600, 0, -600, 1250), QLineF(600, 0, 600, 1250)}));
        QCOMPARE(drawing.room[2], QLineF(drawing.floorLeft, 1250, drawing.floorRight, 1250));
        QVERIFY(drawing.floorLeft < -600 && drawing.floorRight > 600);
        for (const Dimension& dimension : drawing.dimensions)
            QVERIFY(
                dimension.from.x() < -600 || dimension.from.y() > 1250 ||
                (dimension.from.x() > -600 && dimension.to.x() < 600 && dimension.to.y() < 1250));
        QVERIFY(drawing.notes.isEmpty());

        enter(Input::Ceiling, "9000");
        enter(Input::Walls, "6000");
        drawing = drawingOf(doc);
        QCOMPARE(drawing.rail.size(), 2);
        QVERIFY(drawing.room.isEmpty());
        QCOMPARE(drawing.notes,
                 QStringList{"Too far from the coil to be drawn: the ceiling, the walls."});
        QVERIFY(drawing.bounds.bottom() < 9000 && drawing.bounds.right() < 6000);
    }

    // Near by its clearance from the coil: the worked example reaches 1187.5 mm
    // up (the toroid's tube, 1150 + 37.5) and 438 mm out (the outer turn,
    // 433.25 + 4.75), its larger extent 1187.5 mm; a ceiling or walls within
    // twice that of its top or its side are drawn and named, beyond it not.
    void surroundingsNearByClearance_data() {
        QTest::addColumn<QString>("ceiling");
        QTest::addColumn<QString>("walls");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("note");
        QTest::newRow("ceiling at 3 m") << "3000"
                                        << "0" << QStringList{"ceiling"} << "";
        QTest::newRow("ceiling just near") << "3562"
                                           << "0" << QStringList{"ceiling"} << "";
        QTest::newRow("ceiling just far") << "3563"
                                          << "0" << QStringList() << "the ceiling";
        QTest::newRow("walls just near") << "0"
                                         << "2813" << QStringList{"walls"} << "";
        QTest::newRow("walls just far") << "0"
                                        << "2814" << QStringList() << "the walls";
        QTest::newRow("room") << "2500"
                              << "1500" << QStringList{"walls", "ceiling"} << "";
    }
    void surroundingsNearByClearance() {
        QFETCH(QString, ceiling);
        QFETCH(QString, walls);
        QFETCH(QStringList, labels);
        QFETCH(QString, note);
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        storeEntry(designInput(Input::Ceiling), doc.models(), ceiling);
        storeEntry(designInput(Input::Walls), doc.models(), walls);
        const DesignDrawing drawing = drawingOf(doc);
        QStringList named;
        for (const Label& label : drawing.labels)
            named << label.text;
        QCOMPARE(named, labels);
        QCOMPARE(drawing.notes,
                 note.isEmpty() ? QStringList()
                                : QStringList{"Too far from the coil to be drawn: " + note + "."});
        // Each label lies along the line it names.
        for (const Label& label : drawing.labels)
            QVERIFY(drawing.room.contains(QLineF(label.along.p2(), label.along.p1())));
    }

    // The imperial entries, in inches throughout.
    void inches() {
        MemoryOptionsStore store = test::inches();
        CFile doc(&store);
        test::calculateWorkedExample(doc);
        const DesignDrawing drawing = drawingOf(doc);
        const double first = 7.874 / 2 + 2.46 + 0.374 / 2;
        QCOMPARE(float(drawing.primaryTurns[1].section.centre.x()), float(first));
        QCOMPARE(textsOf(drawing).constFirst(), QStringLiteral("7.87in"));
        QVERIFY(textsOf(drawing).constLast().endsWith(QStringLiteral("in")));
    }
};

QTEST_MAIN(DrawingTest)
#include "tst_drawing.moc"
