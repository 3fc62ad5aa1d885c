"""The tune: "Jingle Bells" (James Lord Pierpont, 1857), our own arrangement
for a small band spread across the stereo field: sax and brass leads either side of
the middle, electric piano and strings on the left, clean guitar and choir on the
right, fingered bass and drums in the middle with the cymbals a little left, and
the bright parts moving: glockenspiel against celesta and sleigh bells against a
shaker, each pair sweeping across the field and back, mirror images of each other.

G major, 120 beats per minute, 4/4, 52 bars = 104 s, in five sections:

  opening  bars  1-4   the chorus hook on bells over sleigh bells and pizzicato
  theme    bars  5-20  the verse on sax; guitar and celesta join halfway
  chorus   bars 21-36  brass lead with bells an octave up; pads and sax below
                       in the second half
  break    bars 37-44  the drums drop out: the verse on flute, relative-minor
                       colours, soft pads and pizzicato
  build    bars 45-52  the chorus in harmony while the drums come back in and
                       rise, ending on the dominant with a fill

The build ends on D7 with a snare fill and the melody's pickup, and the opening's
first bar is where that phrase lands: the brass, the pads and the guitar arrive on
G with the crash and then leave the bells on their own, so the loop is heard as
the build coming round rather than falling away. Every note is played a little
late and at its own loudness, as a player would (seeded by the part, the note
and its place in the loop, so both passes and every build play it the same);
the winds, strings and choir bring vibrato into held notes and swell through
long ones. The mix rides the band down for the break and up through the build
(LEVEL_RIDE) and opens and closes the pads' filter with the phrase (PAD_CUTOFF).
play(parts, start) lays down one pass from beat `start`; the parts come in the
order of PARTS."""

import math
import random

BEATS_PER_MINUTE = 120

# The band: name, MIDI channel, General MIDI program (none for drums), volume
# and pan (0 left, 64 middle, 127 right; where a part moves, the middle of its
# sweep). Parts that share a channel (the percussion) are rendered apart and
# mixed, each at its own pan.
PARTS = [
    ("sax", 0, 65, 96, 48),         # alto sax
    ("brass", 1, 61, 96, 80),       # brass section
    ("flute", 2, 73, 100, 50),
    ("keys", 3, 4, 84, 6),         # electric piano
    ("guitar", 4, 27, 74, 120),     # clean electric guitar
    ("bass", 5, 33, 120, 64),       # fingered bass
    ("strings", 6, 48, 80, 10),
    ("choir", 7, 52, 72, 118),      # choir aahs
    ("glock", 8, 9, 90, 64),        # glockenspiel
    ("celesta", 10, 8, 100, 64),
    ("pizz", 11, 45, 88, 100),      # pizzicato strings
    ("drums", 9, None, 100, 64),    # kick, snare and toms
    ("cymbals", 9, None, 96, 36),   # hi-hat, ride and crash, as the drummer sits
    ("sleigh", 9, None, 80, 64),    # sleigh bells
    ("shaker", 9, None, 60, 64),
]
# The bright parts never park on one side: each drifts a little either side
# of its place and back (pan steps each way; 10 leans a part at most about
# 2 dB towards either ear, enough to be felt moving, never enough to pull the
# top to one side), its mirror image in another part, on a period that
# divides the loop so the sweep comes round with it. (part, swing, period in
# bars, phase in bars)
SWEEPS = [("sleigh", 10, 6.5, 0), ("shaker", 10, 6.5, 3.25), ("glock", 10, 13, 6.5),
          ("celesta", 10, 13, 0), ("pizz", 24, 52, 26)]

