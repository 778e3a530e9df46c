#!/usr/bin/env python3
"""Writes Normal.txt, SGMetrolojik.txt and MTMetrolojik.txt next to this script.

Each line stands for one capacity code 0..85: the capacity entry, then the division entries the
scale kind allows with that capacity, every field closed by ";". The files are Windows-1254 text
with CR LF line ends.

A division d is allowed with the capacity c when the number of divisions n = c / d lies in the
kind's window (both ends included):
    Normal        1000 <= n <= 100000   (not metrological)
    SGMetrolojik   500 <= n <= 10000    (metrological, single range)
    MTMetrolojik   500 <= n <= 3000     (metrological, each range of a two-range scale)
A row keeps at most seven divisions, dropping the finest ones (largest n) first. A capacity whose
window holds no division keeps the single division whose n lies nearest to the window (by ratio).

Entries read "code - value Kg" with the code unpadded ("3 - 0.001 Kg"): the calibration page takes
the leading digits as the code and shows the entry from its fifth character on, trimmed.

Run it after changing a rule; the test suite checks the committed files against the same rule.
"""

from fractions import Fraction
from pathlib import Path

# Capacity of each capacity code 0..85, in kg.
CAPACITIES = [
    1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 16, 20, 24, 25, 30, 32, 40, 48, 50, 60, 75, 80,
    100, 120, 125, 150, 160, 200, 240, 250, 300, 320, 400, 480, 500, 600, 750, 800,
    1000, 1200, 1250, 1500, 1600, 2000, 2400, 2500, 3000, 3200, 4000, 4800, 5000, 6000, 7500, 8000,
    10000, 12000, 12500, 15000, 16000, 20000, 24000, 25000, 30000, 32000, 40000, 48000, 50000, 60000,
    75000, 80000,
    100000, 120000, 125000, 150000, 160000, 200000, 240000, 250000, 300000, 320000, 400000, 480000,
    500000, 600000, 750000, 800000,
]

# Division of each division code 3..19, as shown (kg).
DIVISIONS = [
    (3, "0.001"), (4, "0.002"), (5, "0.005"), (6, "0.01"), (7, "0.02"), (8, "0.05"), (9, "0.1"),
    (10, "0.2"), (11, "0.5"), (12, "1"), (13, "2"), (14, "5"), (15, "10"), (16, "20"), (17, "50"),
    (18, "100"), (19, "200"),
]

KINDS = [
    ("Normal.txt", 1000, 100000),
    ("SGMetrolojik.txt", 500, 10000),
    ("MTMetrolojik.txt", 500, 3000),
]

MAX_DIVISIONS = 7


def allowed_divisions(capacity, low, high):
    """Division codes allowed with the capacity, in code order."""
    counts = [(code, Fraction(capacity) / Fraction(text)) for code, text in DIVISIONS]
    inside = [(code, n) for code, n in counts if low <= n <= high]
    if inside:
        # Coarsest first, keep seven, back to code order.
        inside.sort(key=lambda item: item[1])
        return sorted(code for code, _ in inside[:MAX_DIVISIONS])

    def distance(item):
        n = item[1]
        return (low / n if n < low else n / high, n)

    return [min(counts, key=distance)[0]]


def kind_lines(low, high):
    text = dict(DIVISIONS)
    lines = []
    for code, capacity in enumerate(CAPACITIES):
        fields = [f"{code} - {capacity} Kg"]
        fields += [f"{d} - {text[d]} Kg" for d in allowed_divisions(capacity, low, high)]
        lines.append("".join(field + ";" for field in fields))
    return lines


def main():
    assert len(CAPACITIES) == 86
    folder = Path(__file__).resolve().parent
    for name, low, high in KINDS:
        content = "".join(line + "\r\n" for line in kind_lines(low, high))
        (folder / name).write_bytes(content.encode("cp1254"))


if __name__ == "__main__":
    main()
