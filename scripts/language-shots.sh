#!/usr/bin/env bash
# Takes the game's screens in Japanese and in English, to look at: the title,
# the main view, the help page, the shop, the tank with a fish's card, the
# race entry's box, a race, and a fight (when a bite comes in time). The
# release game (build/game) plays from a copy whose save holds two fish,
# under a virtual X server at twice its size.
#
#   scripts/language-shots.sh [DIR]    DIR: where the pictures go
#                                      (default /tmp/ikeasobi-language-shots)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
SCALE=2

if [[ "${1:-}" == --inside ]]; then
  WORK=$2 LANGUAGE=$3 OUT=$4
  SHOTS_PREFIX=$OUT/$LANGUAGE-
  source "$ROOT/scripts/lib/game-shots.sh"
  start_game_for_shots language-shots --language "$LANGUAGE"

  sleep 4; shot title
  click_at 208 256; sleep 3; shot main        # COUNTINE
  click_at 352 258; sleep 1; shot help        # HELP
  click_at 352 258; sleep 1
  click_at 342 166; sleep 2; shot shop        # the shop
  click_at 342 166; sleep 1
  click_at 342 222; sleep 1                   # the tank
  click_at 358 10; sleep 2; shot card         # its first fish
  click_at 120 202; sleep 2                   # enter a race
  click_at 56 156; sleep 2                    # the first class: a Yes/No box
  import -window root -crop 900x500+0+0 "$OUT/$LANGUAGE-box.png"
  xdotool key Return; sleep 1
  click_at 272 256; sleep 4; shot race        # START!!
  for _ in $(seq 1 12); do sleep 4; xdotool key Return; done   # the race's end and its boxes
  click_at 358 254; sleep 1                   # back to the pond
  click_at 354 18; sleep 1; click_at 150 150  # cast near the bank
  for k in $(seq -w 1 20); do sleep 1.5; shot "fight-$k"; done   # a bite, while it holds
  exit 0
fi

command -v import >/dev/null || { echo "language-shots: needs ImageMagick's import (apt-get install imagemagick)"; exit 1; }
source "$ROOT/scripts/lib/release-game.sh"
build_release_game "$ROOT" "$ROOT/build"
OUT=${1:-/tmp/ikeasobi-language-shots}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
for LANGUAGE in ja en; do
  WORK=$(mktemp -d /tmp/ikeasobi-language.XXXXXX)
  cp -r "$ROOT/build/game" "$WORK/game"
  rm -f "$WORK/game/dat/my.dat" "$WORK/game/ikeasobi.conf"
  "$ROOT/build/tools/assetgen/pictures/ikeasobi_pictures" --first-save "$WORK/game"
  # Two fish in the tank, one named, and money for a race.
  field() { "$ROOT/build/tools/savefield/save-field" "$WORK/game/dat/my.dat" "$@"; }
  for fish in "0 8 35 Goldie" "1 17 52 ''"; do
    eval "set -- $fish"
    field TankKind "$1" = "$2"; field TankSize "$1" = "$3"; field TankName "$1" = "$4"
    field TankSpeed "$1" = 4; field TankStrength "$1" = 3; field TankGuts "$1" = 3
    field TankWits "$1" = 2; field TankHunger "$1" = 60; field TankTime "$1" = 00:00:42
  done
  field TankCups1 1 = 2; field TankCups2 1 = 1
  field Money = 5000; field Sardines = 10
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" --inside "$WORK" "$LANGUAGE" "$OUT"
  rm -rf "$WORK"
done
ls "$OUT"
