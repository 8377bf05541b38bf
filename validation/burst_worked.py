#!/usr/bin/env python3
"""The burst's worked examples, worked out apart from the program.

Two designs driven by a bridge:

- in millimetres, the worked design (a 200 x 600 mm winding of 0.72 mm wire
  under a 300 x 75 mm toroid) with the flat primary of 15 turns a new design
  has; a full bridge on a 340 V bus; a bank of 0.15 uF / 2 kV units, 10 in
  series, 4 strings (60 nF, 20 kV); a 120 us on-time that ends the burst, 200
  bursts a second, switches rated 1000 A;
- in inches with comma decimals, a 4.5 x 20 in winding of 0.0253 in wire
  spaced 0.005 in under a 14 x 3.5 in toroid, two 12 kV / 60 mA transformers
  (they give the streamer its capacitance), a helical primary of 14 turns of
  1/4 in tubing 1 1/4 in below the base; a half bridge on 230 V mains through
  a doubler; a bank of 0.1 uF / 1.2 kV units, 5 in series, 3 strings; tuned
  to 0.9 of the loaded frequency; a 1 Mohm streamer; a 200 us on-time, 150
  bursts a second; an over-current limit of 400 A that stops the burst after
  some 9.6 us, switches rated 350 A (the warning). After the stop the
  diodes open twice more from the open primary as the secondary swings.

The circuit is the bang's (bang_worked.py) without the gap: L1, M, k at the
tap from coupling_worked.py's listing of the primary as built (Maxwell's
coaxial circles), the tap the fractional turn where L1 reaches
1/((2 pi f_tank)^2 C1), f_tank the tuning ratio times the loaded frequency,
linear between whole turns; R1 the conductor's skin resistance from the inner
turn to the tap, R2 the secondary's skin resistance times Medhurst's factor,
C2 = 1/(w^2 Ls) at the loaded frequency (plus the streamer's capacitance and
its conductance across C2 where the transformer gives one). The loops:
    L1 i1' + M i2' = v1 + u - R1 i1,   C1 v1' = -i1,
    M i1' + L2 i2' = -v2 - R2 i2,      C2 v2' = i2 - G v2.
u is the bridge's +-V (V the bus, half of it for a half bridge), of the sign
of i1 while the bridge drives (reversed at each zero of i1, from rest with
+V) and against it once it has stopped (the diodes return the current to the
bus). At a zero of i1 after the stop the two equations with i1 = 0 give
(L1 - M^2/L2) i1' = E + u, E = v1 + (M/L2)(v2 + R2 i2): with the diodes'
u = -V s against a new current of sign s it grows only where s E > V; else
the primary stands open (v1 held) and the secondary rings alone until |E|
reaches V again (looked for over two of its cycles).

Each stretch of constant u is solved by the matrix exponential (a truncated
Taylor series with scaling and squaring, on the state scaled by sqrt(C1),
sqrt(L1), sqrt(L2), sqrt(C2) to keep its norm near w h), marched in steps of
a 128th of the loaded period from the stretch's rest (v1 = -u, all else 0);
an event (a zero of i1, |i1| reaching the limit, |E| reaching V) is closed in
by bisection on the exponential from the step's start, a hump that passes a
level between two samples caught by a golden-section search of its top. The
integrals (the energy u i1 drawn or returned, i1^2 for the RMS) by 8-point
Gauss-Legendre quadrature on each step; the peaks the samples' humps refined
by golden-section search. The script checks the loop equations and the
energy balance (drawn - returned = heat + what is left).

The lossless coupled modes: w^2 the roots of
(1 - w^2/w1^2)(1 - w^2/w2^2) = k^2 w^4/(w1^2 w2^2). The lock frequency: two
cycles over the last four half cycles the bridge drove to a current zero
(the start counting as the first zero).

One figure comes from the program's field solution: the loaded frequency
(resonance.loaded_hz, pinned by its own worked example). Everything else is
worked out here.

The Burst section of each (burst-mm.txt, burst-in.txt, title to the end) and
the JSON's burst object in SI units (burst-mm.json, burst-in.json).

    python3 validation/burst_worked.py            prints them
    python3 validation/burst_worked.py --check D  compares them with the files in D
    python3 validation/burst_worked.py --write D  writes those files
    python3 validation/burst_worked.py --where    prints the stretches after the stop,
                                                 where the peaks lie, the modes
"""
import json
import math
import sys

