#include "TestSupport.h"

#include "core/platform/AtomicFile.h"
#include "core/platform/NativeName.h"
#include "gui/platform/FileTypeRegistration.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace resonex;
using gui::RegisterDesignFiles;
using test::readAll;

namespace {

// The files installed with the program.
const QString kInstalled = RESONEX_TEST_DATA "/../../data";

QHash<QString, QString> entryKeys(const QString& path) {
    QHash<QString, QString> keys;
    for (const QByteArray& line : readAll(path).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            keys.insert(QString::fromUtf8(line.left(equals)),
                        QString::fromUtf8(line.mid(equals + 1)));
    }
    return keys;
}

// Sets a file's time far back, so that any rewrite shows.
const QDateTime kLongAgo(QDate(2001, 1, 1), QTime(12, 0), Qt::UTC);
void backdate(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
}
QDateTime modified(const QString& path) { return QFileInfo(path).lastModified().toUTC(); }

// The type and permission bits of what stands at the name's bytes, 0 for nothing.
mode_t modeAt(const QByteArray& name) {
    struct stat status {};
    return ::lstat(name.constData(), &status) == 0 ? status.st_mode : 0;
}
mode_t modeAt(const QString& path) { return modeAt(QFile::encodeName(path)); }

// What the one write path said, "written" when nothing.
QString outcome(const std::optional<WriteFailure>& failure) {
    if (!failure)
        return QStringLiteral("written");
    return (failure->kind == WriteFailure::Kind::Access ? QStringLiteral("access: ")
                                                        : QStringLiteral("content: ")) +
           failure->reason;
}

void put(const QString& path, const QByteArray& content) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    test::writeAll(path, content);
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_tools;
    QString m_data;
    QString m_system;
    int m_runs = 0;

    QString mimePackage() const { return m_data + "/mime/packages/resonex.xml"; }
    QString entry() const { return m_data + "/applications/resonex.desktop"; }
    QString icon() const { return m_data + "/icons/hicolor/scalable/apps/resonex.svg"; }
    // How often the stand-in desktop tools were started on this test's
    // folders, the MIME database's first; a run left over from an earlier
    // test names another folder.
    QString toolRuns() const {
        const auto runs = [this](const char* tool, const char* folder) {
            return readAll(m_tools + "/update-" + tool + "-database.log")
                .split('\n')
                .count((m_data + folder).toLocal8Bit());
        };
        return QString("%1 %2").arg(runs("mime", "/mime")).arg(runs("desktop", "/applications"));
    }

private slots:
    void initTestCase() {
        // Never the user's own desktop: the data folders and the tools are ours.
        QVERIFY(m_root.isValid());
        m_tools = m_root.filePath("tools");
        QVERIFY(QDir().mkpath(m_tools));
        // Each lists the design type in its database when a file there names
        // it, as the real tools do, and logs its arguments. PATH will hold
        // nothing but these.
        const QByteArray grep = QStandardPaths::findExecutable("grep").toLocal8Bit();
        QVERIFY(!grep.isEmpty());
        const auto writeTool = [&](const QString& tool, const QByteArray& files,
                                   const QByteArray& database, const QByteArray& listing) {
            test::writeScript(m_tools + '/' + tool, "if " + grep + " -qs x-resonex-design " +
                                                        files + "; then echo '" + listing +
                                                        "'; fi > " + database + "\n" +
                                                        R"(echo "$@" >> "$0.log")" + "\n");
        };
        writeTool("update-mime-database", R"("$1"/packages/*)", R"("$1/globs2")",
                  "50:application/x-resonex-design:*.rzn");
        writeTool("update-desktop-database", R"("$1"/*.desktop)", R"("$1/mimeinfo.cache")",
                  "application/x-resonex-design=resonex.desktop");
    }

