"""The tune: "Jingle Bells" (James Lord Pierpont, 1857), arranged for a small
band: alto sax lead, electric-piano stabs, fingered bass, drums with
tambourine, glockenspiel doubling the chorus and a choir pad on the last one.

G major, 120 beats per minute, 4/4, 48 bars = 96 s: verse (bars 1-16),
chorus (17-32), chorus again with bells and choir (33-48). The last bar ends on
the tonic with a drum fill that leads back into the verse, so the piece loops
in tempo and key. play(parts, start) lays down one pass from beat `start`."""

BEATS_PER_MINUTE = 120

# The band: name, MIDI channel, General MIDI program (none for drums), volume,
# pan and reverb send. play() receives the parts in this order.
PARTS = [
    ("lead", 0, 65, 104, 70, 50),    # alto sax
    ("keys", 1, 4, 90, 44, 40),      # electric piano
    ("bass", 2, 33, 92, 64, 10),     # fingered bass
    ("drums", 9, None, 96, 64, 30),
    ("bells", 3, 9, 112, 88, 60),    # glockenspiel
    ("choir", 4, 52, 84, 54, 70),    # choir aahs
]
BARS = 48
BEATS_PER_BAR = 4

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
CHORUS = (CHORUS_HALF + [[(71, 1), (69, 1), (69, 1), (71, 1)], [(69, 2), (74, 2)]]
          + CHORUS_HALF + [[(74, 1), (74, 1), (72, 1), (69, 1)], [(67, 4)]])
MELODY = VERSE + CHORUS + CHORUS

VERSE_CHORDS = "G G G C C D D7 G G G G C C D D7 G".split()
CHORUS_CHORDS = "G G G G C G A7 D7 G G G G C G D7 G".split()
CHORDS = VERSE_CHORDS + CHORUS_CHORDS + CHORUS_CHORDS

# Bass root and fifth, and the electric piano's voicing, per chord.
BASS = {"G": (43, 50), "C": (48, 43), "D": (50, 45), "D7": (50, 45), "A7": (45, 52)}
VOICING = {"G": (55, 59, 62), "C": (55, 60, 64), "D": (54, 57, 62), "D7": (54, 57, 60, 62),
           "A7": (55, 57, 61, 64)}
CHOIR = {"G": (59, 62, 67), "C": (60, 64, 67), "D": (57, 62, 66), "D7": (57, 60, 66),
         "A7": (57, 61, 64)}

KICK, SNARE, CLOSED_HAT, OPEN_HAT, CRASH, TAMBOURINE, RIDE = 36, 38, 42, 46, 49, 54, 51


def play(parts, start):
    lead, keys, bass, drums, bells, choir = parts
    for bar in range(BARS):
        t0 = start + bar * BEATS_PER_BAR
        chord = CHORDS[bar]
        in_chorus = bar >= 16
        last_chorus = bar >= 32
        # Lead, a little swing in the dynamics: stronger on the beat.
        t = t0
        for pitch, beats in MELODY[bar]:
            accent = 100 if (t - t0) % 2 == 0 else 88
            lead.note(t, beats * 0.92, pitch, accent)
            if in_chorus:
                bells.note(t, min(beats, 1.5), pitch + 12, 100 if last_chorus else 80)
            t += beats
        # Bass: root, fifth, octave, fifth with a passing note into the next bar.
        root, fifth = BASS[chord]
        nxt = BASS[CHORDS[(bar + 1) % BARS]][0]
        pattern = [(0, root), (1, fifth), (2, root + 12), (3, fifth)]
        if bar % 4 == 3:
            pattern[3] = (3, nxt + (1 if nxt < root else -1))
        for beat, pitch in pattern:
            bass.note(t0 + beat, 0.85, pitch, 104 if beat == 0 else 92)
        # Electric piano stabs on the off-beats.
        for beat in (0.5, 1.5, 2.5, 3.5):
            for pitch in VOICING[chord]:
                keys.note(t0 + beat, 0.35, pitch, 70 if beat in (1.5, 3.5) else 58)
        if last_chorus:
            for pitch in CHOIR[chord]:
                choir.note(t0, 3.9, pitch, 62)
        # Drums: kick on 1 and 3, snare on 2 and 4, eighth hats; tambourine in
        # the choruses; a crash at each section, a snare fill in the last bar.
        for beat in (0, 2):
            drums.note(t0 + beat, 0.25, KICK, 110)
        if bar % 2 == 1:
            drums.note(t0 + 2.5, 0.25, KICK, 90)
        for beat in (1, 3):
            drums.note(t0 + beat, 0.25, SNARE, 100)
        for i in range(8):
            hat = OPEN_HAT if (i == 7 and bar % 4 == 3) else CLOSED_HAT
            drums.note(t0 + i * 0.5, 0.25, hat, 80 if i % 2 == 0 else 60)
            if in_chorus:
                drums.note(t0 + i * 0.5 + 0.25, 0.2, TAMBOURINE, 55 if i % 2 else 70)
        if bar in (0, 16, 32):
            drums.note(t0, 1.0, CRASH, 96)
        if bar == BARS - 1:
            for i in range(8):
                drums.note(t0 + 2 + i * 0.25, 0.2, SNARE, 70 + 5 * i)