import bang_worked as bw
import coupling_worked as cw
import gauss_legendre
import worked_files

f32 = cw.f32

# From the program's field solution (resonex-cli calc --json): the loaded
# frequency (resonance.loaded_hz).
LOADED = {"burst-mm": 195949.42, "burst-in": 369623.97}

STEPS = 128  # steps a loaded period
GAUSS = gauss_legendre.nodes(8)


# --- Small dense linear algebra ----------------------------------------------

def mat_mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(len(b))) for j in range(len(b[0]))]
            for i in range(len(a))]


def mat_vec(a, x):
    return [sum(a[i][k] * x[k] for k in range(len(x))) for i in range(len(a))]


def expm(a, t):
    """exp(a t): Taylor to convergence on a t / 2^s, squared s times."""
    n = len(a)
    norm = max(sum(abs(v) for v in row) for row in a) * abs(t)
    s = max(0, int(math.ceil(math.log2(norm / 0.25))) if norm > 0.25 else 0)
    m = [[v * t / 2 ** s for v in row] for row in a]
    out = [[float(i == j) for j in range(n)] for i in range(n)]
    term = [row[:] for row in out]
    for j in range(1, 40):
        term = [[v / j for v in row] for row in mat_mul(term, m)]
        out = [[out[r][c] + term[r][c] for c in range(n)] for r in range(n)]
        if max(abs(v) for row in term for v in row) < 1e-18:
            break
    for _ in range(s):
        out = mat_mul(out, out)
    return out


# --- The circuit ---------------------------------------------------------------

def circuit(d, name):
    hertz = LOADED[name]
    # The transformer's figures only feed coupling_worked's classic tap, unused here.
    w = cw.worked(dict(d, frequency=hertz, target_k=None, kv=d["kv"] or 15))
    to_m = (lambda x: x / 1000) if d["mm"] else (lambda x: x * 254 / 10000)
    c = {}
    if d["bus_v"]:
        c["bus"] = f32(d["bus_v"])
    else:
        c["bus"] = f32(d["mains_v"]) * math.sqrt(2) * (2 if d["doubler"] else 1)
    c["volts"] = c["bus"] if d["full"] else c["bus"] / 2
    c["c1"] = f32(d["unit_uf"]) * 1e-6 * d["strings"] / d["series"]
    c["rating"] = f32(d["unit_kv"]) * 1000 * d["series"]
    c["tank_hz"] = f32(d["tune"]) * f32(hertz)
    omega_tank = 2 * math.pi * c["tank_hz"]
    tap, why = cw.tap_turn(w["lp"], 1 / (omega_tank ** 2 * c["c1"]))
    assert tap is not None, why
    c["tap"] = tap
    c["l1"], c["m"], c["k"] = [cw.interpolate(values, tap) for values in (w["lp"], w["m"], w["k"])]
    c["l2"] = w["ls"]
    length = sum(min(1.0, tap - n) * 2 * math.pi * r
                 for n, (r, _) in enumerate(cw.centres(w["pri"])) if n < tap)
    c["r1"] = bw.skin_resistance(length, w["pri"]["conductor"], f32(hertz))
    sec = w["sec"]
    dia, height = f32(d["dia"]), f32(d["height"])
    wire, spacing = f32(d["wire"]), f32(d["spacing"])
    wire_m = f32(dia * math.pi * sec["turns"] / 1000) if d["mm"] else \
        f32(dia * math.pi * sec["turns"] / 12) * 0.3048
    factor = bw.medhurst(height / dia, wire / f32(wire + spacing))
    c["r2"] = bw.skin_resistance(wire_m, to_m(wire), f32(hertz)) * factor
    omega = 2 * math.pi * f32(hertz)
    c["c2"] = 1 / (omega * omega * c["l2"])
    c["g"] = 0.0
    if d["streamer_ohms"] and d.get("kv"):
        rating = f32(d["kv"]) * 1000 * f32(d["ma"]) / 1000 * d["count"]
        spark_m = 1.7 * math.sqrt(rating) * 0.0254
        c["c2"] += 1e-12 / 0.3048 * spark_m
        c["g"] = 1 / f32(d["streamer_ohms"])
    c["omega"] = omega
    return c


