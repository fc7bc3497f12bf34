#!/usr/bin/env python3
"""scripts/lib/sink-dropouts.py --count against synthetic recordings at
44100 Hz: what it counts as a dropout in a steady bed and mid-stream."""
import math, os, subprocess, sys, tempfile, wave

COUNTER = os.path.join(os.path.dirname(__file__), "../../scripts/lib/sink-dropouts.py")
tone = lambda n, amp: [round(amp * math.sin(i / 7)) for i in range(n)]
fade = lambda n, amp: [round(amp * (1 - i / n) * math.sin(i / 7)) for i in range(n)]
CASES = [  # name, mode, 8-bit?, offsets from the centre (16-bit units), expected
    ("a hole in the bed", "--bed", True, [5632] * 900 + [0] * 30 + [256] * 30 + [5632] * 900, "1 1 1.4"),
    ("a hole with a ringing edge", "--bed", True, [5632] * 900 + [0] + [5632] * 3 + [0] * 100 + [5632] * 900,
     "1 2 2.4"),
    ("two holes 5 ms apart", "--bed", True, [5632] * 900 + ([0] * 50 + [5632] * 220) * 2 + [5632] * 900, "1 7 7.3"),
    ("two holes 12 ms apart", "--bed", True, [5632] * 900 + ([0] * 50 + [5632] * 530) * 2 + [5632] * 900, "2 2 1.1"),
    ("a bed with marks", "--bed", True, [5632] * 900 + [18000] * 50 + [5632] * 900, "0 0 0.0"),
    ("a 5 ms cut in 16 bits", "--stream", False, tone(4410, 3000) + [0] * 221 + tone(4410, 3000), "1 5 5.0"),
    ("a 5 ms cut in 8 bits", "--stream", True, tone(4410, 3000) + [0] * 221 + tone(4410, 3000), "1 5 5.0"),
    ("zero bytes beside a short cut", "--stream", False,
     tone(4410, 3000) + [200] + [0] * 87 + [3072] + tone(4410, 3000), "0 0 0.0"),
    ("a 1 ms cut", "--stream", False, tone(4410, 3000) + [0] * 44 + tone(4410, 3000), "0 0 0.0"),
    ("a fade, then the next sound", "--stream", False, fade(4410, 3000) + [0] * 441 + tone(4410, 3000), "0 0 0.0"),
    ("a pause between sounds", "--stream", False, tone(4410, 3000) + [0] * 13230 + tone(4410, 3000), "0 0 0.0"),
    ("silence", "--stream", False, [0] * 44100, None),
    ("an empty bed", "--bed", True, [0] * 44100, None),
]

failures = 0
with tempfile.TemporaryDirectory() as work:
    for name, mode, eight, x, expected in CASES:
        path = os.path.join(work, "sink.wav")
        with wave.open(path, "wb") as w:
            w.setnchannels(1), w.setsampwidth(1 if eight else 2), w.setframerate(44100)
            w.writeframes(bytes(128 + v // 256 for v in x) if eight
                          else b"".join(v.to_bytes(2, "little", signed=True) for v in x))
        run = subprocess.run([sys.executable, COUNTER, mode, "--count", path], capture_output=True, text=True)
        got = run.stdout.strip() if run.returncode == 0 else None
        if got != expected:
            print(f"FAIL: {name}: {got!r}, not {expected!r}"); failures += 1
sys.exit(1 if failures else 0)
