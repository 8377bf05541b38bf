#pragma once

#include "core/encoding/FieldReader.h"
#include "core/errors/ResonexError.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace resonex {

class FieldWriter;

// The framing of what a design file holds beyond its four objects: a signature
// text of its own, a 16-bit version, then the fields, all tagged values. A
// reader that knows none of it stops after the four objects, so older programs
// open such a file unchanged. Versions only ever append fields: a reader takes
// the fields it knows from a later version and leaves the rest.
namespace extension {

// Not the design file's own signature, nor any text that starts it.
inline const QString kSignature = QStringLiteral("<-rezon32+->");
// Version 1 holds the primary's loaded-frequency choice and the top load;
// each later one appends fields (core/model/ExtensionFields.h).
void writeHeader(FieldWriter& writer, qint16 version);

// The version of the block that starts at the reader, or none when the bytes
// there are not a block (no bytes, or anything but the signature): those are
// passed over as they always were. A block whose version cannot be read or is
// below 1 raises the read error.
std::optional<qint16> readHeader(FieldReader& reader);

// Reads one of the block's values into field: a value that cannot be read, or
// that isValid refuses, is dropped alone, the field keeping what it held, and
// the result is false. The reader stays in step for the values after it.
template <typename T, typename Valid>
bool readValue(FieldReader& reader, T& field, T (FieldReader::*read)(), Valid isValid) {
    try {
        const T value = (reader.*read)();
        if (!isValid(value))
            return false;
        field = value;
        return true;
    } catch (const ResonexError&) {
        return false;
    }
}

} // namespace extension

} // namespace resonex
