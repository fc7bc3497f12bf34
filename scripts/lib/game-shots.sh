# The game under a virtual X server at SCALE times its size, silent, for the
# scripts that take its pictures. Source it inside the X server with SCALE
# and WORK set (the game's copy in WORK/game, its output into
# WORK/stderr.log) and SHOTS_PREFIX, what the pictures' names begin with.
#
#   start_game_for_shots NAME [ARG...]  starts the game with ARGs and sets PID and
#                                       WID; exits, saying so as NAME, when no window comes
#   click_at X Y                        a click at a point in game pixels
#   shot NAME                           the main window into SHOTS_PREFIX NAME .png
source "$(dirname "${BASH_SOURCE[0]}")/game-windows.sh"

start_game_for_shots() {
  local name=$1
  shift
  export IKEASOBI_AUDIO=null QT_SCALE_FACTOR=$SCALE
  unset QT_QPA_PLATFORM
  "$WORK/game/ikeasobi" "$@" >"$WORK/stderr.log" 2>&1 &
  PID=$!
  trap 'kill "$PID" 2>/dev/null || true' EXIT
  await_main_window || { echo "$name: no window appeared"; cat "$WORK/stderr.log"; exit 1; }
}

click_at() { xdotool mousemove --window "$WID" $(( $1 * SCALE )) $(( $2 * SCALE )) click 1; }
shot() { import -window "$WID" "$SHOTS_PREFIX$1.png"; }
