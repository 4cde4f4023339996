#!/usr/bin/python3
"""Measures a recording of the saver's music (raw s16le, 44100 Hz, stereo).

envelope.py RECORDING CHECK [name=seconds ...]

Prints the loudness (RMS of full scale) per 50 ms window as a compact line,
then checks what CHECK names and exits non-zero with the reason on failure:
  mp3    a file of LENGTH seconds starting with a loud part: plays whole and
         starts again from its beginning at least three times, with no
         silence longer than GAP at a restart (in 10 ms windows);
  wav    the same file looped by the sound player: no gap at all;
  plays  there is sound while the renderer is up;
  silent no sound at all;
and for each but silent, silence from about a second after the renderer's
window has gone (`gone`, seconds into the recording) to the end.
"""
import array
import math
import sys

RATE = 44100
WINDOW = 0.05
FINE = 0.01  # for the silence between two plays
SILENT = 0.005  # RMS below this is silence (a stopped sink gives 0)


def windows(path, width):
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 4 * 4])
    step = int(RATE * width) * 2
    out = []
    for i in range(0, len(samples) - step + 1, step):
        chunk = samples[i:i + step]
        out.append(math.sqrt(sum(s * s for s in chunk) / len(chunk)) / 32768.0)
    return out


def segments(levels, width):
    """(start, end) times of runs of sound, in seconds."""
    runs, start = [], None
    for i, level in enumerate(levels + [0.0]):
        if level >= SILENT and start is None:
            start = i
        elif level < SILENT and start is not None:
            runs.append((start * width, i * width))
            start = None
    return runs


def loud_onsets(levels, width):
    """Times at which the file's loud opening part begins."""
    loud = 0.6 * max(levels)
    return [i * width for i in range(1, len(levels)) if levels[i] >= loud and levels[i - 1] < loud]


def fail(reason):
    print("FAIL:", reason)
    sys.exit(1)


# Wine differs here: its audio renderer reports the end of the file while
# about its last 0.15 s is still buffered, and its MPEGVideo device then stops
# and drops that rest (Windows reports the end once all has been heard). The
# rest left unplayed is no silence the restart causes: it is taken off each
# silence, up to this much.
WINE_UNPLAYED_END = 0.3


def check_mp3(path, gone, length, gap):
    levels = windows(path, FINE)
    runs = [r for r in segments(levels, FINE) if r[0] < gone]
    onsets = [t for t in loud_onsets(levels, FINE) if t < gone - 0.1]
    print("plays began at (s):", ", ".join("%.2f" % t for t in onsets))
    if len(onsets) < 4:
        fail("the file started again only %d times" % (len(onsets) - 1))
    for start, _ in runs[1:]:
        if start > gone - 0.25:
            continue  # the end came before its opening could show
        if not any(-0.05 <= onset - start <= 0.15 for onset in onsets):
            fail("the sound from %.2f s did not start at the beginning of the file" % start)
    longest = longest_restart = 0.0
    for a, b in zip(onsets, onsets[1:]):
        silences = [(r[1], n[0]) for r, n in zip(runs, runs[1:]) if a < r[1] and n[0] <= b + 0.05]
        if len(silences) > 1:
            fail("the play from %.2f s broke off %d times" % (a, len(silences) - 1))
        end, next_start = silences[0] if silences else (b, b)
        unplayed = max(0.0, length - (end - a))
        if unplayed > WINE_UNPLAYED_END:
            fail("a play of %.2f s instead of about %.2f s: cut" % (end - a, length))
        print("restart at %.2f s: %.2f s of silence, %.2f s of the file unplayed" % (b, next_start - end, unplayed))
        longest = max(longest, next_start - end)
        longest_restart = max(longest_restart, next_start - end - unplayed)
    print("longest silence between two plays: %.2f s, of which the restart %.2f s, over %d restarts"
          % (longest, longest_restart, len(onsets) - 1))
    if longest_restart > gap:
        fail("%.2f s of silence at a restart (at most %.2f s allowed)" % (longest_restart, gap))


def main():
    path, check = sys.argv[1], sys.argv[2]
    args = {k: float(v) for k, v in (a.split("=") for a in sys.argv[3:])}
    levels = windows(path, WINDOW)
    if len(levels) < 20:
        fail("recording too short (%d windows)" % len(levels))
    print("levels:", " ".join("%.2f" % l for l in levels))
    runs = segments(levels, WINDOW)
    print("sound from-to (s):", ", ".join("%.2f-%.2f" % r for r in runs))
    if check == "silent":
        if runs:
            fail("sound where there should be none")
        return
    gone = args["gone"]
    before = [r for r in runs if r[0] < gone]
    if not before:
        fail("no sound while the renderer was up")

    if check == "mp3":
        check_mp3(path, gone, args["length"], args["gap"])
    elif check == "wav":
        length = args["length"]
        if len(before) != 1:
            fail("the looping sound broke off %d times" % (len(before) - 1))
        onsets = [t for t in loud_onsets(levels, WINDOW) if before[0][0] - 0.1 <= t < gone]
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
