#pragma once

#include <QString>
#include <QtGlobal>

// The one place for number texts: display patterns, the numeric test of an
// entry, the leading-number reading and the conversions to 32-bit floats and
// 16-bit integers. Patterns, the numeric test and the whole-text conversion
// follow the decimal separator of the default QLocale (the user's locale); the
// leading-number reading takes the full stop and that separator alike, so that
// an entry accepted as numeric means the same number to both readings.
namespace resonex::text {

enum class Pattern {
    UpToFourDecimals, // "###0.00##": two to four decimals
    UpToFiveDecimals, // "###0.00###": two to five decimals
    TwoDecimals,      // "###0.00": exactly two decimals
    Fixed,            // "fixed": exactly two decimals, leading minus when negative
    FourDecimals,     // "###0.0000": exactly four decimals
};

// At least one digit before the separator, no grouping, rounded half away from
// zero on the exact value of the float.
QString format(float value, Pattern pattern);

// A rule of thumb's figure: the value rounded to the nearest step (half away
// from zero), with the decimals the step has ("1300" to 10, "51.5" to 0.5).
QString roundedText(double value, double step);

// What an entry box shows for a stored value, so that entering the text again
// stores the very same value: the pattern's text of the value in the unit the
// user types (shownOf the stored value), with as many more decimals as that
// takes (storedOf the text's value is the stored value again), or at least
// enough for the text to read as the shown value. Without conversions the
// value is typed as stored.
QString entryText(float stored, Pattern pattern, float (*shownOf)(float) = nullptr,
                  float (*storedOf)(float) = nullptr);

// Whether the whole text (blanks around it allowed) reads as one decimal number:
// optional sign, digits with the locale's decimal separator, optional exponent.
bool isNumeric(const QString& text);

// The number at the start of the text: blanks, tabs and line feeds are skipped
// anywhere, the full stop or the locale's separator marks the decimals, reading
// stops at the first character that cannot continue the number. 0 when there
// is none.
double leadingNumber(const QString& text);

// The whole text converted to a 32-bit float. Raises a type mismatch when the
// text is not numeric and an overflow when the value is beyond float range.
float toSingle(const QString& text);

// The text of a Boolean option or field: "True" or "False".
QString booleanText(bool value);

// "True" or "False" in any case, or a numeric text (non-zero is true); raises a
// type mismatch for anything else.
bool toBoolean(const QString& text);

// A float as plain text with up to seven significant digits, for a number read
// into a text field.
QString generalText(float value);

// Rounds half to even to a 16-bit integer; raises an overflow outside its range.
qint16 toInt16(double value);

} // namespace resonex::text
