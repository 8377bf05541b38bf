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

bool CFile::FileNew(DocumentPrompts& dlg) { return FileNewInUnits(dlg, m_settings->UseMetric()); }

bool CFile::FileNewInUnits(DocumentPrompts& dlg, bool useMetric) {
    if (!FileSaveIfModified(dlg))
        return false;
    // Only now: the settings write it as the option the new design is made from.
    m_settings->setUseMetric(useMetric);
    CreateModelObjects();
    m_fileTitle = kUntitled;
    m_fileName.clear();
    showDesign();
    return true;
}

bool CFile::readOrWrite(DocumentPrompts& dlg, const QString& path,
                        ReadWarnings (CFile::*step)(const QString&),
                        QString (*failureText)(const QString&, const QString&)) {
    ReadWarnings warnings;
    try {
        warnings = (this->*step)(path);
    } catch (const ResonexError& error) {
        dlg.tell(QString::fromLatin1(kAppTitle), failureText(path, error.description()),
                 Prompts::Icon::None);
        return false;
    }
    setFileName(path);
    showDesign();
    for (const ReadWarning warning : warnings)
        dlg.tell(QString::fromLatin1(kAppTitle), warningText(warning, path),
                 Prompts::Icon::Exclamation);
    return true;
}

// A file that is not there reads as nothing, silently: it was chosen or found
// just before.
CFile::ReadWarnings CFile::readDesign(const QString& path) {
    return ReadAllObjects(path, IfMissing::OpenNew);
}

CFile::ReadWarnings CFile::readNamedDesign(const QString& path) {
    return ReadAllObjects(path, IfMissing::Fail);
}

CFile::ReadWarnings CFile::writeDesign(const QString& path) {
    WriteAllObjects(path);
    return {};
}

bool CFile::openPath(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::readDesign, &CFile::openFailureText);
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

bool CFile::FileOpenNamed(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::readNamedDesign, &CFile::openFailureText);
}

bool CFile::FileSave(DocumentPrompts& dlg) {
    // A design opened from the command line has its own name too: it is saved
    // there, without a dialog.
    if (m_fileName.isEmpty() || m_foreign)
        return FileSaveAs(dlg);
    return FileSaveAs(dlg, m_fileName);
}

bool CFile::FileSaveAs(DocumentPrompts& dlg) {
    const QString path =
        dlg.chooseFileToSave({QStringLiteral("Save Design As"), m_settings->DesPath(), m_fileName,
                              kDesignFilter, QStringLiteral("rzn")});
    return !path.isEmpty() && FileSaveAs(dlg, path);
}

bool CFile::FileSaveAs(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::writeDesign, &CFile::saveFailureText);
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
    const QString folder = canonicalPath(info.absolutePath());
    if (folder.isEmpty() || !entryExists(shortName))
        return QString();
    return QDir(folder).filePath(info.fileName());
}

} // namespace resonex
