#!/usr/bin/env python3
"""A round wire's resistance with skin effect over its DC resistance, worked
out apart from the program (tests/tst_bang.cpp pins these).

The ratio is Re[(kr/2)·J0(kr)/J1(kr)], k = (1-j)/delta, x = r/delta: the
Bessel functions summed here by their power series in Python's complex
rationals, exactly, where the program takes their
ratio by a continued fraction. Its two limits check the sums: 1 + x^4/48 for
a thin wire, x/2 + 1/4 for a thick one (the current in a skin of depth delta
under a flat surface, plus the curvature's first correction).

    python3 validation/skin_worked.py
"""
from fractions import Fraction
from math import factorial


def series(order, x):
    """S_order = sum over m of (j·x²/2)^m / (m!·(m+order)!), in exact
    rationals (real and imaginary parts): with z = (1-j)·x, z² = -2j·x², so
    J_order(z) = (z/2)^order·S_order, and (z/2)·J0(z)/J1(z) = S0/S1."""
    half = Fraction(x) ** 2 / 2
    re, im = Fraction(0), Fraction(0)
    power = Fraction(1)  # (x²/2)^m
    for m in range(400):
        term = power / (factorial(m) * factorial(m + order))
        # j^m: 1, j, -1, -j
        if m % 4 == 0:
            re += term
        elif m % 4 == 1:
            im += term
        elif m % 4 == 2:
            re -= term
        else:
            im -= term
        power *= half
    return re, im


def ratio(x):
    a, b = series(0, x)
    c, d = series(1, x)
    # Re[(a + jb)/(c + jd)]
    return float((a * c + b * d) / (c * c + d * d))


if __name__ == "__main__":
    for x in (0.3, 1.0, 2.0, 3.4, 5.0, 10.0, 20.0):
        print("x = r/delta %5.1f   R/Rdc %.12f   thin %.6f   thick %.6f"
              % (x, ratio(x), 1 + x ** 4 / 48, x / 2 + 0.25))
