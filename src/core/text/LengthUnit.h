#pragma once

#include <QString>

namespace resonex {

// A unit of length: the metres in one of it as an exact fraction of two whole
// numbers, and its word. A float times the numerator is exact in a double, so
// a conversion to metres rounds once, in the division: the result is the
// double nearest the exact value.
struct LengthUnit {
    double numerator;
    double denominator;
    const char* symbol;

    constexpr double toMetres(double length) const { return length * numerator / denominator; }
    constexpr double fromMetres(double metres) const { return metres * denominator / numerator; }
    // How many of `smaller` make one of this unit, rounded once.
    constexpr double in(const LengthUnit& smaller) const {
        return numerator * smaller.denominator / (denominator * smaller.numerator);
    }
    QString word() const { return QString::fromLatin1(symbol); }
};

inline constexpr LengthUnit kMillimetre{1, 1000, "mm"};
inline constexpr LengthUnit kInch{254, 10000, "in"};
inline constexpr LengthUnit kMetre{1, 1, "m"};
inline constexpr LengthUnit kFoot{3048, 10000, "ft"};

// The design's units: its dimensions are in millimetres or inches, the
// secondary's wire length in metres or feet.
constexpr LengthUnit designUnit(bool useMetric) { return useMetric ? kMillimetre : kInch; }
constexpr LengthUnit wireUnit(bool useMetric) { return useMetric ? kMetre : kFoot; }

} // namespace resonex
