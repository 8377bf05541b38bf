#!/usr/bin/env python3
"""The bang's worked examples, worked out apart from the program.

Two designs whose transformer bank, secondary, top load and primary are
calculated:

- in millimetres, the worked design (a 200 x 600 mm winding of 0.72 mm wire
  under a 300 x 75 mm toroid, 15 kV / 60 mA at 60 Hz, a synchronous gap) with
  the flat primary of 15 turns a new design has, tuned to the loaded
  frequency with the tank capacitor; the default gap of 1 ohm, no streamer,
  the gap stopping after the first notch;
- in inches with comma decimals, a 4.5 x 20 in winding of 0.0253 in wire
  spaced 0.005 in, two 12 kV / 60 mA units at 50 Hz, a helical primary of
  14 turns of 1/4 in tubing 1 1/4 in below the base, tuned to the loaded
  frequency; a gap of 0.5 ohm, a streamer of 1 Mohm, the gap stopping after
  the second notch.

The circuit. Primary loop: the tank capacitor C1 (the bank's resonant
capacitor as the classic calculation keeps it), charged to the peak voltage
sqrt(2) times the bank's; the primary's inductance L1 at the tap in use and
the mutual inductance M there, with the secondary's Ls, from
coupling_worked.py (Maxwell's coaxial circles, its own tap); R1 the gap's
ohms plus the primary conductor's resistance from the inner turn to the tap
(each turn the circumference of its centre's circle, the last one the
tap's fraction of it), with skin effect by the exact Bessel-function formula
R_dc Re[(kr/2) J0(kr)/J1(kr)], k = (1-j)/delta, summed exactly by
skin_worked.py's series; copper 1/58 ohm mm^2/m (IEC 60028). Secondary: L2 =
Ls; C2 = 1/(w^2 Ls) at the loaded frequency; R2 the wire's skin-effect
resistance (its length as the classic secondary calculation keeps it) times
Medhurst's proximity factor (R. G. Medhurst, "H.F. resistance and
self-capacitance of single-layer solenoids", Wireless Engineer 24, 1947,
pp. 35-43 and 80-92), bilinear in winding length over diameter and wire
diameter over pitch, beyond l/D = 10 linear in D/l toward the long
solenoid's row. A streamer adds the power side's streamer capacitance to C2
(the builders' 1 pF per foot of John Freau's spark length, 1.7 sqrt(VA)
inches) and its resistance across C2.

The bang, by the Laplace transform (not by the modes of a state matrix): the
tank's initial charge a step V0/s in the primary loop,
    Z1 I1 + s M I2 = V0/s,   s M I1 + Z2 I2 = 0,
    Z1 = R1 + s L1 + 1/(s C1),   Z2 = R2 + s L2 + 1/Y2,   Y2 = s C2 + G,
so I1 = V0 C1 P2 / D with P1 = s^2 L1 C1 + s R1 C1 + 1,
P2 = (R2 + s L2) Y2 + 1, D = P1 P2 - s^3 C1 M^2 Y2; V2 = -s M V0 C1 / D,
I2 = Y2 V2 and the tank's V1 = V0 (D - P2) / (s D). The poles are the roots
of D (in s over the loaded angular frequency), found by the Durand-Kerner
iteration and polished by Newton's; each quantity the sum of its residues
times exp(s t) (the partial fractions of a proper rational function with
simple poles). The script checks the sums against the initial state and the
loop equations. After the quench the secondary rings alone from its state
then: V2 = (C2 v0 (s L2 + R2) + L2 i0) / P2, likewise. The envelope of the
primary current is the modulus of its analytic signal (each oscillating
pole pair's positive-frequency residue twice, a real pole's once); a notch
is a minimum of it below its value at the firing, found where the slope of
its square turns from falling to rising (scanned in sixteenths of the
fastest mode's period, closed in by bisection); the quench is the first zero
of the primary current at or after the chosen notch. Peaks: samples at a
64th of the fastest period, each hump's top by golden-section search; the
primary current's while the gap conducts, the top voltage's over the whole
span of 1,000 periods of the primary alone (2 pi sqrt(L1 C1)). The
secondary's ring-down 1/alpha and Q = w0/(2 alpha) from the roots of P2
(their product w0^2, their sum -2 alpha; an overdamped one's slower decay).
The nearest complete-transfer coupling k_m = (2m+1)/(2m^2+2m+1) to k at the
tap (A. C. M. de Queiroz, Tesla list, April 2000) and the inner turn's height
for it by coupling_worked.py's search.

Two figures come from the program's field solution, each pinned by its own
worked example: the loaded frequency (resonance.loaded_hz) and the lossless
bound on the top voltage the summary shows beside the peak
(power.secondary_peak_voltage_v, the bang's energy on the coil's
capacitance). Everything else is worked out here.

The Bang section of each (bang-mm.txt, bang-in.txt, title to the end) and
the JSON's bang object in SI units (bang-mm.json, bang-in.json); tst_cli
compares the section with the text in full and the object within a float's
rounding, the height within a micrometre (the program's search stops within
1e-7 of k).

    python3 validation/bang_worked.py            prints them
    python3 validation/bang_worked.py --check D  compares them with the files in D
    python3 validation/bang_worked.py --write D  writes those files
    python3 validation/bang_worked.py --where    prints where the events and peaks lie
                                                 (peaks as [volts, us])
"""
import cmath
import json
import math
import sys