# The mix, as stems: which parts render together, and each stem's strip on
# the desk: high-pass (Hz, 0 for none), level (dB), sends to the hall and to
# the plate (dB, None for none), and whether the pad filter moves it.
STEMS = [
    ("kit", ("drums",), 0, 0.0, -13.0, -6.0, False),
    ("cymbals", ("cymbals",), 300, -2.0, -16.0, -12.0, False),
    ("sleigh", ("sleigh",), 400, -3.0, -14.0, None, False),
    ("shaker", ("shaker",), 400, -3.0, -14.0, None, False),
    ("bass", ("bass",), 0, 3.0, None, None, False),
    ("pads", ("strings", "choir"), 140, -1.0, -7.0, None, True),
    ("leads", ("sax", "brass", "flute"), 150, 0.0, -7.0, -14.0, False),
    ("band", ("keys", "guitar", "glock", "celesta", "pizz"), 130, -1.0, -9.0, None, False),
]
# Vibrato (modulation wheel depth) that players bring in on held notes, and the
# expression swell each long note gets: (depth, swell from, swell to).
VIBRATO = {"sax": (52, 96, 120), "brass": (30, 100, 122), "flute": (60, 92, 118),
           "strings": (64, 88, 124), "choir": (50, 90, 120)}
BEATS_PER_BAR = 4

# How each part is played: how late it sits behind the grid on average and
# how much that varies (beats; 0.01 beat is 5 ms), and how much its loudness
# varies (velocity steps). The kit is the tightest; pads drift the most.
FEEL = {"drums": (0.004, 0.004, 4), "cymbals": (0.004, 0.004, 4), "sleigh": (0.008, 0.006, 6), "shaker": (0.006, 0.006, 6),
        "bass": (0.008, 0.006, 5), "sax": (0.016, 0.012, 7), "brass": (0.012, 0.010, 7),
        "flute": (0.016, 0.012, 6), "strings": (0.024, 0.016, 5), "choir": (0.024, 0.016, 5)}
FEEL_DEFAULT = (0.010, 0.008, 6)

# Melody as (MIDI pitch, beats) per bar.
VERSE = [
    [(62, 1), (71, 1), (69, 1), (67, 1)], [(62, 3), (62, 0.5), (62, 0.5)],
    [(62, 1), (71, 1), (69, 1), (67, 1)], [(64, 4)],
    [(64, 1), (72, 1), (71, 1), (69, 1)], [(66, 4)],
    [(74, 1), (74, 1), (72, 1), (69, 1)], [(71, 4)],
    [(62, 1), (71, 1), (69, 1), (67, 1)], [(62, 4)],
    [(62, 1), (71, 1), (69, 1), (67, 1)], [(64, 3), (64, 1)],
    [(64, 1), (72, 1), (71, 1), (69, 1)], [(74, 1), (74, 1), (74, 1), (74, 1)],
    [(76, 1), (74, 1), (72, 1), (69, 1)], [(67, 2), (74, 2)],
]
CHORUS_HALF = [
    [(71, 1), (71, 1), (71, 2)], [(71, 1), (71, 1), (71, 2)],
    [(71, 1), (74, 1), (67, 1.5), (69, 0.5)], [(71, 4)],
    [(72, 1), (72, 1), (72, 1.5), (72, 0.5)], [(72, 1), (71, 1), (71, 1), (71, 0.5), (71, 0.5)],
]
CHORUS_FIRST_END = [[(71, 1), (69, 1), (69, 1), (71, 1)], [(69, 2), (74, 2)]]
CHORUS = (CHORUS_HALF + CHORUS_FIRST_END
          + CHORUS_HALF + [[(74, 1), (74, 1), (72, 1), (69, 1)], [(67, 4)]])
INTRO = CHORUS[0:3] + [[(69, 2), (74, 1), (74, 0.5), (74, 0.5)]]

VERSE_CHORDS = "G G G C C D D7 G G G G C C D D7 G".split()
CHORUS_CHORDS = "G G G G C G A7 D7 G G G G C G D7 G".split()

# (section, melody, chords) in the order they play.
SECTIONS = [
    ("opening", INTRO, "G G Em D7".split()),
    ("theme", VERSE, VERSE_CHORDS),
    ("chorus", CHORUS, CHORUS_CHORDS),
    ("break", VERSE[0:8], "G Em G Em C D D7 G".split()),
    ("build", CHORUS[0:8], CHORUS_CHORDS[0:8]),
]
# One entry per bar: (section, bar within the section, melody, chord).
PLAN = [(name, i, melody[i], chords[i]) for name, melody, chords in SECTIONS
        for i in range(len(melody))]
