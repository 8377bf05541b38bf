#include "TestDesigns.h"
#include "TestSupport.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/encoding/ExtensionBlock.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/DesignInputs.h"
#include "core/model/ExtensionFields.h"
#include "core/model/PrimarySources.h"
#include "core/settings/CSettings.h"
#include "core/summary/SecondarySection.h"
#include "core/text/QuantityText.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <limits>

using namespace resonex;

namespace {

// An independent encoder of tagged values, to spell out expected files.
QByteArray word(quint16 value) {
    const quint16 le = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&le), 2);
}
QByteArray integer(qint16 value) { return word(2) + word(quint16(value)); }
QByteArray boolean(bool value) { return word(11) + word(value ? 0xFFFF : 0); }
QByteArray single(float value) {
    const float le = qToLittleEndian(value);
    return word(4) + QByteArray(reinterpret_cast<const char*>(&le), 4);
}
QByteArray text(const QByteArray& value) { return word(8) + word(quint16(value.size())) + value; }

QByteArray settingsFields(bool metric, bool fiftyHz) {
    return text("<-rezon32->") + integer(2) + integer(0) + integer(0) + integer(0) + integer(0) +
           boolean(metric) + boolean(fiftyHz);
}

// A new metric design, field by field.
QByteArray newMetricDesign() {
    QByteArray bytes = settingsFields(true, true);
    bytes += single(0) + single(0) + single(9.5f) + single(9.5f) + single(62.5f) + text({}) +
             single(0) + text({}) + boolean(true);
    bytes += single(600) + single(200) + single(0.72f);
    for (int i = 0; i < 9; ++i)
        bytes += single(0);
    bytes += single(15) + single(60) + integer(1) + single(0);
    return bytes;
}

// A design whose every field holds a value of its own, so that a field read or
// written in another's place shows: three choices, inches and 50 Hz; the
// primary's C, fr, ConDia, ConSpa, SecSep, SecDia and its two texts; the
// secondary's fields; the transformer's.
const QList<float> kPrimary{1.1e-8f, 2.3e5f, 0.31f, 0.42f, 2.5f, 4.6f};
const QByteArray kListing = " Turn  1           0.55uH\r\n Turn  2           2.04uH";
const QByteArray kSentence = "The primary will need to be tapped between turn 1 and turn 2";
const QList<float> kSecondary{21,     4.5f,   0.023f, 0.004f,   801,      950,
                              0.037f, 2.4e5f, 1.6e5f, 1.2e-11f, 1.9e-11f, 4.7f};
const QList<float> kTransformer{12.5f, 30, 1.3e-8f}; // SecVol, SecCur, C; Num is 3

QByteArray distinctDesign(bool primaryOutOfDate = false, const QByteArray& listing = kListing,
                          const QList<float>& secondary = kSecondary) {
    QByteArray bytes = text("<-rezon32->") + integer(2) + integer(0) + integer(1) + integer(2) +
                       integer(0) + boolean(false) + boolean(true);
    for (int i = 0; i < 5; ++i)
        bytes += single(kPrimary[i]);
    bytes += text(listing) + single(kPrimary[5]) + text(kSentence) + boolean(primaryOutOfDate);
    for (float value : secondary)
        bytes += single(value);
    return bytes + single(kTransformer[0]) + single(kTransformer[1]) + integer(3) +
           single(kTransformer[2]);
}

// The extension block: its signature and version, UseTopFr, then the top
// load's shape and its five values, each distinct (a toroid, in millimetres).
QByteArray extensionHeader(qint16 version = 1) { return text("<-rezon32+->") + integer(version); }
const QList<float> kTopLoad{311.5f, 71.25f, 42.5f, 517.75f, 151500}; // Dia, Tube, Height, Base, Fr
QByteArray topLoadFields(qint16 shape = 1) {
    QByteArray bytes = integer(shape);
    for (float value : kTopLoad)
        bytes += single(value);
    return bytes;
}
QByteArray extendedDesign() {
    return newMetricDesign() + extensionHeader() + integer(1) + topLoadFields();
}

