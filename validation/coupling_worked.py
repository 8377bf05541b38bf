#!/usr/bin/env python3
"""The coupling's worked examples, worked out apart from the program.

Three designs with a calculated secondary, transformer bank and primary:

- in millimetres, the worked design (a 200 x 600 mm winding of 0.72 mm wire,
  15 kV / 60 mA at 60 Hz) with a conical primary of 18 turns at 20 degrees,
  its inner turn 15 mm up, tuned to the secondary's quarter-wave frequency
  with the bank's resonant capacitor, and k = 0.155 asked for;
- the same with the flat primary of 15 turns level with the winding's base
  that a new design has, whose tap is read from the classic listing
  (Wheeler's flat spiral), and k = 0.15 asked for;
- in inches with comma decimals, a 4.5 x 18 in winding of 0.0253 in wire
  under a 14 x 3.5 in toroid, two 12 kV / 60 mA units at 50 Hz, a helical
  primary of 14 turns of 1/4 in tubing 1 1/4 in below the base, tuned to the
  loaded frequency, and k = 0.6 asked for, which no height gives.

The method, from the published formulas (nothing of the program's code):
each turn of either coil a circular filament on the common axis; Maxwell's
closed form for two coaxial circles (Maxwell, "A Treatise on Electricity and
Magnetism", 1873, vol. 2, art. 701), with K and E by the arithmetic-geometric
mean (Abramowitz & Stegun 17.6); a ring's own inductance mu0 R (ln(8R/a) - 2),
the current on its conductor's surface (Grover, "Inductance Calculations",
the circular ring); the primary's turn k at r1 + (k-1) p cos(angle),
z1 + (k-1) p sin(angle), p its conductor's diameter plus spacing; Lp(n) the
sum of the self and mutual inductances of its first n turns. The secondary:
for Ls its N turns as ceil(N) rings at the middles of equal slices of its
height, each carrying N/ceil(N) of the ampere-turns, their uniform-current
sum; for M a current sheet of N/h ampere-turns a metre, each primary turn's
mutual with it Maxwell's formula integrated over the winding's height, here
by composite Gauss-Legendre quadrature (panels at most half the turn's
distance from the sheet, ten points each: the integrand is analytic within
that distance, the error far below a double's). k = M / sqrt(Lp Ls). The
tap: where the listing, linearly interpolated, reaches the inductance that
resonates with the primary's capacitance at its frequency; Lp, M and k
there interpolated linearly between the whole turns. The coupled modes
f0 / sqrt(1 +- k). The height for a k asked for: the inner turn's height at
which the primary, tapped where it is, gives it, on the side of the peak of
k over height on which the primary stands, within three winding heights of
the winding (the peak found here by a scan and golden-section search, the
root by bisection to a picometre).

Two inputs come from other calculations: the tank capacitor the bank
resonates with (I / (2 pi f V), worked out here as the classic calculation
keeps it, in single precision) and the frequency. The millimetre design's is
the classic quarter-wave frequency (75e6 / wire length in metres, worked out
here). The inch design's is the loaded frequency of the program's field
solution, pinned by its own worked example: that one value is taken from the
program's JSON (resonance.loaded_hz), LOADED_HZ_IN below; everything else is
worked out here. The program keeps typed values and classic results in
single precision, so they are rounded to floats here where it keeps them.

The Coupling section of each is written as the summary writes it
(coupling-mm.txt, coupling-flat.txt, coupling-in.txt, title to the end of
the section), and the JSON's coupling object in SI units beside each
(coupling-mm.json, ...); tst_cli compares the program's section with the text in
full, and its JSON object within a float's rounding, the height for k
within a micrometre (its search stops within 1e-7 of k).

    python3 validation/coupling_worked.py            prints them
    python3 validation/coupling_worked.py --check D  compares them with the files in D
    python3 validation/coupling_worked.py --write D  writes those files
"""
import decimal
import json
import math
import struct
import sys

import gauss_legendre
import worked_files

MU0 = 4e-7 * math.pi

# The loaded frequency of the inch design, from the program's field solution
# (resonex-cli calc --json, resonance.loaded_hz): the one figure not worked out here.
LOADED_HZ_IN = 325431.78


