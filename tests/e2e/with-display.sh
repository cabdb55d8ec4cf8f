#!/usr/bin/env bash
# with-display.sh <linux|windows> <program> [args...]: runs a test program on a
# fresh virtual display (under Wine for Windows) and returns its status.
source "$(dirname "$0")/lib.sh"
PLATFORM=$1
shift
start_display "${E2E_SCREEN:-1280x1024x24}"
[ "$PLATFORM" = windows ] && ensure_wine_prefix
run "$@"
