#include "core/model/AddedInputs.h"

#include "core/encoding/ExtensionBlock.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/DimensionProperty.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace resonex {

float AddedInputs::value(const DesignInput& row) const {
    const auto found = m_values.find(row.input);
    return found != m_values.end() ? found->second : float(row.start);
}

double AddedInputs::si(const DesignInput& row, bool useMetric) const {
    return siValue(row, value(row), useMetric);
}

QString AddedInputs::entry(const DesignInput& row) const {
    const float kept = value(row);
    if (row.quantity == Quantity::Choice)
        return QLatin1String(row.words[qsizetype(kept)].word);
    if (kept == 0 && row.emptyIsNone())
        return {};
    if (row.quantity == Quantity::Count)
        return QString::number(kept);
    return text::entryText(kept, text::Pattern::UpToFourDecimals);
}

void AddedInputs::store(const DesignInput& row, const QString& text) {
    if (row.quantity == Quantity::Choice) {
        for (qsizetype index = 0; index < row.words.size(); ++index) {
            if (text.trimmed() == QLatin1String(row.words[index].word)) {
                m_values[row.input] = float(index);
                return;
            }
        }
        throw ResonexError(row.error);
    }
    if (text.trimmed().isEmpty()) {
        if (!row.emptyIsNone())
            throw ResonexError(row.error);
        m_values.erase(row.input);
        return;
    }
    // A count is written without a decimal point, as the classic count is.
    if (row.quantity == Quantity::Count && text.contains(u'.'))
        throw ResonexError(row.error);
    const float number = dimension::anyNumber(text, row.error);
    if (!takes(row, number))
        throw ResonexError(row.error);
    m_values[row.input] = number;
}

bool AddedInputs::takes(const DesignInput& row, float value) {
    // A value that vanished in the float, or went subnormal, is none typed.
    const bool storable = std::isnormal(value) || value == 0;
    const bool whole = value == std::floor(value);
    if (row.quantity == Quantity::Choice)
        return whole && value >= 0 && value < float(row.words.size());
    return storable && row.accepts.contains(value) && (row.quantity != Quantity::Count || whole);
}

bool AddedInputs::awayFromStart(const QList<const DesignInput*>& rows) const {
    return std::any_of(rows.begin(), rows.end(),
                       [this](const DesignInput* row) { return value(*row) != float(row->start); });
}

bool AddedInputs::read(FieldReader& reader, const DesignInput& row) {
    float field = value(row);
    if (!extension::readValue(reader, field, &FieldReader::readSingle, [&row](float read) {
            return read == float(row.start) || takes(row, read);
        }))
        return false;
    m_values[row.input] = field;
    return true;
}

void AddedInputs::write(FieldWriter& writer, const DesignInput& row) const {
    writer.writeSingle(value(row));
}

} // namespace resonex