class Loops:
    """The loop equations on the scaled state y = S x, x = (v1, i1, i2, v2),
    S = diag(sqrt(C1), sqrt(L1), sqrt(L2), sqrt(C2)); time in seconds."""

    def __init__(self, c):
        self.c = c
        l1, l2, m, r1, r2 = c["l1"], c["l2"], c["m"], c["r1"], c["r2"]
        c1, c2, g = c["c1"], c["c2"], c["g"]
        det = l1 * l2 - m * m
        # x' = A x + B u; each stretch runs from its rest, where A x + B u = 0.
        a = [[0, -1 / c1, 0, 0],
             [l2 / det, -l2 * r1 / det, m * r2 / det, m / det],
             [-m / det, m * r1 / det, -l1 * r2 / det, -l1 / det],
             [0, 0, 1 / c2, -g / c2]]
        # The primary open: v1 held, i1 0, the secondary alone.
        alone = [[0, 0, 0, 0], [0, 0, 0, 0],
                 [0, 0, -r2 / l2, -1 / l2],
                 [0, 0, 1 / c2, -g / c2]]
        self.s = [math.sqrt(c1), math.sqrt(l1), math.sqrt(l2), math.sqrt(c2)]
        scale = lambda mat: [[mat[i][j] * self.s[i] / self.s[j] for j in range(4)]
                             for i in range(4)]
        self.a, self.alone = scale(a), scale(alone)

    def to_y(self, x):
        return [v * s for v, s in zip(x, self.s)]

    def to_x(self, y):
        return [v / s for v, s in zip(y, self.s)]

    def push(self, x):
        """E = v1 + (M/L2)(v2 + R2 i2)."""
        c = self.c
        return x[0] + c["m"] / c["l2"] * (x[3] + c["r2"] * x[2])

    def check(self, x, dx, u):
        """The loop equations in their own form, at a state and its slope."""
        c = self.c
        v1, i1, i2, v2 = x
        dv1, di1, di2, dv2 = dx
        scale = max(1.0, abs(u), abs(v1))
        assert abs(c["l1"] * di1 + c["m"] * di2 - (v1 + u - c["r1"] * i1)) < 1e-9 * scale
        assert abs(c["m"] * di1 + c["l2"] * di2 + v2 + c["r2"] * i2) < 1e-9 * max(scale, abs(v2))
        assert abs(c["c1"] * dv1 + i1) < 1e-9 * max(1.0, abs(i1))
        assert abs(c["c2"] * dv2 - i2 + c["g"] * v2) < 1e-9 * max(1.0, abs(i2))


