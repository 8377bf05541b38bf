#pragma once

#include "errors/ResonexError.h"
#include "platform/Prompts.h"

#include <QLocale>
#include <QStringList>
#include <QTest>

#include <optional>

// Shared helpers of the tests.
namespace resonex::test {

inline QLocale pointLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }
inline QLocale commaLocale() { return QLocale(QLocale::German, QLocale::Germany); }

// Records what would have been shown to the user.
class RecordingPrompts : public Prompts {
public:
    void tell(const QString& title, const QString& text, Icon icon) override {
        titles << title;
        messages << text;
        icons << icon;
    }
    QStringList titles;
    QStringList messages;
    QList<Icon> icons;
};

// The error a call raises, if any.
template <typename Call> std::optional<ResonexError> errorOf(Call call) {
    try {
        call();
    } catch (const ResonexError& error) {
        return error;
    }
    return std::nullopt;
}

// The number of the error a call raises, or 0 when it raises none.
template <typename Call> std::uint32_t errorNumberOf(Call call) {
    const std::optional<ResonexError> error = errorOf(call);
    return error ? error->number() : 0;
}

} // namespace resonex::test
