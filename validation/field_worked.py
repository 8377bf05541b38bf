#!/usr/bin/env python3
"""The top load's, the surroundings' and the resonance's worked examples,
worked out apart from the program.

An axisymmetric moment-method solution of its own (Harrington, "Field
Computation by Moment Methods", 1968): every conductor's generating curve is
cut into bands of even surface charge, each matched at a point on the surface
to the potential it is held at. The ring kernel is Smythe's ("Static and
Dynamic Electricity", 1950, 5.31): a unit charge spread round a ring of radius
rho at height zeta gives (2/pi) K(k) / sqrt((r + rho)^2 + (z - zeta)^2) at
(r, z), k^2 = 4 r rho / ((r + rho)^2 + (z - zeta)^2), in units where
4 pi epsilon0 = 1; K by the arithmetic-geometric mean (Abramowitz & Stegun
17.6), from the complementary modulus. The floor is a ground plane taken by
images (Jackson, "Classical Electrodynamics", 2.2); a strike rail, a ceiling
and walls are grounded. A band's potential is integrated over the band itself
by Gauss-Legendre on intervals halving towards the point matched, which takes
the kernel's logarithmic singularity there.

The winding is a cylindrical sheet whose voltage profile is not assumed: the
lowest mode of the winding as a line is found by power iteration, the charges
from the field solution, the current through each band omega times the charge
above it, and the voltage rising across each band by the bands' mutual
inductances, each band a piece of the current sheet coupled to another by
Lorenz's sheet inductance in Nagaoka's form over their spans (Grover,
"Inductance Calculations", 1946, ch. 16: 2 M(A, B) = L(A..B) - L(A and the
gap) - L(the gap and B) + L(the gap)); Rayleigh's principle then gives the
frequency. The effective capacitances are those that resonate the sheet's
whole inductance at the frequencies found; the top load's charge capacitance
is its charge at a top voltage of 1 in the loaded mode; its free-space
capacitance is its charge alone, at 1, without the floor. A toroid for a
frequency is sought by the secant method on the logarithms of the
capacitance it adds and of its overall diameter.

The discretisation is this script's own and finer than the program's (twice
its winding and top-load bands, arcs matched on the curve itself, plates in
bands half as long), so the two agree only within the program's
discretisation error: the program's figures lay within 0.2 % of these when
they were written (the capacitance the toroid adds; every other within
0.1 %, validation/README.md), and tst_cli compares them within 0.25 %. This
script's own error, against twice its bands again (--converge), is 0.03 %
at most.

Two designs, each without a primary (so the field holds no primary's turns):
one in millimetres with a toroid, a target frequency, a strike rail below the
winding's base, a ceiling and walls; one in inches, with comma decimals, with
a sphere, a strike rail above the base and a ceiling without walls.

    python3 validation/field_worked.py            prints them
    python3 validation/field_worked.py --check D  compares them with the files
                                                  in D (field-mm.txt, ...)
    python3 validation/field_worked.py --write D  writes those files
    python3 validation/field_worked.py --converge prints its figures at its
                                                  bands and at twice them
"""
import json
import math
import struct
import sys

import gauss_legendre
import worked_files

EPSILON0 = 8.8541878128e-12
FOUR_PI_EPSILON0 = 4 * math.pi * EPSILON0
MU0 = 4e-7 * math.pi

# This script's discretisation (fineness 1); --converge doubles it.
WINDING_BANDS = 80
TOROID_BANDS = 48
SPHERE_BANDS = 36
RAIL_ARCS = 16
PLATE_BAND_PER_DISTANCE = 0.15


def single(value):
    """The float the program keeps a value in."""
    return struct.unpack("f", struct.pack("f", value))[0]


# --- elliptic integrals by the arithmetic-geometric mean (A&S 17.6) ---------

def elliptic_k(kp):
    """K(k) given k' = sqrt(1 - k^2)."""
    a, b = 1.0, kp
    while a - b > 1e-15 * a:
        a, b = (a + b) / 2, math.sqrt(a * b)
    return math.pi / (a + b)


