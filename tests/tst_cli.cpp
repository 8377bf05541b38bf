#include "TestSupport.h"

#include "cli/JsonDesign.h"
#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/settings/CSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <limits>

// resonex-cli from the outside: its output, exit codes and the files it writes.

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    QByteArray errBytes;
};

// resonex-cli in the locale given, the shell text given after its arguments
// (a redirection, or an argument the shell makes).
Run cli(const QStringList& arguments, const QByteArray& locale = "en_US.UTF-8",
        const QString& redirect = QString()) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(locale));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{"-c", "exec \"$0\" \"$@\" " + redirect, QStringLiteral(RESONEX_CLI)} +
                      arguments);
    if (!process.waitForFinished(30000))
        return {};
    const QByteArray err = process.readAllStandardError();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(err), err};
}

// The exit status and all of stderr, compared at once.
QString outcome(const Run& run) { return QString::number(run.exitCode) + u' ' + run.err; }

// Whether a file opens as a whole design, read into the document given.
bool opensWhole(resonex::CFile& doc, const QString& file) {
    resonex::test::ScriptedPrompts dlg;
    return doc.FileOpenNamed(dlg, file) && dlg.told.messages.isEmpty();
}

// Whether two JSON values are the same, numbers to within a float's
// rounding; where names the first that is not.
// The figures of the field solution a worked example works out with its own,
// finer discretisation: each within `relative` of the worked one, its place
// named by its keys from the section's object down (a.b.c).
struct FieldFigures {
    QStringList paths;
    double relative = 0;
};

bool sameJson(const QJsonValue& written, const QJsonValue& worked, QString& where,
              const FieldFigures* field = nullptr, const QString& path = QString()) {
    if (written.isObject() && worked.isObject()) {
        const QJsonObject a = written.toObject();
        const QJsonObject b = worked.toObject();
        if (a.keys() != b.keys()) {
            where = a.keys().join(u' ') + QStringLiteral(" against ") + b.keys().join(u' ');
            return false;
        }
        for (const QString& key : a.keys())
            if (!sameJson(a[key], b[key], where, field, path.isEmpty() ? key : path + u'.' + key)) {
                where.prepend(key + u'.');
                return false;
            }
        return true;
    }
    if (written.isArray() && worked.isArray()) {
        const QJsonArray a = written.toArray();
        const QJsonArray b = worked.toArray();
        if (a.size() != b.size()) {
            where = QStringLiteral("%1 items against %2").arg(a.size()).arg(b.size());
            return false;
        }
        for (qsizetype i = 0; i < a.size(); ++i)
            if (!sameJson(a[i], b[i], where, field, path)) {
                where.prepend(QStringLiteral("[%1].").arg(i));
                return false;
            }
        return true;
    }
    const double relative = field && field->paths.contains(path) ? field->relative : 3e-7;
    const bool same =
        written.isDouble() && worked.isDouble()
            ? qAbs(written.toDouble() - worked.toDouble()) <= relative * qAbs(worked.toDouble())
            : written == worked;
    if (!same)
        where = QString::fromUtf8(
            QJsonDocument(QJsonArray{written, worked}).toJson(QJsonDocument::Compact));
    return same;
}

// A calculation's JSON object against its worked one, each value within a
// float's rounding (sameJson); a height found by a search that stops within
// 1e-7 of its k, within a micrometre. Empty where they agree, else where
// they part.
QString workedJsonFault(QJsonObject written, const QJsonObject& worked,
                        const char* height = nullptr) {
    if (height && written[height].isDouble() && worked[height].isDouble()) {
        if (qAbs(written[height].toDouble() - worked[height].toDouble()) > 1e-6)
            return QLatin1String(height) + u' ' + QString::number(written[height].toDouble());
        written[height] = worked[height];
    }
    QString where;
    return sameJson(written, worked, where) ? QString() : where;
}

QString dataFile(const char* name) {
    return QStringLiteral(RESONEX_TEST_DATA "/") + QLatin1String(name);
}

// Whether a summary section is the worked one line by line: its words and the
// numbers of its labels exactly, and the numbers after the labels given
// (fieldLabels) each within `relative` of the worked one and a unit in the
// last of the two decimals shown, the rounding of both; where names the first
// line that is not.
bool sameSection(const QString& written, const QString& worked, const QStringList& fieldLabels,
                 double relative, QString& where) {
    static const QRegularExpression number(QStringLiteral("-?\\d+(?:[.,]\\d+)?"));
    const QStringList a = written.split(u'\n');
    const QStringList b = worked.split(u'\n');
    if (a.size() != b.size()) {
        where = QStringLiteral("%1 lines against %2").arg(a.size()).arg(b.size());
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        where = a[i] + QStringLiteral(" against ") + b[i];
        const qsizetype colon = b[i].indexOf(QStringLiteral(" : "));
        const bool field =
            colon > 0 && std::any_of(fieldLabels.begin(), fieldLabels.end(),
                                     [&](const QString& label) { return b[i].startsWith(label); });
        // The words (every number taken out) first, then each number.
        if (QString(a[i]).replace(number, QStringLiteral("#")) !=
            QString(b[i]).replace(number, QStringLiteral("#")))
            return false;
        QRegularExpressionMatchIterator x = number.globalMatch(a[i]);
        QRegularExpressionMatchIterator y = number.globalMatch(b[i]);
        while (x.hasNext() && y.hasNext()) {
            const QRegularExpressionMatch mx = x.next();
            const QRegularExpressionMatch my = y.next();
            const double vx = mx.captured().replace(u',', u'.').toDouble();
            const double vy = my.captured().replace(u',', u'.').toDouble();
            const bool same = field && my.capturedStart() > colon
                                  ? qAbs(vx - vy) <= relative * qAbs(vy) + 0.01
                                  : mx.captured() == my.captured();
            if (!same)
                return false;
        }
    }
    where.clear();
    return true;
}

// The worked design: all three groups, the primary taking its values from the
// others; each value typed differs from the others, so that an option filling
// another's field shows.
const QStringList kWorkedDesign{
    "--mains",     "60",   "--kv",         "15",  "--ma",          "60",   "--count",   "1",
    "--dia",       "200",  "--height",     "600", "--wire-dia",    "0.72", "--spacing", "0",
    "--use-pri-c", "1",    "--use-sec-fr", "1",   "--use-sec-dia", "1",    "--con-dia", "9.5",
    "--con-spa",   "6.35", "--sec-sep",    "62.5"};

// A 200 x 600 mm winding under a 300 x 75 mm toroid, its primary worked out
// by the classic calculation for 0.01 uF at 200 kHz: a coil for a bridge.
const QStringList kToroidCoil{
    "--dia",     "200",           "--height", "600",       "--wire-dia", "0.72",      "--spacing",
    "0",         "--use-sec-dia", "1",        "--con-dia", "9.5",        "--con-spa", "6.35",
    "--sec-sep", "62.5",          "--top",    "toroid",    "--top-dia",  "300",       "--top-tube",
    "75",        "--top-height",  "50",       "--cap",     "0.01",       "--freq",    "200"};

// The bang's and the burst's inch coil, typed with commas: a 4.5 x 20 in
// winding under a 14 x 3.5 in toroid, two 12 kV / 60 mA units at 50 Hz, a
// helical primary below the base tuned to the loaded frequency.
const QStringList kInchCoil{
    "--units",       "in",     "--mains",     "50",      "--kv",         "12",
    "--ma",          "60",     "--count",     "2",       "--dia",        "4,5",
    "--height",      "20",     "--wire-dia",  "0,0253",  "--spacing",    "0,005",
    "--top",         "toroid", "--top-dia",   "14",      "--top-tube",   "3,5",
    "--top-height",  "3",      "--use-pri-c", "1",       "--use-top-fr", "1",
    "--use-sec-dia", "1",      "--con-dia",   "0,25",    "--con-spa",    "0,25",
    "--sec-sep",     "1,5",    "--pri-shape", "helical", "--pri-turns",  "14",
    "--pri-height",  "-1,25"};

// The imperial worked example and a transformer, typed with commas.
const QStringList kImperialWithCommas{
    "--units",   "in",    "--cap",     "0,01",  "--freq",    "250,00", "--sec-dia", "4,5",
    "--con-dia", "0,374", "--con-spa", "0,374", "--sec-sep", "2,46",   "--kv",      "12,5"};

// The one JSON object a run printed on one line; empty when it printed
// anything else.
QJsonObject jsonOf(const Run& run) {
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    const bool oneLine = run.out.indexOf(u'\n') == run.out.size() - 1;
    return error.error == QJsonParseError::NoError && oneLine ? json.object() : QJsonObject();
}

// Whether a JSON number reads back as the float nearest to the exact value:
// the value lies within half a step of it either way.
bool isNearestFloat(const QJsonValue& written, long double exact) {
    const float value = float(written.toDouble());
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const long double down = std::nextafter(value, -kInfinity);
    const long double up = std::nextafter(value, kInfinity);
    return written.isDouble() && (value + down) / 2 <= exact && exact <= (value + up) / 2;
}

// A JSON number and the exact SI value of the float the design holds for it.
struct DesignValue {
    const char* section;
    const char* key;
    long double held;
};

