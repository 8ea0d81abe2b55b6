#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test without a screen.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" "$@"
