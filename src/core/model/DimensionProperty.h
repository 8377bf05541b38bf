#pragma once

#include "core/errors/ErrorCodes.h"

#include <QString>

// The checks of the models' text inputs. An entry is accepted when the whole
// text is numeric and its leading number meets the bound; a rejected entry
// raises the property's error. A value beyond the range of a float passes the
// check but raises an overflow, named after the property, in the conversion.
namespace resonex::dimension {

enum class Bound { Positive, ZeroOrMore };

// The leading number of the text, as a float.
float leadingNumber(const QString& text, const ErrorInfo& error, Bound bound = Bound::Positive);

// The leading number of the text, as a float, whatever its sign.
float anyNumber(const QString& text, const ErrorInfo& error);

// The whole text converted by the locale, as a float.
float wholeNumber(const QString& text, const ErrorInfo& error);

// An entry scaled to the stored unit; an overflow is named after the property.
float scaled(float value, float (*scale)(float), const ErrorInfo& error);

// A positive whole number, written without a decimal point.
qint16 count(const QString& text, const ErrorInfo& error);

// The rule of the newer inputs (the top load's and later), for entries and
// design files alike: the value as stored is a normal float, positive, or 0
// where the bound allows it. A value that vanished or went subnormal in the
// conversion to a float would otherwise fail far from its entry, or show as 0.
bool isStorable(float value, Bound bound);
// The value when it is storable; else raises the property's error.
float storable(float value, const ErrorInfo& error, Bound bound = Bound::Positive);

} // namespace resonex::dimension
