#pragma once

#include "core/model/DesignInputs.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace resonex {

class AddedInputs;
class CPrimary;
class CSecondary;
class CSettings;
class CTopLoad;
class CTransformer;
class DesignResults;
class DocumentPrompts;
class DocumentView;
class FieldReader;
class OptionsStore;

// The design document: its file name, title and modified flag, and the
// objects of the design, which it creates, replaces and saves as one. A design
// file is the settings, primary, secondary and transformer fields in that
// order, each a tagged value; a design that uses the top load, the primary's
// loaded frequency or an added input adds an extension block after them
// (core/encoding/ExtensionBlock.h), its fields those the input table and the
// primary's choices declare (core/model/ExtensionFields.h).

class CFile {
public:
    inline static const QString kUntitled = QStringLiteral("Untitled");
    // The one entry of the open and save dialogs' filter.
    inline static const QString kDesignFilter = QStringLiteral("Resonex (*.rzn)");

    // Creates the objects of a new design from the options in the store (a
    // null store: a first run's defaults, nothing written back).
    explicit CFile(OptionsStore* store);
    // Releases the objects, the settings writing their options.
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
    CTopLoad& topLoad() { return *m_topLoad; }
    const CTopLoad& topLoad() const { return *m_topLoad; }
    AddedInputs& added() { return *m_added; }
    const AddedInputs& added() const { return *m_added; }
    // The objects that keep the design's inputs (DesignInputs.h).
    DesignModels models();
    ConstDesignModels models() const;
    // The results beyond the classic calculations, each worked out when
    // first asked for after what it depends on changed.
    const DesignResults& results() const { return *m_results; }
    // Whether any of the power side's inputs is away from a new design's,
    // which alone gives it a summary section.
    bool usesPower() const;
    // The bytes Save would write now.
    QByteArray bytesToSave() const;
    // Whether the design holds anything of the top load or the primary's
    // loaded-frequency choice beyond a new design's: only such a design has
    // more to report than before.
    bool usesTopLoad() const;
    // The lowest extension version that holds the design's data beyond the
    // four objects, or none when there is none: such a design saves without
    // an extension.
    std::optional<qint16> extensionVersion() const;

    const QString& FileName() const { return m_fileName; }
    const QString& FileTitle() const { return m_fileTitle; }
    // Names the design after the file at path, as opening or saving it does,
    // without reading or writing it: FileName is path, FileTitle the file's
    // own name.
    void setFileName(const QString& path);
    void setModified(bool value) { m_modified = value; }

    // Where the commands show a design; none by default.
    void setView(DocumentView* view) { m_view = view; }

    // The document commands. Each asks and reports through dlg, leaves the
    // design, FileName and FileTitle as they were when it is cancelled or
    // fails, and otherwise clears Modified and shows the design. The result
    // says whether the design was started, opened or saved.
    bool FileNew(DocumentPrompts& dlg);
    // FileNew after a change of units: the design is offered for saving in
    // its own units, then the new one starts in these, which become the
    // option the next designs start in.
    bool FileNewInUnits(DocumentPrompts& dlg, bool useMetric);
    // Opening a file that is not a complete Resonex design says so after
    // showing what could be read; so does one whose extension block cannot be
    // read (passed over as a whole) or holds values that cannot (each
    // dropped alone).
    bool FileOpen(DocumentPrompts& dlg);
    // Opens the file the program's command line names, without a dialog; a
    // name that is no existing file is passed over silently, one that exists
    // but cannot be reached is reported.
    bool FileOpen(DocumentPrompts& dlg, const QString& commandLine);
    // Opens the file at path as it is named, without a question or a dialog;
    // one that is not there is reported, as one that cannot be reached.
    bool FileOpenNamed(DocumentPrompts& dlg, const QString& path);
    // Asks for a name, as FileSaveAs, when the design has none or came from a
    // file that is not Resonex's, which a plain save must never overwrite.
    bool FileSave(DocumentPrompts& dlg);
    bool FileSaveAs(DocumentPrompts& dlg);
    // Saves to the file at path as it is named, without a dialog.
    bool FileSaveAs(DocumentPrompts& dlg, const QString& path);
    // True when the caller may go on: nothing to save, saved, or the user
    // declined; false when the user cancelled or the save failed.
    bool FileSaveIfModified(DocumentPrompts& dlg);