import coupling_worked as cw
import skin_worked
import worked_files

MU0 = 4e-7 * math.pi
COPPER = 1 / 58e6  # ohm metres
f32 = cw.f32

# From the program's field solution (resonex-cli calc --json): the loaded
# frequency (resonance.loaded_hz) and the lossless bound on the top voltage
# (power.secondary_peak_voltage_v), the two figures not worked out here.
FIELD = {"bang-mm": (195949.42, 537067.9), "bang-in": (369623.97, 705705.4)}

# Medhurst's table: rows by winding length over diameter, columns by wire
# diameter over pitch from 1.0 down to 0 in tenths; the last row the long
# solenoid's limit. At l/D = 10, d/p = 0.7 the transcriptions differ (2.27,
# 2.37); 2.37, which follows its column, is taken.
MEDHURST_ROWS = [0, 0.2, 0.4, 0.6, 0.8, 1, 2, 4, 6, 8, 10]
MEDHURST_WIRE_OVER_PITCH = [1.0, 0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1, 0.0]
MEDHURST = [
    [5.31, 3.73, 2.74, 2.12, 1.74, 1.44, 1.20, 1.16, 1.07, 1.02, 1.00],
    [5.45, 3.84, 2.83, 2.20, 1.77, 1.48, 1.29, 1.19, 1.08, 1.02, 1.00],
    [5.65, 3.99, 2.97, 2.28, 1.83, 1.54, 1.33, 1.21, 1.08, 1.03, 1.00],
    [5.80, 4.11, 3.10, 2.38, 1.89, 1.60, 1.38, 1.22, 1.10, 1.03, 1.00],
    [5.80, 4.17, 3.20, 2.44, 1.92, 1.64, 1.42, 1.23, 1.10, 1.03, 1.00],
    [5.55, 4.10, 3.17, 2.47, 1.94, 1.67, 1.45, 1.24, 1.10, 1.03, 1.00],
    [4.10, 3.36, 2.74, 2.32, 1.98, 1.74, 1.50, 1.28, 1.13, 1.04, 1.00],
    [3.54, 3.05, 2.60, 2.27, 2.01, 1.78, 1.54, 1.32, 1.15, 1.04, 1.00],
    [3.31, 2.92, 2.60, 2.29, 2.03, 1.80, 1.56, 1.34, 1.16, 1.04, 1.00],
    [3.20, 2.90, 2.62, 2.34, 2.08, 1.81, 1.57, 1.34, 1.165, 1.04, 1.00],
    [3.23, 2.93, 2.65, 2.37, 2.10, 1.83, 1.58, 1.35, 1.17, 1.04, 1.00],
]
MEDHURST_LONG = [3.41, 3.11, 2.815, 2.51, 2.22, 1.93, 1.65, 1.395, 1.19, 1.05, 1.00]

SPAN_CYCLES = 1000
SCAN = 16   # envelope steps a fastest period
SAMPLES = 64  # peak and zero samples a fastest period


# --- Resistances -------------------------------------------------------------

def skin_resistance(length, diameter, hertz):
    r = diameter / 2
    delta = math.sqrt(2 * COPPER / (2 * math.pi * hertz * MU0))
    return COPPER * length / (math.pi * r * r) * skin_worked.ratio(r / delta)


