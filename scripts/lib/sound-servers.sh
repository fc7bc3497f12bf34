#!/usr/bin/env bash
# Prints the sound servers this machine has, one word each ("pipewire",
# "pulseaudio"), the one its desktop would run first: the sound checks run a
# private instance of each and never install one beside them.
set -euo pipefail
have() { command -v "$1" >/dev/null 2>&1; }
servers=()
if have pipewire && have pipewire-pulse && have wireplumber; then servers+=(pipewire); fi
if have pulseaudio; then servers+=(pulseaudio); fi
echo "${servers[*]}"
