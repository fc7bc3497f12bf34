#!/usr/bin/env bash
# The PipeWire device against a private PipeWire with a null sink: runs the
# device's own tests (TEST_BINARY --gtest_filter=PipeWireDevice.*) inside
# it. Skips (77) on a machine without PipeWire.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BINARY=$1
command -v pipewire >/dev/null && command -v wireplumber >/dev/null || { echo "no PipeWire here"; exit 77; }
WORK=$(mktemp -d /tmp/ikeasobi-pipewire-device.XXXXXX)
# shellcheck source=../../scripts/lib/private-pipewire.sh
source "$ROOT/scripts/lib/private-pipewire.sh"
trap 'stop_private_pipewire; rm -rf "$WORK"' EXIT
start_private_pipewire "$WORK"
OUT=$(IKEASOBI_PRIVATE_PIPEWIRE=1 "$BINARY" --gtest_filter='PipeWireDevice.*' 2>&1) || { echo "$OUT"; exit 1; }
echo "$OUT"
# Skipped here means the device did not find the server it was given.
! grep -q '^\[  SKIPPED \]' <<<"$OUT"