def across(values, axis, x):
    """values over a decreasing or increasing axis, linear at x."""
    for i in range(len(axis) - 1):
        a, b = axis[i], axis[i + 1]
        if min(a, b) <= x <= max(a, b):
            return values[i] + (x - a) / (b - a) * (values[i + 1] - values[i])
    raise ValueError(x)


def medhurst(length_over_dia, wire_over_pitch):
    row = lambda values: across(values, MEDHURST_WIRE_OVER_PITCH, wire_over_pitch)
    if length_over_dia >= MEDHURST_ROWS[-1]:
        ten, long = row(MEDHURST[-1]), row(MEDHURST_LONG)
        return long + (ten - long) * MEDHURST_ROWS[-1] / length_over_dia
    return across([row(values) for values in MEDHURST], MEDHURST_ROWS, length_over_dia)


# --- Polynomials (coefficients from the constant up) and their roots ---------

def p_mul(a, b):
    out = [0.0] * (len(a) + len(b) - 1)
    for i, x in enumerate(a):
        for j, y in enumerate(b):
            out[i + j] += x * y
    return out


def p_add(a, b, scale=1.0):
    n = max(len(a), len(b))
    return [(a[i] if i < len(a) else 0.0) + scale * (b[i] if i < len(b) else 0.0)
            for i in range(n)]


def p_at(a, z):
    value = 0j
    for c in reversed(a):
        value = value * z + c
    return value


def p_slope(a):
    return [i * a[i] for i in range(1, len(a))]


def p_roots(a):
    """All roots: Durand-Kerner (Weierstrass) on the monic polynomial, then
    Newton's on the polynomial itself."""
    n = len(a) - 1
    monic = [c / a[-1] for c in a]
    radius = max(abs(c) for c in monic[:-1]) ** (1.0 / n) + 1
    z = [radius * (0.4 + 0.9j) ** i for i in range(n)]
    for _ in range(2000):
        moved = 0.0
        for i in range(n):
            below = 1 + 0j
            for j in range(n):
                if j != i:
                    below *= z[i] - z[j]
            step = p_at(monic, z[i]) / below
            z[i] -= step
            moved = max(moved, abs(step) / max(1.0, abs(z[i])))
        if moved < 1e-16:
            break
    slope = p_slope(a)
    for i in range(n):
        for _ in range(3):
            d = p_at(slope, z[i])
            if d != 0:
                z[i] -= p_at(a, z[i]) / d
    # Conjugates exactly so, real roots real.
    for i in range(n):
        if abs(z[i].imag) < 1e-12 * abs(z[i]):
            z[i] = complex(z[i].real, 0)
    return z


class Signal:
    """sum of c exp(s (tau - origin)) over the poles (conjugates included)."""

    def __init__(self, terms, origin=0.0):
        self.terms, self.origin = terms, origin

    def __call__(self, tau):
        return sum(c * cmath.exp(s * (tau - self.origin)) for s, c in self.terms).real

    def slope(self, tau):
        return sum(s * c * cmath.exp(s * (tau - self.origin)) for s, c in self.terms).real

    def analytic(self, tau):
        """Each oscillating pair's positive-frequency part twice, a real pole's once."""
        z, dz = 0j, 0j
        for s, c in self.terms:
            if s.imag < 0:
                continue
            term = (2 if s.imag > 0 else 1) * c * cmath.exp(s * (tau - self.origin))
            z += term
            dz += s * term
        return z, dz


def residues(numerator, denominator, poles, scale):
    slope = p_slope(denominator)
    return Signal([(s, scale * p_at(numerator, s) / p_at(slope, s)) for s in poles])


# --- Events ------------------------------------------------------------------

def bisect(f, low, high):
    f_low = f(low)
    for _ in range(200):
        mid = (low + high) / 2
        if mid in (low, high):
            break
        f_mid = f(mid)
        if f_mid == 0:
            return mid
        if (f_mid < 0) == (f_low < 0):
            low, f_low = mid, f_mid
        else:
            high = mid
    return (low + high) / 2


