#!/usr/bin/python3
"""Measures a recording of the saver's music (raw s16le, 44100 Hz, stereo).

envelope.py RECORDING CHECK [name=seconds ...]

Prints the loudness (RMS of full scale) per 50 ms window as a compact line,
then checks what CHECK names and exits non-zero with the reason on failure:
  mp3   a file of LENGTH seconds starting with a loud part: plays whole,
        starts again from its beginning within about a second of its end;
  wav   the same file looped by the sound player: no gap at all;
  plays there is sound while the renderer is up;
and for every check, silence from about a second after the renderer's
window has gone (`gone`, seconds into the recording) to the end.
"""
import array
import math
import sys

RATE = 44100
WINDOW = 0.05
SILENT = 0.005  # RMS below this is silence (a stopped sink gives 0)


def windows(path):
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 4 * 4])
    step = int(RATE * WINDOW) * 2
    out = []
    for i in range(0, len(samples) - step + 1, step):
        chunk = samples[i:i + step]
        out.append(math.sqrt(sum(s * s for s in chunk) / len(chunk)) / 32768.0)
    return out


def segments(levels):
    """(start, end) times of runs of sound, in seconds."""
    runs, start = [], None
    for i, level in enumerate(levels + [0.0]):
        if level >= SILENT and start is None:
            start = i
        elif level < SILENT and start is not None:
            runs.append((start * WINDOW, i * WINDOW))
            start = None
    return runs


def loud_onsets(levels):
    """Times at which the file's loud opening part begins."""
    loud = 0.6 * max(levels)
    return [i * WINDOW for i in range(1, len(levels)) if levels[i] >= loud and levels[i - 1] < loud]


def fail(reason):
    print("FAIL:", reason)
    sys.exit(1)


def main():
    path, check = sys.argv[1], sys.argv[2]
    args = {k: float(v) for k, v in (a.split("=") for a in sys.argv[3:])}
    levels = windows(path)
    if len(levels) < 20:
        fail("recording too short (%d windows)" % len(levels))
    print("levels:", " ".join("%.2f" % l for l in levels))
    runs = segments(levels)
    print("sound from-to (s):", ", ".join("%.2f-%.2f" % r for r in runs))
    gone = args["gone"]
    before = [r for r in runs if r[0] < gone]
    if not before:
        fail("no sound while the renderer was up")

    if check == "mp3":
        length = args["length"]
        whole = [r for r in before if r[1] < gone - 0.1]  # not cut by the end
        if len(whole) < 2:
            fail("the file did not play through and start again")
        for start, end in whole:
            if abs((end - start) - length) > 0.35:
                fail("a play of %.2f s instead of about %.2f s: stuttered or cut" % (end - start, length))
        for (_, end), (start, _) in zip(before, before[1:]):
            print("started again %.2f s after its end" % (start - end))
            if start - end > 1.5:
                fail("started again only %.2f s after its end" % (start - end))
        for start, _ in before[1:]:
            if not any(abs(onset - start) <= 0.15 for onset in loud_onsets(levels)):
                fail("the play from %.2f s did not start at the beginning of the file" % start)
    elif check == "wav":
        length = args["length"]
        if len(before) != 1:
            fail("the looping sound broke off %d times" % (len(before) - 1))
        onsets = [t for t in loud_onsets(levels) if before[0][0] - 0.1 <= t < gone]
        print("loud openings at (s):", ", ".join("%.2f" % t for t in onsets))
        if len(onsets) < 3:
            fail("the sound did not loop")
        for a, b in zip(onsets, onsets[1:]):
            if abs((b - a) - length) > 0.15:
                fail("a loop of %.2f s instead of %.2f s" % (b - a, length))
    elif check != "plays":
        fail("unknown check " + check)

    last = runs[-1][1]
    print("silent %.2f s after the renderer's window went" % (last - gone))
    if last > gone + 1.5:
        fail("still sounding %.2f s after the renderer's window went" % (last - gone))
    if len(levels) * WINDOW < last + 0.5:
        fail("recording ends before the silence could be seen")


if __name__ == "__main__":
    main()
