"""Writes standard MIDI files (format 1) from notes given in beats."""

import struct

TICKS_PER_BEAT = 480


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def chunk(kind, payload):
    return kind + struct.pack(">I", len(payload)) + payload


def track_bytes(events):
    """events: (tick, order, bytes); order breaks ties (note-offs before note-ons)."""
    out = bytearray()
    now = 0
    for tick, _, data in sorted(events, key=lambda e: (e[0], e[1])):
        out += variable_length(tick - now) + data
        now = tick
    out += variable_length(0) + b"\xff\x2f\x00"
    return bytes(out)


def ticks(beats):
    return int(round(beats * TICKS_PER_BEAT))


class Part:
    """One instrument on one channel: a program, mixer settings and notes."""

    def __init__(self, name, channel, program=None, volume=100, pan=64, reverb=40):
        self.name = name
        self.channel = channel
        self.notes = []  # (start, length, pitch, velocity) in beats, for checks of the arrangement
        self.played = []  # the same as performed (start moved by `late`), for layers under the part
        self.events = [(0, 0, b"\xff\x03" + variable_length(len(name)) + name.encode("ascii"))]
        for controller, value in ((7, volume), (10, pan), (91, reverb), (93, 0)):
            self.events.append((0, 1, bytes([0xB0 | channel, controller, value])))
        if program is not None:
            self.events.append((0, 2, bytes([0xC0 | channel, program])))

    def control(self, beat, controller, value):
        """A controller change at a beat of the performance (modulation for
        vibrato, expression for swells, pan for movement)."""
        if not (0 <= controller <= 127 and 0 <= value <= 127 and beat >= 0):
            raise ValueError("bad controller %r %r at %r" % (controller, value, beat))
        self.events.append((ticks(beat), 1, bytes([0xB0 | self.channel, controller, value])))

    def note(self, start, length, pitch, velocity, late=0.0):
        """A note as written; `late` (beats, not negative) delays only its
        performance, so the written notes stay comparable bar by bar."""
        if not (0 <= pitch <= 127 and 1 <= velocity <= 127 and length > 0 and late >= 0):
            raise ValueError("bad note %r %r %r %r" % (pitch, velocity, length, late))
        self.notes.append((start, length, pitch, velocity))
        self.played.append((start + late, length, pitch, velocity))
        on, off = ticks(start + late), ticks(start + late + length)
        self.events.append((on, 4, bytes([0x90 | self.channel, pitch, velocity])))
        self.events.append((max(on + 1, off), 3, bytes([0x80 | self.channel, pitch, 0])))


def write(path, beats_per_minute, parts):
    tempo = int(round(60000000 / beats_per_minute))
    conductor = [(0, 0, b"\xff\x51\x03" + tempo.to_bytes(3, "big")),
                 (0, 1, b"\xff\x58\x04\x04\x02\x18\x08")]
    data = chunk(b"MThd", struct.pack(">HHH", 1, len(parts) + 1, TICKS_PER_BEAT))
    data += chunk(b"MTrk", track_bytes(conductor))
    for part in parts:
        data += chunk(b"MTrk", track_bytes(part.events))
    with open(path, "wb") as f:
        f.write(data)
