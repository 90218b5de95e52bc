#!/usr/bin/env python3
"""Writes the five default metronome sounds (48 kHz, 16-bit, stereo WAV clicks)."""
import math
import os
import struct
import sys

RATE = 48000


def click(freq, length=0.12, decay=40.0):
    frames = int(RATE * length)
    out = bytearray()
    for i in range(frames):
        t = i / RATE
        v = int(24000 * math.exp(-decay * t) * math.sin(2 * math.pi * freq * t))
        out += struct.pack('<hh', v, v)
    return bytes(out)


def wav(samples):
    head = b'RIFF' + struct.pack('<I', 36 + len(samples)) + b'WAVEfmt '
    head += struct.pack('<IHHIIHH', 16, 1, 2, RATE, RATE * 4, 4, 16)
    return head + b'data' + struct.pack('<I', len(samples)) + samples


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), '..', 'src', 'resources', 'metronome_sound')
    os.makedirs(folder, exist_ok=True)
    for n, freq in enumerate((1500, 1000, 2000, 800, 2500), start=1):
        with open(os.path.join(folder, 'click%d.wav' % n), 'wb') as f:
            f.write(wav(click(freq)))


if __name__ == '__main__':
    main()
