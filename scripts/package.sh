#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package from the install rules.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# dpkg-shlibdeps (dpkg-dev) names the packages of the libraries the program links.
ensure_packages "${PACKAGES[@]}" dpkg-dev
build
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$BUILD/package"
rm -rf "$BUILD/package/_CPack_Packages"
for deb in "$BUILD"/package/*.deb; do
    echo "Built $deb; install it as root with: apt install $deb"
done
