// The document commands of CFile: new, open, save, save as and the question
// whether to save changes.
#include "core/document/CFile.h"

#include "core/document/DocumentPrompts.h"
#include "core/document/DocumentView.h"
#include "core/errors/ResonexError.h"
#include "core/platform/CFileOperation.h"
#include "core/platform/PathLookup.h"
#include "core/settings/CSettings.h"
#include "core/text/AppInfo.h"

#include <QDir>
#include <QFileInfo>

namespace resonex {

void CFile::showDesign() {
    m_modified = false;
    if (m_view)
        m_view->showDesign(*this);
}

bool CFile::FileNew(DocumentPrompts& dlg) {
    if (!FileSaveIfModified(dlg))
        return false;
    CreateModelObjects();
    m_fileTitle = kUntitled;
    m_fileName.clear();
    showDesign();
    return true;
}

bool CFile::readOrWrite(DocumentPrompts& dlg, const QString& path, bool (CFile::*step)(),
                        QString (*failureText)(const QString&, const QString&)) {
    const QString remembered = m_fileName;
    bool whole = false;
    try {
        m_fileName = path;
        whole = (this->*step)();
    } catch (const ResonexError& error) {
        dlg.tell(QString::fromLatin1(kAppTitle), failureText(path, error.description()),
                 Prompts::Icon::None);
        m_fileName = remembered;
        return false;
    }
    m_fileTitle = titleOf(path);
    showDesign();
    if (!whole)
        dlg.tell(QString::fromLatin1(kAppTitle), incompleteDesignText(path),
                 Prompts::Icon::Exclamation);
    return true;
}

// A file that is not there reads as nothing, silently.
bool CFile::readDesign() { return ReadAllObjects() != ReadOutcome::Incomplete; }

bool CFile::writeDesign() {
    WriteAllObjects();
    return true;
}

bool CFile::openPath(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::readDesign, &CFile::openFailureText);
}

bool CFile::savePath(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::writeDesign, &CFile::saveFailureText);
}

bool CFile::FileOpen(DocumentPrompts& dlg) {
    if (!FileSaveIfModified(dlg))
        return false;
    const QString path = dlg.chooseFileToOpen({QStringLiteral("Open Design"), m_settings->DesPath(),
                                               QString(), kDesignFilter, QString()});
    return !path.isEmpty() && openPath(dlg, path);
}

bool CFile::FileOpen(DocumentPrompts& dlg, const QString& commandLine) {
    CFileOperation file;
    file.setFileName(GetLongFilename(commandLine));
    if (file.Exists())
        return openPath(dlg, file.FileName());
    // Not there: silently passed over. There but out of reach: the attempt
    // says why.
    CFileOperation named;
    named.setFileName(commandLine);
    if (!named.Wildcard() && lookUpPath(commandLine).kind == PathLookup::Kind::Unreachable)
        return openPath(dlg, QFileInfo(commandLine).absoluteFilePath());
    return false;
}

bool CFile::FileSave(DocumentPrompts& dlg) {
    // A design opened from the command line has its own name too: it is saved
    // there, without a dialog.
    if (m_fileName.isEmpty() || m_foreign)
        return FileSaveAs(dlg);
    return savePath(dlg, m_fileName);
}

bool CFile::FileSaveAs(DocumentPrompts& dlg) {
    const QString path =
        dlg.chooseFileToSave({QStringLiteral("Save Design As"), m_settings->DesPath(), m_fileName,
                              kDesignFilter, QStringLiteral("rzn")});
    return !path.isEmpty() && savePath(dlg, path);
}

bool CFile::FileSaveIfModified(DocumentPrompts& dlg) {
    if (!m_modified)
        return true;
    switch (dlg.ask(QString::fromLatin1(kAppTitle),
                    QStringLiteral("Save changes to '") + m_fileTitle + QStringLiteral("'?"))) {
    case DocumentPrompts::Answer::Yes:
        return FileSave(dlg);
    case DocumentPrompts::Answer::No:
        return true;
    case DocumentPrompts::Answer::Cancel:
        break;
    }
    return false;
}

QString CFile::GetLongFilename(const QString& shortName) {
    if (shortName.isEmpty())
        return QString();
    const QFileInfo info(shortName);
    const QString folder = info.absoluteDir().canonicalPath();
    if (folder.isEmpty() || !(info.exists() || info.isSymLink()))
        return QString();
    return QDir(folder).filePath(info.fileName());
}

} // namespace resonex
