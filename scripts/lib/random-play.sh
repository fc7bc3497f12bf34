# Random mouse work over the game's window, as the soak and the heavy-play
# sound check play it: casts and whole fishing attempts (shots at the catch,
# reeling holds), the shop, the tank, races and the start screen; message
# boxes are answered with Enter. Source it after game-windows.sh, with PID
# and WID set.
#
#   play_at_random SECONDS [FISHING]
#     FISHING: the share of rounds, in percent, that start a fishing attempt
#     (default 6; each attempt lasts about ten seconds). A function named
#     each_round, when defined, runs before every round. Fails when the game
#     ends on its own, after saying so.

# A rich save, so that every part of the game stays reachable for a whole
# run: money, bullets and sardines. Needs BUILD, a build with save_field.
write_rich_save() {  # from to
  local field=${BUILD:?}/tools/savefield/save-field
  cp "$1" "$2"
  "$field" "$2" Bullets = 5000 && "$field" "$2" Money = 9999999 && "$field" "$2" Sardines = 5000
}

# Client-area centres of the widgets (panels all open at the top left).
RANDOM_PLAY_POINTS=(
  354,18 342,166 342,194 342,222 352,258            # cast, shop, save, tank, help/reel
  48,38 142,38 240,38 48,66 142,66 48,98 48,126 48,154 48,182 190,98 190,126 190,154  # shop
  88,174 152,174 216,174 280,174 120,202 216,202 280,202 358,254                     # tank
  56,156 56,180 56,204 208,156 208,180 208,204                                        # classes
  48,256 136,256 272,256 352,256                                                      # race
  208,256 208,220 210,102                                                             # start
)
RANDOM_PLAY_MAIN=(354,18 342,166 342,222 352,258)

# Cast at a random point of the pond, then shoot near it and reel by turns.
fishing_attempt() {
  local x=$((40 + RANDOM % 220)) y=$((50 + RANDOM % 130)) i
  click_at 354 18
  click_at "$x" "$y"
  for i in $(seq 1 50); do
    answer_boxes
    if (( i % 4 == 0 )); then
      xdotool mousemove --window "$WID" 352 258 mousedown 1 sleep 0.3 mouseup 1 2>/dev/null || true
    else
      click_at $((x + RANDOM % 41 - 20)) $((y + RANDOM % 31 - 15))
    fi
    sleep 0.15
  done
}

play_at_random() {
  local duration=$1 fishing=${2:-6} start r p
  # The rest of the rounds keep the soak's proportions among themselves.
  local scale=$(( 100 - fishing ))
  start=$(date +%s)
  while (( $(date +%s) - start < duration )); do
    if ! kill -0 "$PID" 2>/dev/null; then
      wait "$PID" && RC=0 || RC=$?
      echo "the game ended on its own after $(( $(date +%s) - start )) s (exit $RC)"
      return 1
    fi
    declare -F each_round >/dev/null && each_round
    answer_boxes
    r=$((RANDOM % 100))
    if (( r < fishing )); then
      fishing_attempt
      continue
    fi
    r=$(( (r - fishing) * 94 / scale + 6 ))  # back onto the soak's 6..99
    if (( r < 30 )); then                     # the pond: cast point or shot
      click_at $((RANDOM % 300)) $((RANDOM % 200))
    elif (( r < 42 )); then                   # hold 巻く
      xdotool mousemove --window "$WID" 352 258 mousedown 1 2>/dev/null || true
      sleep "0.$((RANDOM % 9 + 1))"
      xdotool mouseup 1 2>/dev/null || true
    elif (( r < 70 )); then                   # any widget
      p=${RANDOM_PLAY_POINTS[$((RANDOM % ${#RANDOM_PLAY_POINTS[@]}))]}
      click_at "${p%,*}" "${p#*,}"
    elif (( r < 80 )); then                   # the main column
      p=${RANDOM_PLAY_MAIN[$((RANDOM % ${#RANDOM_PLAY_MAIN[@]}))]}
      click_at "${p%,*}" "${p#*,}"
    elif (( r < 88 )); then                   # a tank line
      click_at 358 $((10 + 12 * (RANDOM % 16)))
    elif (( r < 91 )); then                   # a name
      click_at 136 148
      xdotool type --delay 20 "$(head -c 6 /dev/urandom | base64 | tr -dc 'a-zA-Z' | head -c 4)" 2>/dev/null || true
    else                                      # anywhere
      click_at $((RANDOM % 409)) $((RANDOM % 277))
    fi
    sleep "0.0$((RANDOM % 8 + 2))"
  done
}
