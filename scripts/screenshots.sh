#!/usr/bin/env bash
# Takes the screenshots the AppStream metadata shows, of the release game
# (build/game, played from a copy) under a virtual X server at twice its
# size, into dist/screenshots/:
#   title.png  the start screen
#   pond.png   the pond after COUNTINE, with the status panel and the message line
#   shop.png   the tackle shop
#
#   scripts/screenshots.sh      needs the release build (./play or scripts/package.sh)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$ROOT/dist/screenshots
SCALE=2

if [[ "${1:-}" == --inside ]]; then
  WORK=$2 SHOTS_PREFIX=$2/
  source "$ROOT/scripts/lib/game-shots.sh"
  start_game_for_shots screenshots

  sleep 4                                    # the title's opening frames
  shot title
  click_at 208 256                           # COUNTINE
  sleep 3                                    # the greeting is typed out
  shot pond
  click_at 342 166                           # 釣具店
  sleep 2
  shot shop
  exit 0
fi

command -v import >/dev/null || { echo "screenshots: needs ImageMagick's import (apt-get install imagemagick)"; exit 1; }
[[ -x "$ROOT/build/game/ikeasobi" ]] || { echo "screenshots: build the release game first"; exit 1; }
WORK=$(mktemp -d /tmp/ikeasobi-shots.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cp -r "$ROOT/build/game" "$WORK/game"
rm -f "$WORK/game/dat/my.dat"                 # the first save, not one played here
"$ROOT/build/tools/assetgen/pictures/ikeasobi_pictures" --first-save "$WORK/game"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" --inside "$WORK"
mkdir -p "$OUT"
for name in title pond shop; do
  # No time stamps or other ancillary chunks: the same picture gives the same file.
  convert "$WORK/$name.png" -strip -define png:compression-level=9 "$OUT/$name.png"
  echo "$OUT/$name.png: $(identify -format '%wx%h' "$OUT/$name.png"), $(stat -c %s "$OUT/$name.png") bytes"
done