def elliptic_ke(kp):
    """K(k) and E(k) given k': E = K (1 - sum 2^(n-1) c_n^2), c_0 = k."""
    a, b = 1.0, kp
    weight = 0.5
    total = weight * (1 - kp) * (1 + kp)
    while abs(a - b) > 1e-15 * a:
        c = (a - b) / 2
        a, b = (a + b) / 2, math.sqrt(a * b)
        weight *= 2
        total += weight * c * c
    k = math.pi / (a + b)
    return k, k * (1 - total)


def ring(r, z, rho, zeta):
    """The potential at (r, z) of a unit charge on the ring (rho, zeta)."""
    dz2 = (z - zeta) ** 2
    far2 = (r + rho) ** 2 + dz2
    near2 = (r - rho) ** 2 + dz2
    return 2 / math.pi * elliptic_k(math.sqrt(near2 / far2)) / math.sqrt(far2)


# --- Gauss-Legendre nodes on [0, 1] ---------------------------------------------

def gauss(n):
    return sorted(((1 - x) / 2, weight / 2) for x, weight in gauss_legendre.nodes(n))


GAUSS2, GAUSS4, GAUSS8 = gauss(2), gauss(4), gauss(8)


# --- bands -------------------------------------------------------------------

class Band:
    """A straight piece (r0, z0)-(r1, z1), or an arc of radius `radius` round
    (r0, z0) from angle a0 to a1, swept round the axis; t runs 0..1."""

    def __init__(self, r0, z0, r1, z1, arc=None):
        self.r0, self.z0, self.r1, self.z1, self.arc = r0, z0, r1, z1, arc
        if arc:
            radius, a0, a1 = arc
            self.length = radius * abs(a1 - a0)
            self.charge = radius * (r0 * (a1 - a0) + radius * (math.sin(a1) - math.sin(a0)))
        else:
            self.length = math.hypot(r1 - r0, z1 - z0)
            self.charge = self.length * (r0 + r1) / 2
        self.r, self.z, _ = self.at(0.5)
        self.far = [self.at(t) + (w,) for t, w in GAUSS2]
        self.mid = [self.at(t) + (w,) for t, w in GAUSS4]

    def at(self, t):
        """The point at t and its weight rho |dP/dt| over the band's charge."""
        if self.arc:
            radius, a0, a1 = self.arc
            angle = a0 + (a1 - a0) * t
            r = max(0.0, self.r0 + radius * math.cos(angle))
            return r, self.z0 + radius * math.sin(angle), r * self.length / self.charge
        r = self.r0 + (self.r1 - self.r0) * t
        return r, self.z0 + (self.z1 - self.z0) * t, r * self.length / self.charge

    def nearest(self, r, z):
        """The t of the band's point nearest (r, z)."""
        if self.arc:
            radius, a0, a1 = self.arc
            angle = math.atan2(z - self.z0, r - self.r0)
            lo, hi = min(a0, a1), max(a0, a1)
            while angle < lo - math.pi:
                angle += 2 * math.pi
            while angle > hi + math.pi:
                angle -= 2 * math.pi
            return min(1.0, max(0.0, (angle - a0) / (a1 - a0)))
        dr, dz = self.r1 - self.r0, self.z1 - self.z0
        t = ((r - self.r0) * dr + (z - self.z0) * dz) / (dr * dr + dz * dz)
        return min(1.0, max(0.0, t))

    def potential(self, r, z):
        """At (r, z), of a unit charge spread evenly over the band."""
        d = math.hypot(r - self.r, z - self.z)
        if d > 8 * self.length:
            return sum(w * c * ring(r, z, pr, pz) for pr, pz, c, w in self.far)
        if d > 3 * self.length:
            return sum(w * c * ring(r, z, pr, pz) for pr, pz, c, w in self.mid)
        # Intervals halving towards the nearest point, down to its distance.
        t0 = self.nearest(r, z)
        pr, pz, _ = self.at(t0)
        gap = max(math.hypot(r - pr, z - pz) / self.length, 1e-8)
        total = 0.0
        for side in (-1, 1):
            width = t0 if side < 0 else 1 - t0
            edges = [width]
            while edges[-1] > gap / 2:
                edges.append(edges[-1] / 2)
            edges.append(0.0)
            for outer, inner in zip(edges, edges[1:]):
                for u, w in GAUSS8:
                    t = t0 + side * (inner + (outer - inner) * u)
                    qr, qz, c = self.at(t)
                    total += w * (outer - inner) * c * ring(r, z, qr, qz)
        return total

    def image(self, r, z):
        """At (r, z), of the band's image below the floor (its charge opposite)."""
        return -self.potential(r, -z)