def golden_max(f, low, high):
    ratio = (math.sqrt(5) - 1) / 2
    c, d = high - ratio * (high - low), low + ratio * (high - low)
    fc, fd = f(c), f(d)
    while high - low > 1e-13 * max(1.0, abs(high)):
        if fc > fd:
            high, d, fd = d, c, fc
            c = high - ratio * (high - low)
            fc = f(c)
        else:
            low, c, fc = c, d, fd
            d = low + ratio * (high - low)
            fd = f(d)
    return max(fc, fd, f(low), f(high))


def peak(signal, start, end, step):
    """The largest |signal| from start to end, and where."""
    magnitude = lambda tau: abs(signal(tau))
    count = max(2, int(math.ceil((end - start) / step)))
    h = (end - start) / count
    values = [magnitude(start + i * h) for i in range(count + 1)]
    best, where = max(values[0], values[-1]), start if values[0] >= values[-1] else end
    for i in range(1, count):
        if values[i] >= values[i - 1] and values[i] >= values[i + 1]:
            top = golden_max(magnitude, start + (i - 1) * h, start + (i + 1) * h)
            if top > best:
                best, where = top, start + i * h
    return best, where


# --- The worked bang ---------------------------------------------------------

def worked(d, name):
    hertz, bound = FIELD[name]
    w = cw.worked(dict(d, frequency=hertz, target_k=None))
    to_m = (lambda x: x / 1000) if d["mm"] else (lambda x: x * 254 / 10000)
    omega = 2 * math.pi * f32(hertz)
    c1 = w["capacitance"]
    v0 = math.sqrt(2) * f32(d["kv"]) * 1000
    l1, m, k = w["at_tap"]
    l2 = w["ls"]
    # The primary's conductor from its inner turn to the tap.
    tap = w["tap"]
    length = sum(min(1.0, tap - n) * 2 * math.pi * r
                 for n, (r, _) in enumerate(cw.centres(w["pri"])) if n < tap)
    r1 = f32(d["gap_ohms"]) + skin_resistance(length, w["pri"]["conductor"], f32(hertz))
    # The secondary's wire as the classic calculation keeps its length
    # (metres for a millimetre design, feet for an inch one).
    sec = w["sec"]
    dia, height = f32(d["dia"]), f32(d["height"])
    wire, spacing = f32(d["wire"]), f32(d["spacing"])
    turns = sec["turns"]
    wire_m = f32(dia * math.pi * turns / 1000) if d["mm"] else \
        f32(dia * math.pi * turns / 12) * 0.3048
    factor = medhurst(height / dia, wire / f32(wire + spacing))
    r2 = skin_resistance(wire_m, to_m(wire), f32(hertz)) * factor
    c2 = 1 / (omega * omega * l2)
    g = 0.0
    if d["streamer_ohms"]:
        rating = f32(d["kv"]) * 1000 * f32(d["ma"]) / 1000 * d["count"]
        spark_m = 1.7 * math.sqrt(rating) * 0.0254
        c2 += 1e-12 / 0.3048 * spark_m
        g = 1 / f32(d["streamer_ohms"])

    # In sigma = s / omega.
    y2 = [g, c2 * omega]
    p1 = [1.0, r1 * c1 * omega, l1 * c1 * omega ** 2]
    p2 = p_add(p_mul([r2, l2 * omega], y2), [1.0])
    dd = p_add(p_mul(p1, p2), p_mul([0, 0, 0, c1 * m * m * omega ** 3], y2), -1)
    poles = p_roots(dd)
    i1 = residues(p2, dd, poles, v0 * c1 * omega)
    v1 = residues(p_add(dd, p2, -1)[1:], dd, poles, v0)
    v2 = residues([0.0, 1.0], dd, poles, -v0 * c1 * omega ** 2 * m)
    i2 = residues(p_mul([0.0, 1.0], y2), dd, poles, -v0 * c1 * omega ** 2 * m)
    check_bang(i1, v1, i2, v2, v0, dict(l1=l1, l2=l2, m=m, r1=r1, r2=r2, c1=c1, c2=c2, g=g),
               omega)

    fastest = max(abs(s.imag) for s in poles)
    period = 2 * math.pi / fastest
    end = SPAN_CYCLES * 2 * math.pi * math.sqrt(l1 * c1) * omega
    # The notches up to the one the gap stops after (the first at least).
    quench_notch = d["quench"]
    wanted = max(1, quench_notch or 1)
    envelope_slope = lambda tau: (lambda z: 2 * (z[1] * z[0].conjugate()).real)(i1.analytic(tau))
    at_firing = abs(i1.analytic(0)[0]) ** 2
    notches, tau, before = [], 0.0, envelope_slope(0.0)
    step = period / SCAN
    while tau < end and len(notches) < wanted:
        after = envelope_slope(min(tau + step, end))
        if before < 0 <= after:
            notch = bisect(envelope_slope, tau, min(tau + step, end))
            if abs(i1.analytic(notch)[0]) ** 2 < at_firing:
                notches.append(notch)
        tau, before = tau + step, after
    quench = None
    if quench_notch and len(notches) == quench_notch:
        tau, before, fine = notches[-1], i1(notches[-1]), period / SAMPLES
        while tau < end:
            after = i1(min(tau + fine, end))
            if before == 0 or (before < 0) != (after < 0):
                quench = tau if before == 0 else bisect(i1, tau, min(tau + fine, end))
                break
            tau, before = tau + fine, after
    conducting = quench if quench is not None else end
    i1_peak, i1_where = peak(i1, 0.0, conducting, period / SAMPLES)
    v2_peak, v2_where = peak(v2, 0.0, conducting, period / SAMPLES)
    # The secondary alone: its roots, and after a quench its ring from the state then.
    own = p_roots(p2)
    # The amplitude's slowest decay; Q from the roots' product w0^2 and sum -2 alpha.
    slowest = min(-s.real for s in own) * omega
    q = math.sqrt(abs(own[0] * own[1])) / -(own[0] + own[1]).real
    figures = {"r1": r1, "r2": r2, "first_notch": notches[0] / omega if notches else None,
               "quench": None, "i1_peak": i1_peak, "v2_peak": v2_peak, "ring_down": 1 / slowest,
               "q": q, "where": {"notches_us": [n / omega * 1e6 for n in notches],
                                 "i1_peak_us": i1_where / omega * 1e6,
                                 "v2_peak_while_conducting": [v2_peak, v2_where / omega * 1e6]}}
    if quench is not None:
        a2, b2 = i2(quench), v2(quench)
        total = c1 * v0 * v0 / 2
        figures["quench"] = quench / omega
        figures["share"] = (l2 * a2 * a2 + c2 * b2 * b2) / 2 / total
        figures["primary_j"] = c1 * v1(quench) ** 2 / 2
        ring = residues(p_add(p_mul([r2, l2 * omega], [c2 * b2]), [l2 * a2]), p2, own, omega)
        ring.origin = quench
        assert abs(ring(quench) - b2) <= 1e-9 * abs(b2)
        after, where = peak(ring, quench, end, period / SAMPLES)
        figures["where"]["v2_peak_after_quench"] = [after, where / omega * 1e6]
        if after > v2_peak:
            figures["v2_peak"] = after
    figures["where"]["span_us"] = end / omega * 1e6
    # The coupling that empties the primary at the first notch, nearest k.
    ks = [(2 * n + 1) / (2 * n * n + 2 * n + 1) for n in range(1, 200)]
    figures["k_complete"] = min(ks, key=lambda km: abs(km - k))
    figures["height"], figures["why_no_height"], _ = cw.height_for_k(
        w["pri"], sec, l2, tap, figures["k_complete"])
    figures["bound"] = bound
    return figures


