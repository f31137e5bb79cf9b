#!/usr/bin/env python3
"""Writes assets/ntfy.wav, the meeting alert's chime: two soft bell tones,
a fifth apart, 16-bit mono at 22050 Hz, about 0.9 s. Run it from anywhere;
the file it writes is committed, so the build does not need Python."""

import math
import os
import struct
import wave

RATE = 22050


def bell(freq, start, length, total):
    """One struck tone: a fundamental with two quieter partials, decaying."""
    out = [0.0] * total
    first = int(start * RATE)
    for i in range(int(length * RATE)):
        if first + i >= total:
            break
        t = i / RATE
        attack = min(1.0, t / 0.005)
        decay = math.exp(-4.5 * t)
        s = (math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * freq * 2.0 * t) +
             0.15 * math.sin(2 * math.pi * freq * 3.01 * t))
        out[first + i] = s * attack * decay
    return out


def main():
    total = int(0.9 * RATE)
    a = bell(880.0, 0.0, 0.9, total)
    b = bell(1318.5, 0.18, 0.72, total)
    mixed = [x + y for x, y in zip(a, b)]
    peak = max(abs(v) for v in mixed) or 1.0
    # A gentle fade over the last 50 ms so the file ends on silence.
    fade = int(0.05 * RATE)
    frames = bytearray()
    for i, v in enumerate(mixed):
        gain = 0.6 / peak
        if i >= total - fade:
            gain *= (total - i) / fade
        frames += struct.pack('<h', int(round(v * gain * 32767)))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'assets', 'ntfy.wav')
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


if __name__ == '__main__':
    main()