class Stretch:
    """x(t) from t0, x0 under a constant u (conducting) or with the primary open."""

    def __init__(self, loops, t0, x0, u, open_=False):
        self.loops, self.t0, self.u, self.open = loops, t0, u, open_
        self.a = loops.alone if open_ else loops.a
        # The open primary holds the tank's charge; a conducting one rests at v1 = -u.
        self.rest = loops.to_y([x0[0] if open_ else -u, 0, 0, 0])
        y0 = loops.to_y(x0)
        self.offset0 = [y - r for y, r in zip(y0, self.rest)]
        self.h = 2 * math.pi / loops.c["omega"] / STEPS
        self.step = expm(self.a, self.h)
        self.samples = [self.offset0]  # offsets at t0 + n h
        self.nodes = [expm(self.a, self.h * (1 + z) / 2) for z, _ in GAUSS]

    def offset(self, n):
        while len(self.samples) <= n:
            self.samples.append(mat_vec(self.step, self.samples[-1]))
        return self.samples[n]

    def at(self, t):
        n = max(0, int((t - self.t0) / self.h))
        delta = t - self.t0 - n * self.h
        o = mat_vec(expm(self.a, delta), self.offset(n)) if delta else self.offset(n)
        return self.loops.to_x([v + r for v, r in zip(o, self.rest)])

    def sample(self, n):
        return self.loops.to_x([v + r for v, r in zip(self.offset(n), self.rest)])

    def integrals(self, n, length=None):
        """Over [t0 + n h, t0 + n h + length]: (integral of i1, of i1^2)."""
        length = self.h if length is None else length
        nodes = self.nodes if length == self.h else \
            [expm(self.a, length * (1 + z) / 2) for z, _ in GAUSS]
        first = second = 0.0
        base = self.offset(n)
        for (_, weight), e in zip(GAUSS, nodes):
            i1 = self.loops.to_x([v + r for v, r in zip(mat_vec(e, base), self.rest)])[1]
            first += weight * i1 * length / 2
            second += weight * i1 * i1 * length / 2
        return first, second


def golden_top(f, low, high):
    """The largest f between low and high (one hump), and where."""
    ratio = (math.sqrt(5) - 1) / 2
    c, d = high - ratio * (high - low), low + ratio * (high - low)
    fc, fd = f(c), f(d)
    while high - low > 1e-13 * abs(high):
        if fc > fd:
            high, d, fd = d, c, fc
            c = high - ratio * (high - low)
            fc = f(c)
        else:
            low, c, fc = c, d, fd
            d = low + ratio * (high - low)
            fd = f(d)
    return max((fc, c), (fd, d))


def first_reach(stretch, f, level, end, humps):
    """The first t after the stretch's start, up to end, where f(x) reaches level
    (below it at the start); None if it does not."""
    h, t0 = stretch.h, stretch.t0
    n = 0
    before = None
    value = f(stretch.sample(0))
    while t0 + n * h < end:
        t1 = min(t0 + (n + 1) * h, end)
        after = f(stretch.sample(n + 1)) if t1 == t0 + (n + 1) * h else f(stretch.at(t1))
        g = lambda t: f(stretch.at(t)) - level
        if after >= level:
            return bw.bisect(g, t0 + n * h, t1)
        if humps and before is not None and value >= before and value >= after \
                and value > level * 0.99:
            top, where = golden_top(lambda t: f(stretch.at(t)), t0 + (n - 1) * h, t1)
            if top >= level:
                return bw.bisect(g, t0 + (n - 1) * h, where)
        before, value, n = value, after, n + 1
    return None


class Peak:
    def __init__(self):
        self.value, self.at = 0.0, 0.0

    def over(self, stretch, index, end):
        """|x[index]| over the stretch to end: the samples' humps by golden section."""
        h, t0 = stretch.h, stretch.t0
        count = int(math.floor((end - t0) / h))
        values = [abs(stretch.sample(n)[index]) for n in range(count + 1)]
        last = abs(stretch.at(end)[index])
        times = [t0 + n * h for n in range(count + 1)] + [end]
        values.append(last)
        for i, v in enumerate(values):
            if v > self.value:
                self.value, self.at = v, times[i]
        for i in range(1, len(values) - 1):
            if values[i] >= values[i - 1] and values[i] >= values[i + 1] \
                    and values[i] > self.value * (1 - 1e-3):
                top, where = golden_top(lambda t: abs(stretch.at(t)[index]),
                                        times[i - 1], times[i + 1])
                if top > self.value:
                    self.value, self.at = top, where


