# The private sound server the sound scripts run the game through:
# IKEASOBI_SOUND_SERVER=pipewire or pulseaudio, and when it is unset the one
# the machine has (PipeWire where pipewire-pulse is installed, else
# PulseAudio). Either way a null sink "ikeasobi_sink" is the default, pactl
# and parecord reach it, and ALSA's default plays into it.
#
#   source scripts/lib/private-sound-server.sh
#   start_private_sound_server WORK   sets SOUND_SERVER and the client's environment
#   stop_private_sound_server
#   sound_server_name                 e.g. "PipeWire 0.3.65"
#   record_sink WAV FORMAT            the sink's monitor into WAV (mono, 44100 Hz,
#                                     FORMAT u8 or s16le) until stop_sink_recording
LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=private-pulse.sh
source "$LIB_DIR/private-pulse.sh"
# shellcheck source=private-pipewire.sh
source "$LIB_DIR/private-pipewire.sh"

machine_sound_server() {
  local first
  read -r first _ <<<"$("$LIB_DIR/sound-servers.sh")"
  echo "${first:-pulseaudio}"
}

SOUND_SERVER=${IKEASOBI_SOUND_SERVER:-$(machine_sound_server)}

start_private_sound_server() {
  case "$SOUND_SERVER" in
    pipewire) start_private_pipewire "$1" ;;
    pulseaudio) start_private_pulse "$1" ;;
    *) echo "IKEASOBI_SOUND_SERVER must be pipewire or pulseaudio, not $SOUND_SERVER" >&2; return 2 ;;
  esac
}

SINK_RECORDER_PID=
record_sink() {  # wav format
  parecord --device=ikeasobi_sink.monitor --latency-msec=10 --file-format=wav --format="$2" --rate=44100 \
    --channels=1 "$1" 2>"${1%.wav}-parecord.log" &
  SINK_RECORDER_PID=$!
  until pactl list source-outputs short | grep -q .; do
    kill -0 "$SINK_RECORDER_PID" 2>/dev/null || { echo "parecord did not start:" >&2; cat "${1%.wav}-parecord.log" >&2; return 1; }
    sleep 0.1
  done
}

# Interrupted, parecord writes the WAV's header with the length it holds.
stop_sink_recording() {
  [[ -n "$SINK_RECORDER_PID" ]] || return 0
  kill -INT "$SINK_RECORDER_PID" 2>/dev/null || true
  wait "$SINK_RECORDER_PID" 2>/dev/null || true
  SINK_RECORDER_PID=
}

stop_private_sound_server() {
  stop_sink_recording
  stop_private_pipewire
  stop_private_pulse
}

sound_server_name() {
  case "$SOUND_SERVER" in
    pipewire) echo "PipeWire $(pipewire --version | awk '/libpipewire/ {print $NF; exit}')" ;;
    *) echo "PulseAudio $(pactl info | awk -F': ' '/Server Version/ {print $2}')" ;;
  esac
}
