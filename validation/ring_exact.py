#!/usr/bin/env python3
"""The exact capacitances tests/tst_physics.cpp pins a ring of round conductor
against, worked out apart from the program's own code (needs mpmath).

A torus of ring radius b (to the conductor's centre) and conductor radius a in
free space: Laplace's equation separated in toroidal coordinates (Morse &
Feshbach, "Methods of Theoretical Physics", 1953, ch. 10), the torus mu = mu0
with cosh(mu0) = b/a:
    C = 8 eps0 c sum_{n>=0} e_n Q_{n-1/2}(cosh mu0) / P_{n-1/2}(cosh mu0),
c = sqrt(b^2 - a^2), e_0 = 1, e_n = 2; here with mpmath's Legendre functions.
Over a ground plane, its centre h up: the method of images (Smythe, "Static
and Dynamic Electricity", 1950), the ring's own potential the exact torus's,
its image a line ring of opposite charge 2h below (an error of order
(a/2h)^2):
    1/C = 1/C_torus - (2/pi) K(k) / (4 pi eps0 sqrt(4b^2 + 4h^2)),
k^2 = 4b^2 / (4b^2 + 4h^2). To leading order C = 4 pi^2 eps0 b / ln(8b/a).
    python3 validation/ring_exact.py
"""
from mpmath import mp, mpf, legenp, legenq, sqrt, pi, ellipk, log

mp.dps = 30
EPS0 = mpf("8.8541878128e-12")


def torus(b, a):
    x = mpf(b) / a
    c = sqrt(mpf(b) ** 2 - mpf(a) ** 2)
    total = mpf(0)
    for n in range(400):
        term = (1 if n == 0 else 2) * legenq(n - mpf(1) / 2, 0, x, type=3) / legenp(
            n - mpf(1) / 2, 0, x, type=3
        )
        total += term
        if abs(term) < mpf("1e-25") * abs(total):
            break
    return (8 * EPS0 * c * total).real


def over_plane(b, a, h):
    far2 = 4 * mpf(b) ** 2 + 4 * mpf(h) ** 2
    image = 2 / pi * ellipk(4 * mpf(b) ** 2 / far2) / sqrt(far2) / (4 * pi * EPS0)
    return 1 / (1 / torus(b, a) - image)


for b, a in [(0.2, 0.005), (0.2, 0.0005), (0.125, 0.003175)]:
    print(
        f"ring {2 * b * 1000:g} mm, conductor {2 * a * 1000:g} mm: "
        f"free {float(torus(b, a)):.8e} F, 650 mm up {float(over_plane(b, a, 0.65)):.8e} F, "
        f"leading order {float(4 * pi**2 * EPS0 * b / log(8 * b / a)):.8e} F"
    )
