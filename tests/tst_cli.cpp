#include "TestSupport.h"

#include "core/document/CFile.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTransformer.h"
#include "core/settings/CSettings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <sys/stat.h>

// resonex-cli from the outside: its output, exit codes and the files it writes.

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// resonex-cli in the locale given, its output redirected as the shell
// redirection given says.
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
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString dataFile(const char* name) {
    return QStringLiteral(RESONEX_TEST_DATA "/") + QLatin1String(name);
}

// The metric worked design: all three groups, the primary taking its values
// from the others.
const QStringList kMetricDesign{
    "--mains",     "60",  "--kv",         "15",  "--ma",          "60",   "--count",   "1",
    "--dia",       "200", "--height",     "600", "--wire-dia",    "0.72", "--spacing", "0",
    "--use-pri-c", "1",   "--use-sec-fr", "1",   "--use-sec-dia", "1",    "--con-dia", "9.5",
    "--con-spa",   "9.5", "--sec-sep",    "62.5"};

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

// Whether a JSON number reads back as the float nearest to the exact value.
bool isNearestFloat(const QJsonValue& written, long double exact) {
    const float value = float(written.toDouble());
    const long double error = std::fabs(value - exact);
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    return written.isDouble() && error <= std::fabs(std::nextafter(value, kInfinity) - exact) &&
           error <= std::fabs(std::nextafter(value, -kInfinity) - exact);
}

// A JSON number of the design, the summary line showing it (found by part of
// its label) and its exact SI value from the float the design holds.
struct DesignValue {
    const char* section;
    const char* key;
    const char* label;
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
        {"secondary", "diameter_m", "Diameter of", s.DiaValue() * length},
        {"secondary", "height_m", "Winding height", s.HeightValue() * length},
        {"secondary", "wire_diameter_m", "Wire diameter", s.WireDiaValue() * length},
        {"secondary", "spacing_m", "between windings", s.WireSpaValue() * length},
        {"secondary", "turns", "Secondary turns", s.Turns()},
        {"secondary", "wire_length_m", "wire length", s.WireLength() * wireLength},
        {"secondary", "inductance_h", "Secondary inductance", s.L()},
        {"secondary", "resonance_hz", "Approximate resonant", s.NatFr()},
        {"secondary", "quarter_wave_hz", "quarter wavelength", s.QuarWaveFr()},
        {"secondary", "self_capacitance_f", "self capacitance", s.SelfC()},
        {"secondary", "toroid_capacitance_f", "Toroid capacitance", s.TorC()},
        {"secondary", "aspect_ratio", nullptr, s.AspectRatio()},
        {"transformer", "voltage_v", "secondary voltage", t.SecVolValue() * 1e3L},
        {"transformer", "current_a", "secondary current", t.SecCurValue() * 1e-3L},
        {"transformer", "count", "Number of", t.NumValue() * 1.0L},
        {"transformer", "capacitance_f", "with neon", t.C()},
        {"primary", "capacitance_f", "Primary capacitance",
         settings.UsePriC() == 1 ? t.C() : p.CValue()},
        {"primary", "frequency_hz", "Primary resonant",
         settings.UseSecFr() == 1 ? s.QuarWaveFr() : p.frValue()},
        {"primary", "secondary_diameter_m", "Secondary coil diameter",
         (settings.UseSecDia() == 1 ? s.DiaValue() : p.SecDiaValue()) * length},
        {"primary", "conductor_diameter_m", "conductor diameter", p.ConDiaValue() * length},
        {"primary", "spacing_m", "turn to turn", p.ConSpaValue() * length},
        {"primary", "separation_m", "inside turn", p.SecSepValue() * length},
    };
}

