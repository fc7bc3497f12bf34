#!/usr/bin/env bash
# Click-to-sound latency of the effects through a real sound server, while
# other effects play: the release mixer with the shipped PCMMIX.INI plays a
# bed, a reel cue that keeps its channel busy, shots and, every 0.4-0.7 s, a
# short mark (build/sound/cue_latency_probe, on a game-like load of the
# mixer's thread) through the output the game would take, a private sound
# server's own (PipeWire) or ALSA's default routed to it (PulseAudio;
# scripts/lib/private-sound-server.sh), with a null sink. Each mark's delay is what the mixer holds ahead of the
# listener at its call: the mix position less the device's heard position,
# which follows the output's delay, there the server's own latency (stream
# buffer and sink). The sink's monitor is recorded alongside: every gap in
# the bed there is a dropout heard at the sink, and the marks' onsets in the
# recording against their call times give the spread of the delays as heard.
#
#   scripts/cue-latency.sh [SECONDS]     (default 60)
#   IKEASOBI_SOUND_BUILD=dir    release build to use (default build)
#   IKEASOBI_SOUND_KEEP=1       keep the work folder
#   IKEASOBI_LATENCY_PROFILE=f  another PCMMIX.INI
#   IKEASOBI_SOUND_BUFFER=b     auto (default), low or steady, as [sound] buffer=
#   IKEASOBI_SOUND_SERVER=s     pipewire or pulseaudio (default: the one
#                               the machine has)
#   IKEASOBI_SOUND_OUTPUT=o     alsa or pipewire (default: pipewire on
#                               PipeWire, as the game chooses; else alsa)
#
# Prints p50/p95/max of the delays, the device's underruns and the dropouts
# at the sink, and how late a real-time thread woke meanwhile and what the
# host took (scripts/lib/machine-watch.sh). Not part of ./check: its figures
# depend on the machine's load.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/machine-watch.sh
source "$ROOT/scripts/lib/machine-watch.sh"
SECONDS_TO_RUN=${1:-60}
BUILD=${IKEASOBI_SOUND_BUILD:-$ROOT/build}
PROFILE=${IKEASOBI_LATENCY_PROFILE:-$ROOT/sound/PCMMIX.INI}
say() { echo "cue-latency: $*"; }

source "$ROOT/scripts/lib/release-game.sh"
build_release_game "$ROOT" "$BUILD" cue_latency_probe wakeup_lateness

WORK=$(mktemp -d /tmp/ikeasobi-latency.XXXXXX)
# shellcheck source=lib/private-sound-server.sh
source "$ROOT/scripts/lib/private-sound-server.sh"
cleanup() {
  stop_machine_watch
  stop_private_sound_server
  [[ -n "${IKEASOBI_SOUND_KEEP:-}" ]] && say "kept $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT
start_private_sound_server "$WORK" || exit 1
OUTPUT=${IKEASOBI_SOUND_OUTPUT:-$([[ "$SOUND_SERVER" == pipewire ]] && echo pipewire || echo alsa)}
say "through $(sound_server_name), the $OUTPUT output"

# The monitor in the mixer's own format: one stream at full volume comes
# back byte for byte.
record_sink "$WORK/sink.wav" u8

( sleep "$(awk -v s="$SECONDS_TO_RUN" 'BEGIN {print s / 2}')"
  pactl list sink-inputs >"$WORK/streams-mid.txt" 2>&1
  pactl list sinks >"$WORK/sinks-mid.txt" 2>&1 ) &
ASK_PID=$!
start_machine_watch "$BUILD" "$SECONDS_TO_RUN" "$WORK/machine.txt"
PROBE_OUT=$("$BUILD/sound/cue_latency_probe" "$PROFILE" "$SECONDS_TO_RUN" "$OUTPUT" "$WORK/calls.txt")
wait "$ASK_PID" || true
stop_sink_recording

echo "$PROBE_OUT"
say "meanwhile $(machine_watch_report "$WORK/machine.txt")"
if [[ -s "$WORK/streams-mid.txt" ]]; then
  say "halfway, the server said: $(grep -E 'Buffer Latency|Sink Latency' "$WORK/streams-mid.txt" | head -2 | xargs)," \
    "sink $(grep -E 'Latency:' "$WORK/sinks-mid.txt" | head -1 | xargs)"
fi
DROPOUTS=$("$ROOT/scripts/lib/sink-dropouts.py" --bed "$WORK/sink.wav") || { say "$DROPOUTS"; exit 1; }
python3 - "$WORK/sink.wav" "$WORK/calls.txt" "$DROPOUTS" <<'PY'
import sys, wave, statistics
w = wave.open(sys.argv[1]); rate = w.getframerate(); x = w.readframes(w.getnframes())
calls = [tuple(map(float, l.split())) for l in open(sys.argv[2]) if l.strip()]
# A mark's onset: where the sum first reaches 200.
onsets = [i for i in range(1, len(x)) if x[i] >= 200 and x[i - 1] < 200]
print(f"cue-latency: {sys.argv[3]}; {len(onsets)} marks heard of {len(calls)} played")
# The last mark may be cut off by the end of the run.
if calls and 0 <= len(calls) - len(onsets) <= 1:
    heard = [o / rate - c[0] for o, c in zip(onsets, calls)]
    rep = [c[1] / 1000 for c in calls[:len(heard)]]
    h0, r0 = statistics.median(heard), statistics.median(rep)
    hs = sorted((h - h0) * 1000 for h in heard); rs = sorted((r - r0) * 1000 for r in rep)
    q = lambda s, p: s[min(len(s) - 1, int(p * len(s)))]
    print(f"cue-latency: spread about the median, as heard at the sink: p95 +{q(hs, .95):.1f} ms, "
          f"max +{hs[-1]:.1f} ms; as the device reported: p95 +{q(rs, .95):.1f} ms, max +{rs[-1]:.1f} ms")
PY
