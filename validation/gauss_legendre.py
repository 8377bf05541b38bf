"""Gauss-Legendre nodes and weights on -1..1, by Newton's method on the
Legendre polynomial (Abramowitz & Stegun 25.4.29), for the worked-example
scripts' own quadratures.

    nodes(n) -> [(x, weight), ...]
"""
import math


def nodes(n):
    found = []
    for i in range(1, n + 1):
        x = math.cos(math.pi * (i - 0.25) / (n + 0.5))
        for _ in range(100):
            p0, p1 = 1.0, x
            for j in range(2, n + 1):
                p0, p1 = p1, ((2 * j - 1) * x * p1 - (j - 1) * p0) / j
            dp = n * (x * p1 - p0) / (x * x - 1)
            step = p1 / dp
            x -= step
            if abs(step) < 1e-16:
                break
        found.append((x, 2 / ((1 - x * x) * dp * dp)))
    return found
