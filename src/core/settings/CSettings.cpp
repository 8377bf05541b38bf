#include "core/settings/CSettings.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/text/AppInfo.h"

#include <QDir>

namespace resonex {

CSettings::CSettings(OptionsStore* store) : m_store(store) {
    if (m_store)
        m_options.read(*m_store);
}

void CSettings::saveOptions() const {
    if (m_store)
        m_options.write(*m_store);
}

void CSettings::setDesPath(const QString& folder) {
    if (folder.isEmpty() || !QDir::setCurrent(folder))
        throw ResonexError(errors::PathNotFound, QStringLiteral("CSettings::DesPath"));
    m_desPath.set(folder);
}

void CSettings::startFirstRunDesign() {
    m_useSecDia = 0;
    m_useSecFr = 0;
    m_usePriC = 0;
    m_useTopFr = 0;
    m_useTankC = 0;
    m_useMetric.reset();
    m_use50Hz.reset();
}

void CSettings::ReadObjects(FieldReader& reader) {
    // The signature and version are read past, never checked.
    reader.readText();
    reader.readInteger();
    reader.readInteger();
    m_useSecDia = reader.readInteger();
    m_useSecFr = reader.readInteger();
    m_usePriC = reader.readInteger();
    m_useMetric.set(reader.readBoolean());
    m_use50Hz.set(reader.readBoolean());
}

void CSettings::WriteObjects(FieldWriter& writer) const {
    writer.writeText(kFileSignature);
    writer.writeInteger(kMajorVersion);
    writer.writeInteger(kMinorVersion);
    writer.writeInteger(m_useSecDia);
    writer.writeInteger(m_useSecFr);
    writer.writeInteger(m_usePriC);
    writer.writeBoolean(m_useMetric.value());
    writer.writeBoolean(m_use50Hz.value());
}

} // namespace resonex
