#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short while on a
# copy of its seed corpus, so the tree never changes. Exits non-zero when a
# target fails to build or finds a crash, leak, timeout or memory blow-up;
# the input that did it is kept in the work folder and its path printed.
#
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# Environment: FUZZ_BUILD_DIR (default build-fuzz), FUZZ_WORK_DIR (default
# FUZZ_BUILD_DIR/runs), FUZZ_JOBS (default 2).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-15}"
shift || true
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
work="${FUZZ_WORK_DIR:-$build/runs}"
jobs="${FUZZ_JOBS:-2}"

all_targets=(pcmmix_fuzz_waveload fuzz_wavefile fuzz_profile fuzz_bmp fuzz_jpeg fuzz_savefile fuzz_gamedata)
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=("${all_targets[@]}")

# Seed folders of a target: its hand-made seeds, what campaigns found, and,
# for the wave loader, the seeds beside its source.
seed_dirs() {
  local t="$1"
  [ -d "$root/fuzz/corpus/$t" ] && echo "$root/fuzz/corpus/$t"
  [ -d "$root/fuzz/finds/$t" ] && echo "$root/fuzz/finds/$t"
  if [ "$t" = pcmmix_fuzz_waveload ] && [ -d "$root/tests/pcmmix/corpus" ]; then
    echo "$root/tests/pcmmix/corpus"
  fi
}

for tool in clang clang++ cmake; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool not found (install clang and libclang-rt-14-dev)" >&2; exit 2; }
done

mkdir -p "$build"
echo "== configuring $build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DIKEASOBI_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build/fuzz-configure.log" 2>&1 ||
  { cat "$build/fuzz-configure.log" >&2; exit 2; }
failed=()
for t in "${targets[@]}"; do
  # One target at a time, so one that does not build still lets the others run.
  echo "== building $t"
  if ! cmake --build "$build" -j"$jobs" --target "$t" >"$build/fuzz-build-$t.log" 2>&1; then
    grep -E 'error' "$build/fuzz-build-$t.log" | head -5 >&2
    echo "!! $t did not build (log: $build/fuzz-build-$t.log)" >&2
    failed+=("$t")
    continue
  fi
  exe="$(find "$build" -mindepth 2 -path "$work" -prune -o -type f -name "$t" -perm -u+x -print | head -n1)"
  [ -n "$exe" ] || { echo "fuzz.sh: $t was not built" >&2; failed+=("$t"); continue; }
  run="$work/$t"
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/found"
  while read -r dir; do
    [ -n "$dir" ] && cp "$dir"/* "$run/corpus/"
  done < <(seed_dirs "$t")
  args=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
        -artifact_prefix="$run/found/")
  [ -f "$root/fuzz/$t.dict" ] && args+=(-dict="$root/fuzz/$t.dict")
  echo "== $t for ${seconds}s"
  if "$exe" "${args[@]}" "$run/corpus" >"$run/log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "$run/log" | tr '\n' ' '
    echo
  else
    echo "!! $t failed; input kept in $run/found/, log in $run/log"
    grep -E 'ERROR|SUMMARY|Test unit written' "$run/log" | head -5
    failed+=("$t")
  fi
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz.sh: failures in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz.sh: ${#targets[@]} targets ran clean"
