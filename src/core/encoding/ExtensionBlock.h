#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace resonex {

class FieldReader;
class FieldWriter;

// The framing of what a design file holds beyond its four objects: a signature
// text of its own, a 16-bit version, then the fields, all tagged values. A
// reader that knows none of it stops after the four objects, so older programs
// open such a file unchanged. Versions only ever append fields: a reader takes
// the fields it knows from a later version and leaves the rest.
namespace extension {

// Not the design file's own signature, nor any text that starts it.
inline const QString kSignature = QStringLiteral("<-rezon32+->");
inline constexpr qint16 kVersion = 1;

void writeHeader(FieldWriter& writer);

// The version of the block that starts at the reader, or none when the bytes
// there are not a block (no bytes, or anything but the signature): those are
// passed over as they always were. A block whose version cannot be read or is
// below 1 raises the read error.
std::optional<qint16> readHeader(FieldReader& reader);

} // namespace extension

} // namespace resonex
