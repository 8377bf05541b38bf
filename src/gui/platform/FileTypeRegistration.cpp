#include "gui/platform/FileTypeRegistration.h"

#include "core/platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace resonex::gui {

namespace {

// The files installed with the program, linked in.
const QString kMimeResource = QStringLiteral(":/resonex/resonex.xml");
const QString kEntryResource = QStringLiteral(":/resonex/resonex.desktop");
const QString kIconResource = QStringLiteral(":/resonex/resonex.svg");

// Where those files go, under a data folder.
const QString kMimeFile = QStringLiteral("/mime/packages/resonex.xml");
const QString kEntryFile = QStringLiteral("/applications/resonex.desktop");
const QString kIconFile = QStringLiteral("/icons/hicolor/scalable/apps/resonex.svg");

const QByteArray kMimeType = "application/x-resonex-design";

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The folders an installation puts its files in, below the user's own.
QStringList systemDataFolders() {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    folders.removeAll(dataFolder());
    return folders;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes content to path unless the file holds it already, so that a normal
// start touches nothing; true when the file was replaced.
bool writeIfChanged(const QString& path, const QByteArray& content) {
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.size() == content.size() &&
        current.readAll() == content) {
        return false;
    }
    current.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    // Desktops read these files at any moment: they see the old one or the new.
    return !writeFileAtomically(path, content);
}

// Whether the user has a copy that the database a desktop tool generates from
// it does not list: a tool installed after the copy was written has never been
// run on it.
bool unlisted(const QString& copy, const QString& database) {
    return QFileInfo::exists(copy) && !contents(database).contains(kMimeType);
}

// Starts a desktop tool without waiting for it, its output going nowhere; a
// desktop without the tool goes without.
void runDetached(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        return;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

// An Exec argument as the desktop reads it: double-quoted when it holds a
// character the launcher would take specially, with '"', '`', '$' and '\'
// escaped inside the quotes, and '%' doubled so it is not a field code.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    for (const QChar c : argument) {
        quote = quote || reserved.contains(c);
    }
    QString quoted;
    if (quote) {
        quoted += u'"';
    }
    for (const QChar c : argument) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) {
            quoted += u'\\';
        } else if (c == u'%') {
            quoted += u'%';
        }
        quoted += c;
    }
    if (quote) {
        quoted += u'"';
    }
    return quoted;
}