def burst(c, d):
    loops = Loops(c)
    volts = c["volts"]
    on_time = f32(d["on_time_us"]) * 1e-6
    limit = f32(d["ocd_a"]) if d["ocd_a"] else None
    pieces = []  # (stretch, from, to, kind)
    zeros = [0.0]
    drawn = returned = square = 0.0
    x, t, direction = [0.0, 0.0, 0.0, 0.0], 0.0, 1.0
    limited = False

    def integrate(stretch, end):
        n, first, second = 0, 0.0, 0.0
        while stretch.t0 + (n + 1) * stretch.h <= end:
            a, b = stretch.integrals(n)
            first, second, n = first + a, second + b, n + 1
        rest = end - stretch.t0 - n * stretch.h
        if rest > 0:
            a, b = stretch.integrals(n, rest)
            first, second = first + a, second + b
        return first, second

    while True:
        s = Stretch(loops, t, x, direction * volts)
        zero = first_reach(s, lambda y: -direction * y[1], 0.0, on_time, False)
        reach = None
        if limit is not None:
            reach = first_reach(s, lambda y: direction * y[1], limit,
                                zero if zero is not None else on_time, True)
        end = reach if reach is not None else (zero if zero is not None else on_time)
        charge, sq = integrate(s, end)
        drawn += direction * volts * charge
        square += sq
        pieces.append((s, t, end, "driving"))
        x, t = s.at(end), end
        if reach is not None:
            limited = True
            break
        if zero is None or end >= on_time:
            break
        zeros.append(end)
        x[1] = 0.0
        direction = -direction
    stop = t

    # The diodes, then the primary open.
    alone_roots = bw.p_roots([(c["r2"] * c["g"] + 1) / (c["l2"] * c["c2"]),
                              c["r2"] / c["l2"] + c["g"] / c["c2"], 1.0])
    ring_span = 2 * max(2 * math.pi * math.sqrt(c["l2"] * c["c2"]),
                        max(2 * math.pi / abs(r.imag) for r in alone_roots if r.imag)
                        if any(r.imag for r in alone_roots) else 0)
    period = 2 * math.pi * math.sqrt(c["l1"] * c["c1"])
    give_up = t + 10000 * period
    direction = math.copysign(1, x[1]) if x[1] else math.copysign(1, loops.push(x))
    conducting = x[1] != 0 or abs(loops.push(x)) > volts
    opening = give_up
    while t < give_up:
        if conducting:
            s = Stretch(loops, t, x, -direction * volts)
            end = first_reach(s, lambda y: -direction * y[1], 0.0, give_up, False) or give_up
            charge, sq = integrate(s, end)
            returned -= -direction * volts * charge
            square += sq
            pieces.append((s, t, end, "diodes"))
            x, t = s.at(end), end
            x[1] = 0.0
            e = loops.push(x)
            conducting, direction = abs(e) > volts, math.copysign(1, e)
            continue
        s = Stretch(loops, t, x, 0.0, open_=True)
        again = first_reach(s, lambda y: abs(loops.push(y)), volts, t + ring_span, True)
        if again is None:
            opening = t
            pieces.append((s, t, t, "open"))
            break
        pieces.append((s, t, again, "open"))
        x, t = s.at(again), again
        direction, conducting = math.copysign(1, loops.push(x)), True
    span_end = opening + 2 * 2 * math.pi * math.sqrt(c["l2"] * c["c2"])
    last = pieces[-1]
    pieces[-1] = (last[0], last[1], max(last[2], span_end), last[3])

    primary, tank, top = Peak(), Peak(), Peak()
    heat = 0.0
    for s, start, end, kind in pieces:
        if kind != "open":
            primary.over(s, 1, end)
        tank.over(s, 0, end)
        top.over(s, 3, end)
    # The balance: drawn - returned = the heat in R1, R2 and G plus what is left.
    for s, start, end, kind in pieces:
        h = s.h
        n = 0
        while start + n * h < end:
            length = min(h, end - start - n * h)
            nodes = s.nodes if length == h else \
                [expm(s.a, length * (1 + z) / 2) for z, _ in GAUSS]
            for (_, weight), e in zip(GAUSS, nodes):
                x_ = loops.to_x([v + r for v, r in zip(mat_vec(e, s.offset(n)), s.rest)])
                heat += weight * length / 2 * (c["r1"] * x_[1] ** 2 + c["r2"] * x_[2] ** 2
                                               + c["g"] * x_[3] ** 2)
            n += 1
    xe = pieces[-1][0].at(span_end)
    left = 0.5 * (c["c1"] * xe[0] ** 2 + c["l1"] * xe[1] ** 2 + c["l2"] * xe[2] ** 2
                  + c["c2"] * xe[3] ** 2) + c["m"] * xe[1] * xe[2]
    assert abs(drawn - returned - heat - left) < 1e-9 * drawn, (drawn, returned, heat, left)
    # The loop equations at a few points of the first and last conducting stretches.
    for s, start, end, kind in pieces:
        if kind == "open":
            continue
        for share in (0.3, 0.7):
            tt = start + share * (end - start)
            y = loops.to_y(s.at(tt))
            dy = mat_vec(s.a, [v - r for v, r in zip(y, s.rest)])
            loops.check(loops.to_x(y), loops.to_x(dy), s.u)
        break

    f = {"peak": primary.value, "peak_at": primary.at, "stop": stop, "limited": limited,
         "tank_peak": tank.value, "top_peak": top.value, "drawn": drawn,
         "returned": returned, "square": square, "opening": opening, "zeros": zeros}
    f["lock"] = 2 / (zeros[-1] - zeros[-5]) if len(zeros) >= 5 else None
    f["where"] = {"stretches_us": [[kind, start * 1e6, end * 1e6]
                                   for _, start, end, kind in pieces if kind != "driving"],
                  "driven_stretches": sum(kind == "driving" for _, _, _, kind in pieces),
                  "opening_us": opening * 1e6,
                  "tank_peak_us": tank.at * 1e6, "top_peak_us": top.at * 1e6,
                  "heat_j": heat, "left_j": left}
    # The lossless coupled modes, w^2 = x: (1 - x/a)(1 - x/b) = k^2 x^2/(a b).
    a = 1 / (c["l1"] * c["c1"])
    b = 1 / (c["l2"] * c["c2"])
    k = c["k"]
    qa, qb, qc = (1 - k * k) / (a * b), -(1 / a + 1 / b), 1.0
    root = math.sqrt(qb * qb - 4 * qa * qc)
    modes = sorted(math.sqrt(v) / (2 * math.pi) for v in ((-qb - root) / (2 * qa),
                                                           (-qb + root) / (2 * qa)))
    f["modes"] = modes
    f["where"]["modes_hz"] = modes
    return f


