#include "text/Real.h"

#include "errors/ResonexError.h"

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
    const float single = static_cast<float>(m_value);
    if (std::isinf(single))
        throw ResonexError(errors::Overflow);
    return single;
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
