#include "files/CFile.h"

#include "errors/ResonexError.h"
#include "files/FieldReader.h"
#include "files/FieldWriter.h"
#include "model/CPrimary.h"
#include "model/CSecondary.h"
#include "model/CTransformer.h"
#include "settings/CSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace resonex {

namespace {

// No design file holds more: 33 values of at most a 65535-byte text each. A
// foreign file is read no further than this.
constexpr qint64 kMaxDesignBytes = 33 * (4 + 0xFFFF);

// Each object reads until its first failing field; the failure is not
// reported and the next object reads on from there.
template <typename Object> void readPassingFailures(Object& object, FieldReader& reader) {
    try {
        object.ReadObjects(reader);
    } catch (const ResonexError&) {
    }
}

} // namespace

CFile::CFile(OptionsStore* store) : m_store(store) { CreateModelObjects(); }

CFile::~CFile() = default;

void CFile::releaseModelObjects() {
    m_primary.reset();
    m_secondary.reset();
    m_transformer.reset();
    m_settings.reset();
}

void CFile::CreateModelObjects() {
    releaseModelObjects();
    m_settings = std::make_unique<CSettings>(m_store);
    const bool metric = m_settings->UseMetric();
    m_primary = std::make_unique<CPrimary>(metric);
    m_secondary = std::make_unique<CSecondary>(metric);
    m_transformer = std::make_unique<CTransformer>();
}

void CFile::ReadAllObjects() {
    const QFileInfo info(m_fileName);
    if (!info.exists()) {
        m_modified = false;
        return;
    }
    // Only a regular file: a pipe or a device could block or never end.
    if (!info.isFile())
        throw ResonexError(errors::FileAccess, QStringLiteral("CFile::ReadFile"));
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ResonexError(errors::FileAccess, QStringLiteral("CFile::ReadFile"),
                           file.errorString());
    const QByteArray bytes = file.read(kMaxDesignBytes);
    if (file.error() != QFileDevice::NoError)
        throw ResonexError(errors::FileAccess, QStringLiteral("CFile::ReadFile"),
                           file.errorString());
    file.close();

    FieldReader reader(bytes);
    readPassingFailures(*m_settings, reader);
    readPassingFailures(*m_primary, reader);
    readPassingFailures(*m_secondary, reader);
    readPassingFailures(*m_transformer, reader);
    m_modified = false;
}

void CFile::WriteAllObjects() {
    FieldWriter writer;
    m_settings->WriteObjects(writer);
    m_primary->WriteObjects(writer);
    m_secondary->WriteObjects(writer);
    m_transformer->WriteObjects(writer);

    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw ResonexError(errors::FileAccess, QStringLiteral("CFile::WriteFile"),
                           file.errorString());
    if (file.write(writer.bytes()) != writer.bytes().size() || !file.commit())
        throw ResonexError::detailed(errors::WriteFailed, file.errorString());
    m_modified = false;
}

QString CFile::titleOf(const QString& path) { return QFileInfo(path).fileName(); }

} // namespace resonex