BARS = len(PLAN)

# Bass root and fifth, and the voicings of the keys, the pads and the
# arpeggios, per chord.
BASS = {"G": (43, 50), "C": (48, 43), "D": (50, 45), "D7": (50, 45), "A7": (45, 52),
        "Em": (40, 47)}
VOICING = {"G": (55, 59, 62), "C": (55, 60, 64), "D": (54, 57, 62), "D7": (54, 57, 60, 62),
           "A7": (55, 57, 61, 64), "Em": (55, 59, 64)}
PAD = {"G": (59, 62, 67), "C": (60, 64, 67), "D": (57, 62, 66), "D7": (57, 60, 66),
       "A7": (57, 61, 64), "Em": (59, 64, 67)}
ARPEGGIO = {"G": (67, 71, 74, 79), "C": (67, 72, 76, 79), "D": (66, 69, 74, 78),
            "D7": (66, 69, 72, 74), "A7": (67, 69, 73, 76), "Em": (67, 71, 76, 79)}

KICK, SIDE_STICK, SNARE, CLOSED_HAT, OPEN_HAT, CRASH, RIDE, TAMBOURINE = 36, 37, 38, 42, 46, 49, 51, 54
HIGH_TOM, MID_TOM, LOW_TOM, FLOOR_TOM = 50, 48, 45, 43
SHAKER, SLEIGH_BELLS = 82, 83

# Layers the mix plays under a part's notes, for weight the samples lack: a
# plucked sine an octave under the bass (at the bass's own pitch where that
# would fall under 50 Hz), and a falling sine under each kick for its body.
# (kind, part, pitches or None for all, level in dB)
LAYERS = [("sub", "bass", None, -12.0), ("thump", "drums", (KICK,), -18.0)]

G_MAJOR = (0, 2, 4, 5, 7, 9, 11)


def third_below(pitch):
    """The diatonic third below a note of G major (a minor third below a note
    outside the key, which the melody never has)."""
    degree = (pitch - 7) % 12
    if degree not in G_MAJOR:
        return pitch - 3
    index = G_MAJOR.index(degree)
    below = G_MAJOR[(index - 2) % 7]
    return pitch - ((degree - below) % 12)


def melody_notes(part, t0, melody, octave=0, velocity=96, legato=0.92, harmony=False):
    t = t0
    for pitch, beats in melody:
        accent = velocity if (t - t0) % 2 == 0 else velocity - 10
        played = third_below(pitch) if harmony else pitch
        part.note(t, beats * legato, played + 12 * octave, accent)
        t += beats


def leads(p, section, index, t0, melody):
    if section == "opening":
        melody_notes(p["glock"], t0, melody, octave=1, velocity=100, legato=0.6)
        melody_notes(p["celesta"], t0, melody, octave=1, velocity=90, legato=0.8, harmony=True)
        if index == 0:
            # The build's last phrase lands here before the bells go on alone.
            melody_notes(p["brass"], t0, melody, velocity=96, legato=0.85)
            melody_notes(p["sax"], t0, melody, velocity=88, harmony=True)
    elif section == "theme":
        melody_notes(p["sax"], t0, melody, velocity=100)
    elif section == "chorus":
        melody_notes(p["brass"], t0, melody, velocity=100, legato=0.85)
        melody_notes(p["glock"], t0, [(n, min(b, 1.5)) for n, b in melody], octave=1,
                     velocity=84 if index < 8 else 96, legato=1.0)
        if index >= 8:
            melody_notes(p["sax"], t0, melody, velocity=84, harmony=True)
    elif section == "break":
        melody_notes(p["flute"], t0, melody, octave=1, velocity=78, legato=0.95)
    elif section == "build":
        rise = 70 + 5 * index
        melody_notes(p["brass"], t0, melody, velocity=rise, legato=0.85)
        melody_notes(p["sax"], t0, melody, velocity=rise - 8, harmony=True)
        if index >= 4:
            melody_notes(p["glock"], t0, melody, octave=1, velocity=rise - 10, legato=0.6)