// A string value of a desktop entry. The reader undoes these escapes before
// the Exec quoting, so a backslash inside a quoted argument ends up as four.
QString entryString(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == u'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c == u'\t') {
            escaped += QStringLiteral("\\t");
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\r");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// A desktop entry string as written, its escapes undone: the reverse of
// entryString.
QString entryValue(QStringView written) {
    QString value;
    for (qsizetype i = 0; i < written.size(); ++i) {
        QChar c = written[i];
        if (c == u'\\' && i + 1 < written.size()) {
            c = written[++i];
            c = c == u's' ? u' ' : c == u'n' ? u'\n' : c == u't' ? u'\t' : c == u'r' ? u'\r' : c;
        }
        value += c;
    }
    return value;
}

// The Exec value of a desktop entry, its escapes undone. The main group comes
// first, so the first Exec key is its own.
QString entryExec(const QByteArray& entry) {
    for (const QByteArray& line : entry.split('\n')) {
        const QString text = QString::fromUtf8(line);
        const qsizetype equals = text.indexOf(u'=');
        if (equals > 0 && QStringView(text).left(equals).trimmed() == u"Exec") {
            return entryValue(QStringView(text).mid(equals + 1).trimmed());
        }
    }
    return QString();
}

// An Exec value, its string escapes undone, as the program it starts, with
// the quoting of execArgument undone, and the arguments after it as written.
struct ExecCommand {
    QString program;
    QString arguments;
};

ExecCommand splitExec(const QString& exec) {
    ExecCommand command;
    bool quoted = false;
    qsizetype i = 0;
    for (; i < exec.size() && (quoted || exec[i] != u' '); ++i) {
        const QChar c = exec[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted && c == u'\\' && i + 1 < exec.size()) {
            command.program += exec[++i];
        } else {
            command.program += c;
            if (c == u'%' && i + 1 < exec.size() && exec[i + 1] == u'%') {
                ++i;
            }
        }
    }
    command.arguments = exec.mid(i);
    return command;
}

// Whether the program at programPath is the installed one: the entry that
// desktops take from the system data folders (the first that has one) starts
// it, a bare name being looked up in PATH as they would.
bool isInstalled(const QString& programPath) {
    const QString program = QFileInfo(programPath).canonicalFilePath();
    if (program.isEmpty()) {
        return false;
    }
    for (const QString& folder : systemDataFolders()) {
        const QByteArray entry = contents(folder + kEntryFile);
        if (!entry.isEmpty()) {
            const QString started =
                QStandardPaths::findExecutable(splitExec(entryExec(entry)).program);
            return QFileInfo(started).canonicalFilePath() == program;
        }
    }
    return false;
}

bool onSystem(const QString& file) {
    const QStringList folders = systemDataFolders();
    return std::any_of(folders.cbegin(), folders.cend(),
                       [&file](const QString& folder) { return QFileInfo::exists(folder + file); });
}

// Brings the user's copy of an installed file (file: where it goes under a
// data folder) up to date with content; true when the copy changed. Where the
// installed program runs and the system has the file, a user's copy would
// only shadow it: one left by a start of another build is removed.
bool updateUserCopy(const QString& file, const QByteArray& content, bool installed) {
    const QString copy = dataFolder() + file;
    if (installed && onSystem(file)) {
        return QFile::remove(copy);
    }
    return writeIfChanged(copy, content);
}

// The installed entry made to start the program at programPath wherever it
// is: the path replaces the program in Exec, and stands in TryExec so that
// desktops pass over the entry once that program is gone.
QByteArray userEntry(const QString& programPath) {
    QStringList lines = QString::fromUtf8(contents(kEntryResource)).split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(u"Exec=")) {
            const QString arguments = splitExec(entryValue(QStringView(line).mid(5))).arguments;
            line = QStringLiteral("Exec=") + entryString(execArgument(programPath) + arguments);
        } else if (line.startsWith(u"TryExec=")) {
            line = QStringLiteral("TryExec=") + entryString(programPath);
        }
    }
    return lines.join(u'\n').toUtf8();
}

} // namespace

void RegisterDesignFiles(const QString& programPath) {
    const QString data = dataFolder();
    if (data.isEmpty()) {
        return;
    }
    const bool installed = isInstalled(programPath);
    const QString mime = data + QStringLiteral("/mime");
    if (updateUserCopy(kMimeFile, contents(kMimeResource), installed) ||
        unlisted(data + kMimeFile, mime + QStringLiteral("/globs2"))) {
        runDetached(QStringLiteral("update-mime-database"), {mime});
    }
    // A user's own icon cache is rare, but once there it hides icons it does
    // not list.
    const QString theme = data + QStringLiteral("/icons/hicolor");
    if (updateUserCopy(kIconFile, contents(kIconResource), installed) &&
        QFileInfo::exists(theme + QStringLiteral("/icon-theme.cache"))) {
        runDetached(QStringLiteral("gtk-update-icon-cache"),
                    {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("-f"), theme});
    }
    // Without a program there is nothing the entry could start.
    if (programPath.isEmpty()) {
        return;
    }
    const QString applications = data + QStringLiteral("/applications");
    if (updateUserCopy(kEntryFile, userEntry(programPath), installed) ||
        unlisted(data + kEntryFile, applications + QStringLiteral("/mimeinfo.cache"))) {
        runDetached(QStringLiteral("update-desktop-database"), {applications});
    }
}

} // namespace resonex::gui