def f32(value):
    """The float the program keeps for value."""
    return struct.unpack("f", struct.pack("f", value))[0]


# --- Elliptic integrals and the filaments ----------------------------------

def elliptic_ke(kc):
    """K(k) and E(k) from the complementary modulus kc, by the AGM (A&S 17.6):
    K = pi / (2 AGM(1, kc)), E = K (1 - sum 2^(n-1) c_n^2)."""
    a, b = 1.0, kc
    c2 = (1.0 - kc) * (1.0 + kc)
    total = 0.5 * c2
    scale = 0.5
    while True:
        c = 0.5 * (a - b)
        if abs(c) <= 1e-15 * a:
            break
        a, b = 0.5 * (a + b), math.sqrt(a * b)
        scale *= 2
        total += scale * c * c
    k = math.pi / (2 * a)
    return k, k * (1 - total)


def maxwell(r1, r2, d):
    """Mutual inductance of coaxial circles of radii r1, r2, d apart (Maxwell)."""
    far = (r1 + r2) ** 2 + d * d
    kc = math.sqrt(((r1 - r2) ** 2 + d * d) / far)
    k = math.sqrt(4 * r1 * r2 / far)
    big_k, big_e = elliptic_ke(kc)
    return MU0 * math.sqrt(r1 * r2) * ((2 / k - k) * big_k - 2 / k * big_e)


def ring_self(r, a):
    return MU0 * r * (math.log(8 * r / a) - 2)


def legendre(n):
    """Gauss-Legendre nodes and weights on -1..1."""
    return gauss_legendre.nodes(n)


GAUSS = legendre(10)


def sheet_mutual(r, z, sec):
    """A ring of radius r at height z against the secondary as a current sheet:
    N/h times Maxwell's formula integrated over the height 0..h."""
    radius, height = sec["diameter"] / 2, sec["height"]
    panels = max(8, math.ceil(height / (0.5 * abs(r - radius))))
    width = height / panels
    total = 0.0
    for p in range(panels):
        middle = (p + 0.5) * width
        for x, w in GAUSS:
            total += w * maxwell(r, radius, z - (middle + 0.5 * width * x))
    return sec["turns"] / height * total * width / 2


def secondary_inductance(sec):
    """Ls: ceil(N) rings at the middles of equal slices, each N/ceil(N) of the turns."""
    rings = max(1, math.ceil(sec["turns"]))
    radius = sec["diameter"] / 2
    spacing = sec["height"] / rings
    share = sec["turns"] / rings
    total = rings * ring_self(radius, sec["wire"] / 2)
    for d in range(1, rings):
        total += 2 * (rings - d) * maxwell(radius, radius, d * spacing)
    return share * share * total


# --- The primary as built --------------------------------------------------

def centres(pri, height=None):
    z1 = pri["height"] if height is None else height
    if pri["shape"] == "helical":
        along, up = 0.0, 1.0
    elif pri["shape"] == "flat":
        along, up = 1.0, 0.0
    else:
        angle = math.radians(pri["angle"])
        along, up = math.cos(angle), math.sin(angle)
    return [(pri["r1"] + n * pri["pitch"] * along, z1 + n * pri["pitch"] * up)
            for n in range(pri["turns"])]


def primary_inductances(rings, conductor):
    """Lp after each turn: the sum of every self and mutual inductance so far."""
    lp, total = [], 0.0
    for n, (r, z) in enumerate(rings):
        total += ring_self(r, conductor / 2)
        for rb, zb in rings[:n]:
            total += 2 * maxwell(rb, r, z - zb)
        lp.append(total)
    return lp


def mutual_inductances(rings, sec):
    m, total = [], 0.0
    for r, z in rings:
        total += sheet_mutual(r, z, sec)
        m.append(total)
    return m


def interpolate(values, turn):
    """values after each whole turn, linearly between them at a fractional turn."""
    low = min(len(values) - 1, int(turn)) - 1
    if turn == low + 1:
        return values[low]
    f = turn - (low + 1)
    return values[low] + f * (values[low + 1] - values[low])


