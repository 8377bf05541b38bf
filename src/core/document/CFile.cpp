#include "core/document/CFile.h"

#include "core/document/DesignResults.h"

#include "core/encoding/ExtensionBlock.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/model/ExtensionFields.h"
#include "core/model/PrimarySources.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/FileBytes.h"
#include "core/platform/PathLookup.h"
#include "core/settings/CSettings.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include <optional>

namespace resonex {

namespace {

// No design file holds more: the four objects' 33 values and the
// extension's, each at most a 65535-byte text. A foreign file is read no
// further than this.
qint64 maxDesignBytes() { return qint64(33 + extensionValueCount()) * (4 + 0xFFFF); }

// Each object reads until its first failing field; the failure is not
// reported and the next object reads on from there. True when the object
// read all its fields.
template <typename Object> bool readPassingFailures(Object& object, FieldReader& reader) {
    try {
        object.ReadObjects(reader);
    } catch (const ResonexError&) {
        return false;
    }
    return true;
}

bool hasResonexSignature(const QByteArray& bytes) {
    FieldReader reader(bytes);
    try {
        const TaggedValue first = reader.ReadField();
        return first.kind() == TaggedValue::Kind::Text &&
               std::get<QString>(first.payload()) == CSettings::kFileSignature;
    } catch (const ResonexError&) {
        return false;
    }
}

[[noreturn]] void cannotOpen(const QString& reason) {
    throw ResonexError(errors::FileAccess, QStringLiteral("CFile::ReadFile"), reason);
}

// The bytes of the design file at path, nothing when there is none.
std::optional<QByteArray> designBytes(const QString& path) {
    const PathLookup found = lookUpPath(path);
    switch (found.kind) {
    case PathLookup::Kind::Missing:
        return std::nullopt;
    case PathLookup::Kind::Unreachable:
        cannotOpen(found.reason);
    case PathLookup::Kind::Other:
        // A pipe or a device could block or never end.
        cannotOpen(QString::fromLatin1(errors::FileAccess.description));
    case PathLookup::Kind::RegularFile:
        break;
    }
    const FileBytes read = readFileBytes(path, maxDesignBytes());
    if (read.failure)
        cannotOpen(*read.failure);
    return read.bytes;
}

// Puts bytes in place of the file at path only once they are all written and
// on disk; on any failure the old file stays as it was.
void replaceFile(const QString& path, const QByteArray& bytes) {
    const std::optional<WriteFailure> failure = writeFileAtomically(path, bytes);
    if (!failure)
        return;
    if (failure->kind == WriteFailure::Kind::Access)
        throw ResonexError(errors::FileAccess, QStringLiteral("CFile::WriteFile"), failure->reason);
    throw ResonexError::detailed(errors::WriteFailed, failure->reason);
}

// The reason, then the file it concerns.
QString failureText(const QString& prefix, const QString& path, const QString& reason) {
    return prefix + reason + QStringLiteral(" (") + QDir::toNativeSeparators(path) +
           QStringLiteral(")");
}

} // namespace

CFile::CFile(OptionsStore* store)
    : m_store(store), m_results(std::make_unique<DesignResults>(*this)) {
    CreateModelObjects();
}

CFile::~CFile() { releaseModelObjects(); }

void CFile::releaseModelObjects() {
    if (m_settings)
        m_settings->saveOptions();
    m_primary.reset();
    m_secondary.reset();
    m_transformer.reset();
    m_topLoad.reset();
    m_added.reset();
    m_settings.reset();
}

void CFile::createModels() {
    const bool metric = m_settings->UseMetric();
    m_primary = std::make_unique<CPrimary>(metric);
    m_secondary = std::make_unique<CSecondary>(metric);
    m_transformer = std::make_unique<CTransformer>();
    m_topLoad = std::make_unique<CTopLoad>(metric);
    m_added = std::make_unique<AddedInputs>();
}

void CFile::CreateModelObjects() {
    releaseModelObjects();
    m_settings = std::make_unique<CSettings>(m_store);
    createModels();
    m_foreign = false;
}

CFile::ReadWarnings CFile::ReadAllObjects(const QString& path, IfMissing ifMissing) {
    const std::optional<QByteArray> bytes = designBytes(path);
    if (!bytes && ifMissing == IfMissing::Fail)
        throw ResonexError(errors::FileNotFound);
    m_settings->startFirstRunDesign();
    createModels();
    m_modified = false;
    m_foreign = bytes && !hasResonexSignature(*bytes);
    if (!bytes)
        return {};

    FieldReader reader(*bytes);
    bool complete = readPassingFailures(*m_settings, reader);
    complete = readPassingFailures(*m_primary, reader) && complete;
    complete = readPassingFailures(*m_secondary, reader) && complete;
    complete = readPassingFailures(*m_transformer, reader) && complete;
    // A new design's top load in the units the file holds, as the extension
    // reads over it: one without an extension saves without one again.
    m_topLoad = std::make_unique<CTopLoad>(m_settings->UseMetric());
    ReadWarnings warnings;
    // After a failed field the reader is out of step: what follows is no block.
    if (!complete || m_foreign)
        warnings << ReadWarning::Incomplete;
    else if (const std::optional<ReadWarning> extension = readExtension(reader))
        warnings << *extension;
    if (m_primary->listing().damaged)
        warnings << ReadWarning::ListingDamaged;
    return warnings;
}

std::optional<CFile::ReadWarning> CFile::readExtension(FieldReader& reader) {
    std::optional<qint16> version;
    try {
        version = extension::readHeader(reader);
    } catch (const ResonexError&) {
        // Whatever the primary may have been tuned to is lost with the block.
        m_primary->setCalcsInvalid(true);
        return ReadWarning::ExtensionIgnored;
    }
    if (!version)
        return std::nullopt;
    const QList<const ExtensionField*> dropped =
        resonex::readExtension(reader, *version, {*m_settings, *m_topLoad, *m_added});
    const auto read = [&dropped](bool (*is)(const ExtensionField&)) {
        return std::none_of(dropped.begin(), dropped.end(),
                            [is](const ExtensionField* field) { return is(*field); });
    };
    const bool choiceRead = read([](const ExtensionField& field) {
        return field.choice && field.choice->choice == &PrimaryChoices::useTopFr;
    });
    const bool topLoadRead = read([](const ExtensionField& field) { return field.topLoad(); });
    // A primary that may have been tuned to a loaded frequency since lost or
    // changed is out of date, rather than shown beside a frequency it was not
    // calculated for; so is one whose tapping no longer stands at the loaded
    // frequency worked out now (the file written before the field knew more,
    // or elsewhere): the user retunes it, it is not retuned behind their back.
    const DesignBasis from = m_results->basis();
    const auto tuningLost = [&] {
        return !topLoadRead || !sourceCalculated(&PrimaryChoices::useTopFr, from) ||
               (primaryCalculated(*m_primary) &&
                !m_primary->resultsStand(
                    *m_settings, from,
                    PrimaryInputs(primaryChoices(*m_settings), *m_primary, from).entry(Input::Fr)));
    };
    if (!choiceRead || (m_settings->UseTopFr() == 1 && tuningLost()))
        m_primary->setCalcsInvalid(true);
    if (dropped.isEmpty())
        return std::nullopt;
    return ReadWarning::ExtensionDamaged;
}

QByteArray CFile::bytesToSave() const {
    FieldWriter writer;
    m_settings->WriteObjects(writer);
    m_primary->WriteObjects(writer);
    m_secondary->WriteObjects(writer);
    m_transformer->WriteObjects(writer);
    // Without anything to add, the file is what a reader that knows no
    // extension writes.
    if (const std::optional<qint16> version = extensionVersion())
        writeExtension(writer, *version, {*m_settings, *m_topLoad, *m_added});
    return writer.bytes();
}

void CFile::WriteAllObjects(const QString& path) {
    replaceFile(path, bytesToSave());
    m_modified = false;
    m_foreign = false;
}

bool CFile::usesPower() const { return m_added->awayFromStart(inputsOf(Calculation::Power)); }

bool CFile::usesTopLoad() const {
    return m_settings->UseTopFr() != 0 || !m_topLoad->isNew(m_settings->UseMetric());
}

std::optional<qint16> CFile::extensionVersion() const {
    return resonex::extensionVersion({*m_settings, *m_topLoad, *m_added});
}

DesignModels CFile::models() {
    return {*m_secondary, *m_transformer, *m_primary, *m_topLoad, *m_added};
}

ConstDesignModels CFile::models() const {
    return {*m_secondary, *m_transformer, *m_primary, *m_topLoad, *m_added};
}

void CFile::setFileName(const QString& path) {
    m_fileName = path;
    m_fileTitle = titleOf(path);
}

QString CFile::titleOf(const QString& path) { return QFileInfo(path).fileName(); }

QString CFile::openFailureText(const QString& path, const QString& reason) {
    return failureText(QStringLiteral("Error opening file : "), path, reason);
}

QString CFile::saveFailureText(const QString& path, const QString& reason) {
    return failureText(QStringLiteral("Error saving file: "), path, reason);
}

QString CFile::warningText(ReadWarning warning, const QString& path) {
    const QString text = QDir::toNativeSeparators(path);
    switch (warning) {
    case ReadWarning::Incomplete:
        return text + QStringLiteral(" is not a complete Resonex design. The values it does not "
                                     "hold are those of a new design.");
    case ReadWarning::ExtensionIgnored:
        return text + QStringLiteral(" holds top load data that cannot be read. The top load "
                                     "and the primary's choice of the loaded frequency are those "
                                     "of a new design.");
    case ReadWarning::ExtensionDamaged:
        return text + QStringLiteral(" holds top load values that cannot be read. Each of them "
                                     "is that of a new design; the others are as saved.");
    case ReadWarning::ListingDamaged:
        return text + QStringLiteral(" holds a list of primary turns that cannot be Resonex's. "
                                     "It is kept as saved, but nothing is drawn or plotted from "
                                     "it; calculating the primary again lists its turns anew.");
    }
    Q_UNREACHABLE();
}

} // namespace resonex
