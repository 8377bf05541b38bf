#include "core/errors/ResonexError.h"

namespace resonex {

ResonexError::ResonexError(const ErrorInfo& info)
    : ResonexError(info, QString::fromLatin1(info.source), QString::fromLatin1(info.description)) {}

ResonexError::ResonexError(const ErrorInfo& info, const QString& source)
    : ResonexError(info, source, QString::fromLatin1(info.description)) {}

ResonexError::ResonexError(const ErrorInfo& info, const QString& source, const QString& description)
    : m_number(info.number), m_source(source), m_description(description),
      m_what(description.toUtf8()) {}

ResonexError ResonexError::detailed(const ErrorInfo& info, const QString& detail) {
    return ResonexError(info, QString::fromLatin1(info.source),
                        QString::fromLatin1(info.description) + detail);
}

void ResonexError::setSourceIfEmpty(const QString& source) {
    if (m_source.isEmpty())
        m_source = source;
}

const char* ResonexError::what() const noexcept { return m_what.constData(); }

} // namespace resonex
