#include "core/text/NumberText.h"

#include "core/errors/ResonexError.h"
#include "core/text/Real.h"

#include <QLocale>
#include <QStringView>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h> // NOLINT(modernize-deprecated-headers): newlocale is POSIX, not C++
#include <optional>
#include <string>

namespace resonex::text {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Blanks that the leading-number reading passes over, wherever they stand.
bool isLeadingNumberBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

int maxDecimals(Pattern pattern) {
    switch (pattern) {
    case Pattern::UpToFourDecimals:
    case Pattern::FourDecimals:
        return 4;
    case Pattern::UpToFiveDecimals:
        return 5;
    case Pattern::TwoDecimals:
    case Pattern::Fixed:
        break;
    }
    return 2;
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The entry as plain ASCII ("-12.5e3") when the whole of it is numeric in the
// default locale, nothing otherwise.
std::optional<QByteArray> normalizedNumber(const QString& text) {
    const QString decimalPoint = QLocale().decimalPoint();
    const QString t = text.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    QByteArray out;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; i < n && isDigit(t[i]); ++i, ++mantissaDigits)
        out += char(t[i].unicode());
    if (QStringView(t).sliced(i).startsWith(decimalPoint)) {
        out += '.';
        i += decimalPoint.size();
        for (; i < n && isDigit(t[i]); ++i, ++mantissaDigits)
            out += char(t[i].unicode());
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        out += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            out += char(t[i++].unicode());
        int exponentDigits = 0;
        for (; i < n && isDigit(t[i]); ++i, ++exponentDigits)
            out += char(t[i].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return out;
}

// An ASCII number to double whatever the process locale; an overflow gives an
// infinity, an underflow 0.
double asciiToDouble(const QByteArray& ascii) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(ascii.constData(), nullptr, cLocale);
}

// At most so many decimals, at least two.
// Trailing zeros are dropped down to `least` decimals.
QString formatUpTo(float value, int decimals, int least = 2) {
    if (!std::isfinite(value))
        return QString::number(value);

    // 160 decimals hold the exact expansion of every float, so rounding below
    // looks at the true value, not at an already rounded one.
    char buffer[256];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(static_cast<double>(value)),
                      std::chars_format::fixed, 160);
    const std::string exact(buffer, result.ptr);
    const std::size_t point = exact.find('.');
    std::string digits = exact.substr(0, point) + exact.substr(point + 1, decimals);
    if (exact[point + 1 + decimals] >= '5')
        incrementDigits(digits);

    const std::size_t integerLength = digits.size() - decimals;
    std::string fraction = digits.substr(integerLength);
    while (fraction.size() > std::size_t(least) && fraction.back() == '0')
        fraction.pop_back();

    QString text;
    if (value < 0)
        text += u'-';
    text += QString::fromLatin1(digits.substr(0, integerLength));
    text += QLocale().decimalPoint();
    text += QString::fromLatin1(fraction);
    return text;
}

// More than any float needs to read back as itself.
constexpr int kMostDecimals = 60;

} // namespace

QString format(float value, Pattern pattern) {
    return formatUpTo(value, maxDecimals(pattern), pattern == Pattern::FourDecimals ? 4 : 2);
}

QString roundedText(double value, double step) {
    const int decimals = std::max(0, int(std::ceil(-std::log10(step))));
    return QString::number(std::round(value / step) * step, 'f', decimals)
        .replace(u'.', QLocale().decimalPoint());
}

QString entryText(float stored, Pattern pattern, float (*shownOf)(float),
                  float (*storedOf)(float)) {
    const float shown = shownOf ? shownOf(stored) : stored;
    const auto storesTheSame = [&](float typed) {
        try {
            return (storedOf ? storedOf(typed) : typed) == stored;
        } catch (const ResonexError&) {
            return false;
        }
    };
    QString text;
    for (int decimals = maxDecimals(pattern); decimals <= kMostDecimals; ++decimals) {
        text = formatUpTo(shown, decimals);
        const float typed = toSingle(text);
        if (storesTheSame(typed) || typed == shown)
            break;
    }
    return text;
}

bool isNumeric(const QString& text) { return normalizedNumber(text).has_value(); }

double leadingNumber(const QString& text) {
    // Reading only the full stop would take "0,72" in a comma locale as 0 and
    // reject it, or "9,5" as 9: the entry the user sees would not be the one
    // stored. Its own separator keeps the two the same.
    const QString decimalPoint = QLocale().decimalPoint();
    QByteArray ascii;
    bool sawDigit = false;
    bool sawPoint = false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isLeadingNumberBlank(text[i]))
            ++i;
    };

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            ascii += '-';
        ++i;
    }
    for (skipBlanks(); i < n; ++i, skipBlanks()) {
        const QChar c = text[i];
        if (isDigit(c)) {
            ascii += char(c.unicode());
            sawDigit = true;
        } else if (!sawPoint &&
                   (c == u'.' || QStringView(text).sliced(i).startsWith(decimalPoint))) {
            ascii += '.';
            sawPoint = true;
            if (c != u'.')
                i += decimalPoint.size() - 1;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return 0.0;

    // An exponent counts only when at least one digit follows its letter.
    if (i < n && QStringLiteral("eEdD").contains(text[i])) {
        QByteArray exponent = "e";
        ++i;
        skipBlanks();
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            exponent += char(text[i++].unicode());
        bool exponentDigit = false;
        for (skipBlanks(); i < n && isDigit(text[i]); ++i, skipBlanks()) {
            exponent += char(text[i].unicode());
            exponentDigit = true;
        }
        if (exponentDigit)
            ascii += exponent;
    }
    return asciiToDouble(ascii);
}

float toSingle(const QString& text) {
    const std::optional<QByteArray> ascii = normalizedNumber(text);
    if (!ascii)
        throw ResonexError(errors::TypeMismatch);
    return Real(asciiToDouble(*ascii)).toSingle();
}

QString booleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

bool toBoolean(const QString& text) {
    const QString word = text.trimmed();
    if (word.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    return toSingle(text) != 0.0f;
}

QString generalText(float value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(value), 'g', 7);
}

qint16 toInt16(double value) {
    // nearbyint rounds ties to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw ResonexError(errors::Overflow);
    return static_cast<qint16>(rounded);
}

} // namespace resonex::text