def tap_turn(lp, needed):
    """The fractional turn at which Lp reaches what is needed, or why none."""
    if needed < lp[0]:
        return None, "the primary needs less inductance than its first turn gives"
    if needed > lp[-1]:
        return None, "the primary needs more inductance than all its turns give"
    n = next(i for i, value in enumerate(lp) if value >= needed)
    if n == 0:
        return 1.0, None
    return n + (needed - lp[n - 1]) / (lp[n] - lp[n - 1]), None


def classic_tap(d, capacitance, hertz):
    """The tap a primary of the classic geometry (flat, 15 turns, its inner turn
    level with the winding's base) is read from: Wheeler's flat spiral,
    L = r^2 N^2 / (8 r + 11 w) microhenries, r the mean radius and w the width
    in inches (H. A. Wheeler, "Simple inductance formulas for radio coils",
    Proc. IRE 16, 1928), each turn's listed to the hundredth of a microhenry;
    the tap after the last turn short of what resonates, interpolated between
    the listed figures. In single precision where the classic calculation keeps
    its figures."""
    inch = 25.4 if d["mm"] else 1.0
    con, spa = f32(d["con_dia"]) / inch, f32(d["con_spa"]) / inch
    sep, outer = f32(d["sec_sep"]) / inch, f32(d["dia"]) / inch
    w = 1 / (2 * math.pi * hertz)
    needed = f32(w * w * (1 / capacitance))
    listed, tap = [], 0
    for n in range(1, 16):
        width = f32(n * con + (n - 1) * spa)
        r = f32(outer / 2 + sep + width / 2)
        microhenries = f32(r * r * (n * n) / (8 * r + 11 * width))
        if tap == 0 and f32(microhenries * f32(1e-6)) > needed:
            tap = n
        hundredths = math.floor(microhenries * 100 + 0.5)
        listed.append(f32(float("%de-8" % hundredths)))
    if tap == 0:
        return None, "the primary needs more inductance than all its turns give"
    below = listed[tap - 2] if tap > 1 else 0.0
    omega = 2 * math.pi * hertz
    share = (1 / (omega * omega * capacitance) - below) / (listed[tap - 1] - below)
    return tap - 1 + min(1.0, max(0.0, share)), None


REACH = 3  # winding heights


def height_for_k(pri, sec, ls, turn, target):
    """The inner turn's height at which the primary tapped at turn gives k = target,
    on the side of k's peak over height on which it stands; or why none."""
    tapped = dict(pri, turns=math.ceil(turn))
    # Lp does not move with the height; M and so k do (k interpolated as M is).
    lp = primary_inductances(centres(tapped), pri["conductor"])

    def k_at(height):
        m = mutual_inductances(centres(tapped, height), sec)
        return interpolate([mi / math.sqrt(li * ls) for mi, li in zip(m, lp)], turn)

    rise = centres(tapped)[-1][1] - pri["height"]
    low_end, high_end = -REACH * sec["height"] - rise, (1 + REACH) * sec["height"]
    # The peak: a scan for its neighbourhood, then golden-section search.
    steps = 48
    grid = [low_end + i * (high_end - low_end) / steps for i in range(steps + 1)]
    best = max(range(steps + 1), key=lambda i: k_at(grid[i]))
    a, b = grid[max(0, best - 1)], grid[min(steps, best + 1)]
    ratio = (math.sqrt(5) - 1) / 2
    c, d = b - ratio * (b - a), a + ratio * (b - a)
    kc, kd = k_at(c), k_at(d)
    while b - a > 1e-9:
        if kc < kd:
            a, c, kc = c, d, kd
            d = a + ratio * (b - a)
            kd = k_at(d)
        else:
            b, d, kd = d, c, kc
            c = b - ratio * (b - a)
            kc = k_at(c)
    peak = (a + b) / 2
    k_peak = k_at(peak)
    below = pri["height"] <= peak
    end = low_end if below else high_end
    k_end = k_at(end)
    if target > k_peak:
        return None, "more than the primary gives at its best height", k_peak
    if target < k_end:
        return None, "less than it gives a few winding heights away", k_peak
    # Bisection: k rises from the far end to the peak.
    lo, hi = (end, peak) if below else (peak, end)
    while hi - lo > 1e-12:
        mid = (lo + hi) / 2
        if (k_at(mid) < target) == below:
            lo = mid
        else:
            hi = mid
    height = (lo + hi) / 2
    a = pri["conductor"] / 2
    for r, z in centres(pri, height):
        dr = max(0.0, r - sec["diameter"] / 2)
        dz = max(0.0, -z, z - sec["height"])
        if dr * dr + dz * dz < a * a:
            return None, "the height that gives it puts a turn into the winding", k_peak
    return height, None, k_peak


