#include "core/settings/CSettings.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/settings/OptionsStore.h"
#include "core/text/AppInfo.h"
#include "core/text/NumberText.h"

#include <QDir>

namespace resonex {

namespace {

const QString kUseMetric = QStringLiteral("UseMetric");
const QString kUse50Hz = QStringLiteral("Use50Hz");
const QString kDesPath = QStringLiteral("DesPath");
const QString kFontName = QStringLiteral("FontName");
const QString kFontSize = QStringLiteral("FontSize");

const QString kDefaultFontName = QStringLiteral("Arial");
constexpr qint16 kDefaultFontSize = 10;

// A stored text that does not convert falls back to the default.
bool storedBoolean(const OptionsStore& store, const QString& key, bool fallback) {
    try {
        return text::toBoolean(store.value(CSettings::kGroup, key, text::booleanText(fallback)));
    } catch (const ResonexError&) {
        return fallback;
    }
}

// So does a stored number outside the range given.
qint16 storedInteger(const OptionsStore& store, const QString& key, qint16 fallback,
                     qint16 smallest, qint16 largest) {
    try {
        const qint16 value = text::toInt16(
            text::toSingle(store.value(CSettings::kGroup, key, QString::number(fallback))));
        return value >= smallest && value <= largest ? value : fallback;
    } catch (const ResonexError&) {
        return fallback;
    }
}

} // namespace

CSettings::CSettings(OptionsStore* store)
    : m_store(store), m_desPath(defaultDesPath()), m_fontName(kDefaultFontName),
      m_fontSize(kDefaultFontSize) {
    if (!m_store)
        return;
    m_useMetric = storedBoolean(*m_store, kUseMetric, kFirstRunUseMetric);
    m_use50Hz = storedBoolean(*m_store, kUse50Hz, kFirstRunUse50Hz);
    m_desPath = m_store->value(kGroup, kDesPath, defaultDesPath());
    m_fontName = m_store->value(kGroup, kFontName, kDefaultFontName);
    m_fontSize =
        storedInteger(*m_store, kFontSize, kDefaultFontSize, kSmallestFontSize, kLargestFontSize);
}

CSettings::~CSettings() {
    if (!m_store)
        return;
    m_store->setValue(kGroup, kUseMetric, text::booleanText(m_useMetric));
    m_store->setValue(kGroup, kUse50Hz, text::booleanText(m_use50Hz));
    m_store->setValue(kGroup, kDesPath, m_desPath);
    m_store->setValue(kGroup, kFontName, m_fontName);
    m_store->setValue(kGroup, kFontSize, QString::number(m_fontSize));
}

void CSettings::setDesPath(const QString& folder) {
    if (folder.isEmpty() || !QDir::setCurrent(folder))
        throw ResonexError(errors::PathNotFound, QStringLiteral("CSettings::DesPath"));
    m_desPath = folder;
}

QString CSettings::defaultDesPath() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath();
#endif
}

void CSettings::startFirstRunDesign() {
    m_useSecDia = 0;
    m_useSecFr = 0;
    m_usePriC = 0;
    m_useMetric = kFirstRunUseMetric;
    m_use50Hz = kFirstRunUse50Hz;
}

void CSettings::ReadObjects(FieldReader& reader) {
    // The signature and version are read past, never checked.
    reader.readText();
    reader.readInteger();
    reader.readInteger();
    m_useSecDia = reader.readInteger();
    m_useSecFr = reader.readInteger();
    m_usePriC = reader.readInteger();
    m_useMetric = reader.readBoolean();
    m_use50Hz = reader.readBoolean();
}

void CSettings::WriteObjects(FieldWriter& writer) const {
    writer.writeText(kFileSignature);
    writer.writeInteger(kMajorVersion);
    writer.writeInteger(kMinorVersion);
    writer.writeInteger(m_useSecDia);
    writer.writeInteger(m_useSecFr);
    writer.writeInteger(m_usePriC);
    writer.writeBoolean(m_useMetric);
    writer.writeBoolean(m_use50Hz);
}

} // namespace resonex
