#!/usr/bin/env bash
# Installs what is missing, builds, and prints the benchmark figures.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${PACKAGES[@]}"
build
export QT_QPA_PLATFORM=offscreen
exec "$BUILD/bin/dvv_bench" "$@"