# --- The designs, as the program keeps their inputs ------------------------

def worked(d):
    """Every figure of the coupling of design d."""
    to_m = (lambda x: x / 1000) if d["mm"] else (lambda x: x * 254 / 10000)
    height, dia, wire = f32(d["height"]), f32(d["dia"]), f32(d["wire"])
    turns = f32(height / (wire + f32(d["spacing"])))
    sec = {"diameter": to_m(dia), "height": to_m(height), "turns": turns, "wire": to_m(wire)}
    # The bank's resonant capacitor as the classic calculation keeps it.
    two_pi_f = d["mains"] * (2 * math.pi)
    x = f32(f32(d["kv"]) * 1000.0 / (two_pi_f * f32(d["ma"]) * 0.001 * d["count"]))
    capacitance = f32((1 / two_pi_f) ** 2 / x)
    if d["frequency"] == "quarter-wave":
        # Wire length in metres (mm designs), 75e6 / it.
        length = f32(dia * math.pi * turns / 1000)
        hertz = f32(75e6 / length)
    else:
        hertz = f32(d["frequency"])
    conductor = to_m(f32(d["con_dia"]))
    pri = {"shape": d["shape"], "angle": f32(d["angle"]), "turns": d["turns"],
           "r1": to_m(dia) / 2 + to_m(f32(d["sec_sep"])) + conductor / 2,
           "height": to_m(f32(d["pri_height"])), "conductor": conductor,
           "pitch": conductor + to_m(f32(d["con_spa"]))}
    rings = centres(pri)
    lp = primary_inductances(rings, conductor)
    m = mutual_inductances(rings, sec)
    ls = secondary_inductance(sec)
    k = [mi / math.sqrt(li * ls) for mi, li in zip(m, lp)]
    omega = 2 * math.pi * hertz
    classic = d["shape"] == "flat" and d["turns"] == 15 and d["pri_height"] == 0
    if classic:
        tap, why_no_tap = classic_tap(d, capacitance, hertz)
    else:
        tap, why_no_tap = tap_turn(lp, 1 / (omega * omega * capacitance))
    result = {"pri": pri, "sec": sec, "capacitance": capacitance, "classic": classic, "lp": lp,
              "m": m, "k": k, "ls": ls, "hertz": hertz, "tap": tap,
              "why_no_tap": why_no_tap, "target": f32(d["target_k"]) if d["target_k"] else None}
    if tap is not None:
        result["at_tap"] = [interpolate(values, tap) for values in (lp, m, k)]
        k_tap = result["at_tap"][2]
        result["modes"] = (hertz / math.sqrt(1 + k_tap), hertz / math.sqrt(1 - k_tap))
    if result["target"]:
        if tap is None:
            result["height_for_k"], result["why_no_height"] = None, why_no_tap
        else:
            result["height_for_k"], result["why_no_height"], result["k_peak"] = height_for_k(
                pri, sec, ls, tap, result["target"])
    return result


# --- As the summary and the JSON write them --------------------------------

def fixed(value, decimals, comma):
    """A float's exact value rounded half up to so many decimals."""
    exact = decimal.Decimal(f32(value))
    text = str(abs(exact).quantize(decimal.Decimal(1).scaleb(-decimals),
                                   rounding=decimal.ROUND_HALF_UP))
    text = ("-" if exact < 0 else "") + text
    return text.replace(".", ",") if comma else text


