#include "core/encoding/ExtensionBlock.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"

namespace resonex::extension {

void writeHeader(FieldWriter& writer, qint16 version) {
    writer.writeText(kSignature);
    writer.writeInteger(version);
}

std::optional<qint16> readHeader(FieldReader& reader) {
    try {
        const TaggedValue first = reader.ReadField();
        if (first.kind() != TaggedValue::Kind::Text ||
            std::get<QString>(first.payload()) != kSignature)
            return std::nullopt;
    } catch (const ResonexError&) {
        return std::nullopt;
    }
    const qint16 version = reader.readInteger();
    if (version < 1)
        throw ResonexError::detailed(
            errors::ReadFailed, QStringLiteral("Unsupported extension version %1").arg(version));
    return version;
}

} // namespace resonex::extension
