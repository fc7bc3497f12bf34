#!/usr/bin/env bash
# The release game as a native Wayland client: a headless Weston at
# 1920x1080, no X server named, the game run from a copy of its folder with
# a fresh home; a screenshot (weston-screenshooter) must show its window at
# the screen's default zoom, 2x on a 1080-line screen.
#
#   scripts/wayland-test.sh        the screenshot is kept as build/wayland.png
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ROOT/scripts/lib/release-game.sh"
build_release_game "$ROOT" "$ROOT/build"

# The game's client area at 1x, and the factor the default gives 1080 lines.
GAME_WIDTH=409 GAME_HEIGHT=276 FACTOR=2

WORK=$(mktemp -d /tmp/ikeasobi-wayland.XXXXXX)
PIDS=()
cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -m 700 "$WORK/runtime"
mkdir -p "$WORK/home" "$WORK/shots"
cp -r "$ROOT/build/game" "$WORK/game"
SESSION=(env -i PATH="$PATH" HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" LANG=C.UTF-8)

"${SESSION[@]}" weston --backend=headless-backend.so --use-pixman --width=1920 --height=1080 \
  --socket=ikeasobi-wayland --idle-time=0 --debug >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 1 40); do [[ -S "$WORK/runtime/ikeasobi-wayland" ]] && break; sleep 0.25; done
[[ -S "$WORK/runtime/ikeasobi-wayland" ]] || { echo "wayland-test: weston did not start"; cat "$WORK/weston.log"; exit 1; }

WAYLAND=("${SESSION[@]}" WAYLAND_DISPLAY=ikeasobi-wayland)
"${WAYLAND[@]}" QT_QPA_PLATFORM=wayland IKEASOBI_AUDIO=null "$WORK/game/ikeasobi" >"$WORK/game.log" 2>&1 &
GAME=$!
PIDS+=("$GAME")

# The title shows once the window has mapped and painted; a shot taken too
# early is taken again.
BOX=
for _ in $(seq 1 20); do
  sleep 1
  kill -0 "$GAME" 2>/dev/null || { echo "wayland-test: the game ended"; cat "$WORK/game.log"; exit 1; }
  rm -f "$WORK/shots/"*.png
  (cd "$WORK/shots" && "${WAYLAND[@]}" timeout 20 weston-screenshooter >/dev/null 2>&1) || continue
  SHOT=$(ls "$WORK/shots/"*.png 2>/dev/null | head -n1)
  [[ -n "$SHOT" ]] || continue
  BOX=$("$ROOT/scripts/lib/picture-box.py" "$SHOT" 2>/dev/null) || continue
  read -r _ _ WIDTH HEIGHT <<<"$BOX"
  (( WIDTH >= GAME_WIDTH * FACTOR - 4 && HEIGHT >= GAME_HEIGHT * FACTOR - 4 )) && break
done
[[ -n "$BOX" ]] || { echo "wayland-test: no screenshot showed the game"; cat "$WORK/game.log"; exit 1; }
cp "$SHOT" "$ROOT/build/wayland.png"
read -r LEFT TOP WIDTH HEIGHT <<<"$BOX"
echo "wayland-test: the game's picture is ${WIDTH}x${HEIGHT} at $LEFT,$TOP on 1920x1080 (build/wayland.png)"
if (( WIDTH < GAME_WIDTH * FACTOR - 4 || WIDTH > GAME_WIDTH * FACTOR + 4 ||
      HEIGHT < GAME_HEIGHT * FACTOR - 4 || HEIGHT > GAME_HEIGHT * FACTOR + 4 )); then
  echo "wayland-test: expected about $(( GAME_WIDTH * FACTOR ))x$(( GAME_HEIGHT * FACTOR )) (${FACTOR}x)"
  exit 1
fi
grep -qi "xcb\|could not connect to display" "$WORK/game.log" && { echo "wayland-test: the game looked for X"; cat "$WORK/game.log"; exit 1; }
echo "wayland-test: passed"
