#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace resonex::test {

// CTest runs every test with a private home and XDG folders and no print
// server (tests/CMakeLists.txt). A test run by hand makes its own the same
// way, before anything reads them, so that it never writes the user's
// settings, desktop entries or file dialog history either.
class PrivateHome {
public:
    PrivateHome() {
        if (qEnvironmentVariableIsSet("RESONEX_TEST_HOME"))
            return;
        const QDir root(m_dir.path());
        const auto set = [&root](const char* variable, const char* folder) {
            root.mkpath(QLatin1String(folder));
            qputenv(variable, QFile::encodeName(root.filePath(QLatin1String(folder))));
        };
        set("RESONEX_TEST_HOME", ".");
        set("HOME", "home");
        set("XDG_CONFIG_HOME", "config");
        set("XDG_DATA_HOME", "data");
        set("XDG_CACHE_HOME", "cache");
        set("XDG_STATE_HOME", "state");
        set("XDG_RUNTIME_DIR", "runtime");
        // Qt refuses a runtime folder that others may enter.
        QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("CUPS_SERVER",
                QFile::encodeName(root.filePath(QStringLiteral("no-print-server.sock"))));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }

private:
    QTemporaryDir m_dir;
};

inline const PrivateHome kPrivateHome;

} // namespace resonex::test