# --- As the summary and the JSON write them ----------------------------------

def section(d, c, f):
    fixed = lambda value, decimals=2: cw.fixed(value, decimals, d["comma"])
    khz = lambda hz: fixed(f32(f32(hz) / 1000)) + "kHz"
    share = lambda value, rating: fixed(100 * value / rating)
    lines = ["Burst",
             "Bus voltage : " + fixed(c["bus"]) + "V",
             "Tank capacitor : " + fixed(c["c1"] / 1e-9) + "nF",
             "Primary tank's own frequency (the tuning ratio of the loaded frequency) : "
             + khz(c["tank_hz"]),
             "Primary tap for it : turn " + fixed(c["tap"]),
             "Tank impedance sqrt(L/C) : " + fixed(math.sqrt(c["l1"] / c["c1"])) + "Ohm"]
    peak = "Peak primary current : %sA at %sus" % (fixed(f["peak"]), fixed(f["peak_at"] / 1e-6))
    if d["switch_a"]:
        peak += ", %s%% of the switches' %sA" % (share(f["peak"], f32(d["switch_a"])),
                                                 fixed(f32(d["switch_a"])))
    lines.append(peak)
    lines.append("The bridge stopped : %sus, %s" % (
        fixed(f["stop"] / 1e-6),
        "at the over-current limit" if f["limited"] else "at the end of the on-time"))
    if f["lock"]:
        lower, upper = f["modes"]
        near_lower = abs(f["lock"] - lower) <= abs(f["lock"] - upper)
        lines.append("Frequency the bridge locks to : %s, the %s coupled mode (%s)" % (
            khz(f["lock"]), "lower" if near_lower else "upper",
            khz(lower if near_lower else upper)))
    lines.append("Bank's peak voltage : %skV, %s%% of its %skV rating" % (
        fixed(f["tank_peak"] / 1e3), share(f["tank_peak"], c["rating"]),
        fixed(c["rating"] / 1e3)))
    lines.append("Each unit's peak current : " + fixed(f["peak"] / d["strings"]) + "A")
    rms = math.sqrt(f32(d["bps"]) * f["square"]) / d["strings"]
    lines.append("Each unit's RMS current at the bursts per second : " + fixed(rms) + "A")
    net = f["drawn"] - f["returned"]
    lines.append("Energy drawn from the bus each burst (less what returns) : " + fixed(net) + "J")
    lines.append("Average power from the bus : " + fixed(net * f32(d["bps"])) + "W")
    lines.append("Secondary peak voltage : " + fixed(f["top_peak"] / 1e3) + "kV")
    if d["switch_a"] and f["peak"] > f32(d["switch_a"]):
        lines.append("Warning: the peak primary current passes the switches' rating")
    if f["tank_peak"] > c["rating"]:
        lines.append("Warning: the bank's peak voltage passes its rating")
    return "\n".join(lines) + "\n"


