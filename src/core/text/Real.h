#pragma once

namespace resonex {

// A double-precision intermediate whose every operation is checked: a division
// by zero, an overflow or an invalid operation raises the matching error instead
// of leaving an infinity or a NaN behind. Expressions keep C++'s left-to-right
// evaluation, so a formula written with Real computes exactly what the same
// formula in plain doubles would. Start an expression with a Real operand:
// two plain doubles multiply unchecked.
class Real {
public:
    constexpr Real(double value) : m_value(value) {} // NOLINT: implicit by design

    constexpr double value() const { return m_value; }

    // Rounds to a 32-bit float, the way every stored result is kept.
    float toSingle() const;

    friend Real operator+(Real a, Real b);
    friend Real operator-(Real a, Real b);
    friend Real operator*(Real a, Real b);
    friend Real operator/(Real a, Real b);

private:
    double m_value;
};

// The general real power: a negative base with a fractional exponent is an
// invalid operation.
Real power(Real base, Real exponent);

} // namespace resonex
