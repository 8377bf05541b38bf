#!/usr/bin/env python3
"""The power side's worked examples, worked out apart from the program.

Two designs without a secondary (so every figure is the power side's own):
one in millimetres at 60 Hz with a synchronous gap and a bank of 0.15 uF /
2 kV units, one in inches at 50 Hz, with comma decimals, with an asynchronous
gap at 400 breaks per second, a 20 nF tank capacitor, 0.0942 uF / 1.6 kV
units and a safety factor of 2.5. Each figure from the rules the program
follows (the resonant capacitor that tunes the bank to the mains, 1.6 and 3
times it for the static and synchronous gaps, half C V^2 a bang, Freau's
1.7 sqrt(W) inches of spark, the fewest units in series for the safety
factor times the peak, a bleeder that brings a unit to 50 V in five minutes),
in Python's own arithmetic, and written as the summary writes figures (two
decimals and the unit's prefix).

The JSON's power object of each, in SI units, is written beside its section
(power-mm.json, power-in.json); the program's figures are single precision,
so tst_cli compares its numbers to within a float's precision.

    python3 validation/power_worked.py            prints them
    python3 validation/power_worked.py --check D  compares them with the files
                                                  in D (power-mm.txt, ...)
    python3 validation/power_worked.py --write D  writes those files
"""
import json
import math
import sys

import worked_files

PREFIXES = [(1e9, "G"), (1e6, "M"), (1e3, "k"), (1.0, ""), (1e-3, "m"), (1e-6, "\u00b5"),
            (1e-9, "n"), (1e-12, "p")]


def prefix_of(value):
    for scale, word in PREFIXES:
        if abs(value) >= scale:
            return scale, word
    return PREFIXES[-1]


def number(value, comma):
    text = "%.2f" % value
    return text.replace(".", ",") if comma else text


def figure(value, unit, comma, like=None):
    """value in the unit with the prefix that suits it (or that of `like`)."""
    scale, word = prefix_of(value if like is None else like)
    return number(value / scale, comma) + word + unit


def power_json(mains_hz, kv, ma, count, gap, bps, tank_f, unit_f, unit_v, safety, **_):
    """The JSON's power object of a design without a secondary, in SI units."""
    volts = kv * 1e3
    amperes = count * ma * 1e-3
    rating = volts * amperes
    peak = math.sqrt(2) * volts
    resonant = amperes / (2 * math.pi * mains_hz * volts)
    breaks = bps if gap == "async" else 2 * mains_hz
    used = tank_f if tank_f else resonant
    energy = used * peak**2 / 2
    series = math.ceil(safety * peak / unit_v)
    string_f = unit_f / series
    below = math.floor(used / string_f)
    above = max(1, math.ceil(used / string_f))
    offered = below if below >= 1 and used / (below * string_f) < above * string_f / used \
        else above
    ohms = 300 / (unit_f * math.log(unit_v / 50))
    working = peak / series
    array = lambda strings: {"series": series, "parallel": strings,
                             "capacitance_f": strings * string_f}
    return {
        "gap": gap, "resonant_capacitance_f": resonant,
        "ltr_static_capacitance_f": 1.6 * resonant, "ltr_sync_capacitance_f": 3 * resonant,
        "ltr_sync_power_w": 3 * resonant * peak**2 / 2 * 2 * mains_hz, "capacitance_f": used,
        "peak_voltage_v": peak, "energy_per_bang_j": energy, "bps": breaks,
        "power_w": min(energy * breaks, rating), "power_capped": energy * breaks > rating,
        "primary_peak_current_a": None, "secondary_peak_voltage_v": None,
        "safety_gap_v": 1.25 * peak, "spark_length_m": 1.7 * math.sqrt(rating) * 0.0254,
        "streamer_capacitance_f": None, "running_hz": None, "tap_for_running": None,
        "unit_capacitance_f": unit_f, "unit_rating_v": unit_v, "safety_factor": safety,
        "mmc": {"series": series, "parallel": offered, "units": series * offered,
                "capacitance_f": offered * string_f, "rating_v": series * unit_v,
                "energy_j": offered * string_f * peak**2 / 2, "unit_peak_current_a": None,
                "bleeder_ohm": ohms, "bleeder_w": unit_v**2 / ohms,
                "bleeder_working_w": working**2 / ohms,
                "below": array(below) if below >= 1 else None, "above": array(above)}}


