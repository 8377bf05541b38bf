#!/usr/bin/env python3
"""The bare secondary's Q of Nicholson and Fritz's two coils worked apart from
the program (mpmath): the wire's resistance with skin effect by the Bessel
functions themselves, Medhurst's factor read off his table by hand (bilinear,
only the rows these coils need) and Wheeler's inductance in place of the
program's ring sum. resonex-validate's "bare secondary's Q" table should show
the same resistance and an inductance within half a per cent."""
from mpmath import besselj, mp, mpc, pi, re, sqrt

mp.dps = 30
RHO = 1 / 58e6  # annealed copper, IEC 60028
MU0 = 4e-7 * pi
WIRE = 0.0254 * 0.005 * 92 ** (12 / 39)  # AWG 24
# Medhurst (Wireless Engineer 24, 1947): rows l/D, columns d/p = 1.0 .. 0.0.
MEDHURST = {
    2: [4.10, 3.36, 2.74, 2.32, 1.98, 1.74, 1.50, 1.28, 1.13, 1.04, 1.00],
    4: [3.54, 3.05, 2.60, 2.27, 2.01, 1.78, 1.54, 1.32, 1.15, 1.04, 1.00],
    6: [3.31, 2.92, 2.60, 2.29, 2.03, 1.80, 1.56, 1.34, 1.16, 1.04, 1.00],
    8: [3.20, 2.90, 2.62, 2.34, 2.08, 1.81, 1.57, 1.34, 1.165, 1.04, 1.00],
}


def along(row, wire_over_pitch):
    x = (1 - wire_over_pitch) * 10
    c = int(x)
    return row[c] + (x - c) * (row[c + 1] - row[c])


def medhurst(l_over_d, wire_over_pitch):
    low = max(r for r in MEDHURST if r <= l_over_d)
    high = min(r for r in MEDHURST if r > l_over_d)
    t = (l_over_d - low) / (high - low)
    a = along(MEDHURST[low], wire_over_pitch)
    return a + t * (along(MEDHURST[high], wire_over_pitch) - a)


# name, turns, diameter (m), h/d, spacing ratio, f (Hz), measured Q
for name, n, d, hd, sr, f, measured in [
    ("A", 1176, 0.108, 6.14, 0.91, 351.208e3, 216.04),
    ("B", 1000, 0.261, 2.92, 0.67, 143.476e3, 241.10),
]:
    h = hd * d
    r = WIRE / 2
    dc = RHO * pi * d * n / (pi * r * r)
    delta = sqrt(2 * RHO / (2 * pi * f * MU0))
    kr = mpc(1, -1) * r / delta
    skin = re(kr / 2 * besselj(0, kr) / besselj(1, kr))
    ohms = dc * skin * medhurst(hd, sr)
    inches = d / 2 / 0.0254, h / 0.0254
    wheeler = inches[0] ** 2 * n**2 / (9 * inches[0] + 10 * inches[1]) * 1e-6
    q = 2 * pi * f * wheeler / ohms
    print(f"coil {name}: R {float(ohms):.2f} ohm, Wheeler L {wheeler * 1e3:.3f} mH, "
          f"Q {float(q):.1f}, {float(q / measured - 1) * 100:+.1f} % on the measured")
