#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

// resonex-cli from the outside: its output, exit codes and the files it writes.

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& arguments, const QByteArray& locale = "en_US.UTF-8") {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(locale));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(RESONEX_CLI), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The companion run by the shell, its arguments after the script's "$0".
Run shell(const QString& script, const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{"-c", script, QStringLiteral(RESONEX_CLI)} + arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString dataFile(const char* name) {
    return QStringLiteral(RESONEX_TEST_DATA "/") + QLatin1String(name);
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
        QVERIFY(run.out.contains(QStringLiteral("resonex-cli calc [OPTIONS]")));
        run = cli({"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("resonex-cli 2.0\n"));
    }

    // All three groups in one run, the primary taking its values from the
    // others; the saved design shows the same summary again.
    void fullDesignSavedAndShown() {
        const QString file = path("coil.rzn");
        const Run run = cli({"calc", "--mains",      "60",   "--kv",          "15",   "--ma",
                             "60",   "--count",      "1",    "--dia",         "200",  "--height",
                             "600",  "--wire-dia",   "0.72", "--spacing",     "0",    "--use-pri-c",
                             "1",    "--use-sec-fr", "1",    "--use-sec-dia", "1",    "--con-dia",
                             "9.5",  "--con-spa",    "9.5",  "--sec-sep",     "62.5", "--out",
                             file});
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

    void rejectedValueSavesNothing() {
        const QString file = path("rejected.rzn");
        const Run run = cli({"calc", "--dia", "150", "--height", "0", "--out", file});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, QStringLiteral("resonex-cli: Invalid value in height property "
                                         "[CSecondary::Height 0x80040202]\n"));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(file));

        const Run empty = cli({"calc", "--sec-dia", "200", "--cap", "0.01"}); // no frequency
        QCOMPARE(empty.exitCode, 2);
        QVERIFY(empty.err.contains(QStringLiteral("[CPrimary::Fr 0x80040206]")));
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

    // A calculation that fails, here on the summary's values, saves nothing.
    void calculationErrorExitsThree() {
        Run run = cli({"calc", "--in", dataFile("zero-transformers.rzn"), "--mains", "60"});
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(
            run.err,
            QStringLiteral("resonex-cli: Division by zero [CTransformer::CalcCap 0x0000000B]\n"));
        QVERIFY(run.out.isEmpty());

        run = cli({"calc", "--kv", "1e-45", "--out", path("never.rzn")});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(!QFile::exists(path("never.rzn")));
    }

    // Output that cannot be written fails the run, which then saves nothing.
    void lostOutputFails() {
        const QString never = path("never.rzn");
        for (const QString& redirect : {QStringLiteral(">/dev/full"), QStringLiteral(">&-")}) {
            for (const QStringList& arguments :
                 {QStringList{"--version"}, QStringList{"calc", "--kv", "12", "--out", never}}) {
                const Run run = shell(QStringLiteral("\"$0\" \"$@\" ") + redirect, arguments);
                QCOMPARE(run.exitCode, 1);
                QVERIFY2(
                    run.err.startsWith(QStringLiteral("resonex-cli: cannot write the output: ")),
                    qPrintable(run.err));
            }
        }
        QVERIFY(!QFile::exists(never));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"frob"};
        QTest::newRow("unknown option") << QStringList{"calc", "--bogus", "1"};
        QTest::newRow("missing value") << QStringList{"calc", "--height"};
        QTest::newRow("bad units") << QStringList{"calc", "--units", "cm"};
        QTest::newRow("bad mains") << QStringList{"calc", "--mains", "55"};
        QTest::newRow("bad choice") << QStringList{"calc", "--use-sec-dia", "2"};
        QTest::newRow("units with a design")
            << QStringList{"calc", "--in", dataFile("zero-transformers.rzn"), "--units", "mm"};
        QTest::newRow("capacitor not calculated") << QStringList{"calc", "--use-pri-c", "1"};
        QTest::newRow("secondary not calculated") << QStringList{"calc", "--use-sec-fr", "1"};
        QTest::newRow("typed and taken")
            << QStringList{"calc", "--kv", "15", "--use-pri-c", "1", "--cap", "0.01"};
        QTest::newRow("show without a file") << QStringList{"show"};
        QTest::newRow("version with more") << QStringList{"--version", "extra"};
    }
    void usageErrors() {
        QFETCH(QStringList, arguments);
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, 64);
        QVERIFY(run.err.startsWith(QStringLiteral("resonex-cli: ")));
        QVERIFY(
            run.err.endsWith(QStringLiteral("Try 'resonex-cli --help' for more information.\n")));
        QVERIFY(run.out.isEmpty());
    }

    void fileErrors() {
        Run run = cli({"show", path("missing.rzn")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "resonex-cli: Error opening file : File not found (" +
                              path("missing.rzn") + ")\n");
        run = cli({"calc", "--kv", "12", "--out", path("no/such/folder/x.rzn")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.startsWith(QStringLiteral("resonex-cli: Error saving file: ")));
        QVERIFY(run.err.endsWith(" (" + path("no/such/folder/x.rzn") + ")\n"));

        // Behind a loop of links the design is not missing: it cannot be reached.
        QVERIFY(QFile::link(path("loop"), path("loop")));
        run = cli({"show", path("loop/coil.rzn")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "resonex-cli: Error opening file : Too many levels of symbolic links (" +
                              path("loop/coil.rzn") + ")\n");
    }

    // Neither a pipe nor a design reached through a link is replaced by a file.
    void savesOntoWhatIsNotAFile() {
        const QString pipe = path("pipe.rzn");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        Run run = cli({"calc", "--kv", "12", "--out", pipe});
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

    // The imperial worked example and a transformer, typed with commas.
    void commaLocale() {
        const Run run =
            cli({"calc", "--units", "in", "--cap", "0,01", "--freq", "250,00", "--sec-dia", "4,5",
                 "--con-dia", "0,374", "--con-spa", "0,374", "--sec-sep", "2,46", "--kv", "12,5"},
                "de_DE.UTF-8");
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("\n Turn  9         37,89uH\n"
                                                " Turn  10       47,33uH\n")));
        QVERIFY(run.out.contains(QStringLiteral("Primary conductor diameter : 0,37in\n")));
        QVERIFY(run.out.contains(QStringLiteral("resonant circuit at 250,00kHz\n")));
        QVERIFY(run.out.contains(QStringLiteral("Transformer secondary voltage : 12,50kV\n")));
        QVERIFY(!run.out.contains(u'\r'));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