def arcs(cr, cz, radius, start, sweep, count):
    return [Band(cr, cz, 0, 0, (radius, start + sweep * i / count, start + sweep * (i + 1) / count))
            for i in range(count)]


def graded(r0, z0, r1, z1, distance, per_distance):
    """A plate in straight bands each per_distance of its distance from the
    charges (distance(r, z)) long, taken at the band's middle."""
    length = math.hypot(r1 - r0, z1 - z0)
    ends = [0.0]
    while ends[-1] < length:
        s = ends[-1]
        step = per_distance * distance(r0, z0)
        for _ in range(5):
            t = min(1.0, (s + step / 2) / length)
            step = per_distance * distance(r0 + (r1 - r0) * t, z0 + (z1 - z0) * t)
        ends.append(s + step)
    scale = length / ends[-1]
    point = lambda s: (r0 + (r1 - r0) * s * scale / length, z0 + (z1 - z0) * s * scale / length)
    return [Band(*point(a), *point(b)) for a, b in zip(ends, ends[1:])]


def matrix(at, sources, floor=True):
    """Rows: the bands of `at` (their matched points); columns: `sources`."""
    return [[s.potential(a.r, a.z) + (s.image(a.r, a.z) if floor else 0.0) for s in sources]
            for a in at]


# --- dense linear algebra: Gaussian elimination with partial pivoting --------

class LU:
    def __init__(self, a):
        n = len(a)
        a = [row[:] for row in a]
        self.order = list(range(n))
        for k in range(n):
            best = max(range(k, n), key=lambda i: abs(a[i][k]))
            if a[best][k] == 0:
                raise ArithmeticError("singular")
            a[k], a[best] = a[best], a[k]
            self.order[k], self.order[best] = self.order[best], self.order[k]
            pivot = a[k]
            inverse = 1 / pivot[k]
            tail = pivot[k + 1:]
            for i in range(k + 1, n):
                row = a[i]
                f = row[k] * inverse
                row[k] = f
                if f:
                    row[k + 1:] = [x - f * y for x, y in zip(row[k + 1:], tail)]
        self.a = a

    def solve(self, b):
        a = self.a
        n = len(a)
        x = [b[i] for i in self.order]
        for i in range(n):
            row = a[i]
            x[i] -= sum(row[j] * x[j] for j in range(i))
        for i in range(n - 1, -1, -1):
            row = a[i]
            x[i] = (x[i] - sum(row[j] * x[j] for j in range(i + 1, n))) / row[i]
        return x

    def solve_columns(self, columns):
        return [self.solve(c) for c in columns]


def transpose(m):
    return [list(c) for c in zip(*m)]


# --- the geometry ------------------------------------------------------------