// Sets every extension field of the version or an earlier one away from a new
// design's.
void awayFromNew(CFile& doc, qint16 version) {
    for (const ExtensionField& field : extensionFields()) {
        if (field.file.version > version)
            continue;
        if (field.choice) {
            (doc.settings().*field.choice->keep)(1);
        } else if (field.added) {
            const DesignInput& row = *field.added;
            const char* away = row.quantity == Quantity::Choice ? row.words.constLast().word
                               : row.start == 2                 ? "3"
                               : row.accepts.contains(2)        ? "2"
                                                                : "0.5";
            storeEntry(row, doc.models(), QLatin1String(away));
        } else {
            doc.topLoad().setShape(physics::Shape::Toroid);
            doc.topLoad().setTopDia(QStringLiteral("311.5"));
            doc.topLoad().setTubeDia(QStringLiteral("71.25"));
        }
    }
}

QList<float> topLoadValues(const CTopLoad& t) {
    return {t.TopDiaValue(), t.TubeDiaValue(), t.TopHeightValue(), t.BaseHeightValue(),
            t.TargetFrValue()};
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // Saves the design under the name and gives back the file's bytes.
    QByteArray saved(CFile& doc, const char* name) {
        test::ScriptedPrompts dlg;
        doc.FileSaveAs(dlg, path(name));
        return test::readAll(path(name));
    }
    // Opens the bytes as a design file; true when they hold a complete design.
    bool read(CFile& doc, const QByteArray& bytes) { return told(doc, bytes).isEmpty(); }
    // Opens the bytes as a design file and gives back what was told.
    QStringList told(CFile& doc, const QByteArray& bytes) {
        test::writeAll(path("read.rzn"), bytes);
        test::ScriptedPrompts dlg;
        if (!doc.FileOpenNamed(dlg, path("read.rzn")))
            return {QStringLiteral("not opened")};
        return dlg.told.messages;
    }
    // Whether the extension's fields are a new design's.
    static bool extensionIsNew(const CFile& doc) {
        return doc.settings().UseTopFr() == 0 && doc.topLoad().isNew(doc.settings().UseMetric());
    }

private slots:
    void init() { QLocale::setDefault(test::pointLocale()); }

    // Saved over a longer file, which it replaces.
    void newDesignBytes() {
        test::writeAll(path("long.rzn"), QByteArray(5000, 'x'));
        CFile doc(nullptr);
        doc.setModified(true);
        QCOMPARE(saved(doc, "long.rzn"), newMetricDesign());
        QVERIFY(!test::asksToSave(doc));
    }

    // Each field reads into its own property and is written back in its own place.
    void roundTripKeepsEveryField() {
        CFile doc(nullptr);
        doc.setModified(true);
        QVERIFY(read(doc, distinctDesign()));
        QVERIFY(!test::asksToSave(doc));
        const CSettings& settings = doc.settings();
        QCOMPARE(QList<int>({settings.UseSecDia(), settings.UseSecFr(), settings.UsePriC(),
                             settings.UseMetric(), settings.Use50Hz()}),
                 QList<int>({1, 2, 0, false, true}));
        const CPrimary& p = doc.primary();
        QCOMPARE(QList<float>({p.CValue(), p.frValue(), p.ConDiaValue(), p.ConSpaValue(),
                               p.SecSepValue(), p.SecDiaValue()}),
                 kPrimary);
        QCOMPARE(QStringList({p.LPerTurn(), p.Results()}), QStringList({kListing, kSentence}));
        QVERIFY(!p.CalcsInvalid());
        const CSecondary& s = doc.secondary();
        QCOMPARE(QList<float>({s.HeightValue(), s.DiaValue(), s.WireDiaValue(), s.WireSpaValue(),
                               s.Turns(), s.WireLength(), s.L(), s.NatFr(), s.QuarWaveFr(),
                               s.SelfC(), s.TorC(), s.AspectRatio()}),
                 kSecondary);
        const CTransformer& t = doc.transformer();
        QCOMPARE(QList<float>({t.SecVolValue(), t.SecCurValue(), t.C()}), kTransformer);
        QCOMPARE(t.NumValue(), qint16(3));
        QCOMPARE(saved(doc, "again.rzn"), distinctDesign());
    }

    // Cut inside the secondary's fields: what comes before the cut is read, the
    // rest is a new design's, whatever the design held before.
    void shortFileReadsWhatItHas() {
        const QByteArray bytes = distinctDesign();
        const qsizetype secondaryStart = bytes.size() - 12 * 6 - 22;
        CFile doc(nullptr);
        doc.secondary().Calculate(true);
        doc.transformer().setNum(QStringLiteral("2"));
        doc.transformer().CalcCap(true);
        QVERIFY(!read(doc, bytes.left(secondaryStart + 2 * 6 + 3))); // Height, Dia, cut
        QCOMPARE(doc.settings().UseMetric(), false);
        QCOMPARE(QList<float>({doc.secondary().HeightValue(), doc.secondary().DiaValue(),
                               doc.secondary().Turns(), doc.transformer().C()}),
                 kSecondary.mid(0, 2) + QList<float>({0, 0}));
        QCOMPARE(QStringList(
                     {doc.primary().Results(), doc.secondary().WireDia(), doc.transformer().Num()}),
                 QStringList({kSentence, "0.72", "1"}));
    }

    void otherSignatureVersionAndExtraBytes() {
        QByteArray bytes = newMetricDesign();
        bytes.replace(0, 15, text("something else entirely"));
        bytes.replace(27, 8, integer(7) + integer(99));
        CFile doc(nullptr);
        doc.settings().setUseMetric(false);
        // Read all the same, but not Resonex's.
        QVERIFY(!read(doc, bytes + "trailing junk"));
        QCOMPARE(doc.settings().UseMetric(), true);
        QCOMPARE(doc.transformer().SecVol() + u'|' + doc.transformer().Num(),
                 QStringLiteral("15.00|1"));
    }

    // Fields stored as another kind are converted; the values after them stay
    // in step.
    void fieldsOfOtherKinds() {
        QByteArray bytes = settingsFields(false, false);
        bytes += single(1e-8f) + single(250000) + integer(1) + text("0.5") + boolean(true) +
                 single(42) + text("4.5") + integer(7) + single(0);
        CFile doc(nullptr);
        read(doc, bytes);
        const CPrimary& p = doc.primary();
        // From an integer, a numeric text, a boolean true, a single as text, ...
        QCOMPARE(QStringList(
                     {p.ConDia(), p.ConSpa(), p.SecSep(), p.LPerTurn(), p.SecDia(), p.Results()}),
                 QStringList({"1.00", "0.50", "-1.00", "42", "4.50", "7"}));
        QVERIFY(!p.CalcsInvalid());
    }

    // A value that cannot be read ends its object's reading at that field; the
    // next object reads on from there.
    void unreadableValues_data() {
        QTest::addColumn<QByteArray>("badField");
        QTest::newRow("letters into a number") << text("abc");
        QTest::newRow("NaN single") << single(std::numeric_limits<float>::quiet_NaN());
        QTest::newRow("infinite single") << single(std::numeric_limits<float>::infinity());
        QTest::newRow("integer out of 16 bits") << single(1e6f);
        QTest::newRow("unknown type code") << word(99);
    }
    void unreadableValues() {
        QFETCH(QByteArray, badField);
        // The bad value stands for UseSecFr; the primary reads on after it.
        CFile doc(nullptr);
        doc.settings().setUseMetric(false);
        read(doc, text("<-rezon32->") + integer(2) + integer(0) + integer(1) + badField +
                      single(2e-8f) + single(250000));
        // UseSecFr and UseMetric a new design's, not those of the design before.
        QCOMPARE(QList<int>({doc.settings().UseSecDia(), doc.settings().UseSecFr(),
                             doc.settings().UseMetric()}),
                 QList<int>({1, 0, true}));
        QCOMPARE(doc.primary().C() + u'|' + doc.primary().fr(), QStringLiteral("0.02|250.00"));
    }

    void textRunningPastTheEnd() {
        CFile doc(nullptr);
        read(doc, settingsFields(false, true) + single(1e-8f) + word(8) + word(60000) + "ab");
        QCOMPARE(doc.settings().UseMetric(), false);
        QCOMPARE(QStringList({doc.primary().C(), doc.primary().fr(), doc.secondary().Height()}),
                 QStringList({"0.01", "0.00", "600.00"}));
    }

    // Every extension field in its own place, written after the four objects
    // exactly as they are without it, and read back.
    void extensionRoundTrip() {
        CFile doc(nullptr);
        doc.settings().setUseTopFr(1);
        CTopLoad& top = doc.topLoad();
        top.setShape(CTopLoad::Shape::Toroid);
        top.setTopDia(QStringLiteral("311.5"));
        top.setTubeDia(QStringLiteral("71.25"));
        top.setTopHeight(QStringLiteral("42.5"));
        top.setBaseHeight(QStringLiteral("517.75"));
        top.setTargetFr(QStringLiteral("151.5"));
        QCOMPARE(saved(doc, "top.rzn"), extendedDesign());

        CFile again(nullptr);
        QVERIFY(read(again, extendedDesign()));
        QCOMPARE(again.settings().UseTopFr(), qint16(1));
        QCOMPARE(again.topLoad().shape(), CTopLoad::Shape::Toroid);
        QCOMPARE(topLoadValues(again.topLoad()), kTopLoad);
        QVERIFY(!test::asksToSave(again));
        QCOMPARE(saved(again, "again.rzn"), extendedDesign());

        // Either part alone makes a block; a sphere keeps its unused tube.
        CFile choiceOnly(nullptr);
        choiceOnly.settings().setUseTopFr(1);
        QVERIFY(saved(choiceOnly, "choice.rzn").startsWith(newMetricDesign() + extensionHeader()));
        QVERIFY(read(choiceOnly,
                     newMetricDesign() + extensionHeader() + integer(0) + topLoadFields(2)));
        QCOMPARE(choiceOnly.topLoad().shape(), CTopLoad::Shape::Sphere);
        QCOMPARE(topLoadValues(choiceOnly.topLoad()), kTopLoad);

        // So does any one input changed from a new design's.
        using Set = void (CTopLoad::*)(const QString&);
        for (const auto& [set, text] : {std::pair<Set, const char*>{&CTopLoad::setTopDia, "301"},
                                        {&CTopLoad::setTubeDia, "76"},
                                        {&CTopLoad::setTopHeight, "51"},
                                        {&CTopLoad::setBaseHeight, "501"},
                                        {&CTopLoad::setTargetFr, "150"}}) {
            CFile one(nullptr);
            (one.topLoad().*set)(QLatin1String(text));
            QVERIFY(saved(one, "one.rzn").startsWith(newMetricDesign() + extensionHeader()));
        }
    }

    // A primary tuned to the loaded frequency quotes the frequency its own
    // turns as built give (they stand in the field) and opens as saved while
    // its tapping stands there. Once the frequency worked out moves (here the
    // coil raised behind the calculation's back, as in a file written before
    // the field solution knew more), it opens out of date, not retuned.
    void primaryTunedToTheLoadedFrequency() {
        CFile doc(nullptr);
        test::enterSecondary(doc, "200", "600", "0.72", "0");
        test::enterTopLoad(doc, CTopLoad::Shape::Toroid, "300", "75", "50", "500");
        doc.added().store(designInput(Input::PriShape), QStringLiteral("helical"));
        PrimaryChoices choices;
        choices.useTopFr = 1;
        choices.useSecDia = 1;
        test::RecordingPrompts prompts;
        calculatePrimary(doc, choices, test::primaryEntries("0.01", "", "", "9.5", "9.5", "62.5"),
                         prompts);
        QVERIFY(doc.results().topLoad().primaryInField);
        QVERIFY(doc.primary().Results().endsWith(
            " at " + kilohertzText(doc.results().topLoad().loadedFr) + "kHz"));
        CFile again(nullptr);
        QVERIFY(read(again, saved(doc, "tuned.rzn")));
        QVERIFY(!again.primary().CalcsInvalid());
        doc.topLoad().setBaseHeight(QStringLiteral("300"));
        QVERIFY(read(again, saved(doc, "moved.rzn")));
        QVERIFY(again.primary().CalcsInvalid());
    }

    // A block whose header cannot be read is passed over whole. In one that
    // can, each value that cannot be read, or that no entry could have stored
    // (zero or subnormal as a float where an entry must be positive), is
    // dropped alone, keeping a new design's (inches here), and the rest are
    // kept: saved again, the file keeps them. One warning either way; a
    // primary that may have been tuned to what was lost is out of date.
    void damagedExtension_data() {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<bool>("whole");      // passed over whole
        QTest::addColumn<QByteArray>("kept"); // the fields saved after the header
        QTest::addColumn<bool>("primaryOutOfDate");
        const QByteArray fields = integer(1) + topLoadFields();
        const QByteArray newFields =
            integer(0) + single(12) + single(3) + single(2) + single(20) + single(0);
        const auto values = [](float dia, float tube, float height, float base, float fr) {
            return single(dia) + single(tube) + single(height) + single(base) + single(fr);
        };
        QTest::newRow("cut in the version")
            << extensionHeader().left(17) << true << QByteArray() << true;
        QTest::newRow("version 0") << extensionHeader(0) + fields << true << QByteArray() << true;
        QTest::newRow("no fields") << extensionHeader() << false << QByteArray() << true;
        QTest::newRow("cut in the shape")
            << extensionHeader() + integer(1) + word(2) << false << integer(1) + newFields << true;
        QTest::newRow("cut in the last value")
            << (extensionHeader() + fields).chopped(1) << false
            << integer(1) + integer(1) + values(311.5f, 71.25f, 42.5f, 517.75f, 0) << true;
        QTest::newRow("letters for a choice") << extensionHeader() + text("x") + topLoadFields()
                                              << false << integer(0) + topLoadFields() << true;
        QTest::newRow("a choice of 2") << extensionHeader() + integer(2) + topLoadFields() << false
                                       << integer(0) + topLoadFields() << true;
        QTest::newRow("letters for a diameter")
            << extensionHeader() + integer(1) + integer(1) + text("wide") + single(1) + single(1) +
                   single(1) + single(0)
            << false << integer(1) + integer(1) + values(12, 1, 1, 1, 0) << true;
        QTest::newRow("unknown shape, not tuned to")
            << extensionHeader() + integer(0) + topLoadFields(3) << false
            << integer(0) + topLoadFields(0) << false;
        QTest::newRow("negative diameter, zero heights")
            << extensionHeader() + integer(1) + integer(2) + values(-300, 75, 0, 0, 0) << false
            << integer(1) + integer(2) + values(12, 75, 0, 0, 0) << true;
        QTest::newRow("NaN height")
            << extensionHeader() + integer(1) + integer(2) +
                   values(300, 75, std::numeric_limits<float>::quiet_NaN(), 500, 0)
            << false << integer(1) + integer(2) + values(300, 75, 2, 500, 0) << true;
        QTest::newRow("subnormal sphere diameter")
            << extensionHeader() + integer(0) + integer(2) + values(1e-40f, 75, 50, 500, 0) << false
            << integer(0) + integer(2) + values(12, 75, 50, 500, 0) << false;
        QTest::newRow("zero tube, subnormal base and target")
            << extensionHeader() + integer(0) + integer(2) + values(300, 0, 50, 1e-41f, 1e-39f)
            << false << integer(0) + integer(2) + values(300, 3, 50, 20, 0) << false;
        QTest::newRow("toroid tube too wide")
            << extensionHeader() + integer(1) + integer(1) + values(300, 300, 50, 500, 0) << false
            << integer(1) + integer(1) + values(300, 3, 50, 500, 0) << true;
        QTest::newRow("too wide for a new design's tube too")
            << extensionHeader() + integer(1) + integer(1) + values(4, 4, 50, 500, 0) << false
            << integer(1) + integer(1) + values(12, 3, 50, 500, 0) << true;
    }
    void damagedExtension() {
        QFETCH(QByteArray, block);
        QFETCH(bool, whole);
        QFETCH(QByteArray, kept);
        QFETCH(bool, primaryOutOfDate);
        CFile doc(nullptr);
        doc.settings().setUseTopFr(1);
        doc.topLoad().setShape(CTopLoad::Shape::Sphere);
        const QString warning =
            whole ? " holds top load data that cannot be read. The top load and the primary's "
                    "choice of the loaded frequency are those of a new design."
                  : " holds top load values that cannot be read. Each of them is that of a new "
                    "design; the others are as saved.";
        QCOMPARE(told(doc, distinctDesign() + block), QStringList{path("read.rzn") + warning});
        QCOMPARE(doc.primary().CalcsInvalid(), primaryOutOfDate);
        QCOMPARE(saved(doc, "kept.rzn"),
                 distinctDesign(primaryOutOfDate) +
                     (kept.isEmpty() ? QByteArray() : extensionHeader() + kept));
    }

    // Cut anywhere inside, a block is passed over silently while its
    // signature is not all there, with one warning after that; the four
    // objects are read all the same.
    void extensionCutAnywhere() {
        const QByteArray block = extensionHeader() + integer(1) + topLoadFields();
        const qsizetype signature = text("<-rezon32+->").size();
        for (qsizetype cut = 1; cut < block.size(); ++cut) {
            CFile doc(nullptr);
            QCOMPARE(told(doc, distinctDesign() + block.left(cut)).size(), cut < signature ? 0 : 1);
            QVERIFY(cut >= signature || extensionIsNew(doc));
            QCOMPARE(doc.transformer().NumValue(), qint16(3));
        }
    }

    // A listing no calculation writes is kept as read, with a warning, and
    // gives no turns.
    void damagedListingIsKept() {
        const QByteArray bytes =
            distinctDesign(false, kListing + "\r\n Turn 100000000     200.00uH");
        CFile doc(nullptr);
        QCOMPARE(told(doc, bytes),
                 QStringList{path("read.rzn") +
                             " holds a list of primary turns that cannot be Resonex's. It is "
                             "kept as saved, but nothing is drawn or plotted from it; "
                             "calculating the primary again lists its turns anew."});
        QVERIFY(doc.primary().listing().turns.isEmpty());
        QCOMPARE(saved(doc, "kept.rzn"), bytes);
    }

    // A damaged file can hold the secondary's turns without its frequency, or
    // the frequency without the turns: the summary goes by the turns, the
    // primary's offer of the secondary's frequency by the frequency.
    void secondaryHalfCalculated_data() {
        QTest::addColumn<float>("turns");
        QTest::addColumn<float>("natFr");
        QTest::newRow("turns only") << kSecondary[4] << 0.0f;
        QTest::newRow("frequency only") << 0.0f << kSecondary[7];
    }
    void secondaryHalfCalculated() {
        QFETCH(float, turns);
        QFETCH(float, natFr);
        QList<float> secondary = kSecondary;
        secondary[4] = turns;
        secondary[7] = natFr;
        CFile doc(nullptr);
        QVERIFY(read(doc, distinctDesign(false, kListing, secondary)));
        QCOMPARE(SecondarySectionText(doc).startsWith("No Secondary"), turns == 0);
        QCOMPARE(canUse(doc, &PrimaryChoices::useSecFr), natFr != 0);
    }

    // Bytes after the objects that are no block of this program's are passed
    // over silently, as they always were.
    void foreignTrailingBytes_data() {
        QTest::addColumn<QByteArray>("trailing");
        QTest::newRow("the design's own signature")
            << text("<-rezon32->") + integer(1) + topLoadFields();
        QTest::newRow("a signature like it")
            << text("<-rezon32+-> ") + integer(1) + topLoadFields();
        QTest::newRow("the block's fields alone") << integer(1) + topLoadFields();
        QTest::newRow("a lone byte") << QByteArray("\x08", 1);
    }
    void foreignTrailingBytes() {
        QFETCH(QByteArray, trailing);
        CFile doc(nullptr);
        QVERIFY(read(doc, distinctDesign() + trailing));
        QVERIFY(extensionIsNew(doc));
    }

    // The surroundings are version 3's, after version 2's fields: a design
    // with none of them saves the version it had, byte for byte.
    void surroundingsOnlyInVersion3() {
        CFile doc(nullptr);
        const auto enter = [&doc](Input input, const char* text) {
            storeEntry(designInput(input), doc.models(), QString::fromLatin1(text));
        };
        enter(Input::PriTurns, "20");
        const QByteArray version2 = saved(doc, "two.rzn");
        QByteArray version3 = version2;
        QVERIFY(version3.contains(extensionHeader(2)));
        version3.replace(extensionHeader(2), extensionHeader(3));
        version3 += single(0) + single(0) + single(-40) + single(2500) + single(0);
        enter(Input::Ceiling, "2500");
        enter(Input::RailHeight, "-40");
        QCOMPARE(saved(doc, "three.rzn"), version3);
        CFile back(nullptr);
        QVERIFY(read(back, version3));
        QCOMPARE(back.results().surroundings().ceiling, 2.5);
        enter(Input::Ceiling, "");
        enter(Input::RailHeight, "0");
        QCOMPARE(saved(doc, "two.rzn"), version2);
    }

    // A later version's block: the fields this one knows are read, the ones
    // appended after them left. Those of versions 2 to 4 at a new design's
    // values (a flat primary of 15 turns, no surroundings, a static gap, a
    // bank rated twice the peak and the primary's own capacitor, a 1 ohm gap
    // quenching at the first notch without a streamer, a spark gap in place
    // of a full bridge tuned to 0.95 for 100 us bursts) save as
    // version 1 again; the primary's tank-capacitor choice alone saves as
    // version 4, and reads back.
    void laterVersion() {
        CFile doc(nullptr);
        const QByteArray version2 = single(0) + single(0) + single(15) + single(0) + single(0);
        const QByteArray version3 = single(0).repeated(5);
        const QByteArray version4 = single(0).repeated(5) + single(2) + integer(0);
        const QByteArray version5 = single(1) + single(0) + single(1);
        const QByteArray version6 = single(0).repeated(5) + single(1).repeated(2) + single(0.95f) +
                                    single(100) + single(0).repeated(2);
        QVERIFY(read(doc, newMetricDesign() + extensionHeader(7) + integer(1) + topLoadFields() +
                              version2 + version3 + version4 + version5 + version6 +
                              text("a field of version 7") + single(1)));
        QCOMPARE(doc.settings().UseTopFr(), qint16(1));
        QCOMPARE(topLoadValues(doc.topLoad()), kTopLoad);
        QCOMPARE(saved(doc, "now.rzn"), extendedDesign());

        doc.settings().setUseTankC(1);
        const QByteArray withChoice = newMetricDesign() + extensionHeader(4) + integer(1) +
                                      topLoadFields() + version2 + version3 +
                                      single(0).repeated(5) + single(2) + integer(1);
        QCOMPARE(saved(doc, "tank.rzn"), withChoice);
        CFile back(nullptr);
        QVERIFY(read(back, withChoice));
        QCOMPARE(back.settings().UseTankC(), qint16(1));
    }

    // A design of each version, read by the program of each version as it
    // knows the block (the fields of its version or an earlier one, in
    // order): it reads those it knows as written, leaves the rest at a new
    // design's, and saves what the newer program saves at its version.
    void everyVersionReadByEveryOlderProgram() {
        const QList<ExtensionField>& fields = extensionFields();
        int next = 1;
        qint16 newest = 1;
        for (const ExtensionField& field : fields) {
            QCOMPARE(field.file.field, next);
            next += field.count;
            newest = std::max(newest, field.file.version);
        }
        QCOMPARE(extensionValueCount(), 2 + next - 1);
        for (qint16 version = 1; version <= newest; ++version) {
            CFile doc(nullptr);
            awayFromNew(doc, version);
            QCOMPARE(doc.extensionVersion(), std::optional<qint16>(version));
            const QByteArray bytes = doc.bytesToSave();
            for (qint16 known = 1; known <= newest; ++known) {
                QList<ExtensionField> older;
                for (const ExtensionField& field : fields)
                    if (field.file.version <= known)
                        older.append(field);
                FieldReader reader(bytes.mid(bytes.indexOf(extensionHeader(version))));
                QCOMPARE(extension::readHeader(reader), std::optional<qint16>(version));
                CFile back(nullptr);
                const ExtensionModels read{back.settings(), back.topLoad(), back.added()};
                QVERIFY2(
                    readExtension(reader, version, read, older).isEmpty(),
                    qPrintable(QStringLiteral("version %1 read by %2").arg(version).arg(known)));
                const qint16 kept = std::min(version, known);
                QCOMPARE(extensionVersion(read), std::optional<qint16>(kept));
                const auto block = [&older, kept](const CFile& design) {
                    FieldWriter writer;
                    writeExtension(writer, kept,
                                   {design.settings(), design.topLoad(), design.added()}, older);
                    return writer.bytes();
                };
                QCOMPARE(block(back), block(doc));
            }
        }
    }

    // Whatever the bytes, reading ends, and no read value is an infinity or NaN.
    void arbitraryBytesNeverBreakTheReader() {
        const QByteArray valid = distinctDesign();

        QRandomGenerator random(20261206);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            if (round % 2) {
                bytes = valid.left(random.bounded(valid.size() + 1));
                for (int flips = random.bounded(1, 8); flips > 0 && !bytes.isEmpty(); --flips)
                    bytes[random.bounded(bytes.size())] = char(random.bounded(256));
            } else {
                bytes.resize(random.bounded(400));
                for (char& c : bytes)
                    c = char(random.bounded(256));
            }
            CFile doc(nullptr);
            read(doc, bytes);
            const CSecondary& s = doc.secondary();
            for (float value : {s.Turns(), s.WireLength(), s.L(), s.NatFr(), s.QuarWaveFr(),
                                s.SelfC(), s.TorC(), s.AspectRatio(), doc.transformer().C()})
                QVERIFY(std::isfinite(value));
        }
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
