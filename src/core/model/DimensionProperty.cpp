#include "core/model/DimensionProperty.h"

#include "core/errors/ResonexError.h"
#include "core/text/NumberText.h"
#include "core/text/Real.h"

#include <cmath>

namespace resonex::dimension {

namespace {

void check(const QString& text, const ErrorInfo& error, Bound bound) {
    if (!text::isNumeric(text))
        throw ResonexError(error);
    const double value = text::leadingNumber(text);
    if (bound == Bound::Positive ? !(value > 0.0) : !(value >= 0.0))
        throw ResonexError(error);
}

template <typename Convert> auto converted(const ErrorInfo& error, Convert convert) {
    try {
        return convert();
    } catch (ResonexError& failure) {
        failure.setSourceIfEmpty(QString::fromLatin1(error.source));
        throw;
    }
}

} // namespace

float scaled(float value, float (*scale)(float), const ErrorInfo& error) {
    return converted(error, [&] { return scale(value); });
}

float leadingNumber(const QString& text, const ErrorInfo& error, Bound bound) {
    check(text, error, bound);
    return converted(error, [&] { return Real(text::leadingNumber(text)).toSingle(); });
}

float anyNumber(const QString& text, const ErrorInfo& error) {
    if (!text::isNumeric(text))
        throw ResonexError(error);
    return converted(error, [&] { return Real(text::leadingNumber(text)).toSingle(); });
}

float wholeNumber(const QString& text, const ErrorInfo& error) {
    check(text, error, Bound::Positive);
    return converted(error, [&] { return text::toSingle(text); });
}

qint16 count(const QString& text, const ErrorInfo& error) {
    if (text.contains(u'.'))
        throw ResonexError(error);
    check(text, error, Bound::Positive);
    // "2,5" in a comma locale or "25e-1" anywhere is no count either.
    const double value = text::leadingNumber(text);
    if (value != std::floor(value))
        throw ResonexError(error);
    return converted(error, [&] { return text::toInt16(text::toSingle(text)); });
}

bool isStorable(float value, Bound bound) {
    return (std::isnormal(value) && value > 0) || (bound == Bound::ZeroOrMore && value == 0);
}

float storable(float value, const ErrorInfo& error, Bound bound) {
    if (!isStorable(value, bound))
        throw ResonexError(error);
    return value;
}

} // namespace resonex::dimension
