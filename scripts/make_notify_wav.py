#!/usr/bin/env python3
"""Writes theme/notify.wav: the short two-note chime played when an update brings news.

A soft bell: each note is a sine with two quiet overtones, a 5 ms fade-in and an exponential
decay; the second note (a major third up) starts 110 ms after the first. 22,050 Hz, 16-bit mono.
"""
import math
import struct
import sys
import wave

RATE = 22050
LENGTH_SECONDS = 0.75
NOTES = [(0.0, 1046.50), (0.11, 1318.51)]  # (start in seconds, frequency): C6 then E6
OVERTONES = [(1.0, 1.0), (2.0, 0.18), (3.01, 0.07)]  # (frequency ratio, relative level)


def sample(t):
    value = 0.0
    for start, frequency in NOTES:
        age = t - start
        if age < 0:
            continue
        envelope = min(1.0, age / 0.005) * math.exp(-age * 6.5)
        for ratio, level in OVERTONES:
            value += level * envelope * math.sin(2 * math.pi * frequency * ratio * age)
    return value


def main(path):
    count = int(RATE * LENGTH_SECONDS)
    samples = [sample(i / RATE) for i in range(count)]
    peak = max(abs(s) for s in samples)
    scale = 0.45 * 32767 / peak
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(s * scale)) for s in samples))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "theme/notify.wav")
