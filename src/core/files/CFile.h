#pragma once

#include <QString>

#include <memory>

namespace resonex {

class CPrimary;
class CSecondary;
class CSettings;
class CTransformer;
class DocumentPrompts;
class DocumentView;
class OptionsStore;

// The design document: its file name, title and modified flag, and the four
// objects of the design, which it creates, replaces and saves as one. A design
// file is the settings, primary, secondary and transformer fields in that
// order, each a tagged value.
class CFile {
public:
    inline static const QString kUntitled = QStringLiteral("Untitled");
    // The one entry of the open and save dialogs' filter.
    inline static const QString kDesignFilter = QStringLiteral("Resonex (*.rzn)");

    // Creates the objects of a new design from the options in the store (a
    // null store: a first run's defaults, nothing written back).
    explicit CFile(OptionsStore* store);
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    CSettings& settings() { return *m_settings; }
    const CSettings& settings() const { return *m_settings; }
    CPrimary& primary() { return *m_primary; }
    const CPrimary& primary() const { return *m_primary; }
    CSecondary& secondary() { return *m_secondary; }
    const CSecondary& secondary() const { return *m_secondary; }
    CTransformer& transformer() { return *m_transformer; }
    const CTransformer& transformer() const { return *m_transformer; }

    const QString& FileName() const { return m_fileName; }
    void setFileName(const QString& path) { m_fileName = path; }
    const QString& FileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString& title) { m_fileTitle = title; }
    bool Modified() const { return m_modified; }
    void setModified(bool value) { m_modified = value; }

    // Where the commands show a design; none by default.
    void setView(DocumentView* view) { m_view = view; }

    // The document commands. Each asks and reports through dlg, leaves the
    // design, FileName and FileTitle as they were when it is cancelled or
    // fails, and otherwise clears Modified and shows the design. The result
    // says whether the design was started, opened or saved.
    bool FileNew(DocumentPrompts& dlg);
    bool FileOpen(DocumentPrompts& dlg);
    // Opens the file the program's command line names, without a dialog; a
    // name that is no existing file is passed over silently.
    bool FileOpen(DocumentPrompts& dlg, const QString& commandLine);
    bool FileSave(DocumentPrompts& dlg);
    bool FileSaveAs(DocumentPrompts& dlg);
    // True when the caller may go on: nothing to save, saved, or the user
    // declined; false when the user cancelled or the save failed.
    bool FileSaveIfModified(DocumentPrompts& dlg);

    // The canonical absolute form of a path, empty when any part of it is missing.
    static QString GetLongFilename(const QString& shortName);

    // Releases the objects (the settings write their options) and creates
    // them anew: settings first, since the models start in its units.
    void CreateModelObjects();

    // Reads the four objects from FileName over the current values. A missing
    // file reads nothing; a file that cannot be opened raises its error; a
    // short or foreign file is read as far as its values go, each object
    // keeping its later fields. Clears Modified.
    void ReadAllObjects();

    // Writes the whole design to FileName, replacing the old file only once
    // the new one is complete. Raises the open or write error; clears Modified.
    void WriteAllObjects();

    // The name shown for a path: the file name without its folder.
    static QString titleOf(const QString& path);

private:
    void releaseModelObjects();
    // Reads or writes the design at path as FileName and shows it; on failure
    // reports it and keeps the old FileName.
    bool readOrWrite(DocumentPrompts& dlg, const QString& path, void (CFile::*step)(),
                     const QString& failurePrefix);
    bool openPath(DocumentPrompts& dlg, const QString& path);
    bool savePath(DocumentPrompts& dlg, const QString& path);
    void showDesign();

    OptionsStore* m_store;
    DocumentView* m_view = nullptr;
    std::unique_ptr<CSettings> m_settings;
    std::unique_ptr<CPrimary> m_primary;
    std::unique_ptr<CSecondary> m_secondary;
    std::unique_ptr<CTransformer> m_transformer;
    QString m_fileName;
    QString m_fileTitle = kUntitled;
    bool m_modified = false;
};

} // namespace resonex
