#!/usr/bin/env python3
"""wavedump.exe play on wine's own waveOut, which reaches ALSA: the tests'
capturing ALSA configuration (ALSA_CONFIG_PATH, HWD_ALSA_CAPTURE) writes what
the device was given into a WAV file, read back here with Python's wave.

At 375 Hz and 48,000 frames a second the tone steps exactly one sample a frame
(375 * 128 = 48,000), so frame k is sample k mod 128 of the wave as the file
holds it, at half level: halved, halves away from zero. Nothing of the
program's own tone code is used to work out what should be heard.

usage: play_captured.py WINE WAVEDUMP_EXE EXAMPLES_FOLDER
"""
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import wave
from decimal import ROUND_HALF_UP, Decimal
from fractions import Fraction

WINE, WAVEDUMP, EXAMPLES = sys.argv[1:4] if len(sys.argv) >= 4 else (None, None, None)
CAPTURE = os.environ.get("HWD_ALSA_CAPTURE", "")
RATE = 48000
ONE_SAMPLE_A_FRAME = "375"


def read_frames(path):
    """The mono 16-bit frames of a WAV file, and its rate."""
    with wave.open(path, "rb") as file:
        if file.getnchannels() != 1 or file.getsampwidth() != 2:
            raise AssertionError(f"{path}: {file.getnchannels()} channels of {file.getsampwidth()} bytes")
        count = file.getnframes()
        data = file.readframes(count)
        if len(data) != 2 * count:
            raise AssertionError(f"{path}: header says {count} frames, data holds {len(data) // 2}")
        return list(struct.unpack(f"<{count}h", data)), file.getframerate()


def write_wave(path, samples):
    with wave.open(path, "wb") as file:
        file.setnchannels(1)
        file.setsampwidth(2)
        file.setframerate(44100)
        file.writeframes(struct.pack(f"<{len(samples)}h", *samples))


def half_level(value):
    # Decimal's ROUND_HALF_UP rounds a half away from zero, for either sign.
    return int((Decimal(value) / 2).quantize(Decimal(1), rounding=ROUND_HALF_UP))


def first_wrong_frame(frames, expected):
    for k, (got, want) in enumerate(zip(frames, expected)):
        if got != want:
            return f"frame {k} is {got}, not {want}"
    return None


class PlayOnWinesWaveOut(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def play(self, wave_file, *options):
        """Runs wavedump.exe play and answers the frames captured."""
        if os.path.exists(CAPTURE):
            os.remove(CAPTURE)
        # Files, not pipes: the wine server that the first run starts keeps
        # its parent's pipes open until it ends, seconds later.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            status = subprocess.run([WINE, WAVEDUMP, "play", wave_file, *options], stdout=out, stderr=err,
                                    timeout=60).returncode
            out.seek(0)
            err.seek(0)
            self.assertEqual(status, 0, err.read().decode(errors="replace"))
            self.assertEqual(out.read(), b"")
        self.assertTrue(os.path.exists(CAPTURE), "nothing reached ALSA")
        frames, rate = read_frames(CAPTURE)
        self.assertEqual(rate, RATE)
        # The file plugin settles the header's sizes only when the device is
        # closed; a header that disagrees with the file was never closed.
        self.assertEqual(os.path.getsize(CAPTURE), 44 + 2 * len(frames), "the capture was not closed")
        return frames

    def expect_tone(self, captured, samples, seconds):
        self.assertEqual(len(captured), round(seconds * RATE))
        expected = [half_level(samples[k % 128]) for k in range(len(captured))]
        self.assertIsNone(first_wrong_frame(captured, expected))

    def test_the_tone_of_each_example_at_half_level_for_its_seconds(self):
        cases = [("saw.wav", "1", 1.0), ("sine.wav", "0.25", 0.25), ("square.wav", "0.0123456", 0.0123456)]
        for name, seconds, length in cases:
            with self.subTest(wave=name, seconds=seconds):
                path = os.path.join(EXAMPLES, name)
                samples, _ = read_frames(path)
                self.assertEqual(len(samples), 128)
                captured = self.play(path, "--freq", ONE_SAMPLE_A_FRAME, "--seconds", seconds)
                self.expect_tone(captured, samples, length)

    def test_odd_values_round_away_from_zero_at_half_level(self):
        # Every odd value halves to a half: 1 -> 1, -1 -> -1, 32767 -> 16384,
        # -32767 -> -16384, and the extremes stay in range.
        edge = [1, -1, 3, -3, 32767, -32767, -32768, 32766, 0, 5, -5]
        samples = [edge[i % len(edge)] if i < 64 else (i * 1031) % 65536 - 32768 for i in range(128)]
        path = os.path.join(self.scratch.name, "odd.wav")
        write_wave(path, samples)
        captured = self.play(path, "--freq", ONE_SAMPLE_A_FRAME, "--seconds", "0.05")
        self.assertEqual(captured[:5], [1, -1, 2, -2, 16384])
        self.expect_tone(captured, samples, 0.05)

    def test_an_op_changes_what_is_played(self):
        # Peak 16384: normalize multiplies by 32767 / 16384 and truncates, so
        # 16384 -> 32767, 8192 -> 16383 (from 16383.5), -8193 -> -16385.
        pattern = [16384, -16384, 8192, -8193, 0, 1000, -7, 12345]
        samples = [pattern[i % len(pattern)] for i in range(128)]
        path = os.path.join(self.scratch.name, "quiet.wav")
        write_wave(path, samples)
        as_written = self.play(path, "--freq", ONE_SAMPLE_A_FRAME, "--seconds", "0.1")
        self.expect_tone(as_written, samples, 0.1)
        normalized = [int(Fraction(value) * Fraction(32767, 16384)) for value in samples]
        self.assertEqual(normalized[:4], [32767, -32767, 16383, -16385])
        captured = self.play(path, "--op", "normalize", "--freq", ONE_SAMPLE_A_FRAME, "--seconds", "0.1")
        self.expect_tone(captured, normalized, 0.1)


if __name__ == "__main__":
    if not (WINE and CAPTURE and os.environ.get("ALSA_CONFIG_PATH")):
        sys.exit(__doc__)
    unittest.main(argv=sys.argv[:1], verbosity=2)