class Coil:
    """Lengths in metres: the winding (diameter, height, turns, base height),
    the top load (shape, major, minor, centre above the winding), the rail
    (diameter, conductor, height above the base) or None, ceiling, walls."""

    def __init__(self, diameter, height, turns, base, load, rail, ceiling, walls, fine=1):
        self.a, self.h, self.turns, self.base = diameter / 2, height, turns, base
        self.top = base + height
        self.load, self.rail, self.ceiling, self.walls, self.fine = load, rail, ceiling, walls, fine
        n = WINDING_BANDS * fine
        # Closer towards the ends, where the charge crowds (cosine spacing).
        self.edges = [base + height * (1 - math.cos(math.pi * i / n)) / 2 for i in range(n + 1)]
        self.winding = [Band(self.a, z0, self.a, z1) for z0, z1 in zip(self.edges, self.edges[1:])]
        self.grounded = self.grounded_bands()
        self.inductances = self.band_inductances()
        self.inductance = sum(map(sum, self.inductances))
        bands = self.winding + self.grounded
        self.lu = LU(matrix(bands, bands))
        n = len(self.winding)
        # The charges on every band for a unit potential on each winding band.
        self.unit = self.lu.solve_columns([[1.0 if i == j else 0.0 for i in range(len(bands))]
                                           for j in range(n)])
        self.bare = self.mode(None)

    def load_bands(self, load):
        shape, major, minor, above = load
        if shape == "sphere":
            return arcs(0.0, self.top + above, major / 2, -math.pi / 2, math.pi,
                        SPHERE_BANDS * self.fine)
        return arcs((major - minor) / 2, self.top + above, minor / 2, -math.pi / 2, 2 * math.pi,
                    TOROID_BANDS * self.fine)

    def distance(self, r, z):
        """From the winding's sheet and from the top load's surface."""
        dz = max(self.base - z, 0.0, z - self.top)
        d = math.hypot(r - self.a, dz)
        shape, major, minor, above = self.load
        tube = (major if shape == "sphere" else minor) / 2
        centre = 0.0 if shape == "sphere" else (major - minor) / 2
        d = min(d, math.hypot(r - centre, z - self.top - above) - tube)
        return max(d, 0.02 * max(2 * self.a, self.h))

    def grounded_bands(self):
        bands = []
        if self.rail:
            diameter, conductor, height = self.rail
            bands += arcs(diameter / 2, self.base + height, conductor / 2, -math.pi / 2,
                          2 * math.pi, RAIL_ARCS * self.fine)
        per = PLATE_BAND_PER_DISTANCE / self.fine
        if self.ceiling:
            reach = self.walls if self.walls else 4 * self.ceiling
            bands += graded(0.0, self.ceiling, reach, self.ceiling, self.distance, per)
        if self.walls:
            top = self.ceiling if self.ceiling else 3 * self.top
            bands += graded(self.walls, 0.0, self.walls, top, self.distance, per)
        return bands

    def sheet(self, length):
        """Lorenz's inductance of the sheet `length` long, in Nagaoka's form,
        for one turn per metre."""
        if length <= 0:
            return 0.0
        diagonal = math.hypot(2 * self.a, length)
        k, kp = 2 * self.a / diagonal, length / diagonal
        big_k, big_e = elliptic_ke(kp)
        # E - k with 1 - k as k'^2/(1 + k), kept in full for short spans.
        nagaoka = 4 / (3 * math.pi * kp) * (kp * kp / (k * k) * (big_k - big_e)
                                            + (big_e - 1) + kp * kp / (1 + k))
        return MU0 * math.pi * self.a ** 2 * length * nagaoka

    def band_inductances(self):
        e = self.edges
        n = len(e) - 1
        per = (self.turns / self.h) ** 2
        span = [[per * self.sheet(abs(e[q] - e[p])) for q in range(n + 1)] for p in range(n + 1)]
        m = [[0.0] * n for _ in range(n)]
        for i in range(n):
            m[i][i] = span[i][i + 1]
            for j in range(i + 1, n):
                m[i][j] = m[j][i] = (span[i][j + 1] - span[i + 1][j + 1] - span[i][j]
                                     + span[i + 1][j]) / 2
        return m

    def coupling(self, load):
        """The winding's and the load's charges (farads) for a profile V on
        the winding and the load at a top voltage Vt: q = A V + b Vt, Q = c.V
        + d Vt."""
        n = len(self.winding)
        bands = self.winding + self.grounded
        if load is None:
            a = [[self.unit[j][i] * FOUR_PI_EPSILON0 for j in range(n)] for i in range(n)]
            return a, [0.0] * n, [0.0] * n, 0.0
        lb = self.load_bands(load)
        m = len(lb)
        u = matrix(bands, lb)               # at the coil's bands, of the load's
        w = matrix(lb, bands)               # at the load's, of the coil's
        own = matrix(lb, lb)
        y = self.lu.solve_columns(transpose(u))   # m columns of B^-1 U
        # S = own - W Y, and W X (X: the unit solutions).
        s = [[own[i][j] - sum(wi * yj for wi, yj in zip(w[i], y[j])) for j in range(m)]
             for i in range(m)]
        wx = [[sum(wi * xj for wi, xj in zip(w[i], self.unit[j])) for j in range(n)]
              for i in range(m)]
        slu = LU(s)
        s1 = slu.solve([1.0] * m)
        sr = slu.solve_columns(transpose(wx))   # n columns of S^-1 (W X)
        e = FOUR_PI_EPSILON0
        a = [[e * (self.unit[j][i] + sum(y[k][i] * sr[j][k] for k in range(m))) for j in range(n)]
             for i in range(n)]
        b = [-e * sum(y[k][i] * s1[k] for k in range(m)) for i in range(n)]
        c = [-e * sum(col) for col in sr]
        d = e * sum(s1)
        return a, b, c, d

    def mode(self, load):
        """The lowest mode: omega^2 and the load's charge at a top voltage of
        1, by power iteration on V -> (the voltage the mode's current drives)."""
        a, b, c, d = self.coupling(load)
        n = len(self.winding)
        m = self.inductances
        volts = [(band.z - self.base) / self.h for band in self.winding]
        top = 1.0
        last = None
        for _ in range(500):
            q = [sum(x * v for x, v in zip(row, volts)) + bi * top for row, bi in zip(a, b)]
            load_charge = sum(x * v for x, v in zip(c, volts)) + d * top
            above, total = [0.0] * n, load_charge
            for i in range(n - 1, -1, -1):
                above[i] = total + q[i] / 2
                total += q[i]
            drops = [sum(x * y for x, y in zip(row, above)) for row in m]
            rise, new = 0.0, []
            for drop in drops:
                new.append(rise + drop / 2)
                rise += drop
            # The eigenvalue 1/omega^2 as the Rayleigh quotient of this step.
            energy = sum(x * v for x, v in zip(q, volts)) + load_charge * top
            flux = sum(x * y for x, y in zip(above, drops))
            omega2 = energy / flux
            volts, top = [v / rise for v in new], 1.0
            if last is not None and abs(omega2 - last[0]) < 1e-14 * omega2 \
                    and abs(load_charge - last[1]) <= 1e-12 * abs(load_charge):
                break
            last = (omega2, load_charge)
        return omega2, load_charge

    def resonance(self):
        bare = self.bare[0]
        loaded, charge = self.mode(self.load)
        self_c = 1 / (bare * self.inductance)
        return {"bare_hz": math.sqrt(bare) / (2 * math.pi),
                "loaded_hz": math.sqrt(loaded) / (2 * math.pi),
                "self_c": self_c, "in_place_c": 1 / (loaded * self.inductance) - self_c,
                "charge_c": charge, "free_c": free_space(self.load, self.fine)}

    def toroid_for(self, hz):
        """The toroid (major, minor) that brings the loaded frequency to hz, the
        tube of a toroid kept, else a quarter of its diameter; None above
        the bare frequency."""
        bare = self.bare[0]
        omega2 = (2 * math.pi * hz) ** 2
        if omega2 >= bare:
            return None
        wanted = math.log(1 / omega2 - 1 / bare)
        shape, major, minor, above = self.load
        keep = shape == "toroid"
        size = lambda big: (big, minor if keep else big / 4)

        def miss(log_major):
            big, small = size(math.exp(log_major))
            o2 = self.mode(("toroid", big, small, above))[0]
            return math.log(1 / o2 - 1 / bare) - wanted

        x0 = math.log(major)
        f0 = miss(x0)
        x1 = x0 - f0 / 1.5
        f1 = miss(x1)
        for _ in range(40):
            x0, f0, x1 = x1, f1, x1 - f1 * (x1 - x0) / (f1 - f0)
            f1 = miss(x1)
            if abs(f1) < 1e-9:
                break
        return size(math.exp(x1))


