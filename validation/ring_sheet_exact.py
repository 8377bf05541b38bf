#!/usr/bin/env python3
"""The mutual inductances of a ring with a secondary taken as a current sheet
that tests/tst_physics.cpp pins, worked out apart from the program's own code
(needs mpmath).

Maxwell's closed form for two coaxial circles of radii a and rho, z apart
(Maxwell, "A Treatise on Electricity and Magnetism", 1873, vol. 2):
    M = mu0 sqrt(a rho) ((2/k - k) K(k) - (2/k) E(k)),  k^2 = 4 a rho / ((a + rho)^2 + z^2),
integrated numerically (mpmath's tanh-sinh quadrature, split where the
integrand peaks) over the winding's height and multiplied by its turns per
metre: M = (N/h) * integral over 0..h of M(r, R; z_ring - z) dz.
    python3 validation/ring_sheet_exact.py
"""
from mpmath import mp, mpf, ellipk, ellipe, quad, sqrt, pi

mp.dps = 30
MU0 = 4e-7 * pi


def rings(a, rho, z):
    m = 4 * a * rho / ((a + rho) ** 2 + z ** 2)  # mpmath takes the parameter k^2
    k = sqrt(m)
    return MU0 * sqrt(a * rho) * ((2 / k - k) * ellipk(m) - 2 / k * ellipe(m))


def sheet(r, z, diameter, height, turns):
    r, z, radius, height = mpf(r), mpf(z), mpf(diameter) / 2, mpf(height)
    points = [mpf(0), height]
    if 0 < z < height:
        points = [mpf(0), z, height]
    return mpf(turns) / height * quad(lambda u: rings(r, radius, z - u), points)


# ring radius, ring height, secondary diameter, height, turns (metres)
CASES = [
    ("beside the base", 0.16725, 0.0, 0.2, 0.6, 732),
    ("beside the middle", 0.16725, 0.3, 0.2, 0.6, 732),
    ("100 mm below", 0.16725, -0.1, 0.2, 0.6, 732),
    ("far above", 0.3, 1.5, 0.2, 0.6, 732),
    ("0.1 mm off the winding", 0.1001, 0.2, 0.2, 0.6, 732),
    ("inside a short wide one", 0.12, 0.01, 0.5, 0.05, 40.5),
]

if __name__ == "__main__":
    for name, r, z, d, h, n in CASES:
        print(f"{name:26s} {mp.nstr(sheet(r, z, d, h, n), 17)}")
