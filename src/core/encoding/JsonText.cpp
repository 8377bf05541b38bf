#include "core/encoding/JsonText.h"

#include "core/errors/ResonexError.h"
#include "core/text/Real.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace resonex::json {

namespace {

// The shortest text of to_chars that reads back as the value, in the format
// given if any; null for what JSON cannot hold.
template <typename... Format> QByteArray shortest(float value, Format... format) {
    if (!std::isfinite(value))
        return kNull;
    char buffer[64]; // the longest, the smallest subnormal in full, takes 47
    const std::to_chars_result result =
        std::to_chars(std::begin(buffer), std::end(buffer), value, format...);
    return QByteArray(buffer, result.ptr - buffer);
}

} // namespace

QByteArray boolean(bool value) {
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

QByteArray integer(int value) { return QByteArray::number(value); }

// Plain or with an exponent, whichever is shorter.
QByteArray number(float value) { return shortest(value); }

QByteArray count(float value) { return shortest(value, std::chars_format::fixed); }

QByteArray string(const QString& value) {
    QByteArray text = "\"";
    for (const QChar c : value) {
        const char16_t unit = c.unicode();
        if (unit == u'"' || unit == u'\\')
            text += '\\';
        if (unit >= 0x20 && unit < 0x7F)
            text += char(unit);
        else
            text += QByteArray("\\u") + QByteArray::number(unit, 16).rightJustified(4, '0');
    }
    return text + '"';
}

QByteArray array(const QList<QByteArray>& values) { return '[' + values.join(',') + ']'; }

Object& Object::add(const char* key, const QByteArray& value) {
    if (!m_members.isEmpty())
        m_members += ',';
    m_members += string(QLatin1String(key)) + ':' + value;
    return *this;
}

// The exact value rounded once to a double, then to the nearest float: no
// such quotient lies close enough to halfway between two floats for its own
// rounding to matter. A value beyond float range has no float.
QByteArray siNumber(double value) {
    try {
        return number(Real(value).toSingle());
    } catch (const ResonexError&) {
        return kNull;
    }
}

} // namespace resonex::json