def check_bang(i1, v1, i2, v2, v0, c, omega):
    """The sums meet the state at the firing and the loop equations later."""
    ia = v0 * math.sqrt(c["c1"] / c["l1"])
    assert abs(i1(0)) < 1e-9 * ia and abs(i2(0)) < 1e-9 * ia
    assert abs(v1(0) - v0) < 1e-9 * v0 and abs(v2(0)) < 1e-9 * v0
    for tau in (0.7, 13.1, 101.3):
        d = lambda s: s.slope(tau) * omega
        primary = c["l1"] * d(i1) + c["m"] * d(i2) + c["r1"] * i1(tau) - v1(tau)
        secondary = c["m"] * d(i1) + c["l2"] * d(i2) + c["r2"] * i2(tau) + v2(tau)
        tank = c["c1"] * d(v1) + i1(tau)
        top = c["c2"] * d(v2) + c["g"] * v2(tau) - i2(tau)
        assert abs(primary) < 1e-9 * v0 and abs(secondary) < 1e-9 * v0, (primary, secondary)
        assert abs(tank) < 1e-9 * ia and abs(top) < 1e-9 * ia, (tank, top)


# --- As the summary and the JSON write them ----------------------------------

def section(d, f):
    comma = d["comma"]
    fixed = lambda value, decimals=2: cw.fixed(value, decimals, comma)
    us = lambda seconds: fixed(seconds / 1e-6) + "us"
    kv = lambda volts: fixed(volts / 1e3) + "kV"
    if d["mm"]:
        length = lambda metres: fixed(metres * 1000) + "mm"
    else:
        length = lambda metres: fixed(metres / 0.0254) + "in"
    lines = ["Bang",
             "Primary resistance: the gap's and the conductor's to the tap : "
             + fixed(f["r1"]) + "Ohm",
             "Secondary resistance (skin and proximity effect, Medhurst) : "
             + fixed(f["r2"]) + "Ohm"]
    if f["first_notch"] is not None:
        lines.append("First notch : " + us(f["first_notch"]))
    notch = d["quench"]
    if not notch:
        lines.append("Gap quenches : never (it conducts throughout)")
    elif f["quench"] is None:
        lines.append("Gap quenches : not within the span: notch %d is not reached" % notch)
    else:
        lines += ["Gap quenches : %s, at the current's zero after notch %d" % (us(f["quench"]), notch),
                  "Share of the bang's energy in the secondary at the quench : "
                  + fixed(f["share"] / 1e-2) + "%",
                  "Energy left in the primary at the quench (the gap takes it) : "
                  + fixed(f["primary_j"]) + "J"]
    lines += ["Peak primary current : " + fixed(f["i1_peak"]) + "A",
              "Secondary peak voltage, with losses : %s (lossless bound %s)"
              % (kv(f["v2_peak"]), kv(f["bound"])),
              "Secondary ring-down to 1/e : " + us(f["ring_down"]),
              "Secondary Q : " + fixed(f["q"]),
              "Nearest coupling that empties the primary at the first notch : "
              + fixed(f["k_complete"], 4)]
    if f["height"] is not None:
        lines.append("Height of the inner turn for it : " + length(f["height"]))
    else:
        lines.append("No height gives it: " + f["why_no_height"])
    return "\n".join(lines) + "\n"


