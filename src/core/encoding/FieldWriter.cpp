#include "core/encoding/FieldWriter.h"

#include "core/errors/ResonexError.h"

#include <QtEndian>

namespace resonex {

namespace {

void appendWord(QByteArray& bytes, quint16 word) {
    const quint16 le = qToLittleEndian(word);
    bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

} // namespace

void FieldWriter::WriteField(const TaggedValue& value) {
    QByteArray encoded;
    appendWord(encoded, quint16(value.kind()));
    switch (value.kind()) {
    case TaggedValue::Kind::Integer:
        appendWord(encoded, quint16(std::get<qint16>(value.payload())));
        break;
    case TaggedValue::Kind::Boolean:
        appendWord(encoded, std::get<bool>(value.payload()) ? 0xFFFF : 0);
        break;
    case TaggedValue::Kind::Single: {
        const float le = qToLittleEndian(std::get<float>(value.payload()));
        encoded.append(reinterpret_cast<const char*>(&le), sizeof le);
        break;
    }
    case TaggedValue::Kind::Text: {
        const QByteArray text = std::get<QString>(value.payload()).toLatin1();
        if (text.size() > 0xFFFF)
            throw ResonexError::detailed(errors::WriteFailed,
                                         QStringLiteral("text longer than 65535 bytes"));
        appendWord(encoded, quint16(text.size()));
        encoded.append(text);
        break;
    }
    }
    m_bytes.append(encoded);
}

} // namespace resonex