def section(d, w):
    comma = d["comma"]
    unit = "mm" if d["mm"] else "in"
    length = (lambda metres: fixed(metres * 1000, 2, comma) + unit) if d["mm"] else \
        (lambda metres: fixed(metres * 10000 / 254, 2, comma) + unit)
    uh = lambda henries: fixed(henries * 1e6, 2, comma) + "uH"
    kk = lambda value: fixed(value, 4, comma)
    pri = w["pri"]
    shape = pri["shape"].capitalize()
    if pri["shape"] == "conical":
        shape += ", " + fixed(pri["angle"], 2, comma) + "deg"
    lines = ["Coupling",
             "Primary as built : " + shape,
             "Primary turns as built : %d" % pri["turns"],
             "Height of the inner turn above the winding's base : " + length(pri["height"]),
             "Primary inductance with every turn : " + uh(w["lp"][-1]),
             "Primary inductance and k, tapped after each turn:"]
    for n, (lp, k) in enumerate(zip(w["lp"], w["k"])):
        lines.append(" Turn %2d %11s  k %s" % (n + 1, uh(lp), kk(k)))
    if w["tap"] is not None:
        lp, m, k = w["at_tap"]
        khz = lambda hertz: fixed(f32(f32(hertz) / 1000), 2, comma) + "kHz"
        listing = "the classic listing" if w["classic"] else "the primary as built"
        lines += ["Tap in use, from %s : turn %s" % (listing, fixed(w["tap"], 2, comma)),
                  "Primary inductance at the tap : " + uh(lp),
                  "Mutual inductance at the tap : " + uh(m),
                  "Coupling coefficient k at the tap : " + kk(k),
                  "Coupled modes : %s and %s" % (khz(w["modes"][0]), khz(w["modes"][1]))]
    else:
        lines.append("No tap in use: " + w["why_no_tap"])
    if w["target"]:
        if w["height_for_k"] is not None:
            lines.append("Height of the inner turn for k = %s : %s"
                         % (kk(w["target"]), length(w["height_for_k"])))
        else:
            lines.append("No height gives k = %s: %s" % (kk(w["target"]), w["why_no_height"]))
    return "\n".join(lines) + "\n"


def coupling_json(d, w):
    pri = w["pri"]
    at_tap = w.get("at_tap", [None] * 3)
    modes = w.get("modes", (None, None))
    tap = w["tap"]
    return {
        "shape": pri["shape"], "angle_deg": d["angle"], "turns_built": pri["turns"],
        "height_m": pri["height"], "inductance_h": w["lp"][-1], "tap_inductance_h": at_tap[0],
        "mutual_inductance_h": at_tap[1], "k": at_tap[2], "lower_mode_hz": modes[0],
        "upper_mode_hz": modes[1],
        "turns": [{"turn": n + 1, "inductance_h": lp, "k": k}
                  for n, (lp, k) in enumerate(zip(w["lp"], w["k"]))],
        "tap": None if tap is None else {"after_turn": int(tap), "before_turn": int(tap) + 1,
                                         "turn": tap},
        "target_k": w["target"], "height_for_target_k_m": w.get("height_for_k")}


DESIGNS = {
    "coupling-mm": dict(mm=True, comma=False, mains=60, kv=15, ma=60, count=1, dia=200,
                        height=600, wire=0.72, spacing=0, frequency="quarter-wave",
                        con_dia=9.5, con_spa=6.35, sec_sep=62.5, shape="conical", angle=20,
                        turns=18, pri_height=15, target_k=0.155),
    "coupling-flat": dict(mm=True, comma=False, mains=60, kv=15, ma=60, count=1, dia=200,
                          height=600, wire=0.72, spacing=0, frequency="quarter-wave",
                          con_dia=9.5, con_spa=6.35, sec_sep=62.5, shape="flat", angle=0,
                          turns=15, pri_height=0, target_k=0.15),
    "coupling-in": dict(mm=False, comma=True, mains=50, kv=12, ma=60, count=2, dia=4.5,
                        height=18, wire=0.0253, spacing=0, frequency=LOADED_HZ_IN,
                        con_dia=0.25, con_spa=0.25, sec_sep=1.5, shape="helical", angle=0,
                        turns=14, pri_height=-1.25, target_k=0.6),
}


def files():
    out = {}
    for name, design in DESIGNS.items():
        w = worked(design)
        out[name + ".txt"] = section(design, w)
        out[name + ".json"] = json.dumps(coupling_json(design, w), indent=1) + "\n"
    return out


def main(args):
    return worked_files.run(args, files())


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