def free_space(load, fine):
    shape, major, minor, _ = load
    if shape == "sphere":
        bands = arcs(0.0, 0.0, major / 2, -math.pi / 2, math.pi, SPHERE_BANDS * fine)
    else:
        bands = arcs((major - minor) / 2, 0.0, minor / 2, -math.pi / 2, 2 * math.pi,
                     TOROID_BANDS * fine)
    return FOUR_PI_EPSILON0 * sum(LU(matrix(bands, bands, floor=False)).solve([1.0] * len(bands)))


# --- the designs as typed, and what the program shows -------------------------

DESIGNS = {
    "field-mm": dict(
        inches=False, comma=False,
        arguments=["--dia", "200", "--height", "600", "--wire-dia", "0.72", "--spacing", "0",
                   "--top", "toroid", "--top-dia", "300", "--top-tube", "75",
                   "--top-height", "50", "--base-height", "500", "--target-fr", "180",
                   "--rail-dia", "600", "--rail-wire", "10", "--rail-height", "-50",
                   "--ceiling", "2000", "--walls", "1500"],
        dia=200, height=600, wire=0.72, spacing=0, shape="toroid", top=300, tube=75,
        above=50, base=500, target_khz=180, rail=(600, 10, -50), ceiling=2000, walls=1500),
    "field-in": dict(
        inches=True, comma=True,
        arguments=["--units", "in", "--dia", "4,5", "--height", "18", "--wire-dia", "0,02",
                   "--spacing", "0,005", "--top", "sphere", "--top-dia", "8,5",
                   "--top-height", "5,25", "--base-height", "24", "--rail-dia", "30",
                   "--rail-wire", "0,75", "--rail-height", "3,5", "--ceiling", "80"],
        dia=4.5, height=18, wire=0.02, spacing=0.005, shape="sphere", top=8.5, tube=None,
        above=5.25, base=24, target_khz=0, rail=(30, 0.75, 3.5), ceiling=80, walls=0),
}