def chord_parts(p, section, index, t0, chord):
    stabs = section in ("theme", "chorus") or (section == "build" and index >= 2)
    if stabs:
        for beat in (0.5, 1.5, 2.5, 3.5):
            for pitch in VOICING[chord]:
                p["keys"].note(t0 + beat, 0.35, pitch, 72 if beat in (1.5, 3.5) else 60)
    if section == "break":
        for pitch in VOICING[chord]:
            p["keys"].note(t0, 3.8, pitch, 40)
    strum = (section in ("chorus", "build") or (section == "theme" and index >= 8)
             or (section == "opening" and index == 0))
    if strum:
        # Down-strokes on 1 and the and of 2, an up-stroke on the and of 3.
        shape = VOICING[chord] + (VOICING[chord][0] + 12,)
        for beat, velocity, down in ((0, 84, True), (1.5, 70, True), (2.5, 64, False), (3, 74, True)):
            for k, pitch in enumerate(shape if down else tuple(reversed(shape))):
                p["guitar"].note(t0 + beat + 0.02 * k, 0.4, pitch, velocity - 3 * k)
    pads = ((section == "chorus" and index >= 8) or section in ("break", "build")
            or (section == "opening" and index < 2))
    if pads:
        velocity = {"chorus": 64, "break": 40, "opening": 70 - 16 * index}.get(section, 44 + 5 * index)
        for pitch in PAD[chord]:
            p["strings"].note(t0, 3.95, pitch, velocity)
            if section != "break":
                p["choir"].note(t0, 3.95, pitch + 12 if section == "build" and index >= 4 else pitch,
                                velocity - 6)
    arpeggio = ARPEGGIO[chord]
    if section == "opening" or section == "break":
        # Pizzicato up and down the chord in eighths.
        order = arpeggio + tuple(reversed(arpeggio))
        loud = 82 if section == "opening" else 60
        for i in range(8):
            p["pizz"].note(t0 + 0.5 * i, 0.3, order[i] - 12, loud if i % 2 == 0 else loud - 14)
    if (section == "theme" and index >= 8) or section == "break":
        # Celesta sparkle: the chord upwards in sixteenths on beats 2 and 4.
        loud = 72 if section == "theme" else 56
        for beat in (1, 3):
            for i, pitch in enumerate(arpeggio):
                p["celesta"].note(t0 + beat + 0.25 * i, 0.25, pitch + 12, loud - 4 * i)


def bass_line(part, section, index, t0, chord, next_chord):
    root, fifth = BASS[chord]
    nxt = BASS[next_chord][0]
    approach = nxt + (1 if nxt < root else -1)
    if section == "opening":
        pattern = [(0, root, 1.8), (2, fifth, 1.8)]
    elif section == "break":
        pattern = [(0, root, 3.8)] if index % 2 == 0 else [(0, root, 1.8), (2, fifth, 1.8)]
    elif section == "theme":
        pattern = [(0, root, 0.85), (1, fifth, 0.85), (2, root + 12, 0.85), (3, fifth, 0.85)]
    elif section == "chorus":
        pattern = [(0, root, 0.85), (1, fifth, 0.45), (1.5, fifth, 0.45), (2, root + 12, 0.85),
                   (3, fifth, 0.45), (3.5, root, 0.45)]
    else:
        pattern = [(0.5 * i, root + (12 if i == 5 else 0), 0.4) for i in range(8)]
    if index % 4 == 3 and section != "break":
        beat, _, length = pattern[-1]
        pattern[-1] = (beat, approach, length)
    loud = 80 if section == "break" else 106
    for beat, pitch, length in pattern:
        part.note(t0 + beat, length, pitch, loud if beat == 0 else loud - 12)


def fill(part, t0, beat, count, step, pitches, low=70, high=112):
    """A run of hits from `beat` rising in loudness, on the given pitches in turn."""
    for i in range(count):
        velocity = low + (high - low) * i // max(1, count - 1)
        part.note(t0 + beat + step * i, step * 0.8, pitches[i % len(pitches)], velocity)


