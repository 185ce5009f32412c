#!/usr/bin/env python3
"""Writes waves.txt: what wavedump must print for the example files, worked out
here from the documented loading and editing rules, without the program's code.

Run it again only after a deliberate change of those rules; the tests compare
the program with the numbers this script wrote when the rules were settled.
Python's math.sin is the C library's sin, the one the program calls: Random
PD's angles past 2^53 give what that sin makes of them.

usage: tests/cli/expected/make_waves.py
"""

import math
import pathlib
import struct
import wave

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLES = HERE.parents[2] / "examples"
PI = 3.1415926535  # the editor's pi, cut to ten decimals

# Source lengths whose nearest-sample picks the tests need: the example of 600
# samples, sox's 1000 and the lengths the loader tests build.
PICK_LENGTHS = [129, 200, 300, 600, 1000, 65535]

# (example, ops, seed): the runs the tests make.
RUNS = [
    ("saw.wav", [], None),
    ("square.wav", [], None),
    ("sine.wav", [], None),
    ("square.wav", ["filter"], None),
    ("long-sine-600.wav", ["filter", "normalize"], None),
    ("saw.wav", ["additive"], None),
    ("saw.wav", ["random-pd"], 0),
    ("triangle.wav", ["random-pd"], 1),
    ("sine.wav", ["random-pd"], 4294967295),
    ("sine.wav", ["random-pd", "random-pd"], 12345),
    ("saw.wav", ["clear"], None),
    ("saw.wav", ["undo"], None),
    ("triangle.wav", ["clear", "undo"], None),
    ("square.wav", ["additive", "filter", "undo", "undo"], None),
    ("long-sine-600.wav", ["filter", "normalize", "additive", "random-pd", "clear", "undo", "normalize"], 77),
    ("sine.wav", ["filter", "random-pd"], 5),
    ("saw.wav", ["normalize"], None),
    ("square.wav", ["normalize"], None),
    ("long-sine-600.wav", ["normalize"], None),
]


def wrap16(value):
    return (value + 32768) % 65536 - 32768


def to_sample(value):
    # Truncated toward zero, low 16 bits kept; 2^63 and more (and NaN) give 0.
    if math.isnan(value) or abs(value) >= 2.0**63:
        return 0
    return wrap16(int(value))


def picks(n):
    step = n * 0.0078125
    return [min(math.floor(i * step + 0.5), n - 1) for i in range(128)]


def load(name):
    with wave.open(str(EXAMPLES / name), "rb") as file:
        frames = file.readframes(file.getnframes())
    samples = [value for (value,) in struct.iter_unpack("<h", frames)]
    return samples if len(samples) == 128 else [samples[k] for k in picks(len(samples))]


def filter_(w):
    s1 = s2 = 0.0
    out = []
    for i in range(128):
        x = w[(i + 1) % 128] * (1.0 / 32767)
        s1 = s1 + (x - s1) * 0.6
        s2 = s2 + (s1 - s2) * 0.6
        out.append(to_sample(32767.0 * s2))
    return out


def normalize(w):
    peak = max(abs(s) for s in w)
    if peak == 0:
        return list(w)
    factor = 32767.0 / peak
    return [to_sample(s * factor) for s in w]


def additive(w):
    acc = [0] * 128
    step = PI / 64
    for k in range(7):
        a = float(w[21 * k])
        step = step + step
        for i in range(128):
            acc[i] = wrap16(acc[i] + to_sample(math.sin((i + 1.0) * step) * a))
    return acc


def random_pd(w, seed):
    acc = [0] * 128
    state = seed
    step = PI / 2097152
    for j in range(128):
        a = float(w[j])
        step = step * 1.5
        state = (state * 214013 + 2531011) % 2**32
        r = (state >> 16) & 0x7FFF
        for i in range(128):
            angle = float(i + r) + 1.0
            angle = angle * step
            term = 0 if angle >= 2.0**63 else to_sample(math.sin(angle) * a)
            acc[i] = wrap16(acc[i] + term)
    return acc


def run(name, ops, seed):
    samples = load(name)
    undo = list(samples)  # the editor's opening snapshot
    for op in ops:
        if op == "undo":
            samples = list(undo)
            continue
        undo = list(samples)
        if op == "filter":
            samples = filter_(samples)
        elif op == "normalize":
            samples = normalize(samples)
        elif op == "additive":
            samples = additive(samples)
        elif op == "random-pd":
            samples = random_pd(samples, seed)
        elif op == "clear":
            samples = [0] * 128
    return samples


def main():
    lines = ["# Written by make_waves.py; see there how. One row a line: its key, a colon, 128 numbers."]
    for n in PICK_LENGTHS:
        lines.append(f"picks {n}: " + " ".join(map(str, picks(n))))
    for name, ops, seed in RUNS:
        key = " ".join([name] + ops + ([f"seed={seed}"] if "random-pd" in ops else []))
        lines.append(f"{key}: " + " ".join(map(str, run(name, ops, seed))))
    (HERE / "waves.txt").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