// Whether the number the summary shows on the line with the label is the
// written one, in the summary's unit and within its decimals.
bool showsAlike(const QString& summary, const char* label, double written) {
    static const QHash<QString, long double> kSi{{"mm", 1e-3L},   {"in", 0.0254L}, {"m", 1},
                                                 {"ft", 0.3048L}, {"mH", 1e-3L},   {"kHz", 1e3L},
                                                 {"pF", 1e-12L},  {"uF", 1e-6L},   {"kV", 1e3L},
                                                 {"mA", 1e-3L},   {"", 1}};
    static const QRegularExpression kNumber(QStringLiteral(R"(: (\d+)[.,]?(\d*)(\S*)$)"));
    for (const QString& line : summary.split(u'\n')) {
        const QRegularExpressionMatch shown = kNumber.match(line);
        if (!line.contains(QLatin1String(label)) || !shown.hasMatch())
            continue;
        const long double si = kSi.value(shown.captured(3), NAN);
        const long double value = (shown.captured(1) + u'.' + shown.captured(2) + u'0').toDouble();
        const long double halfDigit = 0.5L * std::pow(10.0L, -shown.capturedLength(2));
        return std::fabs(written - value * si) <= (halfDigit + 1e-6L * value) * si;
    }
    return false;
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void helpAndVersion() {
        Run run = cli({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("resonex-cli show [--json] FILE ")));
        QVERIFY(run.out.contains(QStringLiteral("resonex-cli calc [--json] [OPTIONS] ")));
        run = cli({"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("resonex-cli 2.0\n"));
    }

    // The saved metric design shows the same summary again.
    void fullDesignSavedAndShown() {
        const QString file = path("coil.rzn");
        const Run run = cli(QStringList{"calc"} + kMetricDesign + QStringList{"--out", file});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QVERIFY(run.out.startsWith(QStringLiteral("Filename: coil.rzn\n\n")));
        QVERIFY(run.out.contains(QStringLiteral("Primary capacitance : 0.0106uF\n")));
        QVERIFY(run.out.contains(QStringLiteral("Primary resonant frequency : 143.24kHz\n")));
        QVERIFY(run.out.contains(QStringLiteral("Secondary coil diameter : 200.00mm\n")));
        QVERIFY(run.out.contains(QStringLiteral("resonant circuit at 143.24kHz\n")));
        QVERIFY(run.out.contains(QStringLiteral("uH\n\nNeon Transformer"))); // no notes, no break
        QVERIFY(run.out.endsWith(QStringLiteral("0.0106uF\n")));
        QVERIFY(QFile::exists(file));

        const Run shown = cli({"show", file});
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.out, run.out);

        // Reopened, a change of mains frequency recalculates the capacitor and
        // leaves the primary to be calculated again.
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
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out, first.out);
    }

    void turnLimitIsToldAndTheRunGoesOn() {
        const Run run = cli({"calc", "--cap", "0.0001", "--freq", "25", "--sec-dia", "200"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(
            run.err,
            QStringLiteral("resonex-cli: The primary winding will exceed the limit of 15 turns\n"));
        QVERIFY(run.out.contains(
            QStringLiteral("62.50mm\n\n\nThe approximate inductance at each turn is : \n\n\n\n")));
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
        usage("bad units", {"calc", "--units", "cm"});
        usage("bad mains", {"calc", "--mains", "55"});
        usage("bad choice", {"calc", "--use-sec-dia", "2"});
        usage("units with a design",
              {"calc", "--in", dataFile("zero-transformers.rzn"), "--units", "mm"});
        usage("capacitor not calculated", {"calc", "--use-pri-c", "1"});
        usage("secondary not calculated", {"calc", "--use-sec-fr", "1"});
        usage("typed and taken", {"calc", "--kv", "15", "--use-pri-c", "1", "--cap", "0.01"});
        usage("show without a file", {"show"});
        usage("two files", {"show", "a.rzn", "b.rzn"});
        usage("version with more", {"--version", "extra"});
        usage("json with a value", {"calc", "--json=1"});
        usage("show json without a file", {"show", "--json"});
        const QString never = path("never.rzn");
        QTest::newRow("rejected value")
            << QStringList{"calc", "--dia", "150", "--height", "0", "--out", never} << 2
            << "resonex-cli: Invalid value in height property [CSecondary::Height 0x80040202]\n";
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
        QTest::newRow("missing file")
            << QStringList{"show", path("missing.rzn")} << 1
            << "resonex-cli: Error opening file : File not found (" + path("missing.rzn") + ")\n";
        // Behind a loop of links the design is not missing: it cannot be reached.
        QFile::link(path("loop"), path("loop"));
        QTest::newRow("loop of links") << QStringList{"show", path("loop/coil.rzn")} << 1
                                       << "resonex-cli: Error opening file : Too many levels of "
                                          "symbolic links (" +
                                              path("loop/coil.rzn") + ")\n";
    }
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        const Run text = cli(arguments);
        QCOMPARE(text.exitCode, exitCode);
        if (exitCode == 64) {
            QVERIFY(text.err.startsWith(QStringLiteral("resonex-cli: ")));
            QVERIFY(text.err.endsWith(
                QStringLiteral("Try 'resonex-cli --help' for more information.\n")));
        } else {
            QCOMPARE(text.err, told);
        }
        QVERIFY(text.out.isEmpty());
        if (arguments.value(0) == QLatin1String("calc") ||
            arguments.value(0) == QLatin1String("show")) {
            const Run json = cli(QStringList{arguments.first(), "--json"} + arguments.mid(1));
            QCOMPARE(json.exitCode, text.exitCode);
            QCOMPARE(json.err, text.err);
            QVERIFY(json.out.isEmpty());
        }
        QVERIFY(!QFile::exists(path("never.rzn")));
    }

    // A missing folder fails the save; neither a pipe nor a design reached
    // through a link is replaced by a file.
    void savesOntoWhatIsNotAFile() {
        const QString lost = path("no/such/folder/x.rzn");
        Run run = cli({"calc", "--kv", "12", "--out", lost});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err,
                 "resonex-cli: Error saving file: No such file or directory (" + lost + ")\n");

        const QString pipe = path("pipe.rzn");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        run = cli({"calc", "--kv", "12", "--out", pipe});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "resonex-cli: Error saving file: Not a regular file (" + pipe + ")\n");
        struct stat status {};
        QCOMPARE(::lstat(QFile::encodeName(pipe).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));

        QCOMPARE(cli({"calc", "--out", path("target.rzn")}).exitCode, 0);
        QVERIFY(QFile::link(path("target.rzn"), path("link.rzn")));
        run = cli({"calc", "--kv", "12", "--out", path("link.rzn")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFileInfo(path("link.rzn")).isSymLink());
        QVERIFY(cli({"show", path("target.rzn")}).out.contains(QStringLiteral(": 12.00kV")));
    }

    // On a full disk the previous design stays byte for byte and the run fails.
    void fullDiskKeepsThePreviousDesign() {
        const resonex::test::SmallFileSystem disk(path("full"));
        if (!disk.whyNot().isEmpty())
            QSKIP(qPrintable(disk.whyNot()));
        const QString design = disk.filePath(QStringLiteral("design.rzn"));
        QCOMPARE(cli({"calc", "--out", design}).exitCode, 0);
        const QByteArray before = resonex::test::readAll(design);
        QCOMPARE(before.size(), 185);
        disk.fill();

        const Run run = cli({"calc", "--kv", "12", "--out", design});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "resonex-cli: Error saving file: Write Error: No space left on device (" +
                              design + ")\n");
        QCOMPARE(resonex::test::readAll(design), before);
    }

    // A damaged design is shown as read over a new design, with a warning.
    void damagedDesignIsWarnedAbout() {
        QCOMPARE(cli({"calc", "--dia", "150", "--out", path("whole.rzn")}).exitCode, 0);
        resonex::test::writeAll(path("cut.rzn"),
                                resonex::test::readAll(path("whole.rzn")).left(100));
        const Run run = cli({"show", path("cut.rzn")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, "resonex-cli: warning: " + path("cut.rzn") +
                              " is not a complete Resonex design. The values it does not hold "
                              "are those of a new design.\n");
        QVERIFY(run.out.contains(QStringLiteral("No Secondary Coil Data Calculated")));
    }

    void commaLocale() {
        const Run run = cli(QStringList{"calc"} + kImperialWithCommas, "de_DE.UTF-8");
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("\n Turn  9         37,89uH\n"
                                                " Turn  10       47,33uH\n")));
        QVERIFY(run.out.contains(QStringLiteral("Primary conductor diameter : 0,37in\n")));
        QVERIFY(run.out.contains(QStringLiteral("resonant circuit at 250,00kHz\n")));
        QVERIFY(run.out.contains(QStringLiteral("Transformer secondary voltage : 12,50kV\n")));
        QVERIFY(!run.out.contains(u'\r'));
    }

    // The worked designs as JSON from calc and show: each number is the value
    // the summary shows and reads back as the very float the design holds, and
    // a section is null where the summary says it was not calculated.
    void jsonIsTheDesign_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("locale");
        const QByteArray point = "en_US.UTF-8";
        QTest::newRow("metric") << kMetricDesign << point;
        QTest::newRow("imperial, commas") << kImperialWithCommas << QByteArray("de_DE.UTF-8");
        QTest::newRow("inch secondary")
            << QStringList{"--units", "in", "--wire-dia", "0.00314"} << point;
        QTest::newRow("turn limit")
            << QStringList{"--cap", "0.0001", "--freq", "25", "--sec-dia", "200"} << point;
        // The primary is left to be calculated again.
        const QString saved = path("metric.rzn");
        cli(QStringList{"calc"} + kMetricDesign + QStringList{"--out", saved});
        QTest::newRow("mains changed") << QStringList{"--in", saved, "--mains", "50"} << point;
    }
    void jsonIsTheDesign() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, locale);
        const QStringList out{"--out", path("json.rzn")};
        const Run text = cli(QStringList{"calc"} + arguments + out, locale);
        const Run run = cli(QStringList{"calc", "--json"} + arguments + out, locale);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, text.err);
        QCOMPARE(cli({"show", "--json", path("json.rzn")}, locale).out, run.out);
        const QJsonObject json = jsonOf(run);
        QVERIFY2(!json.isEmpty(), qPrintable(run.out));
        // Counts and turn numbers are integers.
        static const QRegularExpression kFraction(
            QStringLiteral(R"re("(count|turn|\w+_turn)":-?\d+[.e])re"));
        QVERIFY(!run.out.contains(kFraction));

        resonex::CFile doc(nullptr);
        resonex::test::ScriptedPrompts dlg;
        QVERIFY(doc.FileOpenNamed(dlg, path("json.rzn")));
        QVERIFY(dlg.told.messages.isEmpty()); // a complete design
        QCOMPARE(json["file"], QJsonValue("json.rzn"));
        QCOMPARE(json["units"], QJsonValue(doc.settings().UseMetric() ? "mm" : "in"));
        QCOMPARE(json["mains_hz"], QJsonValue(doc.settings().Use50Hz() ? 50 : 60));
        // A primary out of date keeps its last listing, which the summary leaves out.
        const bool outOfDate = doc.primary().CalcsInvalid() && !doc.primary().LPerTurn().isEmpty();
        for (const char* section : {"secondary", "transformer", "primary"})
            QCOMPARE(json[section].isNull(),
                     text.out.contains(QStringLiteral("No ") + section, Qt::CaseInsensitive) &&
                         !(outOfDate && section == QLatin1String("primary")));
        for (const DesignValue& value : designValues(doc)) {
            if (json[value.section].isNull())
                continue;
            const QJsonValue written = json[value.section][value.key];
            QVERIFY2(isNearestFloat(written, value.held), value.key);
            // The summary shows whole turns.
            const double shown = value.key == QLatin1String("turns")
                                     ? std::floor(written.toDouble())
                                     : written.toDouble();
            const bool shownNow = !(outOfDate && value.section == QLatin1String("primary"));
            QVERIFY2(!value.label || !shownNow || showsAlike(text.out, value.label, shown),
                     value.key);
        }

        const QJsonObject primary = json["primary"].toObject();
        if (primary.isEmpty())
            return;
        QCOMPARE(primary["out_of_date"], QJsonValue(outOfDate));
        // The listing as the summary showed it when it was calculated.
        const QString listing = outOfDate ? cli({"show", arguments[1]}, locale).out : text.out;
        const QJsonArray turns = primary["turns"].toArray();
        static const QRegularExpression kListed(QStringLiteral(R"(Turn +(\d+) +(\d+)[.,](\d+)uH)"));
        qsizetype i = 0;
        for (const QRegularExpressionMatch& listed : kListed.globalMatch(listing)) {
            QCOMPARE(turns[i]["turn"], QJsonValue(listed.captured(1).toInt()));
            const double microhenries = (listed.captured(2) + u'.' + listed.captured(3)).toDouble();
            QVERIFY(isNearestFloat(turns[i++]["inductance_h"], microhenries * 1e-6L));
        }
        QCOMPARE(turns.size(), i);
        static const QRegularExpression kTapping(
            QStringLiteral(R"(between turn (\d+) and turn (\d+))"));
        const QRegularExpressionMatch tap = kTapping.match(listing);
        QCOMPARE(primary["tap"].isNull(), !tap.hasMatch());
        QCOMPARE(primary["tap"]["after_turn"].toInt(), tap.captured(1).toInt());
        QCOMPARE(primary["tap"]["before_turn"].toInt(), tap.captured(2).toInt());
    }

    // Scripts rely on the members and their order.
    void jsonKeepsItsOrder() {
        static const QRegularExpression kKey(QStringLiteral("\"(\\w+)\":"));
        QStringList keys;
        for (const QRegularExpressionMatch& key :
             kKey.globalMatch(cli(QStringList{"calc", "--json"} + kMetricDesign).out))
            keys << key.captured(1);
        QCOMPARE(keys.join(u' '),
                 "file units mains_hz secondary diameter_m height_m wire_diameter_m spacing_m "
                 "turns wire_length_m inductance_h resonance_hz quarter_wave_hz "
                 "self_capacitance_f toroid_capacitance_f aspect_ratio transformer voltage_v "
                 "current_a count capacitance_f primary capacitance_f frequency_hz "
                 "secondary_diameter_m conductor_diameter_m spacing_m separation_m out_of_date "
                 "turns " +
                     QStringList(15, QStringLiteral("turn inductance_h")).join(u' ') +
                     " tap after_turn before_turn");
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
