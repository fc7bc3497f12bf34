# A private PulseAudio with a null sink "ikeasobi_sink", as the sound tests
# use it: its own runtime, state and home folders under WORK, no system
# configuration (-n), kept alive when idle, and ALSA's default routed to it
# by the pulse plugin so the program sees no sound card at all. As root it
# warns but runs when it is told it is not the system instance.
#
#   source scripts/lib/private-pulse.sh
#   start_private_pulse WORK     sets PA_PID and the client's environment
#   stop_private_pulse
PA_PID=

start_private_pulse() {
  local work=$1
  export XDG_RUNTIME_DIR=$work/run HOME=$work/home
  export PULSE_RUNTIME_PATH=$work/run/pulse PULSE_STATE_PATH=$work/state
  export PULSE_SERVER=unix:$work/run/pulse/native
  export PULSE_CLIENTCONFIG=$work/client.conf
  mkdir -p "$PULSE_RUNTIME_PATH" "$HOME" "$PULSE_STATE_PATH"
  chmod 700 "$XDG_RUNTIME_DIR" "$PULSE_RUNTIME_PATH"
  echo "autospawn = no" >"$PULSE_CLIENTCONFIG"
  cat >"$HOME/.asoundrc" <<'ASOUNDRC'
pcm.!default { type pulse }
ctl.!default { type pulse }
ASOUNDRC
  pulseaudio --system=false --daemonize=no -n --exit-idle-time=-1 --use-pid-file=false \
    --disable-shm=false --log-target=file:"$work/pulseaudio.log" \
    -L "module-native-protocol-unix socket=$work/run/pulse/native auth-anonymous=1" \
    -L "module-null-sink sink_name=ikeasobi_sink rate=44100" \
    >"$work/pulseaudio.out" 2>&1 &
  PA_PID=$!
  local until=$(( $(date +%s) + 60 ))
  until pactl info >/dev/null 2>&1; do
    if (( $(date +%s) >= until )); then
      echo "the sound server did not start:" >&2
      cat "$work/pulseaudio.out" "$work/pulseaudio.log" 2>/dev/null | tail -20 >&2
      return 1
    fi
    sleep 0.1
  done
  pactl set-default-sink ikeasobi_sink
}

stop_private_pulse() {
  if [[ -n "$PA_PID" ]]; then
    kill "$PA_PID" 2>/dev/null || true
    wait "$PA_PID" 2>/dev/null || true
    PA_PID=
  fi
}