def worked(design, fine=1):
    """Every figure of a design: (the section's text, the three JSON objects)."""
    inches = design["inches"]
    metres = 0.0254 if inches else 1e-3
    s = lambda v: single(v) * metres  # a length as the design keeps it, in metres
    turns = single(single(design["height"]) / (single(design["wire"]) + single(design["spacing"])))
    # The quarter wavelength frequency: 75 MHz over the wire's length in
    # metres (in inches, over its length in feet turned to metres by 3.28084).
    wire = single(single(design["dia"]) * math.pi * turns / (12.0 if inches else 1000.0))
    quarter = single(75e6 / (wire / 3.28084) if inches else 75e6 / wire)
    tube = design["tube"] if design["shape"] == "toroid" else design["top"] / 4
    load = (design["shape"], s(design["top"]), s(tube), s(design["above"]))
    rail = design["rail"]
    coil = Coil(s(design["dia"]), s(design["height"]), turns, s(design["base"]), load,
                (s(rail[0]), s(rail[1]), s(rail[2])) if rail else None,
                s(design["ceiling"]) if design["ceiling"] else 0.0,
                s(design["walls"]) if design["walls"] else 0.0, fine)
    found = coil.resonance()
    target = single(design["target_khz"] * 1e3) if design["target_khz"] else 0.0
    in_units = lambda size: None if size is None else tuple(single(x / metres) for x in size)
    found["toroid_for_torc"] = in_units(coil.toroid_for(quarter))
    found["toroid_for_target"] = in_units(coil.toroid_for(target)) if target else None
    found["quarter_hz"], found["target_hz"] = quarter, target
    return found


def number(value, comma):
    text = "%.2f" % value
    return text.replace(".", ",") if comma else text


def section(design, found):
    comma = design["comma"]
    unit = "in" if design["inches"] else "mm"
    f = lambda v: number(v, comma)
    lines = ["Top Load"]
    if design["shape"] == "sphere":
        lines += ["Top load shape : Sphere", "Diameter of the sphere : %s%s" % (f(design["top"]),
                                                                                  unit)]
    else:
        lines += ["Top load shape : Toroid",
                  "Overall diameter of the toroid : %s%s" % (f(design["top"]), unit),
                  "Tube diameter of the toroid : %s%s" % (f(design["tube"]), unit)]
    lines += ["Height of the top load centre above the winding : %s%s" % (f(design["above"]), unit),
              "Height of the winding base above the floor : %s%s" % (f(design["base"]), unit)]
    if design["rail"]:
        dia, wire, height = design["rail"]
        lines.append("Strike rail : %s%s across, %s%s conductor, %s%s %s the winding's base"
                     % (f(dia), unit, f(wire), unit, f(abs(height)), unit,
                        "below" if height < 0 else "above"))
    if design["ceiling"]:
        lines.append("Ceiling : %s%s above the floor" % (f(design["ceiling"]), unit))
    if design["walls"]:
        lines.append("Walls : %s%s from the axis" % (f(design["walls"]), unit))
    pf = lambda v: f(v * 1e12) + "pF"
    khz = lambda v: f(v / 1e3) + "kHz"
    lines += ["Top load capacitance in free space : " + pf(found["free_c"]),
              "Capacitance the top load adds to the coil : " + pf(found["in_place_c"]),
              "Top load charge over the top voltage : " + pf(found["charge_c"]),
              "Bare winding capacitance over the floor, from the field solution : "
              + pf(found["self_c"]),
              "Resonant frequency without the top load : " + khz(found["bare_hz"]),
              "Resonant frequency with the top load : " + khz(found["loaded_hz"])]

    def toroid(frequency, size):
        if size:
            return "Toroid for %s : %s%s x %s%s" % (frequency, f(size[0]), unit, f(size[1]), unit)
        return ("No toroid brings the coil to %s: it lies above the bare coil's frequency, "
                "which no top load can reach" % frequency)
    lines.append(toroid("the quarter wavelength resonant frequency", found["toroid_for_torc"]))
    if found["target_hz"]:
        lines.append(toroid("the target frequency of " + khz(found["target_hz"]),
                            found["toroid_for_target"]))
    return "\n".join(lines)


