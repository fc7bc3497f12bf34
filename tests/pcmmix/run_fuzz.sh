#!/usr/bin/env bash
# Builds the wave loader fuzz target with clang (libFuzzer + AddressSanitizer)
# and runs it briefly on the seed corpus. Usage: run_fuzz.sh [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-20}"
out="${PCMMIX_FUZZ_DIR:-$root/build-fuzz}"
mkdir -p "$out/corpus"

flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root")
sources=(
  "$here/FuzzWaveLoad.cpp"
  "$root"/pcmmix/{Convert,WaveLoad,RiffReader,Session,PlayPool,BlockQueue,Position,Engine,Play}.cpp
  "$root"/pcmmix/{MessageQueue,MsClock,Profile,WaveSystems,PacedWaveOut,HeldBlocks,WavFileWriter,AlsaWaveOut}.cpp
)
kernel=()
if [ -f "$root/pcmmix/kernel/MixSources.cpp" ]; then
  kernel=("$root"/pcmmix/kernel/*.cpp)
fi
clang++ "${flags[@]}" "${sources[@]}" "${kernel[@]}" $(pkg-config --cflags --libs alsa) -pthread \
  -o "$out/pcmmix_fuzz_waveload"

# Fresh finds go to the build folder; the seeds in the tree stay as they are.
"$out/pcmmix_fuzz_waveload" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  "$out/corpus" "$here/corpus"
