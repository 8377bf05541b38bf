#pragma once

#include <QString>

#include <memory>

namespace resonex {

class CPrimary;
class CSecondary;
class CSettings;
class CTransformer;
class OptionsStore;

// The design document: its file name, title and modified flag, and the four
// objects of the design, which it creates, replaces and saves as one. A design
// file is the settings, primary, secondary and transformer fields in that
// order, each a tagged value.
class CFile {
public:
    inline static const QString kUntitled = QStringLiteral("Untitled");

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

    OptionsStore* m_store;
    std::unique_ptr<CSettings> m_settings;
    std::unique_ptr<CPrimary> m_primary;
    std::unique_ptr<CSecondary> m_secondary;
    std::unique_ptr<CTransformer> m_transformer;
    QString m_fileName;
    QString m_fileTitle = kUntitled;
    bool m_modified = false;
};

} // namespace resonex
