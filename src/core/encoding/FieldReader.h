#pragma once

#include "core/encoding/TaggedValue.h"

#include <QByteArray>

namespace resonex {

// Reads tagged values one after another from a design file image and converts
// each to the kind of the field it is read into. A value cut short by the end
// of the data raises "EOF" and leaves the reader at the end; a value of an
// unknown kind, a non-finite single or one that does not convert raises the
// other read error. Both leave the reader past what was read, so later reads
// stay in step.
class FieldReader {
public:
    explicit FieldReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    TaggedValue ReadField();

    qint16 readInteger();
    float readSingle();
    QString readText();
    bool readBoolean();

private:
    bool take(qsizetype count, QByteArray& out);
    quint16 takeWord();

    QByteArray m_bytes;
    qsizetype m_position = 0;
};

} // namespace resonex
