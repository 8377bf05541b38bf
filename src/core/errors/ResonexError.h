#pragma once

#include "core/errors/ErrorCodes.h"

#include <QString>
#include <exception>

namespace resonex {

// The one exception type of the program: an error number, the operation that
// raised it and a description for the user.
class ResonexError : public std::exception {
public:
    explicit ResonexError(const ErrorInfo& info);
    ResonexError(const ErrorInfo& info, const QString& source);
    ResonexError(const ErrorInfo& info, const QString& source, const QString& description);

    // The error's own source, its description followed by the detail.
    static ResonexError detailed(const ErrorInfo& info, const QString& detail);

    std::uint32_t number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }

    // Arithmetic helpers do not know which operation they serve; the operation
    // names itself when such an error passes through it.
    void setSourceIfEmpty(const QString& source);

    const char* what() const noexcept override;

private:
    std::uint32_t m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

} // namespace resonex
