#pragma once

#include <QString>
#include <QtGlobal>

#include <variant>

namespace resonex {

// The unit of a design file: a 16-bit type code and its payload. Reading a
// value into a field of another kind converts it; a value that cannot be
// converted raises the conversion's error (type mismatch, overflow).
class TaggedValue {
public:
    enum class Kind : quint16 { Integer = 2, Single = 4, Text = 8, Boolean = 11 };

    static TaggedValue integer(qint16 value) { return TaggedValue(value); }
    static TaggedValue single(float value) { return TaggedValue(value); }
    static TaggedValue text(const QString& value) { return TaggedValue(value); }
    static TaggedValue boolean(bool value) { return TaggedValue(value); }

    Kind kind() const;
    const std::variant<qint16, float, QString, bool>& payload() const { return m_payload; }

    qint16 toInteger() const;
    float toSingle() const;
    QString toText() const;
    bool toBoolean() const;

private:
    template <typename T> explicit TaggedValue(T value) : m_payload(std::move(value)) {}

    std::variant<qint16, float, QString, bool> m_payload;
};

} // namespace resonex
