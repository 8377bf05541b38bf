#include "core/text/Real.h"

#include "core/errors/ResonexError.h"

#include <cmath>

namespace resonex {

namespace {

Real checked(double value) {
    if (std::isnan(value))
        throw ResonexError(errors::InvalidArgument);
    if (std::isinf(value))
        throw ResonexError(errors::Overflow);
    return value;
}

} // namespace

float Real::toSingle() const {
    // Halfway past the largest float: from here on the value rounds to
    // infinity, and casting it would not even be defined.
    constexpr double kRoundsToInfinity = 0x1.ffffffp127;
    if (std::fabs(m_value) >= kRoundsToInfinity)
        throw ResonexError(errors::Overflow);
    return static_cast<float>(m_value);
}

Real operator+(Real a, Real b) { return checked(a.m_value + b.m_value); }
Real operator-(Real a, Real b) { return checked(a.m_value - b.m_value); }
Real operator*(Real a, Real b) { return checked(a.m_value * b.m_value); }

Real operator/(Real a, Real b) {
    if (b.m_value == 0.0)
        throw ResonexError(errors::DivisionByZero);
    return checked(a.m_value / b.m_value);
}

Real power(Real base, Real exponent) { return checked(std::pow(base.value(), exponent.value())); }

} // namespace resonex
