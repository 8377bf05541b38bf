// The document commands of CFile: new, open, save, save as and the question
// whether to save changes.
#include "files/CFile.h"

#include "AppInfo.h"
#include "errors/ResonexError.h"
#include "files/DocumentView.h"
#include "platform/CFileOperation.h"
#include "platform/DocumentPrompts.h"
#include "settings/CSettings.h"

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

bool CFile::readOrWrite(DocumentPrompts& dlg, const QString& path, void (CFile::*step)(),
                        const QString& failurePrefix) {
    const QString remembered = m_fileName;
    try {
        m_fileName = path;
        (this->*step)();
    } catch (const ResonexError& error) {
        dlg.tell(QString::fromLatin1(kAppTitle), failurePrefix + error.description(),
                 Prompts::Icon::None);
        m_fileName = remembered;
        return false;
    }
    m_fileTitle = titleOf(path);
    showDesign();
    return true;
}

bool CFile::openPath(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::ReadAllObjects, QStringLiteral("Error opening file : "));
}

bool CFile::savePath(DocumentPrompts& dlg, const QString& path) {
    return readOrWrite(dlg, path, &CFile::WriteAllObjects, QStringLiteral("Error saving file: "));
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
    return file.Exists() && openPath(dlg, file.FileName());
}

bool CFile::FileSave(DocumentPrompts& dlg) {
    // A design opened from the command line has its own name too: it is saved
    // there, without a dialog.
    if (m_fileName.isEmpty())
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
    return shortName.isEmpty() ? QString() : QFileInfo(shortName).canonicalFilePath();
}

} // namespace resonex
