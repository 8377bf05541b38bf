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

// The whole text converted by the locale, as a float.
float wholeNumber(const QString& text, const ErrorInfo& error);

// An entry scaled to the stored unit; an overflow is named after the property.
float scaled(float value, float (*scale)(float), const ErrorInfo& error);

// A positive whole number, written without a decimal point.
qint16 count(const QString& text, const ErrorInfo& error);

} // namespace resonex::dimension
