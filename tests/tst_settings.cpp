#include "TestSupport.h"

#include "core/document/CFile.h"
#include "core/settings/CSettings.h"
#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/StoredOptions.h"
#include "core/settings/UserOptionsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace resonex;

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase() {
        // The user's own settings are never touched: QSettings looks here.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        QLocale::setDefault(test::pointLocale());
    }

    void init() { QSettings(QStringLiteral("Resonex"), QStringLiteral("Resonex")).clear(); }

    // A first run's options; when the document lets them go, the five are
    // written as text, and the next run starts from them.
    void optionsOfTheUser() {
        {
            UserOptionsStore store;
            CFile doc(&store);
            CSettings& settings = doc.settings();
            QCOMPARE(QVariantList({settings.UseMetric(), settings.Use50Hz(), settings.DesPath(),
                                   settings.FontName(), settings.FontSize()}),
                     QVariantList({true, true, QDir::homePath(), "Arial", qint16(10)}));
            settings.setUseMetric(false);
            settings.setUse50Hz(false);
            settings.setFontName(QStringLiteral("DejaVu Sans"));
            settings.setFontSize(12);
            settings.setDesPath(m_config.path());
            // A window's corner, as the desktop program keeps it.
            stored::kWindowTop.write(store, QStringLiteral("frmMain"), 1440);
            stored::kWindowLeft.write(store, QStringLiteral("frmMain"), 2880.5f);
        }
        // The file as every earlier run wrote it, so that none loses its options.
        QFile file(m_config.filePath(QStringLiteral("Resonex/Resonex.conf")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 "[Options]\nDesPath=" + m_config.path() +
                     "\nFontName=DejaVu Sans\nFontSize=12\nUse50Hz=False\nUseMetric=False\n\n"
                     "[Windows]\nfrmMainLeft=2880.5\nfrmMainTop=1440\n");

        UserOptionsStore store;
        const CSettings next(&store);
        QCOMPARE(QVariantList({next.UseMetric(), next.Use50Hz(), next.FontSize()}),
                 QVariantList({false, false, qint16(12)}));
    }

    // A settings file that is a pipe is passed over like a damaged one: the
    // options of a first run, kept for the session, never waiting on the
    // pipe, which stays as it is.
    void settingsFileThatIsAPipe() {
        const QByteArray pipe = QFile::encodeName(m_config.filePath("Resonex/Resonex.conf"));
        QVERIFY(QDir().mkpath(m_config.filePath("Resonex")));
        QFile::remove(QFile::decodeName(pipe));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        // Frees a reader blocked on the pipe, and notes that there was one.
        std::atomic<bool> done{false};
        std::atomic<bool> blocked{false};
        std::thread rescue([&] {
            while (!done) {
                const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    blocked = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        {
            UserOptionsStore store;
            CFile doc(&store);
            QCOMPARE(QVariantList({doc.settings().UseMetric(), doc.settings().FontSize()}),
                     QVariantList({true, qint16(10)}));
            doc.settings().setFontSize(12);
            doc.CreateModelObjects();
            QCOMPARE(doc.settings().FontSize(), qint16(12));
        }
        done = true;
        rescue.join();
        struct stat status {};
        const bool stillAPipe = ::lstat(pipe.constData(), &status) == 0 && S_ISFIFO(status.st_mode);
        ::unlink(pipe.constData());
        QVERIFY(!blocked);
        QVERIFY(stillAPipe);
    }

    void storedTexts_data() {
        QTest::addColumn<QString>("metric");
        QTest::addColumn<bool>("useMetric");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("fontSize");
        QTest::newRow("words") << "False" << false << "12" << 12;
        QTest::newRow("any case") << "TRUE" << true << "9" << 9;
        QTest::newRow("half to even down") << "0" << false << "10.5" << 10;
        QTest::newRow("half to even up") << "-1" << true << "11.5" << 12;
        QTest::newRow("unconvertible falls back") << "maybe" << true << "big" << 10;
        QTest::newRow("out of range falls back") << "" << true << "70000" << 10;
        // Sizes are kept within those the font picker offers.
        QTest::newRow("largest offered") << "True" << true << "72" << 72;
        QTest::newRow("smallest offered") << "True" << true << "5.5" << 6;
        QTest::newRow("too large falls back") << "True" << true << "32767" << 10;
        QTest::newRow("too small falls back") << "True" << true << "0" << 10;
    }
    void storedTexts() {
        QFETCH(QString, metric);
        QFETCH(QString, size);
        QFETCH(bool, useMetric);
        QFETCH(int, fontSize);
        MemoryOptionsStore store;
        store.setValue(stored::kUseMetric.group, stored::kUseMetric.key, metric);
        store.setValue(stored::kFontSize.group, stored::kFontSize.key, size);
        const CSettings settings(&store);
        QCOMPARE(settings.UseMetric(), useMetric);
        QCOMPARE(int(settings.FontSize()), fontSize);
    }

    void designFolderMustExist() {
        const QString before = QDir::currentPath();
        CSettings settings(nullptr);
        const QString folder = settings.DesPath();
        const QString missing = m_config.filePath(QStringLiteral("no/such/folder"));
        QCOMPARE(test::errorText([&] { settings.setDesPath(missing); }),
                 "0x0000004C CSettings::DesPath: Path not found");
        QCOMPARE(settings.DesPath(), folder);
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(test::errorNumberOf([&] { settings.setDesPath({}); }), 76u);

        settings.setDesPath(m_config.path());
        QCOMPARE(QDir::currentPath(), QDir(m_config.path()).canonicalPath());
        QDir::setCurrent(before);
    }

    // A new design starts from the stored options with the choices cleared;
    // what the design in memory says at release becomes the next default.
    void newDesignsAndTheStore() {
        MemoryOptionsStore store;
        CFile doc(&store);
        doc.settings().setUseSecDia(1);
        doc.settings().setUsePriC(1);
        doc.settings().setUseMetric(false);
        doc.CreateModelObjects();
        QCOMPARE(doc.settings().UseSecDia(), qint16(0));
        QCOMPARE(doc.settings().UsePriC(), qint16(0));
        QCOMPARE(doc.settings().UseMetric(), false);
        QCOMPARE(stored::kUseMetric.read(store), false);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