QList<DesignValue> designValues(const resonex::CFile& doc) {
    const resonex::CSettings& settings = doc.settings();
    const resonex::CSecondary& s = doc.secondary();
    const resonex::CTransformer& t = doc.transformer();
    const resonex::CPrimary& p = doc.primary();
    const long double length = settings.UseMetric() ? 1e-3L : 0.0254L;
    const long double wireLength = settings.UseMetric() ? 1 : 0.3048L;
    return {
        {"secondary", "diameter_m", s.DiaValue() * length},
        {"secondary", "height_m", s.HeightValue() * length},
        {"secondary", "wire_diameter_m", s.WireDiaValue() * length},
        {"secondary", "spacing_m", s.WireSpaValue() * length},
        {"secondary", "turns", s.Turns()},
        {"secondary", "wire_length_m", s.WireLength() * wireLength},
        {"secondary", "inductance_h", s.L()},
        {"secondary", "resonance_hz", s.NatFr()},
        {"secondary", "quarter_wave_hz", s.QuarWaveFr()},
        {"secondary", "self_capacitance_f", s.SelfC()},
        {"secondary", "toroid_capacitance_f", s.TorC()},
        {"secondary", "aspect_ratio", s.AspectRatio()},
        {"transformer", "voltage_v", t.SecVolValue() * 1e3L},
        {"transformer", "current_a", t.SecCurValue() * 1e-3L},
        {"transformer", "count", t.NumValue() * 1.0L},
        {"transformer", "capacitance_f", t.C()},
        {"primary", "capacitance_f", settings.UsePriC() == 1 ? t.C() : p.CValue()},
        {"primary", "frequency_hz", settings.UseSecFr() == 1 ? s.QuarWaveFr() : p.frValue()},
        {"primary", "secondary_diameter_m",
         (settings.UseSecDia() == 1 ? s.DiaValue() : p.SecDiaValue()) * length},
        {"primary", "conductor_diameter_m", p.ConDiaValue() * length},
        {"primary", "spacing_m", p.ConSpaValue() * length},
        {"primary", "separation_m", p.SecSepValue() * length},
    };
}

} // namespace

// A worked example: the program's section for the arguments (from its title
// to the end of the section, a blank line or the end) and its whole JSON,
// beside the files worked out apart from the program (NAME.txt, NAME.json).
struct WorkedExample {
    QString section;
    QString workedSection;
    QJsonObject json;
    QJsonObject workedJson;
};

WorkedExample workedExample(const QStringList& arguments, const QByteArray& locale,
                            const QString& name, const QString& title) {
    WorkedExample example;
    const Run run = cli(QStringList{"calc"} + arguments, locale);
    const qsizetype start = run.out.indexOf(u'\n' + title + u'\n') + 1;
    if (run.exitCode != 0 || start == 0)
        return example;
    const qsizetype end = run.out.indexOf(QStringLiteral("\n\n"), start);
    example.section = run.out.mid(start, end < 0 ? -1 : end + 1 - start);
    example.json = jsonOf(cli(QStringList{"calc", "--json"} + arguments, locale));
    QFile text(dataFile(qPrintable(name + QStringLiteral(".txt"))));
    QFile json(dataFile(qPrintable(name + QStringLiteral(".json"))));
    if (text.open(QIODevice::ReadOnly) && json.open(QIODevice::ReadOnly)) {
        example.workedSection = QString::fromUtf8(text.readAll());
        example.workedJson = QJsonDocument::fromJson(json.readAll()).object();
    }
    return example;
}

class CliTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void helpAndVersion() {
        const Run help = cli({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QStringLiteral("resonex-cli show [--json] FILE ")));
        QVERIFY(help.out.contains(QStringLiteral("resonex-cli calc [--json] [OPTIONS] ")));
        const Run version = cli({"--version"});
        QCOMPARE(outcome(version) + version.out, QStringLiteral("0 resonex-cli 2.0\n"));
    }

    // The desktop's entry, MIME type and icon belong to the desktop program:
    // what links the core alone, as resonex-cli and this test do, carries none.
    void carriesNoDesktopFiles() {
        for (const char* name : {"desktop", "xml", "svg"})
            QVERIFY2(!QFile::exists(QStringLiteral(":/resonex/resonex.") + QLatin1String(name)),
                     name);
    }

    // The worked design printed as its summary and saved, each argument in its
    // own field; show prints it alike, in a comma locale with its comma. Reopened with another
    // mains frequency, the capacitor follows and the primary is left to be calculated again.
    void workedDesignSavedAndShown() {
        const QString file = path("coil.rzn");
        const Run run = cli(QStringList{"calc"} + kWorkedDesign + QStringList{"--out", file});
        QCOMPARE(outcome(run), "0 ");
        QVERIFY(run.out.startsWith(QStringLiteral("Filename: coil.rzn\n\n")));
        QVERIFY(run.out.contains(QStringLiteral("resonant circuit at 143.24kHz\n")));
        QVERIFY(run.out.endsWith(QStringLiteral("0.0106uF\n")));
        QVERIFY(!run.out.contains(u'\r'));

        resonex::CFile doc(nullptr);
        QVERIFY(opensWhole(doc, file));
        const resonex::CSettings& settings = doc.settings();
        QCOMPARE(QList<int>({settings.UseSecDia(), settings.UseSecFr(), settings.UsePriC(),
                             settings.UseMetric(), settings.Use50Hz()}),
                 QList<int>({1, 1, 1, true, false}));
        const resonex::CSecondary& s = doc.secondary();
        const resonex::CTransformer& t = doc.transformer();
        const resonex::CPrimary& p = doc.primary();
        QCOMPARE(QStringList({s.DiaEntry(), s.HeightEntry(), s.WireDiaEntry(), s.WireSpaEntry(),
                              t.SecVolEntry(), t.SecCurEntry(), t.Num(), p.ConDiaEntry(),
                              p.ConSpaEntry(), p.SecSepEntry()}),
                 QStringList({"200.00", "600.00", "0.72", "0.00", "15.00", "60.00", "1", "9.50",
                              "6.35", "62.50"}));
        QCOMPARE(cli({"show", file}).out, run.out);
        const QString comma = cli({"show", file}, "de_DE.UTF-8").out;
        QVERIFY(comma.contains("Primary resonant frequency : 143,24kHz\n") &&
                comma.endsWith("0,0106uF\n"));

        const Run changed = cli({"calc", "--in", file, "--mains", "50"});
        QCOMPARE(changed.exitCode, 0);
        QVERIFY(changed.out.startsWith(QStringLiteral("Filename: coil.rzn\n")));
        QVERIFY(changed.out.contains(QStringLiteral("No primary winding data calculated")));
        QVERIFY(
            changed.out.endsWith(QStringLiteral("at 50Hz with neon transformer(s) : 0.0127uF\n")));
    }

    // Inputs not given keep their stored values exactly, beyond the decimals
    // the summary shows.
    void inputsNotGivenKeepTheirValues() {
        const QString file = path("fine.rzn");
        const Run first = cli({"calc", "--units", "in", "--wire-dia", "0.00314", "--out", file});
        QCOMPARE(first.exitCode, 0);
        const Run again = cli({"calc", "--in", file, "--height", "23.622"});
        QCOMPARE(outcome(again) + again.out, outcome(first) + first.out);
    }

    // A warning on stderr whatever is printed; the run goes on.
    void turnLimitIsToldAndTheRunGoesOn() {
        const QStringList arguments{"--cap", "0.0001", "--freq", "25", "--sec-dia", "200"};
        for (const QStringList& command : {QStringList{"calc"}, QStringList{"calc", "--json"}}) {
            const Run run = cli(command + arguments);
            QCOMPARE(outcome(run), "0 resonex-cli: warning: The primary winding will exceed the "
                                   "limit of 15 turns\n");
            QVERIFY(!run.out.isEmpty());
        }
    }

    // Output that cannot be written fails the run, which then saves nothing.
    void lostOutputFails() {
        const QString never = path("never.rzn");
        for (const QString& redirect : {QStringLiteral(">/dev/full"), QStringLiteral(">&-")}) {
            for (const QStringList& arguments :
                 {QStringList{"--version"}, QStringList{"calc", "--kv", "12", "--out", never},
                  QStringList{"calc", "--json", "--out", never}}) {
                const Run run = cli(arguments, "en_US.UTF-8", redirect);
                QCOMPARE(run.exitCode, 1);
                QVERIFY2(
                    run.err.startsWith(QStringLiteral("resonex-cli: cannot write the output: ")),
                    qPrintable(run.err));
            }
        }
        QVERIFY(!QFile::exists(never));
    }

    // How each failure is told; --json changes what a run prints, never how
    // it fails, and a failed run saves nothing.
    void failures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told"); // all of stderr but for usage errors
        const auto usage = [](const char* name, const QStringList& arguments) {
            QTest::newRow(name) << arguments << 64 << QString();
        };
        usage("nothing", {});
        usage("unknown command", {"frob"});
        usage("unknown option", {"calc", "--bogus", "1"});
        usage("missing value", {"calc", "--height"});
        usage("bad choice", {"calc", "--use-sec-dia", "2"});
        usage("units with a design",
              {"calc", "--in", dataFile("zero-transformers.rzn"), "--units", "mm"});
        usage("capacitor not calculated", {"calc", "--use-pri-c", "1"});
        usage("typed and taken", {"calc", "--kv", "15", "--use-pri-c", "1", "--cap", "0.01"});
        usage("show without a file", {"show"});
        usage("two files", {"show", "a.rzn", "b.rzn"});
        usage("version with more", {"--version", "extra"});
        usage("json with a value", {"calc", "--json=1"});
        usage("bad top", {"calc", "--top", "cube"});
        usage("both frequency choices", {"calc", "--use-sec-fr", "1", "--use-top-fr", "1"});
        usage("no top load to tune to", {"calc", "--dia", "200", "--use-top-fr", "1"});
        usage("tube of a sphere", {"calc", "--top", "sphere", "--top-tube", "50"});
        const QString never = path("never.rzn");
        QTest::newRow("rejected value")
            << QStringList{"calc", "--dia", "150", "--height", "0", "--out", never} << 2
            << "resonex-cli: Invalid value in height property [CSecondary::Height 0x80040202]\n";
        QTest::newRow("tube over half the toroid: less than no hole")
            << QStringList{"calc",       "--top", "toroid", "--top-dia", "300",
                           "--top-tube", "150.1", "--out",  never}
            << 2
            << "resonex-cli: Invalid value in tube diameter property [--top-tube "
               "0x8004020F]\n";
        // Each value fits, but together they put the winding inside the top load.
        QTest::newRow("winding inside the sphere")
            << QStringList{"calc", "--dia",        "200", "--top", "sphere", "--top-dia",
                           "400",  "--top-height", "50",  "--out", never}
            << 2
            << "resonex-cli: The top load cuts into the winding or reaches below the floor: raise "
               "its centre from 50.00mm to at least 200.00mm above the winding, or make it "
               "smaller [--top-height 0x80040216]\n";
        QTest::newRow("no frequency")
            << QStringList{"calc", "--sec-dia", "200", "--cap", "0.01"} << 2
            << "resonex-cli: Invalid value in the resonant frequency "
               "property [CPrimary::Fr 0x80040206]\n";
        QTest::newRow("calculation")
            << QStringList{"calc", "--in", dataFile("zero-transformers.rzn"), "--mains", "60"} << 3
            << "resonex-cli: Division by zero [CTransformer::CalcCap 0x0000000B]\n";
        QTest::newRow("summary overflow")
            << QStringList{"calc", "--kv", "1e-45", "--out", never} << 3
            << "resonex-cli: Overflow [ComposeSummary 0x00000006]\n";
        // The primary as built: a cone needs its angle, and no turn may cut
        // into the winding, the top load or the floor; the message names the
        // part and the height that clears it. By hand: the inner turn at
        // r = 100 + 40 + 4.75 mm, the toroid's tube centred 112.5 mm out at
        // 650 mm, so 650 - sqrt(42.25^2 - 32.25^2) = 622.705 mm; the floor
        // 100 mm down less half the 9.5 mm conductor, -95.25 mm.
        QTest::newRow("cone without its angle")
            << (QStringList{"calc"} + kWorkedDesign +
                QStringList{"--pri-shape", "conical", "--out", never})
            << 2 << "resonex-cli: Invalid value in cone angle property [--pri-angle 0x80040218]\n";
        QTest::newRow("primary into the top load")
            << (QStringList{"calc"} + kWorkedDesign +
                QStringList{"--top", "toroid", "--sec-sep", "40", "--pri-height", "650", "--out",
                            never})
            << 2
            << "resonex-cli: The primary does not stand clear of the coil: it reaches into the "
               "top load; lower its inner turn from 650.00mm to 622.70mm or lower "
               "[--pri-height 0x8004021C]\n";
        QTest::newRow("primary below the floor")
            << (QStringList{"calc"} + kWorkedDesign +
                QStringList{"--base-height", "100", "--pri-height", "-98", "--out", never})
            << 2
            << "resonex-cli: The primary does not stand clear of the coil: it reaches below the "
               "floor; raise its inner turn from -98.00mm to -95.25mm or higher "
               "[--pri-height 0x8004021C]\n";
        // The surroundings: a value its input refuses, a rail without its
        // conductor, and one cutting into the winding at its base.
        QTest::newRow("ceiling below the floor")
            << QStringList{"calc", "--ceiling", "-5", "--out", never} << 2
            << "resonex-cli: Invalid value in ceiling height property [--ceiling "
               "0x80040220]\n";
        QTest::newRow("rail without its conductor")
            << QStringList{"calc", "--rail-dia", "600", "--out", never} << 2
            << "resonex-cli: Invalid value in strike rail conductor property "
               "[--rail-wire 0x8004021E]\n";
        QTest::newRow("rail into the winding")
            << QStringList{"calc",        "--dia", "200",   "--rail-dia", "100",
                           "--rail-wire", "10",    "--out", never}
            << 2
            << "resonex-cli: The surroundings cut into the coil, its top load or its primary: "
               "the strike rail; widen it to 210.01mm or more [--rail-dia "
               "0x80040222]\n";
        // Clear of the outer turn by hand: 167.25 + 14 x 15.85 + 4.75 + 10 =
        // 403.9 mm from the axis, touching refused to the hundredth.
        QTest::newRow("rail on the primary's inner turn")
            << (QStringList{"calc"} + kWorkedDesign +
                QStringList{"--rail-dia", "334.5", "--rail-wire", "20", "--out", never})
            << 2
            << "resonex-cli: The surroundings cut into the coil, its top load or its primary: "
               "the strike rail; widen it to 807.81mm or more [--rail-dia "
               "0x80040222]\n";
        QTest::newRow("missing file")
            << QStringList{"show", path("missing.rzn")} << 1
            << "resonex-cli: Error opening file : File not found (" + path("missing.rzn") + ")\n";
    }
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        const Run text = cli(arguments);
        if (exitCode == 64) {
            QCOMPARE(text.exitCode, exitCode);
            QVERIFY(text.err.startsWith(QStringLiteral("resonex-cli: ")));
            QVERIFY(text.err.endsWith(
                QStringLiteral("Try 'resonex-cli --help' for more information.\n")));
        } else {
            QCOMPARE(outcome(text), QString::number(exitCode) + u' ' + told);
        }
        QVERIFY(text.out.isEmpty());
        if (arguments.value(0) == QLatin1String("calc") ||
            arguments.value(0) == QLatin1String("show")) {
            const Run json = cli(QStringList{arguments.first(), "--json"} + arguments.mid(1));
            QCOMPARE(outcome(json) + json.out, outcome(text));
        }
        QVERIFY(!QFile::exists(path("never.rzn")));
    }

    // A save that fails says why, naming the file; what else it refuses,
    // such as a pipe, the write path's own tests cover.
    void failedSaveIsTold() {
        const QString lost = path("no/such/folder/x.rzn");
        QCOMPARE(outcome(cli({"calc", "--kv", "12", "--out", lost})),
                 "1 resonex-cli: Error saving file: No such file or directory (" + lost + ")\n");
    }

    // A name that is not UTF-8 reaches the design under its own bytes, in a
    // UTF-8 locale and in the C locale, and a message gives it back as it is
    // (the document's tests save and open under such a name).
    void namesThatAreNotUtf8() {
        for (const QByteArray locale : {"en_US.UTF-8", "C"}) {
            const QByteArray name = QFile::encodeName(m_dir.path()) + "/Spule \xe4 " + locale;
            // Arguments pass through QProcess as text, so the shell makes the bytes.
            const QString argument = QStringLiteral("\"$(printf '%s/Spule \\344 %s' '") +
                                     m_dir.path() + "' '" + locale + "')\"";
            QCOMPARE(cli({"show"}, locale, argument).errBytes,
                     "resonex-cli: Error opening file : File not found (" + name + ")\n");
        }
    }

    // A damaged design is shown as read over a new design, with a warning.
    void damagedDesignIsWarnedAbout() {
        QCOMPARE(cli({"calc", "--dia", "150", "--out", path("whole.rzn")}).exitCode, 0);
        resonex::test::writeAll(path("cut.rzn"),
                                resonex::test::readAll(path("whole.rzn")).left(100));
        const Run run = cli({"show", path("cut.rzn")});
        QCOMPARE(outcome(run), "0 resonex-cli: warning: " + path("cut.rzn") +
                                   " is not a complete Resonex design. The values it does not "
                                   "hold are those of a new design.\n");
        QVERIFY(run.out.contains(QStringLiteral("No Secondary Coil Data Calculated")));
    }

    // Designs as JSON from calc and show alike: each number reads back as the
    // very float the design holds, and a section is null where nothing was
    // calculated. A primary out of date keeps its last listing, flagged.
    void jsonIsTheDesign_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("calculated"); // the sections not null
        const QByteArray point = "en_US.UTF-8";
        const QString all = QStringLiteral("secondary transformer primary");
        QTest::newRow("worked") << kWorkedDesign << point << all;
        QTest::newRow("imperial, commas")
            << kImperialWithCommas << QByteArray("de_DE.UTF-8") << "transformer primary";
        QTest::newRow("inch secondary")
            << QStringList{"--units", "in", "--wire-dia", "0.00314"} << point << "secondary";
        QTest::newRow("turn limit")
            << QStringList{"--cap", "0.0001", "--freq", "25", "--sec-dia", "200"} << point
            << "primary";
        const QString saved = path("worked.rzn");
        cli(QStringList{"calc"} + kWorkedDesign + QStringList{"--out", saved});
        QTest::newRow("mains changed")
            << QStringList{"--in", saved, "--mains", "50"} << point << all;
    }
    void jsonIsTheDesign() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        QFETCH(QString, calculated);
        const QString file = path("json.rzn");
        const Run run =
            cli(QStringList{"calc", "--json"} + arguments + QStringList{"--out", file}, locale);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(cli({"show", "--json", file}, locale).out, run.out);
        const QJsonObject json = jsonOf(run);
        QVERIFY2(!json.isEmpty(), qPrintable(run.out));
        // Counts and the turns a tap lies between are integers (a listed
        // turn's number is compared below; a tap's "turn" is fractional).
        static const QRegularExpression kFraction(
            QStringLiteral(R"re("(count|turns_built|\w+_turn)":-?\d+[.e])re"));
        QVERIFY(!run.out.contains(kFraction));

        resonex::CFile doc(nullptr);
        QVERIFY(opensWhole(doc, file));
        QCOMPARE(json["units"], QJsonValue(doc.settings().UseMetric() ? "mm" : "in"));
        QCOMPARE(json["mains_hz"], QJsonValue(doc.settings().Use50Hz() ? 50 : 60));
        QStringList notNull;
        for (const char* section : {"secondary", "transformer", "primary"})
            if (!json[section].isNull())
                notNull << QLatin1String(section);
        QCOMPARE(notNull.join(u' '), calculated);
        for (const DesignValue& value : designValues(doc))
            if (!json[value.section].isNull())
                QVERIFY2(isNearestFloat(json[value.section][value.key], value.held), value.key);

        const QJsonObject primary = json["primary"].toObject();
        if (primary.isEmpty())
            return;
        QCOMPARE(primary["out_of_date"], QJsonValue(doc.primary().CalcsInvalid()));
        // The listing and the turns to tap as the primary states them.
        const QJsonArray turns = primary["turns"].toArray();
        const resonex::PrimaryListing& listing = doc.primary().listing();
        QCOMPARE(turns.size(), listing.turns.size());
        for (qsizetype i = 0; i < turns.size(); ++i) {
            QCOMPARE(turns[i]["turn"], QJsonValue(listing.turns[i].turn));
            QVERIFY(isNearestFloat(turns[i]["inductance_h"], listing.turns[i].henries));
        }
        QCOMPARE(primary["tap"].isNull(), !listing.tap);
        if (listing.tap) {
            QCOMPARE(primary["tap"]["after_turn"].toInt(), listing.tap->afterTurn);
            QCOMPARE(primary["tap"]["before_turn"].toInt(), listing.tap->beforeTurn);
        }
    }

    // A conical primary as built: its coupling given, its inputs saved in the
    // extension's version 2 and shown again as printed; the tap lies between
    // its turns, and the height found for a coupling gives that coupling.
    void primaryAsBuilt() {
        const QString file = path("cone.rzn");
        const QStringList cone =
            kWorkedDesign + QStringList{"--pri-shape", "conical", "--pri-angle",  "30",
                                        "--pri-turns", "20",      "--pri-height", "-20",
                                        "--target-k",  "0.15"};
        const Run run = cli(QStringList{"calc", "--json"} + cone + QStringList{"--out", file});
        QCOMPARE(outcome(run), "0 ");
        QCOMPARE(cli({"show", "--json", file}).out, run.out);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains(QByteArray("<-rezon32+->\2\0\2\0", 16)));
        const QJsonObject coupling = jsonOf(run)["coupling"].toObject();
        QCOMPARE(QStringList({coupling["shape"].toString(),
                              QString::number(coupling["angle_deg"].toDouble()),
                              QString::number(coupling["turns_built"].toInt()),
                              QString::number(coupling["height_m"].toDouble())}),
                 QStringList({"conical", "30", "20", "-0.02"}));
        QCOMPARE(coupling["turns"].toArray().size(), 20);
        const QJsonObject tap = coupling["tap"].toObject();
        QVERIFY(tap["turn"].toDouble() > tap["after_turn"].toInt() &&
                tap["turn"].toDouble() < tap["before_turn"].toInt());
        const double k = coupling["k"].toDouble();
        QVERIFY(k > 0 && k < 1);
        QVERIFY(coupling["lower_mode_hz"].toDouble() < coupling["upper_mode_hz"].toDouble());

        const double height = coupling["height_for_target_k_m"].toDouble() * 1000;
        const QJsonObject found =
            jsonOf(cli(QStringList{"calc", "--json", "--in", file, "--pri-height",
                                   QString::number(height, 'f', 4)}))["coupling"]
                .toObject();
        QVERIFY2(qAbs(found["k"].toDouble() - 0.15) < 1e-3, qPrintable(QString::number(height)));
    }

    // Scripts rely on the members and their order.
    void jsonKeepsItsOrder() {
        static const QRegularExpression kKey(QStringLiteral("\"(\\w+)\":"));
        QStringList keys;
        for (const QRegularExpressionMatch& key :
             kKey.globalMatch(cli(QStringList{"calc", "--json"} + kWorkedDesign).out))
            keys << key.captured(1);
        QCOMPARE(keys.join(u' '),
                 "file units mains_hz secondary diameter_m height_m wire_diameter_m spacing_m "
                 "turns wire_length_m inductance_h resonance_hz quarter_wave_hz "
                 "self_capacitance_f toroid_capacitance_f aspect_ratio transformer voltage_v "
                 "current_a count capacitance_f primary capacitance_f frequency_hz "
                 "secondary_diameter_m conductor_diameter_m spacing_m separation_m out_of_date "
                 "turns " +
                     QStringList(15, QStringLiteral("turn inductance_h")).join(u' ') +
                     " tap after_turn before_turn turn top_load surroundings resonance "
                     "base_height_m self_capacitance_f bare_hz loaded_hz primary_in_field "
                     "absent_reason coupling shape angle_deg "
                     "turns_built height_m inductance_h tap_inductance_h mutual_inductance_h k "
                     "lower_mode_hz upper_mode_hz turns " +
                     QStringList(15, QStringLiteral("turn inductance_h k")).join(u' ') +
                     " tap after_turn before_turn turn target_k height_for_target_k_m power "
                     "gap resonant_capacitance_f ltr_static_capacitance_f ltr_sync_capacitance_f "
                     "ltr_sync_power_w capacitance_f peak_voltage_v energy_per_bang_j bps power_w "
                     "power_capped "
                     "primary_peak_current_a secondary_peak_voltage_v safety_gap_v "
                     "spark_length_m streamer_capacitance_f running_hz tap_for_running "
                     "after_turn before_turn turn unit_capacitance_f unit_rating_v safety_factor "
                     "mmc bang absent_reason gap_ohms streamer_ohms quench_notch "
                     "primary_resistance_ohm secondary_resistance_ohm first_notch_s quench_s "
                     "secondary_share primary_energy_at_quench_j primary_peak_current_a "
                     "secondary_peak_voltage_v ring_down_s secondary_q complete_transfer_k "
                     "height_for_complete_transfer_m burst");
    }

    // The surroundings in JSON: null without any, else each part in metres
    // or null while not set; whether the primary stood in the field.
    void surroundingsInJson() {
        const QJsonObject bare = jsonOf(cli(QStringList{"calc", "--json"} + kWorkedDesign));
        QVERIFY(bare.contains("surroundings") && bare["surroundings"].isNull());
        QVERIFY(bare["resonance"]["primary_in_field"].isBool());
        const QJsonObject around =
            jsonOf(cli({"calc", "--json", "--rail-dia", "1000", "--rail-wire", "25",
                        "--rail-height", "-7", "--ceiling", "2500"}))["surroundings"]
                .toObject();
        QCOMPARE(around.keys().size(), 5);
        QVERIFY(isNearestFloat(around["rail_diameter_m"], 1.0L) &&
                isNearestFloat(around["rail_conductor_m"], 0.025L) &&
                isNearestFloat(around["rail_height_m"], -0.007L) &&
                isNearestFloat(around["ceiling_m"], 2.5L) && around["walls_m"].isNull());
        const QJsonObject walls =
            jsonOf(cli({"calc", "--json", "--walls", "1500"}))["surroundings"].toObject();
        QVERIFY(walls["rail_height_m"].isNull() && walls["ceiling_m"].isNull());
    }

    // The bang from the command line: a gap that never quenches, its
    // waveform written as CSV beside the saved design; after a quench the
    // primary carries nothing; a design without a bang, or a waveform that
    // cannot be written, fails the run, which then saves nothing.
    void bangWaveformAndQuench() {
        const QStringList tuned =
            kWorkedDesign + QStringList{"--use-pri-c",  "0",      "--use-sec-fr", "0",
                                        "--use-tank-c", "1",      "--use-top-fr", "1",
                                        "--top",        "toroid", "--top-dia",    "300",
                                        "--top-tube",   "75",     "--top-height", "50"};
        const QString csv = path("bang.csv");
        const QString saved = path("bang.rzn");
        const Run never = cli(
            QStringList{"calc", "--json", "--quench", "never", "--waveform", csv, "--out", saved} +
            tuned);
        QCOMPARE(outcome(never), QStringLiteral("0 "));
        QVERIFY(QFile::exists(saved));
        const QJsonObject bang = jsonOf(never)["bang"].toObject();
        QVERIFY(bang["quench_notch"].isNull() && bang["quench_s"].isNull() &&
                bang["secondary_share"].isNull() && bang["first_notch_s"].isDouble());
        QVERIFY(cli({"show", saved}).out.contains("Gap quenches : never (it conducts throughout)"));

        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.first(), QByteArray("time_s,primary_current_a,top_voltage_v"));
        QCOMPARE(lines.last(), QByteArray()); // the last line ends
        QCOMPARE(lines.size(), 1 + 1000 * 40 + 1 + 1);
        const double step = lines[2].split(',')[0].toDouble();
        QCOMPARE(lines[1].split(',')[0], QByteArray("0"));
        QVERIFY(qAbs(lines[lines.size() - 2].split(',')[0].toDouble() / (40000 * step) - 1) < 1e-6);

        // Quenching at the first notch: from then on the primary is open.
        QCOMPARE(cli(QStringList{"calc", "--waveform", csv} + tuned).exitCode, 0);
        const double quench = jsonOf(cli(QStringList{"calc", "--json"} + tuned))["bang"]
                                  .toObject()["quench_s"]
                                  .toDouble();
        // Written anew, not over the old one: read the new file.
        QFile quenched(csv);
        QVERIFY(quenched.open(QIODevice::ReadOnly));
        int after = 0;
        for (const QByteArray& line : quenched.readAll().split('\n').mid(1, 40001)) {
            const QList<QByteArray> values = line.split(',');
            if (values[0].toDouble() > quench * (1 + 1e-6)) {
                QCOMPARE(values[1].toDouble(), 0.0);
                ++after;
            }
        }
        QVERIFY(after > 39000);

        const QString unsaved = path("unsaved.rzn");
        const Run noBang = cli({"calc", "--dia", "200", "--waveform", csv, "--out", unsaved});
        QCOMPARE(outcome(noBang), "3 resonex-cli: no waveform to write to " + csv +
                                      ": No bang: the transformer bank must be calculated "
                                      "first\n");
        const QString nowhere = path("no/such/folder/bang.csv");
        const Run unwritten =
            cli(QStringList{"calc", "--waveform", nowhere, "--out", unsaved} + tuned);
        QCOMPARE(outcome(unwritten), "1 resonex-cli: The waveform could not be written to " +
                                         nowhere + ": No such file or directory.\n");
        QVERIFY(!QFile::exists(unsaved));
    }

    // A bridge from the command line: its bursts per second taken (a static
    // gap's still refused), --doubler alone or with its word, the Burst
    // section in place of the Bang's, the JSON's burst null until the design
    // can be simulated; --waveform writes the burst's.
    void bridgeFromTheCommandLine() {
        const QStringList coil = kToroidCoil + QStringList{"--driver", "bridge"};
        QCOMPARE(outcome(cli(QStringList{"calc", "--bps", "200", "--gap", "static"})),
                 QStringLiteral("64 resonex-cli: --bps applies to --gap async or --driver bridge "
                                "only\nTry 'resonex-cli --help' for more information.\n"));
        const Run noBus = cli(QStringList{"calc", "--bps", "200"} + coil);
        QVERIFY(noBus.out.endsWith("\n\nBurst\nNo burst: enter the bus voltage or the mains it "
                                   "is rectified from\n") &&
                !noBus.out.contains("Bang"));
        QVERIFY(jsonOf(cli(QStringList{"calc", "--json"} + coil))["burst"].isNull());
        const QStringList bank{"--unit-uf",     "0.15", "--unit-kv",      "2",
                               "--bank-series", "10",   "--bank-strings", "4"};
        for (const QStringList& doubled :
             {QStringList{"--doubler"}, QStringList{"--doubler", "yes"}}) {
            const QString csv = path("burst.csv");
            const QJsonObject burst =
                jsonOf(cli(QStringList{"calc", "--json", "--bus-from-mains", "115"} + doubled +
                           bank + coil + QStringList{"--waveform", csv}))["burst"]
                    .toObject();
            QVERIFY(isNearestFloat(burst["bus_v"], 230.0L * std::sqrt(2.0L)));
            QFile file(csv);
            QVERIFY(file.open(QIODevice::ReadOnly) &&
                    file.readLine() == "time_s,primary_current_a,top_voltage_v\n");
        }
        QVERIFY(jsonOf(cli(QStringList{"calc", "--json"} + coil))["bang"].isNull());
    }

    // The power side's section in full, against the worked examples
    // validation/power_worked.py works out apart from the program (the
    // power_worked test checks that it agrees with the same files): in
    // millimetres, and in inches with comma decimals.
    void powerWorkedExamples_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("millimetres, synchronous gap")
            << QStringList{"--mains", "60",    "--kv", "15",        "--ma", "60",        "--count",
                           "1",       "--gap", "sync", "--unit-uf", "0.15", "--unit-kv", "2"}
            << QByteArray("en_US.UTF-8") << "power-mm.txt";
        QTest::newRow("inches, comma decimals, asynchronous gap")
            << QStringList{"--units",   "in",  "--mains",      "50",   "--kv",      "12",
                           "--ma",      "30",  "--count",      "2",    "--gap",     "async",
                           "--bps",     "400", "--tank-uf",    "0,02", "--unit-uf", "0,0942",
                           "--unit-kv", "1,6", "--mmc-safety", "2,5"}
            << QByteArray("de_DE.UTF-8") << "power-in.txt";
    }
    void powerWorkedExamples() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        QFETCH(QString, expected);
        const WorkedExample example =
            workedExample(arguments, locale, expected.chopped(4), QStringLiteral("Power"));
        QVERIFY(!example.workedSection.isEmpty());
        QCOMPARE(example.section, example.workedSection);
        // The JSON's power object, every key and value: its figures single
        // precision, so within a float's rounding of the worked values.
        QString where;
        QVERIFY2(sameJson(example.json["power"], example.workedJson, where), qPrintable(where));
    }

    // The top load's section and the JSON's top_load, surroundings and
    // resonance in full, against the worked examples
    // validation/field_worked.py works out with a field solution of its own
    // (the field_worked test checks that it agrees with the same files): a
    // toroid in millimetres with a target, a rail below the winding's base, a
    // ceiling and walls; a sphere in inches with comma decimals, a rail above
    // the base and a ceiling alone. Every word and every entered figure
    // exactly; the field solution's figures within kFieldAgreement, the two
    // discretisations' largest difference measured (0.2 %, the capacitance
    // a toroid adds) with a little to spare: far inside the 17 % between the
    // bare and loaded frequencies, or the factor two between the capacitance
    // a load adds and its charge's.
    void fieldWorkedExamples_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("toroidSizes");
        QTest::newRow("millimetres, toroid, rail, ceiling and walls")
            << QStringList{"--dia",         "200",    "--height",     "600",
                           "--wire-dia",    "0.72",   "--spacing",    "0",
                           "--top",         "toroid", "--top-dia",    "300",
                           "--top-tube",    "75",     "--top-height", "50",
                           "--base-height", "500",    "--target-fr",  "180",
                           "--rail-dia",    "600",    "--rail-wire",  "10",
                           "--rail-height", "-50",    "--ceiling",    "2000",
                           "--walls",       "1500"}
            << QByteArray("en_US.UTF-8")
            << "field-mm.txt"
            // A toroid's tube is kept: only its overall diameter is sought.
            << QStringList{"top_load.toroid_for_torc.major_diameter_m",
                           "top_load.toroid_for_target.major_diameter_m"};
        QTest::newRow("inches, comma decimals, sphere, rail and ceiling")
            << QStringList{"--units",    "in",   "--dia",        "4,5",   "--height",      "18",
                           "--wire-dia", "0,02", "--spacing",    "0,005", "--top",         "sphere",
                           "--top-dia",  "8,5",  "--top-height", "5,25",  "--base-height", "24",
                           "--rail-dia", "30",   "--rail-wire",  "0,75",  "--rail-height", "3,5",
                           "--ceiling",  "80"}
            << QByteArray("de_DE.UTF-8")
            << "field-in.txt"
            // After a sphere, the toroid's tube is a quarter of what is sought.
            << QStringList{"top_load.toroid_for_torc.major_diameter_m",
                           "top_load.toroid_for_torc.minor_diameter_m"};
    }
    void fieldWorkedExamples() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        QFETCH(QString, expected);
        QFETCH(QStringList, toroidSizes);
        constexpr double kFieldAgreement = 0.0025;
        const WorkedExample example =
            workedExample(arguments, locale, expected.chopped(4), QStringLiteral("Top Load"));
        QVERIFY(!example.workedSection.isEmpty());
        const QStringList fieldLabels{"Top load capacitance in free space",
                                      "Capacitance the top load adds to the coil",
                                      "Top load charge over the top voltage",
                                      "Bare winding capacitance over the floor",
                                      "Resonant frequency without the top load",
                                      "Resonant frequency with the top load",
                                      "Toroid for "};
        QString where;
        QVERIFY2(sameSection(example.section, example.workedSection, fieldLabels, kFieldAgreement,
                             where),
                 qPrintable(where));
        const FieldFigures field{
            QStringList{"free_space_capacitance_f", "in_place_capacitance_f",
                        "charge_capacitance_f", "self_capacitance_f", "bare_hz", "loaded_hz"} +
                toroidSizes.replaceInStrings(QStringLiteral("top_load."), QString()),
            kFieldAgreement};
        for (const char* object : {"top_load", "surroundings", "resonance"})
            QVERIFY2(sameJson(example.json[QLatin1String(object)],
                              example.workedJson[QLatin1String(object)], where, &field),
                     qPrintable(QLatin1String(object) + u' ' + where));
    }

    // The Coupling section in full, against the worked examples
    // validation/coupling_worked.py works out apart from the program (the
    // coupling_worked test checks that it agrees with the same files): a
    // conical primary in millimetres tuned to the quarter-wave frequency, with
    // a height found for k; the flat one a new design has, tapped by the
    // classic listing; a helical one in inches with comma decimals tuned to
    // the loaded frequency, with a k no height gives.
    void couplingWorkedExamples_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("millimetres, conical, height found")
            << kWorkedDesign + QStringList{"--pri-shape", "conical", "--pri-angle",  "20",
                                           "--pri-turns", "18",      "--pri-height", "15",
                                           "--target-k",  "0.155"}
            << QByteArray("en_US.UTF-8") << "coupling-mm.txt";
        // The classic geometry: the tap read from the classic listing.
        QTest::newRow("millimetres, flat as a new design has it")
            << kWorkedDesign + QStringList{"--target-k", "0.15"} << QByteArray("en_US.UTF-8")
            << "coupling-flat.txt";
        QTest::newRow("inches, comma decimals, helical, k out of reach")
            << QStringList{"--units",      "in",   "--mains",       "50",
                           "--kv",         "12",   "--ma",          "60",
                           "--count",      "2",    "--dia",         "4,5",
                           "--height",     "18",   "--wire-dia",    "0,0253",
                           "--spacing",    "0",    "--top",         "toroid",
                           "--top-dia",    "14",   "--top-tube",    "3,5",
                           "--top-height", "3",    "--use-pri-c",   "1",
                           "--use-top-fr", "1",    "--use-sec-dia", "1",
                           "--con-dia",    "0,25", "--con-spa",     "0,25",
                           "--sec-sep",    "1,5",  "--pri-shape",   "helical",
                           "--pri-turns",  "14",   "--pri-height",  "-1,25",
                           "--target-k",   "0,6"}
            << QByteArray("de_DE.UTF-8") << "coupling-in.txt";
    }
    void couplingWorkedExamples() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        QFETCH(QString, expected);
        const WorkedExample example =
            workedExample(arguments, locale, expected.chopped(4), QStringLiteral("Coupling"));
        QVERIFY(!example.workedSection.isEmpty());
        QCOMPARE(example.section, example.workedSection);
        // The JSON's coupling object, every key and value, within a float's
        // rounding; the height for k within a micrometre, its search stopping
        // within 1e-7 of k (some 0.15 um here; 0.01 mm is shown).
        QCOMPARE(workedJsonFault(example.json["coupling"].toObject(), example.workedJson,
                                 "height_for_target_k_m"),
                 QString());
    }

    // The Bang section in full and the JSON's bang object, against the worked
    // examples validation/bang_worked.py works out by the Laplace transform
    // (the bang_worked test checks that it agrees with the same files): the
    // worked design with its flat primary tuned to the loaded frequency by the
    // tank capacitor, quenching at the first notch with most of the bang in
    // the secondary; in inches with comma decimals, a spaced winding (Medhurst
    // between columns), a helical primary, a lower gap resistance and a
    // streamer, quenching at the second notch.
    void bangWorkedExamples_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("millimetres, flat, tuned, first notch")
            << QStringList{"--mains",       "60",     "--kv",         "15",
                           "--ma",          "60",     "--count",      "1",
                           "--dia",         "200",    "--height",     "600",
                           "--wire-dia",    "0.72",   "--spacing",    "0",
                           "--use-tank-c",  "1",      "--use-top-fr", "1",
                           "--use-sec-dia", "1",      "--con-dia",    "9.5",
                           "--con-spa",     "6.35",   "--sec-sep",    "62.5",
                           "--top",         "toroid", "--top-dia",    "300",
                           "--top-tube",    "75",     "--top-height", "50",
                           "--gap",         "sync"}
            << QByteArray("en_US.UTF-8") << "bang-mm.txt";
        QTest::newRow("inches, comma decimals, streamer, second notch")
            << kInchCoil +
                   QStringList{"--gap-ohms", "0,5", "--streamer-ohms", "1000000", "--quench", "2"}
            << QByteArray("de_DE.UTF-8") << "bang-in.txt";
    }
    void bangWorkedExamples() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        QFETCH(QString, expected);
        const WorkedExample example =
            workedExample(arguments, locale, expected.chopped(4), QStringLiteral("Bang"));
        QVERIFY(!example.workedSection.isEmpty());
        // Line by line, so a failure names the line.
        QCOMPARE(example.section.split(u'\n'), example.workedSection.split(u'\n'));
        // Every key and value within a float's rounding; the height for the
        // complete-transfer k within a micrometre, as the coupling's.
        QCOMPARE(workedJsonFault(example.json["bang"].toObject(), example.workedJson,
                                 "height_for_complete_transfer_m"),
                 QString());
    }

    // The Burst section in full and the JSON's burst object, against the
    // worked examples validation/burst_worked.py works out by the matrix
    // exponential per stretch (the burst_worked test checks that it agrees
    // with the same files): the worked design on a full bridge, the on-time
    // ending the burst near the lower coupled mode, the peak passing the
    // switches; in inches with comma decimals, a half bridge from doubled
    // mains, a helical primary, a streamer, the over-current limit stopping
    // the burst, the peak there passing the switches' rating.
    void burstWorkedExamples_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("millimetres, full bridge, on-time")
            << kToroidCoil + QStringList{"--driver",      "bridge", "--bus-v",        "340",
                                         "--unit-uf",     "0.15",   "--unit-kv",      "2",
                                         "--bank-series", "10",     "--bank-strings", "4",
                                         "--on-time-us",  "120",    "--bps",          "200",
                                         "--switch-a",    "1000"}
            << QByteArray("en_US.UTF-8") << "burst-mm.txt";
        QTest::newRow("inches, comma decimals, half bridge, doubler, limit, streamer")
            << kInchCoil + QStringList{"--driver",      "bridge", "--bridge",        "half",
                                       "--unit-uf",     "0,1",    "--unit-kv",       "1,2",
                                       "--bank-series", "5",      "--bank-strings",  "3",
                                       "--tune-ratio",  "0,9",    "--on-time-us",    "200",
                                       "--bps",         "150",    "--ocd-a",         "400",
                                       "--switch-a",    "350",    "--streamer-ohms", "1000000"} +
                   QStringList{"--bus-from-mains", "230", "--doubler"}
            << QByteArray("de_DE.UTF-8") << "burst-in.txt";
    }
    void burstWorkedExamples() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        QFETCH(QString, expected);
        const WorkedExample example =
            workedExample(arguments, locale, expected.chopped(4), QStringLiteral("Burst"));
        QVERIFY(!example.workedSection.isEmpty());
        QCOMPARE(example.section.split(u'\n'), example.workedSection.split(u'\n'));
        QCOMPARE(workedJsonFault(example.json["burst"].toObject(), example.workedJson), QString());
    }

    // The power side in JSON: null until the transformer bank is calculated,
    // then the worked examples (15 kV / 60 mA at 60 Hz: 10.61 nF resonant,
    // 16.98 nF static LTR, 31.83 nF synchronous delivering 3/pi of the
    // 900 VA, Freau's 1.7·sqrt(900) = 51 in of spark; 0.15 uF / 2 kV units
    // for 30 nF: 22 in series, 4 strings offered, 5 above, each unit's
    // bleeder 1.715 mW at its 964.2 V), each figure that needs the coil null
    // until it is calculated.
    void powerInJson() {
        QVERIFY(jsonOf(cli({"calc", "--json", "--dia", "200"}))["power"].isNull());
        const QStringList nst{"calc", "--json", "--mains", "60", "--kv", "15", "--ma", "60"};
        const QJsonObject power = jsonOf(cli(nst))["power"].toObject();
        const auto near = [&](const QJsonObject& object, const char* key, double value) {
            return qAbs(object[key].toDouble() / value - 1) < 1e-3;
        };
        QCOMPARE(power["gap"].toString(), "static");
        QVERIFY(near(power, "resonant_capacitance_f", 10.61e-9) &&
                near(power, "ltr_static_capacitance_f", 16.98e-9) &&
                near(power, "ltr_sync_capacitance_f", 31.83e-9) &&
                near(power, "ltr_sync_power_w", 859.44) && near(power, "spark_length_m", 1.2954) &&
                near(power, "capacitance_f", 10.61e-9) && near(power, "bps", 120));
        for (const char* key : {"running_hz", "streamer_capacitance_f", "secondary_peak_voltage_v",
                                "primary_peak_current_a", "tap_for_running", "mmc",
                                "unit_capacitance_f", "unit_rating_v"})
            QVERIFY2(power[key].isNull(), key);
        QCOMPARE(power["safety_factor"].toDouble(), 2.0);
        const QJsonObject pole =
            jsonOf(cli({"calc", "--json", "--mains", "50", "--kv", "16", "--ma", "200"}))["power"]
                .toObject();
        QVERIFY(near(pole, "resonant_capacitance_f", 39.79e-9) &&
                near(pole, "energy_per_bang_j", 10.19));
        const QJsonObject bank = jsonOf(cli(
            nst + QStringList{"--tank-uf", "0.03", "--unit-uf", "0.15", "--unit-kv", "2"}))["power"]
                                     .toObject();
        // The bank's inputs as entered, in SI units.
        QVERIFY(isNearestFloat(bank["unit_capacitance_f"], 0.15e-6L) &&
                isNearestFloat(bank["unit_rating_v"], 2000.0L));
        QVERIFY(isNearestFloat(jsonOf(cli(nst + QStringList{"--mmc-safety", "1.5"}))["power"]
                                   .toObject()["safety_factor"],
                               1.5L));
        const QJsonObject mmc = bank["mmc"].toObject();
        QCOMPARE(mmc["series"].toInt(), 22);
        QCOMPARE(mmc["parallel"].toInt(), 4);
        QCOMPARE(mmc["above"]["parallel"].toInt(), 5);
        QVERIFY(near(mmc, "capacitance_f", 27.27e-9) && mmc["unit_peak_current_a"].isNull());
        QVERIFY(near(mmc, "bleeder_w", 7.378e-3) && near(mmc, "bleeder_working_w", 1.715e-3));
        const QJsonObject whole =
            jsonOf(cli(QStringList{"calc", "--json"} + kWorkedDesign))["power"].toObject();
        QVERIFY(whole["running_hz"].toDouble() > 0 && whole["tap_for_running"].isObject());
    }

    // The power side's rules on the command line: the breaks per second an
    // asynchronous gap's, a bank's unit whole (usage errors); a factor below
    // 1, a gap without its rate and a bank of too many units refused by the
    // value's error, nothing saved.
    void powerRefusals() {
        QCOMPARE(cli({"calc", "--bps", "300"}).exitCode, 64);
        QCOMPARE(cli({"calc", "--gap", "sync", "--bps", "300"}).exitCode, 64);
        QCOMPARE(cli({"calc", "--unit-uf", "0.15"}).exitCode, 64);
        QCOMPARE(outcome(cli({"calc", "--mmc-safety", "0.5"})).section(u'[', 1, 1),
                 "--mmc-safety 0x80040228]\n");
        QCOMPARE(cli({"calc", "--gap", "async"}).exitCode, 2);
        const QString file = path("units.rzn");
        const Run many = cli({"calc", "--kv", "15", "--ma", "60", "--unit-uf", "0.0001",
                              "--unit-kv", "0.1", "--tank-uf", "1", "--out", file});
        QCOMPARE(many.exitCode, 2);
        QVERIFY(many.err.contains("10,000 units") && many.err.contains("[--unit-uf 0x"));
        QVERIFY(!QFile::exists(file));
    }

    // The primary takes the tank capacitor used, not with the classic one;
    // the choice is saved (the extension's version 4 for it alone) and, as it
    // follows the resonant value, a transformer calculated again leaves the
    // primary out of date.
    void primaryTakesTheTankCapacitor() {
        QCOMPARE(cli({"calc", "--use-tank-c", "1", "--use-pri-c", "1"}).exitCode, 64);
        const QString file = path("tank.rzn");
        const QStringList design{
            "calc", "--mains",      "60",  "--kv",          "15",  "--ma",
            "60",   "--dia",        "200", "--height",      "600", "--wire-dia",
            "0.72", "--use-sec-fr", "1",   "--use-sec-dia", "1",   "--tank-uf",
            "0.03", "--use-tank-c", "1"};
        QCOMPARE(outcome(cli(design + QStringList{"--out", file})), "0 ");
        const QJsonObject primary = jsonOf(cli({"show", "--json", file}))["primary"].toObject();
        QVERIFY(isNearestFloat(primary["capacitance_f"], 3e-8L));
        QCOMPARE(primary["out_of_date"].toBool(), false);
        const QJsonObject again =
            jsonOf(cli({"calc", "--json", "--in", file, "--kv", "12"}))["primary"].toObject();
        QCOMPARE(again["out_of_date"].toBool(), false);
        const QString resonant = path("resonant.rzn");
        QCOMPARE(outcome(cli({"calc", "--in", file, "--tank-uf", "", "--out", resonant})), "0 ");
        const QJsonObject retuned =
            jsonOf(cli({"calc", "--json", "--in", resonant, "--kv", "12"}))["primary"].toObject();
        QCOMPARE(retuned["out_of_date"].toBool(), true);
        const QString alone = path("alone.rzn");
        QCOMPARE(outcome(cli({"calc", "--kv", "15", "--freq", "200", "--sec-dia", "200",
                              "--use-tank-c", "1", "--out", alone})),
                 "0 ");
        QFile saved(alone);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("<-rezon32+->"));
    }

    // The power side's inputs saved and shown again; the summary's Power
    // section only for a design that sets any of them.
    void powerSavedAndShown() {
        const QString file = path("power.rzn");
        const QStringList nst{"calc", "--mains", "60", "--kv", "15", "--ma", "60"};
        QVERIFY(!cli(nst).out.contains("\nPower\n"));
        const Run run = cli(nst + QStringList{"--gap", "async", "--bps", "400", "--tank-uf", "0.03",
                                              "--out", file});
        QCOMPARE(outcome(run), "0 ");
        QVERIFY(run.out.contains("\nPower\nSpark gap : asynchronous rotary\n"));
        QVERIFY(run.out.contains("Power : 900.00W (capped at the bank's rating)\n"));
        QCOMPARE(cli({"show", file}).out,
                 QString(run.out).replace("Filename: Untitled", "Filename: power.rzn"));
    }

    // The primary's peak current names the tap in use only where the
    // primary's listing reaches the inductance it needs: a five-turn primary
    // as built does not.
    void primaryPeakCurrentNamed_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("label");
        QTest::newRow("tapped") << QStringList() << "Primary peak current at the tap in use : ";
        QTest::newRow("no tap") << QStringList{"--pri-turns", "5"}
                                << "Primary peak current at the inductance the primary needs (no "
                                   "tap reaches it) : ";
    }
    void primaryPeakCurrentNamed() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, label);
        const Run run = cli(QStringList{"calc", "--gap", "sync"} + kWorkedDesign + arguments);
        QCOMPARE(outcome(run), "0 ");
        QCOMPARE(run.out.count(QStringLiteral("\nPrimary peak current")), 1);
        QVERIFY2(run.out.contains(u'\n' + label), qPrintable(run.out));
    }

    // The JSON works out what it shows and no more: the coil's own figures
    // size no toroid (a search of many field solutions), only a top load's
    // figures do.
    void jsonSizesToroidsOnlyForTheTopLoad_data() {
        QTest::addColumn<QStringList>("top");
        QTest::addColumn<bool>("sized");
        QTest::newRow("no top load") << QStringList() << false;
        QTest::newRow("toroid") << QStringList{"--top",      "toroid", "--top-dia",    "300",
                                               "--top-tube", "75",     "--top-height", "50"}
                                << true;
    }
    void jsonSizesToroidsOnlyForTheTopLoad() {
        QFETCH(QStringList, top);
        QFETCH(bool, sized);
        const QString file = path("sizing.rzn");
        QCOMPARE(outcome(cli(QStringList{"calc"} + kWorkedDesign + top +
                             QStringList{"--gap", "sync", "--out", file})),
                 "0 ");
        resonex::CFile doc(nullptr);
        QVERIFY(opensWhole(doc, file));
        QVERIFY(!resonex::cli::designJson(doc).isEmpty());
        // Asked unsized, the memo gives what it has worked out so far.
        const resonex::TopLoadResults& results = doc.results().topLoad(resonex::Toroids::Unsized);
        QVERIFY(!results.absent);
        QCOMPARE(results.forQuarWaveFr.size.has_value(), sized);
    }

    // A winding of ten and six hundred million turns calculates, its
    // coupling and the height for a k included, in no longer than any design
    // (it took 16 s and minutes when M summed over every turn); its k and
    // height as that sum over all ten million turns as rings gave them (the
    // sheet's differ by order 1/N²).
    void hugeWindingCalculatesAtOnce_data() {
        QTest::addColumn<QString>("wireDia");
        QTest::newRow("1e7 turns") << "0.00006";
        QTest::newRow("6e8 turns") << "0.000001";
    }
    void hugeWindingCalculatesAtOnce() {
        QFETCH(QString, wireDia);
        QElapsedTimer timer;
        timer.start();
        const Run run =
            cli({"calc",        "--json", "--dia",         "200",   "--height",    "600",
                 "--spacing",   "0",      "--wire-dia",    wireDia, "--cap",       "0.01",
                 "--freq",      "200",    "--use-sec-dia", "1",     "--con-dia",   "9.5",
                 "--con-spa",   "9.5",    "--sec-sep",     "62.5",  "--pri-shape", "helical",
                 "--pri-turns", "60",     "--target-k",    "0.3"});
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(outcome(run), "0 ");
        const QJsonObject coupling = jsonOf(run)["coupling"].toObject();
        QVERIFY2(qAbs(coupling["k"].toDouble() - 0.435856) < 1e-6, qPrintable(run.out));
        QVERIFY(qAbs(coupling["height_for_target_k_m"].toDouble() + 0.126694) < 1e-6);
    }

    // A top load calculated after the secondary, the primary tuned to the
    // loaded frequency: printed, saved with its extension and shown alike.
    void topLoadSavedAndShown() {
        const QString file = path("loaded.rzn");
        const QStringList design{
            "--dia",        "200",  "--top",        "toroid", "--top-dia",     "300",
            "--top-tube",   "75.5", "--top-height", "40",     "--base-height", "450",
            "--use-top-fr", "1",    "--sec-dia",    "200",    "--cap",         "0.01"};
        const Run run = cli(QStringList{"calc"} + design + QStringList{"--out", file});
        QCOMPARE(outcome(run), "0 ");
        // The primary tunes to what the top load section gives.
        static const QRegularExpression kLoaded(
            QStringLiteral("Resonant frequency with the top load : (\\S+kHz)\n"));
        const QString loaded = kLoaded.match(run.out).captured(1);
        QVERIFY(!loaded.isEmpty());
        QVERIFY(run.out.contains("Primary resonant frequency : " + loaded + "\n"));
        QCOMPARE(cli({"show", file}).out, run.out);

        resonex::CFile doc(nullptr);
        QVERIFY(opensWhole(doc, file));
        const resonex::CTopLoad& top = doc.topLoad();
        QCOMPARE(top.shape(), resonex::CTopLoad::Shape::Toroid);
        QCOMPARE(QStringList({top.TopDiaEntry(), top.TubeDiaEntry(), top.TopHeightEntry(),
                              top.BaseHeightEntry(), top.TargetFrEntry()}),
                 QStringList({"300.00", "75.50", "40.00", "450.00", ""}));
        QCOMPARE(QList<int>({doc.settings().UseTopFr(), doc.settings().UseSecFr()}),
                 QList<int>({1, 0}));

        // Asking for the quarter wave instead clears the loaded frequency's choice.
        const Run back = cli({"calc", "--in", file, "--use-sec-fr", "1", "--out", file});
        QCOMPARE(outcome(back), "0 ");
        QVERIFY(opensWhole(doc, file));
        QCOMPARE(QList<int>({doc.settings().UseTopFr(), doc.settings().UseSecFr()}),
                 QList<int>({0, 1}));
    }

    // The top load and the resonance in JSON, only for a design that uses
    // them. Relations, not the field solution's numbers, are checked.
    void topLoadJson() {
        const QJsonObject bare =
            jsonOf(cli({"calc", "--json", "--dia", "200", "--base-height", "300"}));
        QVERIFY(bare["top_load"].isNull() && bare.contains("top_load"));
        const QJsonObject resonance = bare["resonance"].toObject();
        QVERIFY(isNearestFloat(resonance["base_height_m"], 0.3L));
        QVERIFY(resonance["self_capacitance_f"].isDouble() && resonance["bare_hz"].isDouble());
        QCOMPARE(resonance["loaded_hz"], resonance["bare_hz"]);

        const QString file = path("top.json.rzn");
        const Run run = cli({"calc", "--json", "--dia", "200", "--top", "toroid", "--top-dia",
                             "300", "--top-tube", "75", "--target-fr", "150", "--out", file});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(cli({"show", "--json", file}).out, run.out);
        const QJsonObject json = jsonOf(run);
        const QJsonObject top = json["top_load"].toObject();
        QCOMPARE(top.keys(),
                 QStringList({"absent_reason", "charge_capacitance_f", "free_space_capacitance_f",
                              "height_m", "in_place_capacitance_f", "major_diameter_m",
                              "minor_diameter_m", "shape", "target_hz", "toroid_for_target",
                              "toroid_for_torc"}));
        QVERIFY(top["absent_reason"].isNull() && json["resonance"]["absent_reason"].isNull());
        QCOMPARE(top["shape"], QJsonValue("toroid"));
        QVERIFY(isNearestFloat(top["major_diameter_m"], 0.3L));
        QVERIFY(isNearestFloat(top["minor_diameter_m"], 0.075L));
        QVERIFY(isNearestFloat(top["target_hz"], 150000));
        for (const QJsonValue& figure :
             {top["free_space_capacitance_f"], top["charge_capacitance_f"],
              top["in_place_capacitance_f"], json["resonance"]["loaded_hz"],
              top["toroid_for_torc"]["major_diameter_m"]})
            QVERIFY(figure.isDouble());
        QVERIFY(isNearestFloat(top["toroid_for_torc"]["minor_diameter_m"], 0.075L));

        // A sphere has no tube; before the secondary there are no results on
        // the coil, and the reason is given, but its free space capacitance is.
        const QJsonObject sphere = jsonOf(cli({"calc", "--json", "--top", "sphere"}));
        QVERIFY(sphere["resonance"].isNull() && sphere.contains("resonance"));
        for (const char* key : {"minor_diameter_m", "in_place_capacitance_f",
                                "charge_capacitance_f", "toroid_for_torc", "target_hz"})
            QVERIFY2(sphere["top_load"][key].isNull(), key);
        QVERIFY(sphere["top_load"]["free_space_capacitance_f"].toDouble() > 0);
        QCOMPARE(sphere["top_load"]["absent_reason"],
                 QJsonValue("The secondary coil must be calculated first for the figures on the "
                            "coil"));
    }

    // A wider secondary puts the stored toroid's tube into the winding: the
    // run succeeds, the summary gives the reason in place of the figures on
    // the coil, the JSON nulls them with the reason, and the primary tuned
    // to the loaded frequency is out of date and cannot be tuned to it again.
    void topLoadCutByANewSecondary() {
        const QString file = path("ring.rzn");
        QCOMPARE(outcome(cli({"calc", "--dia", "200", "--top", "toroid", "--top-dia", "400",
                              "--top-tube", "75", "--top-height", "0", "--use-top-fr", "1",
                              "--sec-dia", "200", "--cap", "0.1", "--out", file})),
                 "0 ");
        const QString reason = QStringLiteral("The top load cuts into the winding or reaches "
                                              "below the floor: raise it or make it smaller");
        const Run wider = cli({"calc", "--in", file, "--dia", "300"});
        QCOMPARE(outcome(wider), "0 ");
        QVERIFY(wider.out.contains(QStringLiteral("pF\n") + reason + u'\n'));
        QVERIFY(wider.out.contains("Primary Coil Design\nNo primary winding data calculated\n"));

        const QJsonObject json = jsonOf(cli({"calc", "--json", "--in", file, "--dia", "300"}));
        const QJsonObject top = json["top_load"].toObject();
        QVERIFY(top["free_space_capacitance_f"].toDouble() > 0);
        for (const char* key :
             {"in_place_capacitance_f", "charge_capacitance_f", "toroid_for_torc"})
            QVERIFY2(top[key].isNull(), key);
        QCOMPARE(top["absent_reason"], QJsonValue(reason));
        QCOMPARE(json["resonance"]["absent_reason"], QJsonValue(reason));
        QVERIFY(json["resonance"]["loaded_hz"].isNull());
        QVERIFY(json["primary"]["out_of_date"].toBool());

        const Run tuned = cli({"calc", "--in", file, "--dia", "300", "--use-top-fr", "1"});
        QCOMPARE(tuned.exitCode, 64);
        QVERIFY(tuned.err.startsWith("resonex-cli: --use-top-fr 1 has no loaded frequency to "
                                     "take: " +
                                     reason + u'\n'));
    }

    // A coil the field solution cannot resolve (a winding of a trillionth of a
    // millimetre) keeps its free-space figure and gives the rest as absent,
    // with a reason, instead of a failed run.
    void coilBeyondTheFieldSolution() {
        const QStringList args{"calc",  "--dia",      "200", "--height",     "1e-12",  "--wire-dia",
                               "1e-12", "--spacing",  "0",   "--top",        "toroid", "--top-dia",
                               "300",   "--top-tube", "75",  "--top-height", "100"};
        const Run run = cli(args);
        QCOMPARE(outcome(run), "0 ");
        const QString reason = QStringLiteral("The coil is beyond the range the field solution "
                                              "covers: change its proportions or those of the top "
                                              "load");
        QVERIFY(run.out.contains(reason + u'\n'));
        const QJsonObject json = jsonOf(cli(QStringList{"calc", "--json"} + args.mid(1)));
        QVERIFY(json["top_load"]["free_space_capacitance_f"].toDouble() > 0);
        QVERIFY(json["top_load"]["in_place_capacitance_f"].isNull());
        QCOMPARE(json["resonance"]["absent_reason"], QJsonValue(reason));
    }

    // The file as the summary names it, whatever characters its name holds;
    // none for a new design.
    void jsonNamesTheFile() {
        QVERIFY(jsonOf(cli({"calc", "--json"}))["file"].isNull());
        const QString name = QStringLiteral("q\"b\\s\tc\n\x01é日😀.rzn");
        const QString file = m_dir.filePath(name);
        QCOMPARE(jsonOf(cli({"calc", "--json", "--out", file}))["file"], QJsonValue(name));
        QCOMPARE(jsonOf(cli({"show", "--json", file}))["file"], QJsonValue(name));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