    // The absolute form of a path, its folders resolved and the file's own
    // name kept as given (a link's name stays); empty when any part of it is
    // missing.
    static QString GetLongFilename(const QString& shortName);

    // Writes the options, releases the objects and creates
    // them anew: settings first, since the models start in its units.
    void CreateModelObjects();

private:
    // What a read found amiss, each told once after the design is shown.
    enum class ReadWarning {
        Incomplete,       // short or foreign: the rest is a new design's
        ExtensionIgnored, // the four objects whole; the extension's fields a new design's
        ExtensionDamaged, // some of the extension's fields a new design's, the rest as read
        ListingDamaged,   // the primary's listing kept as read, but no turns taken from it
    };
    using ReadWarnings = QList<ReadWarning>;

    // What opening a file that is not there does.
    enum class IfMissing {
        OpenNew, // nothing read: a new design
        Fail,    // raises FileNotFound and changes nothing
    };

    // Reads the four objects from the file at path over a first run's new
    // design, so that a file lacking values opens the same wherever it is
    // opened; the program's options not in the file are kept. A file that
    // cannot be read raises its error and changes nothing; a short or foreign
    // file is read as far as its values go, and only a whole Resonex design's
    // extension is read. Clears Modified. No warnings for a complete Resonex
    // design, and for a missing file opened as new.
    ReadWarnings ReadAllObjects(const QString& path, IfMissing ifMissing);
    // The extension block, if one follows, value by value, over a new
    // design's fields. A primary that may have been tuned to a loaded
    // frequency lost with a damaged value is out of date.
    std::optional<ReadWarning> readExtension(FieldReader& reader);

    // Writes the whole design to path, replacing the old file only once the
    // new one is complete and on disk; anything but a regular file (or a link
    // to one) is refused. Raises the open or write error, leaving the old file
    // as it was; clears Modified.
    void WriteAllObjects(const QString& path);

    // The name shown for a path: the file name without its folder.
    static QString titleOf(const QString& path);

    // The messages of a failed open or save and of a read's warnings, each
    // naming the file.
    static QString openFailureText(const QString& path, const QString& reason);
    static QString saveFailureText(const QString& path, const QString& reason);
    static QString warningText(ReadWarning warning, const QString& path);

    // Has the settings write their options, then lets the four objects go.
    void releaseModelObjects();
    void createModels();
    // Reads or writes the design at path, then names the design after it and
    // shows it, then warns of what was not read; on failure reports it and
    // changes nothing.
    bool readOrWrite(DocumentPrompts& dlg, const QString& path,
                     ReadWarnings (CFile::*step)(const QString&),
                     QString (*failureText)(const QString&, const QString&));
    ReadWarnings readDesign(const QString& path);
    ReadWarnings readNamedDesign(const QString& path);
    ReadWarnings writeDesign(const QString& path);
    bool openPath(DocumentPrompts& dlg, const QString& path);
    void showDesign();

    OptionsStore* m_store;
    DocumentView* m_view = nullptr;
    std::unique_ptr<CSettings> m_settings;
    std::unique_ptr<CPrimary> m_primary;
    std::unique_ptr<CSecondary> m_secondary;
    std::unique_ptr<CTransformer> m_transformer;
    std::unique_ptr<CTopLoad> m_topLoad;
    std::unique_ptr<AddedInputs> m_added;
    std::unique_ptr<const DesignResults> m_results;
    QString m_fileName;
    QString m_fileTitle = kUntitled;
    bool m_modified = false;
    // The design was read from a file whose signature is not Resonex's.
    bool m_foreign = false;
};

} // namespace resonex