def bang_json(d, f):
    quenched = f["quench"] is not None
    return {
        "absent_reason": None, "gap_ohms": d["gap_ohms"], "streamer_ohms": d["streamer_ohms"],
        "quench_notch": d["quench"], "primary_resistance_ohm": f["r1"],
        "secondary_resistance_ohm": f["r2"], "first_notch_s": f["first_notch"],
        "quench_s": f["quench"], "secondary_share": f["share"] if quenched else None,
        "primary_energy_at_quench_j": f["primary_j"] if quenched else None,
        "primary_peak_current_a": f["i1_peak"], "secondary_peak_voltage_v": f["v2_peak"],
        "ring_down_s": f["ring_down"], "secondary_q": f["q"],
        "complete_transfer_k": f["k_complete"], "height_for_complete_transfer_m": f["height"]}


DESIGNS = {
    "bang-mm": dict(mm=True, comma=False, mains=60, kv=15, ma=60, count=1, dia=200,
                    height=600, wire=0.72, spacing=0, con_dia=9.5, con_spa=6.35, sec_sep=62.5,
                    shape="flat", angle=0, turns=15, pri_height=0, gap_ohms=1,
                    streamer_ohms=None, quench=1),
    "bang-in": dict(mm=False, comma=True, mains=50, kv=12, ma=60, count=2, dia=4.5,
                    height=20, wire=0.0253, spacing=0.005, con_dia=0.25, con_spa=0.25,
                    sec_sep=1.5, shape="helical", angle=0, turns=14, pri_height=-1.25,
                    gap_ohms=0.5, streamer_ohms=1000000, quench=2),
}


def main(args):
    out, where = {}, {}
    for name, design in DESIGNS.items():
        f = worked(design, name)
        out[name + ".txt"] = section(design, f)
        out[name + ".json"] = json.dumps(bang_json(design, f), indent=1) + "\n"
        where[name] = f["where"]
    if args == ["--where"]:
        print(json.dumps(where, indent=1))
        return 0
    return worked_files.run(args, out)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
