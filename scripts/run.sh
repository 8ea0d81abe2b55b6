#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample data.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${PACKAGES[@]}"
build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: start the program from a desktop session (or set DISPLAY)." >&2
    exit 1
fi
exec "$BUILD/bin/DravopaxVevavav" "$@"
