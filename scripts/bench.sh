#!/usr/bin/env bash
# Installs what is missing, builds, and prints the benchmark figures.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${PACKAGES[@]}" xvfb
build
export QT_QPA_PLATFORM=offscreen
# The start-up figures are taken on an X server, as a user meets the program.
if [ -z "${DISPLAY:-}" ]; then
    display_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid"; rm -f "$display_file"' EXIT
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$display_file")"
fi
"$BUILD/bin/dvv_bench" "$@"
