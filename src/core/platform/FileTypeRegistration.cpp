#include "platform/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace resonex {

namespace {

const QString kIconResource = QStringLiteral(":/resonex/resonex.svg");

// The glob matches without regard to case, so "*.RZN" opens here too.
const QByteArray kMimePackage = R"(<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-resonex-design">
    <comment>Resonex Design</comment>
    <icon name="resonex"/>
    <glob pattern="*.rzn"/>
  </mime-type>
</mime-info>
)";

const QByteArray kMimeType = "application/x-resonex-design";

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
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
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

// Whether a database that a desktop tool generates lists the design type: a
// tool installed after the files were written has never been run on them.
bool databaseKnowsDesigns(const QString& path) {
    QFile database(path);
    return database.open(QIODevice::ReadOnly) && database.readAll().contains(kMimeType);
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

QByteArray desktopEntry(const QString& programPath) {
    const QStringList lines = {
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=Resonex"),
        QStringLiteral("GenericName=Tesla Coil Designer"),
        QStringLiteral("Comment=Design spark-gap Tesla coils"),
        // The design to open is the one argument.
        QStringLiteral("Exec=") + entryString(execArgument(programPath)) + QStringLiteral(" %f"),
        QStringLiteral("Icon=resonex"),
        QStringLiteral("Terminal=false"),
        QStringLiteral("MimeType=") + QLatin1String(kMimeType) + u';',
        QStringLiteral("Categories=Science;Electronics;"),
    };
    return (lines.join(u'\n') + u'\n').toUtf8();
}

} // namespace

void RegisterDesignFileType(const QString& programPath) {
    const QString data = dataFolder();
    if (data.isEmpty()) {
        return;
    }
    const QString mime = data + QStringLiteral("/mime");
    if (writeIfChanged(mime + QStringLiteral("/packages/resonex.xml"), kMimePackage) ||
        !databaseKnowsDesigns(mime + QStringLiteral("/globs2"))) {
        runDetached(QStringLiteral("update-mime-database"), {mime});
    }
    // Without a program there is nothing the entry could start.
    if (programPath.isEmpty()) {
        return;
    }
    const QString applications = data + QStringLiteral("/applications");
    if (writeIfChanged(applications + QStringLiteral("/resonex.desktop"),
                       desktopEntry(programPath)) ||
        !databaseKnowsDesigns(applications + QStringLiteral("/mimeinfo.cache"))) {
        runDetached(QStringLiteral("update-desktop-database"), {applications});
    }
}

// The icon is the same wherever the program is.
void RegisterDesignFileIcon() {
    const QString data = dataFolder();
    QFile resource(kIconResource);
    if (data.isEmpty() || !resource.open(QIODevice::ReadOnly)) {
        return;
    }
    const QString theme = data + QStringLiteral("/icons/hicolor");
    if (!writeIfChanged(theme + QStringLiteral("/scalable/apps/resonex.svg"), resource.readAll())) {
        return;
    }
    // A user's own icon cache is rare, but once there it hides icons it does
    // not list.
    if (QFileInfo::exists(theme + QStringLiteral("/icon-theme.cache"))) {
        runDetached(QStringLiteral("gtk-update-icon-cache"),
                    {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("-f"), theme});
    }
}

} // namespace resonex
