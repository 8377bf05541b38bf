#include "core/model/AddedInputs.h"

#include "core/encoding/ExtensionBlock.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/model/DimensionProperty.h"
#include "core/text/NumberText.h"

#include <algorithm>

namespace resonex {

float AddedInputs::value(Input input) const {
    const auto found = m_values.find(input);
    return found != m_values.end() ? found->second : 0.0f;
}

QString AddedInputs::entry(const DesignInput& row) const {
    const float kept = value(row.input);
    // Not given: the box stays empty.
    if (kept == 0)
        return {};
    if (row.quantity == Quantity::Count)
        return QString::number(kept);
    return text::entryText(kept, text::Pattern::UpToFourDecimals);
}

void AddedInputs::store(const DesignInput& row, const QString& text) {
    if (text.trimmed().isEmpty()) {
        m_values.erase(row.input);
        return;
    }
    m_values[row.input] =
        row.quantity == Quantity::Count
            ? float(dimension::count(text, row.error))
            : dimension::storable(dimension::leadingNumber(text, row.error, row.bound), row.error,
                                  row.bound);
}

qint16 AddedInputs::version(const QList<const DesignInput*>& rows) const {
    qint16 lowest = 1;
    for (const DesignInput* row : rows)
        if (value(row->input) != 0)
            lowest = std::max(lowest, row->file.version);
    return lowest;
}

bool AddedInputs::read(FieldReader& reader, qint16 blockVersion,
                       const QList<const DesignInput*>& rows) {
    bool whole = true;
    for (const DesignInput* row : rows) {
        if (row->file.version > blockVersion)
            break;
        float field = 0;
        if (extension::readValue(reader, field, &FieldReader::readSingle, [row](float value) {
                return value == 0 || dimension::isStorable(value, row->bound);
            }))
            m_values[row->input] = field;
        else
            whole = false;
    }
    return whole;
}

void AddedInputs::write(FieldWriter& writer, qint16 blockVersion,
                        const QList<const DesignInput*>& rows) const {
    for (const DesignInput* row : rows)
        if (row->file.version <= blockVersion)
            writer.writeSingle(value(row->input));
}

QList<const DesignInput*> AddedInputs::addedRows() {
    QList<const DesignInput*> rows;
    for (const DesignInput& row : designInputs())
        if (row.added())
            rows.append(&row);
    return rows;
}

} // namespace resonex
