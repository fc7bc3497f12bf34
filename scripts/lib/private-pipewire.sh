# A private PipeWire with a null sink "ikeasobi_sink", as the sound tests
# use it: pipewire, wireplumber and pipewire-pulse under their own runtime,
# state and home folders in WORK, on a D-Bus session bus of their own, and
# ALSA's default routed to it by the pulse plugin through pipewire-pulse, so
# the program sees no sound card at all and goes the way it goes through
# PulseAudio (PipeWire's own ALSA plugin, pipewire-alsa, cannot be installed
# beside PulseAudio). Pulse clients (pactl, parecord) reach it the same way,
# so the tests record the sink's monitor as they do from PulseAudio.
#
#   source scripts/lib/private-pipewire.sh
#   start_private_pipewire WORK    sets PW_PIDS and the client's environment
#   stop_private_pipewire
PW_PIDS=()
PW_BUS_PID=

# Writes the configuration fragments: no system-wide instance is touched, and
# WirePlumber looks for no camera, no Bluetooth and no sound card.
write_private_pipewire_config() {
  local config=$1
  mkdir -p "$config/pipewire/pipewire.conf.d" "$config/wireplumber/main.lua.d" \
    "$config/wireplumber/bluetooth.lua.d"
  cat >"$config/wireplumber/main.lua.d/90-ikeasobi.lua" <<'LUA'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
LUA
  echo 'bluez_monitor.enabled = false' >"$config/wireplumber/bluetooth.lua.d/90-ikeasobi.lua"
}

start_private_pipewire() {
  local work=$1
  export XDG_RUNTIME_DIR=$work/run HOME=$work/home
  export XDG_CONFIG_HOME=$work/home/.config XDG_STATE_HOME=$work/state
  export PIPEWIRE_RUNTIME_DIR=$work/run PULSE_RUNTIME_PATH=$work/run/pulse
  export PULSE_SERVER=unix:$work/run/pulse/native
  export PULSE_CLIENTCONFIG=$work/client.conf
  unset PIPEWIRE_REMOTE PULSE_STATE_PATH
  mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$XDG_STATE_HOME" "$PULSE_RUNTIME_PATH"
  chmod 700 "$XDG_RUNTIME_DIR" "$PULSE_RUNTIME_PATH"
  echo "autospawn = no" >"$PULSE_CLIENTCONFIG"
  write_private_pipewire_config "$XDG_CONFIG_HOME"
  cat >"$HOME/.asoundrc" <<'ASOUNDRC'
pcm.!default { type pulse }
ctl.!default { type pulse }
ASOUNDRC
  local bus
  bus=$(dbus-daemon --session --fork --nopidfile --address="unix:path=$work/run/bus" --print-address=1 --print-pid=1) || {
    echo "the private D-Bus session did not start" >&2; return 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
  PW_BUS_PID=$(sed -n 2p <<<"$bus")
  pipewire >"$work/pipewire.log" 2>&1 &
  PW_PIDS+=($!)
  local until=$(( $(date +%s) + 60 ))
  until [[ -S "$XDG_RUNTIME_DIR/pipewire-0" ]]; do
    if (( $(date +%s) >= until )); then
      echo "PipeWire did not start:" >&2; tail -20 "$work/pipewire.log" >&2; return 1
    fi
    sleep 0.1
  done
  wireplumber >"$work/wireplumber.log" 2>&1 &
  PW_PIDS+=($!)
  pipewire-pulse >"$work/pipewire-pulse.log" 2>&1 &
  PW_PIDS+=($!)
  until pactl info >/dev/null 2>&1; do
    if (( $(date +%s) >= until )); then
      echo "pipewire-pulse did not start:" >&2
      tail -20 "$work/pipewire.log" "$work/wireplumber.log" "$work/pipewire-pulse.log" >&2
      return 1
    fi
    sleep 0.1
  done
  pactl load-module module-null-sink sink_name=ikeasobi_sink rate=44100 >/dev/null || return 1
  # WirePlumber picks the default sink a moment after it appears; asking
  # for it before that is undone.
  until [[ "$(pactl get-default-sink 2>/dev/null)" == ikeasobi_sink ]]; do
    if (( $(date +%s) >= until )); then
      echo "the null sink did not become the default" >&2; tail -20 "$work/wireplumber.log" >&2; return 1
    fi
    pactl set-default-sink ikeasobi_sink
    sleep 0.1
  done
}

stop_private_pipewire() {
  local i
  for (( i = ${#PW_PIDS[@]} - 1; i >= 0; i-- )); do
    kill "${PW_PIDS[i]}" 2>/dev/null || true
    wait "${PW_PIDS[i]}" 2>/dev/null || true
  done
  PW_PIDS=()
  if [[ -n "$PW_BUS_PID" ]]; then
    kill "$PW_BUS_PID" 2>/dev/null || true
    PW_BUS_PID=
  fi
}
