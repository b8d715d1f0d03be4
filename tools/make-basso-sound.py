#!/usr/bin/env python3
"""Makes the default alert sound "Basso": a short, muted low thud.

A 98 Hz tone with four overtones, each fading faster than the one below it,
a slight downward pitch bend at the start, a soft attack and a faded tail.
Written as 16-bit mono PCM. The output is deterministic, so running the
script again reproduces the committed file byte for byte.

Usage: tools/make-basso-sound.py [output.wav]   (default: resources/sounds/Basso.wav)
"""

import math
import pathlib
import struct
import sys
import wave

SAMPLE_RATE = 22050
DURATION = 0.4          # seconds
FUNDAMENTAL = 98.0      # Hz (G2)
PITCH_BEND = 0.05       # the pitch starts this fraction higher and settles quickly
PITCH_SETTLE = 40.0     # 1/s
ATTACK = 0.004          # seconds
RELEASE = 0.04          # seconds of fade at the end
PEAK = 0.7              # of full scale

# (harmonic number, relative amplitude, decay rate in 1/s)
PARTIALS = [
    (1, 1.00, 9.0),
    (2, 0.55, 15.0),
    (3, 0.30, 22.0),
    (4, 0.16, 30.0),
    (5, 0.08, 40.0),
]


def envelope(t):
    attack = math.sin(0.5 * math.pi * min(1.0, t / ATTACK))
    release = min(1.0, (DURATION - t) / RELEASE)
    return attack * max(0.0, release)


def samples():
    count = int(SAMPLE_RATE * DURATION)
    phases = [0.0] * len(PARTIALS)
    values = []
    for n in range(count):
        t = n / SAMPLE_RATE
        frequency = FUNDAMENTAL * (1.0 + PITCH_BEND * math.exp(-PITCH_SETTLE * t))
        value = 0.0
        for i, (harmonic, amplitude, decay) in enumerate(PARTIALS):
            value += amplitude * math.exp(-decay * t) * math.sin(phases[i])
            phases[i] += 2.0 * math.pi * frequency * harmonic / SAMPLE_RATE
        values.append(value * envelope(t))
    peak = max(abs(v) for v in values)
    return [round(PEAK * 32767 * v / peak) for v in values]


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "resources" / "sounds" / "Basso.wav"
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    output.parent.mkdir(parents=True, exist_ok=True)
    pcm = samples()
    with wave.open(str(output), "wb") as file:
        file.setnchannels(1)
        file.setsampwidth(2)
        file.setframerate(SAMPLE_RATE)
        file.writeframes(struct.pack("<%dh" % len(pcm), *pcm))
    print("Wrote %s: %d samples, %.2f s" % (output, len(pcm), len(pcm) / SAMPLE_RATE))


if __name__ == "__main__":
    main()
