#!/usr/bin/env python3
"""Counts the dropouts heard at the sink in a recording of its monitor (a
mono WAV of 8-bit unsigned or 16-bit signed samples). Only the standard
library.

  sink-dropouts.py [--bed | --stream] [--count] WAV

--bed (the default): a steady bed plays from the first sound to the last,
  and every sum with it lies away from the centre, so every sample within
  one step of the centre between them is dry; dry runs less than 10 ms
  apart are one dropout.
--stream: tunes and effects that fall silent on their own. A dropout is a
  run of exact-centre samples, at least 2 ms and at most 250 ms long, that
  cuts sound off: within the 2 ms before it and the 2 ms after it the
  signal reaches at least 1/64 of full scale. Sounds that end or begin by
  their own (a fade to the centre, a silence between tunes or effects)
  reach the centre quietly and do not count.

Prints one line ("sink recording 20.0 s, 3 dropouts inside the bed (4 ms in
all, the longest 1.5 ms)"), or with --count "DROPOUTS DRY_MS LONGEST_MS".
Exits 1, after saying so, when the recording holds no sound at all."""
import array
import re
import sys
import wave

STEP = 256  # one 8-bit step in 16-bit units
SHORTEST_MS, LONGEST_MS, LOUD, EDGE_MS = 2, 250, 512, 2
ONE_DROPOUT_MS = 10  # pcmmix::PullFeed::kOneDropoutMs


def read_sink(path):
    """Rate, sample width in bytes and raw frames of a mono recording."""
    with wave.open(path) as w:
        if w.getnchannels() != 1 or w.getsampwidth() not in (1, 2):
            raise SystemExit(f"{path}: only mono 8-bit or 16-bit recordings")
        return w.getframerate(), w.getsampwidth(), w.readframes(w.getnframes())


def levels(width, data):
    """The samples as offsets from the centre, in 16-bit units (no copy of
    a 16-bit recording: ten minutes of it are 26 million samples)."""
    if width == 1:
        return array.array("h", ((v - 128) * STEP for v in data))
    return memoryview(data).cast("h")


def sounding_span(x, above):
    """First and last index whose offset is above the level, or None."""
    first = next((i for i, v in enumerate(x) if v > above), None)
    if first is None:
        return None
    return first, len(x) - 1 - next(i for i, v in enumerate(reversed(x)) if v > above)


def bed_gaps(rate, x):
    """The dry runs between the first and the last sound of a steady bed.
    A server's resampler rings at the edges of a hole, and a machine that
    stood still leaves a stutter of holes, so a run that begins within
    10 ms of the one before belongs to the same dropout, as the game's
    own count has it."""
    span = sounding_span(x, 2 * STEP)
    if span is None:
        return None
    runs, start, last_end = [], None, None  # runs as [start, end]
    for i in range(span[0], span[1] + 1):
        dry = i < span[1] and abs(x[i]) <= STEP
        if dry and start is None:
            start = i
        elif not dry and start is not None:
            if runs and start - runs[-1][1] < rate * ONE_DROPOUT_MS // 1000:
                runs[-1][1] = i
            else:
                runs.append([start, i])
            start = None
    return [end - start for start, end in runs]


def centre_runs(width, data, shortest):
    """(start, end) of every run of exact-centre samples at least that long."""
    centre = b"\x80" if width == 1 else b"\x00\x00"
    for m in re.finditer(re.escape(centre[:1]) + b"{%d,}" % (shortest * width), data):
        start, end = -(-m.start() // width), m.end() // width  # whole samples only
        if end - start >= shortest:
            yield start, end


def stream_gaps(rate, width, data):
    """The lengths of the runs at the centre that cut sound off mid-stream."""
    x = levels(width, data)
    if not any(abs(v) > STEP for v in x):
        return None
    edge, runs = rate * EDGE_MS // 1000, []
    for start, end in centre_runs(width, data, rate * SHORTEST_MS // 1000):
        if end - start > rate * LONGEST_MS // 1000 or start == 0 or end == len(x):
            continue
        before, after = x[max(0, start - edge):start], x[end:end + edge]
        if max(map(abs, before)) >= LOUD and max(map(abs, after)) >= LOUD:
            runs.append(end - start)
    return runs


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    if len(args) != 1:
        raise SystemExit(__doc__)
    rate, width, data = read_sink(args[0])
    stream = "--stream" in argv
    runs = stream_gaps(rate, width, data) if stream else bed_gaps(rate, levels(width, data))
    if runs is None:
        print("the sink's recording holds no sound")
        return 1
    dry_ms = 1000 * sum(runs) / rate
    longest_ms = 1000 * max(runs, default=0) / rate
    if "--count" in argv:
        print(f"{len(runs)} {dry_ms:.0f} {longest_ms:.1f}")
    else:
        where = "mid-stream" if stream else "inside the bed"
        print(f"sink recording {len(data) / width / rate:.1f} s, {len(runs)} dropouts {where} "
              f"({dry_ms:.0f} ms in all, the longest {longest_ms:.1f} ms)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