def burst_json(d, c, f):
    net = f["drawn"] - f["returned"]
    return {
        "bridge": "full" if d["full"] else "half", "bus_v": c["bus"],
        "on_time_s": f32(d["on_time_us"]) * 1e-6, "bps": f32(d["bps"]),
        "tank_capacitance_f": c["c1"], "tune_ratio": f32(d["tune"]), "tank_hz": c["tank_hz"],
        "tap_turn": c["tap"], "tank_impedance_ohm": math.sqrt(c["l1"] / c["c1"]),
        "primary_peak_current_a": f["peak"], "primary_peak_s": f["peak_at"],
        "stop_s": f["stop"], "limited": f["limited"], "lock_hz": f["lock"],
        "tank_peak_voltage_v": f["tank_peak"], "bank_rating_v": c["rating"],
        "unit_peak_current_a": f["peak"] / d["strings"],
        "unit_rms_current_a": math.sqrt(f32(d["bps"]) * f["square"]) / d["strings"],
        "bus_energy_j": net, "average_power_w": net * f32(d["bps"]),
        "secondary_peak_voltage_v": f["top_peak"]}


DESIGNS = {
    "burst-mm": dict(mm=True, comma=False, mains=60, kv=None, ma=60, count=1, dia=200,
                     height=600, wire=0.72, spacing=0, con_dia=9.5, con_spa=6.35,
                     sec_sep=62.5, shape="flat", angle=0, turns=15, pri_height=0,
                     full=True, bus_v=340, mains_v=None, doubler=False, unit_uf=0.15,
                     unit_kv=2, series=10, strings=4, tune=0.95, on_time_us=120, bps=200,
                     ocd_a=None, switch_a=1000, streamer_ohms=None),
    "burst-in": dict(mm=False, comma=True, mains=50, kv=12, ma=60, count=2, dia=4.5,
                     height=20, wire=0.0253, spacing=0.005, con_dia=0.25, con_spa=0.25,
                     sec_sep=1.5, shape="helical", angle=0, turns=14, pri_height=-1.25,
                     full=False, bus_v=None, mains_v=230, doubler=True, unit_uf=0.1,
                     unit_kv=1.2, series=5, strings=3, tune=0.9, on_time_us=200, bps=150,
                     ocd_a=400, switch_a=350, streamer_ohms=1000000),
}


def main(args):
    out, where = {}, {}
    for name, design in DESIGNS.items():
        c = circuit(design, name)
        f = burst(c, design)
        out[name + ".txt"] = section(design, c, f)
        out[name + ".json"] = json.dumps(burst_json(design, c, f), indent=1) + "\n"
        where[name] = f["where"]
    if args == ["--where"]:
        print(json.dumps(where, indent=1))
        return 0
    return worked_files.run(args, out)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
