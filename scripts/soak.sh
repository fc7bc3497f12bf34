#!/usr/bin/env bash
# Soak: plays the real game (sanitizer build) under a virtual X server for
# SECONDS with random mouse work over the window's widgets: casts, shots,
# reeling holds, the shop, the tank, races and the start screen; message
# boxes are answered with Enter. Sound is captured to a WAV file.
#
# Passes when the game neither crashes nor reports anything through the
# sanitizers (LeakSanitizer included, at exit), closes cleanly when asked,
# and its live heap is flat after the warm-up (see the verdict below).
#
#   scripts/soak.sh [SECONDS]        default 360
#   IKEASOBI_SOAK_BUILD=dir          sanitizer build to use (default build-asan)
#   IKEASOBI_SOAK_KEEP=1             keep the work folder (game copy, logs)
#   IKEASOBI_SOAK_SHOTS=1            a screenshot every 5 s into the work folder
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)

# --- Inside the virtual X server ---------------------------------------------
if [[ "${1:-}" == --inside ]]; then
  WORK=$2
  DURATION=$3
  GAME=$WORK/game/ikeasobi
  mkdir -p "$WORK/san" "$WORK/capture"
  export ASAN_OPTIONS="log_path=$WORK/san/asan:detect_leaks=1:quarantine_size_mb=16:malloc_context_size=20"
  export UBSAN_OPTIONS="log_path=$WORK/san/ubsan:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$WORK/lsan.supp:print_suppressions=0"
  export IKEASOBI_AUDIO="capture:$WORK/capture"
  export IKEASOBI_HEAP_LOG="$WORK/heap.txt"
  unset QT_QPA_PLATFORM

  "$GAME" >"$WORK/stdout.log" 2>"$WORK/stderr.log" &
  PID=$!
  source "$ROOT/scripts/lib/game-windows.sh"
  await_main_window || { echo "soak: no window appeared"; kill "$PID" 2>/dev/null; exit 1; }

  rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$PID/status" 2>/dev/null || echo 0; }

  click_at 208 256  # COUNTINE
  START=$(date +%s)
  NEXT_SAMPLE=$START
  : >"$WORK/rss.txt"
  each_round() {
    local now
    now=$(date +%s)
    (( now >= NEXT_SAMPLE )) || return 0
    echo "$((now - START)) $(rss_kb)" >>"$WORK/rss.txt"
    [[ -n "${IKEASOBI_SOAK_SHOTS:-}" ]] && import -window root "$WORK/shot-$((now - START)).png" 2>/dev/null
    NEXT_SAMPLE=$((now + 5))
  }
  source "$ROOT/scripts/lib/random-play.sh"
  play_at_random "$DURATION" || { echo "soak: see above"; exit 1; }
  echo "$(( $(date +%s) - START )) $(rss_kb)" >>"$WORK/rss.txt"

  # Close the window as the window manager would, then wait for the exit.
  close_and_wait "$WORK/exit.txt" || { echo "soak: the game did not close when asked"; exit 1; }
  exit 0
fi

# --- Outside: build, prepare a game folder, run, judge ------------------------
DURATION=${1:-360}
BUILD=${IKEASOBI_SOAK_BUILD:-$ROOT/build-asan}

"$ROOT/scripts/install-deps.sh" check

if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DIKEASOBI_SANITIZE=ON -DIKEASOBI_BENCH=OFF >/dev/null
fi
grep -q '^IKEASOBI_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt" || { echo "soak: $BUILD is not a sanitizer build"; exit 1; }
cmake --build "$BUILD" -j"$(nproc)" --target ikeasobi ikeasobi_picture_files ikeasobi_first_save ikea_sounds save_field >/dev/null

WORK=$(mktemp -d /tmp/ikeasobi-soak.XXXXXX)
cleanup() { [[ -n "${IKEASOBI_SOAK_KEEP:-}" ]] || rm -rf "$WORK"; }
trap cleanup EXIT
cp -r "$BUILD/game" "$WORK/game"
source "$ROOT/scripts/lib/random-play.sh"
write_rich_save "$BUILD/game/dat/my.dat" "$WORK/game/dat/my.dat"
# Process-lifetime caches of the font and display libraries are not leaks of
# the game.
cat >"$WORK/lsan.supp" <<'EOF'
leak:libfontconfig
leak:libfreetype
leak:libxcb
leak:libX11
leak:libdbus
leak:libglib
EOF

