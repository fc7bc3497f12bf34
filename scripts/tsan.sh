#!/usr/bin/env bash
# Builds the tests that run threads with ThreadSanitizer (build-tsan/) and runs
# them: the ALSA device over ALSA's null and file PCMs, the PipeWire device's
# feed and the device itself in a private PipeWire, the paced null and
# capture devices, the window's message queue into Qt, the music player's
# render and capture threads, and the sound starting and closing while a
# device thread runs. Any report fails the run.
#
#   scripts/tsan.sh
#   IKEASOBI_TSAN_BUILD=dir     build folder (default build-tsan)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${IKEASOBI_TSAN_BUILD:-$ROOT/build-tsan}
TARGETS=(pcmmix_tests sound_tests sound_qt_tests sound_allocation_tests midi_test)

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DIKEASOBI_TSAN=ON -DIKEASOBI_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]}" >/dev/null

export QT_QPA_PLATFORM=offscreen IKEASOBI_AUDIO=null
# The synthesiser's OpenMP workers synchronise inside libgomp, which the
# sanitizer cannot see; one worker keeps its reports about our code.
export OMP_NUM_THREADS=1
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:exitcode=66"

LOGS=$(mktemp -d /tmp/ikeasobi-tsan.XXXXXX)
trap 'rm -rf "$LOGS"' EXIT
tests=0
for t in "${TARGETS[@]}"; do
  exe=$(find "$BUILD/tests" -type f -name "$t" -perm -u+x | head -n1)
  [[ -n "$exe" ]] || { echo "tsan: $t was not built"; exit 1; }
  if ! "$exe" >"$LOGS/$t.log" 2>&1; then
    echo "tsan: $t failed:"
    grep -A40 -E 'WARNING: ThreadSanitizer|FAILED' "$LOGS/$t.log" | head -80
    exit 1
  fi
  if grep -q 'WARNING: ThreadSanitizer' "$LOGS/$t.log"; then
    echo "tsan: $t reported:"; grep -A40 'WARNING: ThreadSanitizer' "$LOGS/$t.log" | head -80
    exit 1
  fi
  n=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\./\1/p' "$LOGS/$t.log")
  echo "tsan: $t: ${n:-0} tests passed, no report"
  tests=$((tests + ${n:-0}))
done
# The PipeWire device against a private server, where PipeWire is here.
PCMMIX_TESTS=$(find "$BUILD/tests" -type f -name pcmmix_tests -perm -u+x | head -n1)
set +e
"$ROOT/tests/scripts/pipewire-device-test.sh" "$PCMMIX_TESTS" >"$LOGS/pipewire.log" 2>&1
status=$?
set -e
if grep -q 'WARNING: ThreadSanitizer' "$LOGS/pipewire.log" || (( status != 0 && status != 77 )); then
  echo "tsan: the PipeWire device failed:"; grep -A40 -E 'WARNING: ThreadSanitizer|FAILED' "$LOGS/pipewire.log" | head -80
  tail -20 "$LOGS/pipewire.log"
  exit 1
fi
(( status == 77 )) && echo "tsan: no PipeWire here, its device not run" || echo "tsan: the PipeWire device in a private server, no report"
echo "tsan: ${#TARGETS[@]} test programs, $tests tests, no ThreadSanitizer report"