    void init() {
        m_data = m_root.filePath(QString("data%1").arg(++m_runs));
        m_system = m_root.filePath(QString("system%1").arg(m_runs));
        qputenv("XDG_DATA_HOME", m_data.toLocal8Bit());
        qputenv("XDG_DATA_DIRS", m_system.toLocal8Bit());
        qputenv("PATH", m_tools.toLocal8Bit());
        QCOMPARE(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation),
                 QStringList({m_data, m_system}));
    }

    void writesTheAssociationOnlyWhenItChanges() {
        RegisterDesignFiles("/opt/resonex/bin/resonex");

        // The installed files are the source: the package as is, and the entry
        // with the program's path.
        const QByteArray mime = readAll(mimePackage());
        QVERIFY(mime.contains(R"(<glob pattern="*.rzn"/>)"));
        QCOMPARE(mime, readAll(kInstalled + "/resonex.xml"));
        QVERIFY(readAll(entry()).startsWith("[Desktop Entry]\n"));
        const QHash<QString, QString> keys = entryKeys(entry());
        QCOMPARE(keys.value("MimeType"), "application/x-resonex-design;");
        QHash<QString, QString> installedKeys = entryKeys(kInstalled + "/resonex.desktop");
        installedKeys["Exec"] = "/opt/resonex/bin/resonex %f";
        installedKeys["TryExec"] = "/opt/resonex/bin/resonex";
        QCOMPARE(keys, installedKeys);

        QVERIFY(readAll(icon()).contains("<svg"));
        QCOMPARE(readAll(icon()), readAll(":/resonex/resonex.svg"));

        QTRY_COMPARE(toolRuns(), "1 1");

        // A normal start writes nothing.
        for (const QString& path : {mimePackage(), entry(), icon()})
            backdate(path);
        RegisterDesignFiles("/opt/resonex/bin/resonex");
        for (const QString& path : {mimePackage(), entry(), icon()})
            QCOMPARE(modified(path), kLongAgo);

        // The program moved: only its entry follows, and only its database is refreshed.
        RegisterDesignFiles("/usr/local/bin/resonex");
        QCOMPARE(entryKeys(entry()).value("Exec"), "/usr/local/bin/resonex %f");
        QCOMPARE(modified(mimePackage()), kLongAgo);
        QTRY_COMPARE(toolRuns(), "1 2");
    }

    // Tools installed after the files were written are run at the next start,
    // once.
    void toolsInstalledLaterAreRun() {
        qputenv("PATH", m_root.filePath("no-tools").toLocal8Bit());
        RegisterDesignFiles("/opt/resonex/bin/resonex");
        qputenv("PATH", m_tools.toLocal8Bit());
        for (int start = 0; start < 2; ++start) {
            RegisterDesignFiles("/opt/resonex/bin/resonex");
            QTRY_COMPARE(toolRuns(), "1 1");
        }
    }

    void execQuotesTheProgramPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        const auto row = [](const char* name, const char* path, const char* exec) {
            QTest::newRow(name) << QString(path) << QString(exec);
        };
        row("spaces and shell characters", "/home/ann/Tesla Coils (old)&~v2/resonex",
            R"("/home/ann/Tesla Coils (old)&~v2/resonex" %f)");
        row("escaped in quotes", R"x(/opt/a$b/"c"/`d`/resonex)x",
            R"x("/opt/a\\$b/\\"c\\"/\\`d\\`/resonex" %f)x");
        row("backslash", R"(/opt/a\b/resonex)", R"("/opt/a\\\\b/resonex" %f)");
        row("percent", "/opt/100%/resonex", "/opt/100%%/resonex %f");
    }

    void execQuotesTheProgramPath() {
        QFETCH(QString, path);
        QFETCH(QString, exec);
        RegisterDesignFiles(path);
        QCOMPARE(entryKeys(entry()).value("Exec"), exec);
        // A string value, where only the backslash needs escaping here.
        QCOMPARE(entryKeys(entry()).value("TryExec"), QString(path).replace(u'\\', "\\\\"));
    }

    // The installed program leaves the files the system has to the system,
    // and removes the user's copies that would shadow them; any other copy of
    // the program registers for the user as ever.
    void installedProgramLeavesItsFilesToTheSystem_data() {
        // The folder of the programs, under the test's own; the Exec of the
        // system's entry, ROOT standing for the test's folder; which of the
        // programs there is this one.
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("linked");
        QTest::addColumn<bool>("systemIcon");
        QTest::addColumn<bool>("installed");
        const auto row = [](const char* name, const char* folder, const char* exec,
                            const char* linked, bool systemIcon, bool installed) {
            QTest::newRow(name) << QString(folder) << QString(exec) << QString(linked) << systemIcon
                                << installed;
        };
        row("installed, found through PATH", "bin", "resonex %f", "resonex", true, true);
        row("installed, quoted path, no system icon", R"(a "b" $c \d 100%)",
            R"("ROOT/a \\"b\\" \\$c \\\\d 100%%/resonex" %f)", "resonex", false, true);
        row("build tree, installed program elsewhere", "bin", "resonex %f", "other", true, false);
        row("entry naming another program", "bin", "other %f", "resonex", true, false);
    }

    void installedProgramLeavesItsFilesToTheSystem() {
        QFETCH(QString, folder);
        QFETCH(QString, exec);
        QFETCH(QString, linked);
        QFETCH(bool, systemIcon);
        QFETCH(bool, installed);
        const QString program = QCoreApplication::applicationFilePath();
        const QString root = m_data + "-programs";
        const QString programs = root + '/' + folder;
        QVERIFY(QDir().mkpath(programs));
        for (const QString name : {"resonex", "other"}) {
            if (name == linked)
                QVERIFY(QFile::link(program, programs + '/' + name));
            else
                test::writeScript(programs + '/' + name, "");
        }
        qputenv("PATH", (m_tools + ':' + programs).toLocal8Bit());

        const QByteArray package = readAll(kInstalled + "/resonex.xml");
        const QByteArray svg = readAll(":/resonex/resonex.svg");
        QString systemEntry = QString::fromUtf8(readAll(kInstalled + "/resonex.desktop"));
        systemEntry.replace(QRegularExpression("^Exec=.*$", QRegularExpression::MultilineOption),
                            "Exec=" + exec.replace("ROOT", root));
        put(m_system + "/mime/packages/resonex.xml", package);
        put(m_system + "/applications/resonex.desktop", systemEntry.toUtf8());
        if (systemIcon)
            put(m_system + "/icons/hicolor/scalable/apps/resonex.svg", svg);
        // Left by a start of another build.
        for (const QString& path : {mimePackage(), entry(), icon()})
            put(path, "stale");

        RegisterDesignFiles(program);
        QCOMPARE(readAll(mimePackage()), installed ? QByteArray() : package);
        QCOMPARE(entryKeys(entry()).value("Exec"), installed ? QString() : program + " %f");
        QCOMPARE(readAll(icon()), installed && systemIcon ? QByteArray() : svg);
        // Removed or written, the copies changed, and the databases follow.
        QTRY_COMPARE(toolRuns(), "1 1");

        // The next start has nothing to do; the tools would have run by now.
        RegisterDesignFiles(program);
        QTest::qWait(200);
        QCOMPARE(toolRuns(), "1 1");
    }

    // A name passes from the system's bytes to text and back unchanged; a
    // UTF-8 name reads as Qt reads it.
    void namesKeepTheirBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ascii") << QByteArray("/tmp/my coil.rzn") << true;
        QTest::newRow("utf-8") << QByteArray("Spule \xc3\xa4 \xe2\x82\xac \xf0\x9f\x94\x8c")
                               << true;
        // A pair whose second half lies among the escapes is one character.
        QTest::newRow("pair") << QByteArray("\xf0\x9f\x92\x80") << true;
        QTest::newRow("highest character") << QByteArray("\xf4\x8f\xbf\xbf") << true;
        QTest::newRow("latin-1") << QByteArray("Spule \xe4.rzn") << false;
        QTest::newRow("stray bytes") << QByteArray("\x80\xff") << false;
        QTest::newRow("overlong") << QByteArray("a\xc0\xaf") << false;
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << false;
        QTest::newRow("cut short") << QByteArray("x\xe2\x82") << false;
        QTest::newRow("past the highest") << QByteArray("\xf4\x90\x80\x80") << false;
    }
    void namesKeepTheirBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        const QString name = nameFromNative(bytes);
        QCOMPARE(nativeName(name), bytes);
        QCOMPARE(name == QString::fromUtf8(bytes), utf8);
        QByteArray program("resonex");
        char* argv[] = {program.data(), bytes.data()};
        QCOMPARE(argumentsFromNative(2, argv), QStringList{name});
    }

    // The one write path: the whole new file or the old one, never a part,
    // never a temporary file left behind, never a pipe replaced.
    void writesWholeFilesOnly() {
        QTemporaryDir dir;
        const QString file = dir.filePath("kept.bin");
        QCOMPARE(outcome(writeFileAtomically(file, QByteArray("first"))), "written");
        QCOMPARE(readAll(file), "first");
        // A file replaced keeps its permissions.
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0640), 0);
        const ContentWriter second = [](QIODevice& device) { return device.write("second") == 6; };
        QCOMPARE(outcome(writeFileAtomically(file, second)), "written");
        QCOMPARE(readAll(file), "second");
        QCOMPARE(modeAt(file), mode_t(S_IFREG | 0640));
        // One made read-only is kept (root may write any file).
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0440), 0);
        QCOMPARE(outcome(writeFileAtomically(file, QByteArray("second"))),
                 ::geteuid() == 0 ? "written" : "access: Permission denied");
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0640), 0);

        // A full disk at the first byte and partway; content that could not be made.
        for (const qint64 room : {0, 3}) {
            const SimulatedFullDisk full(room);
            QCOMPARE(outcome(writeFileAtomically(file, QByteArray("a longer third"))),
                     "content: No space left on device");
        }
        const ContentWriter broken = [](QIODevice& device) { return device.write("x") < 0; };
        QCOMPARE(outcome(writeFileAtomically(file, broken)),
                 "content: The content could not be made");
        QCOMPARE(readAll(file), "second");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.bin"});

        // A pipe is refused before anything is made, and stays a pipe.
        const QString pipe = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        bool made = false;
        const ContentWriter watched = [&made](QIODevice&) { return made = true; };
        QCOMPARE(outcome(writeFileAtomically(pipe, watched)), "access: Not a regular file");
        QCOMPARE(outcome(writeFileAtomically(pipe, QByteArray("x"))), "access: Not a regular file");
        QVERIFY(!made);
        QVERIFY(S_ISFIFO(modeAt(pipe)));
        QCOMPARE(outcome(writeFileAtomically(dir.filePath("no/folder"), QByteArray("x"))),
                 "access: No such file or directory");

        // Through a link, also one whose file is not there yet, the file it
        // names is written and the link stays.
        QVERIFY(QFile::link(file, dir.filePath("link")));
        QVERIFY(QFile::link(dir.filePath("later.bin"), dir.filePath("dangling")));
        QCOMPARE(outcome(writeFileAtomically(dir.filePath("link"), QByteArray("fourth"))),
                 "written");
        QCOMPARE(outcome(writeFileAtomically(dir.filePath("dangling"), QByteArray("fifth"))),
                 "written");
        QCOMPARE(readAll(file), "fourth");
        QCOMPARE(readAll(dir.filePath("later.bin")), "fifth");
        QVERIFY(S_ISLNK(modeAt(dir.filePath("link"))) && S_ISLNK(modeAt(dir.filePath("dangling"))));

        // A name that is not UTF-8 is written under its own bytes.
        const QByteArray raw = QFile::encodeName(dir.path()) + "/coil\xff.bin";
        QCOMPARE(outcome(writeFileAtomically(nameFromNative(raw), QByteArray("sixth"))), "written");
        QVERIFY(S_ISREG(modeAt(raw)));
        QCOMPARE(::unlink(raw.constData()), 0); // out of reach of QTemporaryDir's clean-up
    }

    // On a real full disk, where one can be made.
    void writesOnAFullDisk() {
        QTemporaryDir dir;
        const test::SmallFileSystem disk(dir.filePath("small"));
        if (!disk.whyNot().isEmpty())
            QSKIP(qPrintable(disk.whyNot()));
        const QString file = disk.filePath("kept.bin");
        QCOMPARE(outcome(writeFileAtomically(file, QByteArray("old"))), "written");
        disk.fill();
        const ContentWriter large = [](QIODevice& device) {
            return device.write(QByteArray(100000, 'x')) == 100000;
        };
        QCOMPARE(outcome(writeFileAtomically(file, large)), "content: No space left on device");
        QCOMPARE(readAll(file), "old");
        QCOMPARE(QDir(disk.filePath(".")).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"filler", "kept.bin"}));
    }

    void unwritableDataFolderIsIgnored() {
        put(m_data, QByteArray()); // a regular file where the folder would have to be
        RegisterDesignFiles("/opt/resonex/bin/resonex");
        QCOMPARE(QFileInfo(m_data).size(), 0);
    }
};

QTEST_GUILESS_MAIN(PlatformTest)
#include "tst_platform.moc"
