#!/usr/bin/env python3
"""Writes the example waves in examples/: one cycle each, 16-bit mono, 44100 Hz.

saw, square, triangle and sine hold exactly 128 samples and load as they are;
long-sine-600 holds one cycle of 600 samples and loads resampled to 128.
The bytes depend on nothing but this script, so running it again changes nothing.

usage: tools/make-examples.py [--out FOLDER]   (default: examples/ beside tools/)
"""

import argparse
import math
import pathlib
import struct
import wave

RATE = 44100
PEAK = 32767


def saw(i, n):
    # Rises from the bottom to just below the top, in equal steps.
    return -32768 + (65536 * i) // n


def square(i, n):
    return PEAK if i < n // 2 else -PEAK


def triangle(i, n):
    # Starts on the centre line, peaks at a quarter, troughs at three quarters.
    quarter = n // 4
    if i < quarter:
        return round(PEAK * i / quarter)
    if i < 3 * quarter:
        return round(PEAK * (2 * quarter - i) / quarter)
    return round(PEAK * (i - n) / quarter)


def sine(i, n):
    return round(PEAK * math.sin(2 * math.pi * i / n))


EXAMPLES = [
    ("saw.wav", saw, 128),
    ("square.wav", square, 128),
    ("triangle.wav", triangle, 128),
    ("sine.wav", sine, 128),
    ("long-sine-600.wav", sine, 600),
]


def write(path, shape, count):
    frames = b"".join(struct.pack("<h", shape(i, count)) for i in range(count))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "examples"
    parser = argparse.ArgumentParser(description="Write the example waves.")
    parser.add_argument("--out", type=pathlib.Path, default=default, help="folder to write into")
    folder = parser.parse_args().out
    folder.mkdir(parents=True, exist_ok=True)
    for name, shape, count in EXAMPLES:
        write(folder / name, shape, count)


if __name__ == "__main__":
    main()