echo "soak: $DURATION s in $WORK (build $BUILD)"
xvfb-run -a -s "-screen 0 800x600x24 -noreset" "$0" --inside "$WORK" "$DURATION" || FAILED=1
FAILED=${FAILED:-0}

if [[ -f "$WORK/exit.txt" ]] && [[ "$(cat "$WORK/exit.txt")" != 0 ]]; then
  echo "soak: the game exited with $(cat "$WORK/exit.txt")"; FAILED=1
fi
if compgen -G "$WORK/san/*" >/dev/null && grep -qE 'ERROR: |runtime error|SUMMARY: ' "$WORK"/san/*; then
  echo "soak: sanitizer report:"; cat "$WORK"/san/* | head -80; FAILED=1
fi
if [[ -s "$WORK/stderr.log" ]]; then
  echo "soak: the game's stderr (last lines):"; tail -5 "$WORK/stderr.log"
fi

# Memory, judged on the live heap: the sanitizer allocator's own count of
# bytes the game holds, so neither its quarantine nor the soundfont's size
# moves the verdict. What the game holds for a while (a fishing attempt, a
# message box, a screen's pictures) comes and goes within a minute; a leak
# raises the floor under it. The judged span (after a warm-up of a quarter
# of the run, at least 60 s) is cut in thirds, and the floor (the lowest
# sample) of the last third may be at most 0.5 MB per minute above that of
# the first: a leak of 1 MB per minute fails a 6-minute soak by 3 MB to 1.5,
# while the game's own floor has moved 0.15 to 0.6 MB.
WARM=$(( DURATION / 4 > 60 ? DURATION / 4 : 60 ))
read -r SPAN FLOOR1 FLOOR3 PEAK < <(awk -v w=$((WARM * 1000)) 'BEGIN { n = 0 } $1 >= w { t[n] = $1; v[n] = $2; n++ }
  END {
    if (n < 6) { print 0, 0, 0, 0; exit }
    a = t[0]; span = t[n-1] - a
    f1 = -1; f3 = -1; peak = 0
    for (i = 0; i < n; i++) {
      if (t[i] <= a + span / 3 && (f1 < 0 || v[i] < f1)) f1 = v[i]
      if (t[i] >= a + 2 * span / 3 && (f3 < 0 || v[i] < f3)) f3 = v[i]
      if (v[i] > peak) peak = v[i]
    }
    printf "%d %d %d %d\n", span, f1 / 1024, f3 / 1024, peak / 1024
  }' "$WORK/heap.txt" 2>/dev/null || echo 0 0 0 0)
if (( SPAN > 0 )); then
  GROWTH=$(( FLOOR3 - FLOOR1 ))
  # Floors of the first and last thirds lie two thirds of the span apart.
  ALLOW=$(( 512 * 2 * SPAN / 3 / 60000 ))
  (( ALLOW >= 256 )) || ALLOW=256
  echo "soak: live heap after warm-up: floor ${FLOOR1} kB -> ${FLOOR3} kB over $((SPAN / 1000)) s (growth ${GROWTH} kB, allowed ${ALLOW} kB), peak ${PEAK} kB"
  if (( GROWTH > ALLOW )); then echo "soak: the live heap grew by ${GROWTH} kB"; FAILED=1; fi
else
  echo "soak: too few live heap samples after the warm-up"; FAILED=1
fi
read -r FIRST LAST < <(awk -v w="$WARM" '$1 >= w && $2 > 0 { if (!f) { fv=$2; f=1 } lv=$2 } END { print fv+0, lv+0 }' "$WORK/rss.txt")
echo "soak: resident memory after warm-up (for information): ${FIRST} kB -> ${LAST} kB"
CAPTURE=$(find "$WORK/capture" -name '*.wav' -printf '%s\n' 2>/dev/null | head -n1)
echo "soak: captured sound: ${CAPTURE:-0} bytes"

if (( FAILED )); then echo "soak: FAILED"; exit 1; fi
echo "soak: passed"
