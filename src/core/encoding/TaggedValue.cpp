#include "core/encoding/TaggedValue.h"

#include "core/text/NumberText.h"

namespace resonex {

namespace {

// A Boolean as a number: true is all bits set.
constexpr qint16 booleanNumber(bool value) { return value ? -1 : 0; }

template <typename... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

TaggedValue::Kind TaggedValue::kind() const {
    return std::visit(
        Overloaded{[](qint16) { return Kind::Integer; }, [](float) { return Kind::Single; },
                   [](const QString&) { return Kind::Text; }, [](bool) { return Kind::Boolean; }},
        m_payload);
}

qint16 TaggedValue::toInteger() const {
    return std::visit(Overloaded{[](qint16 v) { return v; },
                                 [](float v) { return text::toInt16(v); },
                                 [](const QString& v) { return text::toInt16(text::toSingle(v)); },
                                 [](bool v) { return booleanNumber(v); }},
                      m_payload);
}

float TaggedValue::toSingle() const {
    return std::visit(Overloaded{[](qint16 v) { return float(v); }, [](float v) { return v; },
                                 [](const QString& v) { return text::toSingle(v); },
                                 [](bool v) { return float(booleanNumber(v)); }},
                      m_payload);
}

QString TaggedValue::toText() const {
    return std::visit(Overloaded{[](qint16 v) { return QString::number(v); },
                                 [](float v) { return text::generalText(v); },
                                 [](const QString& v) { return v; },
                                 [](bool v) { return text::booleanText(v); }},
                      m_payload);
}

bool TaggedValue::toBoolean() const {
    return std::visit(Overloaded{[](qint16 v) { return v != 0; }, [](float v) { return v != 0.0f; },
                                 [](const QString& v) { return text::toBoolean(v); },
                                 [](bool v) { return v; }},
                      m_payload);
}

} // namespace resonex
