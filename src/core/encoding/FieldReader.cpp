#include "core/encoding/FieldReader.h"

#include "core/errors/ResonexError.h"

#include <QtEndian>

#include <cmath>

namespace resonex {

namespace {

[[noreturn]] void readFailed(const QString& description) {
    throw ResonexError::detailed(errors::ReadFailed, description);
}

// Conversion errors of a value read into another kind become read failures.
template <typename Convert> auto converted(Convert convert) {
    try {
        return convert();
    } catch (const ResonexError& error) {
        readFailed(error.description());
    }
}

} // namespace

bool FieldReader::take(qsizetype count, QByteArray& out) {
    if (m_bytes.size() - m_position < count) {
        m_position = m_bytes.size();
        return false;
    }
    out = m_bytes.sliced(m_position, count);
    m_position += count;
    return true;
}

quint16 FieldReader::takeWord() {
    QByteArray word;
    if (!take(2, word))
        throw ResonexError(errors::ReadPastEnd);
    return qFromLittleEndian<quint16>(word.constData());
}

TaggedValue FieldReader::ReadField() {
    const quint16 code = takeWord();
    switch (TaggedValue::Kind(code)) {
    case TaggedValue::Kind::Integer:
        return TaggedValue::integer(qint16(takeWord()));
    case TaggedValue::Kind::Boolean:
        return TaggedValue::boolean(takeWord() != 0);
    case TaggedValue::Kind::Single: {
        QByteArray payload;
        if (!take(4, payload))
            throw ResonexError(errors::ReadPastEnd);
        const float value = qFromLittleEndian<float>(payload.constData());
        if (!std::isfinite(value))
            readFailed(QStringLiteral("Invalid number"));
        return TaggedValue::single(value);
    }
    case TaggedValue::Kind::Text: {
        QByteArray text;
        if (!take(takeWord(), text))
            throw ResonexError(errors::ReadPastEnd);
        return TaggedValue::text(QString::fromLatin1(text));
    }
    }
    readFailed(QStringLiteral("Unsupported value type %1").arg(code));
}

qint16 FieldReader::readInteger() {
    const TaggedValue value = ReadField();
    return converted([&] { return value.toInteger(); });
}

float FieldReader::readSingle() {
    const TaggedValue value = ReadField();
    return converted([&] { return value.toSingle(); });
}

QString FieldReader::readText() {
    const TaggedValue value = ReadField();
    return converted([&] { return value.toText(); });
}

bool FieldReader::readBoolean() {
    const TaggedValue value = ReadField();
    return converted([&] { return value.toBoolean(); });
}

} // namespace resonex
