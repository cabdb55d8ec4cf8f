#!/usr/bin/env bash
# with-sway.sh <program> [args...]: runs a test program as a plain user on a
# fresh headless sway without Xwayland (no X display named, so the program
# takes the Wayland path) and returns its status.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"

# The plain user reaches the program through the folders above it.
dir=$(dirname "$(realpath "$1")")
while [ "$dir" != / ]; do chmod o+x "$dir" 2>/dev/null || true; dir=$(dirname "$dir"); done
start_sway 'output * bg #000000 solid_color'
"${AS[@]}" "$@"