def drums(p, section, index, t0):
    kit, sleigh, shaker = Kit(p["drums"], p["cymbals"]), p["sleigh"], p["shaker"]
    if section == "opening":
        if index == 0:
            kit.note(t0, 1.5, CRASH, 100)
        for beat in (0, 2):
            kit.note(t0 + beat, 0.25, KICK, 100)
        for i in range(8):
            kit.note(t0 + 0.5 * i, 0.25, CLOSED_HAT, 66 if i % 2 == 0 else 48)
        if index == 3:
            fill(kit, t0, 2, 8, 0.25, (SNARE,), 64, 100)
    elif section in ("theme", "chorus"):
        if index in (0, 8):
            kit.note(t0, 1.5, CRASH, 100)
        kicks = (0, 2) + ((2.5,) if index % 2 == 1 else ()) + ((1.5,) if section == "chorus" else ())
        for beat in kicks:
            kit.note(t0 + beat, 0.25, KICK, 110 if beat in (0, 2) else 92)
        for beat in (1, 3):
            kit.note(t0 + beat, 0.25, SNARE, 102)
        ride = section == "chorus" and index >= 8
        for i in range(8):
            cymbal = RIDE if ride else (OPEN_HAT if i == 7 and index % 4 == 3 else CLOSED_HAT)
            kit.note(t0 + 0.5 * i, 0.25, cymbal, 80 if i % 2 == 0 else 60)
        if section == "chorus":
            for beat in (1, 3):
                sleigh.note(t0 + beat, 0.25, TAMBOURINE, 82)
        if index == 15:
            fill(kit, t0, 2, 8, 0.25, (HIGH_TOM, HIGH_TOM, MID_TOM, MID_TOM, LOW_TOM, LOW_TOM,
                                       FLOOR_TOM, FLOOR_TOM), 80, 110)
    elif section == "break":
        for beat in (1, 3):
            kit.note(t0 + beat, 0.25, SIDE_STICK, 44)
        for i in range(4):
            kit.note(t0 + i, 0.25, CLOSED_HAT, 36)
        if index == 7:
            fill(kit, t0, 2, 8, 0.25, (SNARE,), 50, 96)
    else:
        if index == 0:
            kit.note(t0, 1.5, CRASH, 96)
        for beat in range(4):
            kit.note(t0 + beat, 0.25, KICK, 76 + 4 * index)
        if index >= 2 and index < 6:
            for beat in (1, 3):
                kit.note(t0 + beat, 0.25, SNARE, 76 + 4 * index)
        if index in (6, 7):
            step = 0.5 if index == 6 else 0.25
            fill(kit, t0, 0, int(4 / step), step, (SNARE,), 64 + 8 * (index - 6), 86 + 10 * (index - 6))
        if index < 4:
            for beat in (0.5, 1.5, 2.5, 3.5):
                kit.note(t0 + beat, 0.25, CLOSED_HAT, 60 + 4 * index)
        else:
            for i in range(8):
                kit.note(t0 + 0.5 * i, 0.25, OPEN_HAT if i % 2 else CLOSED_HAT, 60 + 4 * index)
    # Sleigh bells in eighths all through, softer in the break, sixteenths once
    # the build is under way; the shaker in sixteenths on the other side.
    soft = 32 if section == "break" else 0
    step = 0.25 if section == "build" and index >= 4 else 0.5
    for i in range(int(4 / step)):
        sleigh.note(t0 + step * i, step * 0.8, SLEIGH_BELLS, (100 if i % 2 == 0 else 80) - soft)
    for i in range(16):
        shaker.note(t0 + 0.25 * i, 0.2, SHAKER, (76 if i % 2 else 58) - soft // 2)


# How the pads' filter opens and closes, bar by bar: its cut-off (Hz) at the
# start of the bar and halfway through, so the pads breathe with the phrase;
# darkest in the break, opening all through the build.
def pad_cutoff(section, index):
    if section == "break":
        return 2000, 3400 if index % 2 == 0 else 2600
    if section == "build":
        start = 1500 * (7000 / 1500) ** (index / 8)
        return start, start * 1.15
    if section == "opening":
        return 3500, 3000
    return 2600, 4200 if index % 2 == 0 else 3400


# The band's level bar by bar (dB, on the whole mix before the master): the
# break steps back and the build climbs into the loop's start.
def ride(section, index):
    if section == "break":
        return -5.0
    if section == "build":
        return -4.5 + 5.0 * index / 7
    if section == "theme":
        return -2.5 if index < 8 else -1.5
    if section == "opening":
        return -0.5
    return 0.0 if index < 8 else 0.5


PAD_CUTOFF = [pad_cutoff(section, index) for section, index, _, _ in PLAN]
LEVEL_RIDE = [ride(section, index) for section, index, _, _ in PLAN]


class Player:
    """Plays one part's notes from the pass that starts at `start`: each a
    little late and a little louder or softer, the same at the same place of
    every pass, and swelling towards the middle of each two-bar phrase. Parts
    with vibrato bring it in on held notes and swell through long ones."""

    def __init__(self, part, start):
        self.part, self.start = part, start
        self.late, self.spread, self.loudness = FEEL.get(part.name, FEEL_DEFAULT)
        self.vibrato = VIBRATO.get(part.name)
        self.last_onset = None

    def note(self, start, length, pitch, velocity):
        at = start - self.start
        rng = random.Random("%s %d %d" % (self.part.name, round(at * 480), pitch))
        late = max(0.0, rng.gauss(self.late, self.spread))
        phrase = (at % (2 * BEATS_PER_BAR)) / (2 * BEATS_PER_BAR)
        swell = 4 * (1 - abs(2 * phrase - 1)) - 2
        played = round(velocity + swell + rng.gauss(0, self.loudness / 2))
        if self.vibrato and start != self.last_onset:
            # Once per onset: the notes of a chord share their channel's wheels.
            self.last_onset = start
            self.shape(start + late, length)
        self.part.note(start, length, pitch, max(1, min(127, played)), late=late)

    def shape(self, onset, length):
        """Vibrato from a quarter beat into a held note, growing to full
        depth; expression rising to 60 % of a long note and easing back."""
        depth, low, high = self.vibrato
        self.part.control(onset, 1, 0)
        if length < 1.5:
            self.part.control(onset, 11, (low + high) // 2)
        else:
            steps = int(length * 8)
            for i in range(steps):
                x = i / steps
                rise = x / 0.6 if x < 0.6 else 1 - 0.6 * (x - 0.6) / 0.4
                self.part.control(onset + i / 8, 11, round(low + (high - low) * rise))
        if length >= 0.9:
            begin, full = 0.25, max(0.5, 0.8 * min(length, 2.0))
            for i in range(int((full - begin) * 8) + 1):
                self.part.control(onset + begin + i / 8, 1, round(depth * min(1.0, i / 8 / (full - begin))))


class Kit:
    """The drummer: the cymbals go to their own part, panned apart from the
    drums as they stand around the kit."""

    def __init__(self, drums, cymbals):
        self.drums, self.cymbals = drums, cymbals

    def note(self, start, length, pitch, velocity):
        player = self.cymbals if pitch in (CLOSED_HAT, OPEN_HAT, CRASH, RIDE) else self.drums
        player.note(start, length, pitch, velocity)


def sweeps(parts, start):
    """The bright parts' pan moving on a sine, eight steps a beat."""
    steps = BARS * BEATS_PER_BAR * 8
    for name, swing, period, phase in SWEEPS:
        part = parts[name].part
        centre = next(pan for n, _, _, _, pan in PARTS if n == name)
        for i in range(steps):
            bars = i / 8 / BEATS_PER_BAR
            pan = centre + swing * math.sin(2 * math.pi * (bars + phase) / period)
            part.control(start + i / 8, 10, max(0, min(127, round(pan))))


def play(parts, start):
    p = {name: Player(part, start) for (name, *_), part in zip(PARTS, parts)}
    sweeps(p, start)
    for bar, (section, index, melody, chord) in enumerate(PLAN):
        t0 = start + bar * BEATS_PER_BAR
        next_chord = PLAN[(bar + 1) % BARS][3]
        leads(p, section, index, t0, melody)
        chord_parts(p, section, index, t0, chord)
        bass_line(p["bass"], section, index, t0, chord, next_chord)
        drums(p, section, index, t0)