def objects(design, found):
    metres = 0.0254 if design["inches"] else 1e-3
    si = lambda v: single(v) * metres
    size = lambda s: None if s is None else {"major_diameter_m": s[0] * metres,
                                             "minor_diameter_m": s[1] * metres}
    sphere = design["shape"] == "sphere"
    rail = design["rail"]
    return {
        "top_load": {
            "shape": design["shape"], "major_diameter_m": si(design["top"]),
            "minor_diameter_m": None if sphere else si(design["tube"]),
            "height_m": si(design["above"]),
            "free_space_capacitance_f": found["free_c"],
            "in_place_capacitance_f": found["in_place_c"],
            "charge_capacitance_f": found["charge_c"],
            "toroid_for_torc": size(found["toroid_for_torc"]),
            "target_hz": found["target_hz"] if found["target_hz"] else None,
            "toroid_for_target": size(found["toroid_for_target"]) if found["target_hz"] else None,
            "absent_reason": None},
        "surroundings": {
            "rail_diameter_m": si(rail[0]) if rail else None,
            "rail_conductor_m": si(rail[1]) if rail else None,
            "rail_height_m": si(rail[2]) if rail else None,
            "ceiling_m": si(design["ceiling"]) if design["ceiling"] else None,
            "walls_m": si(design["walls"]) if design["walls"] else None},
        "resonance": {
            "base_height_m": si(design["base"]), "self_capacitance_f": found["self_c"],
            "bare_hz": found["bare_hz"], "loaded_hz": found["loaded_hz"],
            "primary_in_field": False, "absent_reason": None},
    }


def files():
    out = {}
    for name, design in DESIGNS.items():
        found = worked(design)
        out[name + ".txt"] = section(design, found) + "\n"
        out[name + ".json"] = json.dumps(objects(design, found), indent=1) + "\n"
    return out


def same(kept, text, is_json):
    """The text exactly; the JSON's numbers to 1e-9, a libm's rounding apart."""
    if not is_json:
        return kept == text

    def alike(a, b):
        if isinstance(a, dict) and isinstance(b, dict):
            return a.keys() == b.keys() and all(alike(a[k], b[k]) for k in a)
        if isinstance(a, float) and isinstance(b, float):
            return abs(a - b) <= 1e-9 * abs(b)
        return a == b
    return alike(json.loads(kept), json.loads(text))


def main(args):
    if args == ["--converge"]:
        # This script's own discretisation error: its figures at twice the bands.
        for name, design in DESIGNS.items():
            one, two = worked(design, 1), worked(design, 2)
            for key in ("free_c", "in_place_c", "charge_c", "self_c", "bare_hz", "loaded_hz"):
                print("%s %-11s %.6e %.6e %+.2e" % (name, key, one[key], two[key],
                                                     one[key] / two[key] - 1))
            for key in ("toroid_for_torc", "toroid_for_target"):
                print(name, key, one[key], two[key])
        return 0
    return worked_files.run(args, files(),
                            lambda kept, text, name: same(kept, text, name.endswith(".json")))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
