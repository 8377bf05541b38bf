#pragma once

#include "core/encoding/TaggedValue.h"

#include <QByteArray>

namespace resonex {

// Appends tagged values to a design file image: the 16-bit type code, then the
// payload, all little-endian; text as a 16-bit byte count and Latin-1 bytes.
class FieldWriter {
public:
    // Raises the field writer's error for a text longer than a count can say.
    void WriteField(const TaggedValue& value);

    void writeInteger(qint16 value) { WriteField(TaggedValue::integer(value)); }
    void writeSingle(float value) { WriteField(TaggedValue::single(value)); }
    void writeText(const QString& value) { WriteField(TaggedValue::text(value)); }
    void writeBoolean(bool value) { WriteField(TaggedValue::boolean(value)); }

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace resonex