def section(inches, comma, **design):
    """The summary's Power section: power_json's figures as the summary writes them."""
    v = power_json(**design)
    mmc = v["mmc"]
    rating = design["kv"] * 1e3 * design["count"] * design["ma"] * 1e-3
    f = lambda value, unit, like=None: figure(value, unit, comma, like)
    names = {"static": "static", "sync": "synchronous rotary", "async": "asynchronous rotary"}
    lines = ["Power",
             "Spark gap : " + names[v["gap"]],
             "Breaks per second : %d" % v["bps"],
             "Resonant tank capacitor : " + f(v["resonant_capacitance_f"], "F"),
             "Larger than resonant, for a static gap : " + f(v["ltr_static_capacitance_f"], "F"),
             "For a synchronous rotary gap (charged to the peak) : "
             + f(v["ltr_sync_capacitance_f"], "F"),
             "Power the bank then delivers (lossless model) : %s, %d%% of its %s rating"
             % (f(v["ltr_sync_power_w"], "W"), round(100 * v["ltr_sync_power_w"] / rating),
                f(rating, "VA")),
             "Tank capacitor used : " + f(v["capacitance_f"], "F")
             + ("" if design["tank_f"] else " (resonant)"),
             "Peak voltage : " + f(v["peak_voltage_v"], "V"),
             "Energy per bang : " + f(v["energy_per_bang_j"], "J"),
             "Power : " + f(v["power_w"], "W")
             + (" (capped at the bank's rating)" if v["power_capped"] else ""),
             "Safety gap firing voltage (a quarter above the peak) : " + f(v["safety_gap_v"], "V")]
    # Freau's length to the half inch, or to 10 mm.
    spark_in = v["spark_length_m"] / 0.0254
    if inches:
        spark = number(round(spark_in * 2) / 2, comma)[:-1] + "in"
    else:
        spark = "%dmm" % (round(spark_in * 25.4 / 10) * 10)
    lines.append("Spark length by Freau's rule : %s, at the %s the bank draws (its rating)"
                 % (spark, f(rating, "VA")))

    def bank(array):
        if array is None:
            return "none"
        strings = array["parallel"]
        return "%d in series x %d string%s = %d units, %s" % (
            array["series"], strings, "" if strings == 1 else "s", array["series"] * strings,
            f(array["capacitance_f"], "F"))
    offered = mmc["above"] if mmc["parallel"] == mmc["above"]["parallel"] else mmc["below"]
    lines += ["Capacitor bank offered (nearest the tank capacitor) : " + bank(offered),
              "Nearest bank at or below the tank capacitor : " + bank(mmc["below"]),
              "Nearest bank at or above the tank capacitor : " + bank(mmc["above"]),
              "Bank voltage rating : " + f(mmc["rating_v"], "V"),
              "Bank energy at the peak voltage : " + f(mmc["energy_j"], "J")]
    unit_v = v["unit_rating_v"]
    working = v["peak_voltage_v"] / mmc["series"]
    lines.append("Bleed resistor per unit (below 50V in 5 minutes) : %s; %s at the unit's %s "
                 "rating, %s at its %s working voltage"
                 % (f(mmc["bleeder_ohm"], "Ohm"), f(mmc["bleeder_w"], "W"), f(unit_v, "V"),
                    f(mmc["bleeder_working_w"], "W", mmc["bleeder_w"]),
                    f(working, "V", unit_v)))
    return "\n".join(lines) + "\n"


DESIGNS = {
    "power-mm.txt": dict(mains_hz=60, kv=15, ma=60, count=1, gap="sync", bps=0, tank_f=0,
                         unit_f=0.15e-6, unit_v=2000, safety=2, inches=False, comma=False),
    "power-in.txt": dict(mains_hz=50, kv=12, ma=30, count=2, gap="async", bps=400,
                         tank_f=20e-9, unit_f=0.0942e-6, unit_v=1600, safety=2.5, inches=True,
                         comma=True),
}


def expected(name, design):
    """The file's expected text: the section, or the JSON object for .json."""
    if name.endswith(".json"):
        return json.dumps(power_json(**design), indent=1) + "\n"
    return section(**design)


def main(args):
    files = {}
    for name, design in DESIGNS.items():
        files[name] = expected(name, design)
        files[name.replace(".txt", ".json")] = expected(name.replace(".txt", ".json"), design)
    return worked_files.run(args, files)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
