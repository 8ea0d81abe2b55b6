# Shared by run.sh and test.sh: makes sure the Debian packages are there and
# builds the program, its tests and its benchmarks in ./build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
PACKAGES=(g++ cmake ninja-build qt6-base-dev libgtest-dev fonts-dejavu-core)
# Only the tests need these: the Windows sources are compiled with the MinGW-w64 cross compiler, GRF
# files are installed into a FAT image mounted through FUSE, a DOS program runs in real DOSBox, the
# 32-bit cross compiler makes the Windows program run through real Wine (where Wine is installed: it
# is large, so the tests do not install it), the installed desktop entry and metainfo are validated,
# and the Debian package is made.
TEST_PACKAGES=(g++-mingw-w64-x86-64-posix dosfstools fusefat dosbox gcc-mingw-w64-i686 desktop-file-utils
    appstream dpkg-dev)

# Installs those of the named packages that are missing.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    else
        echo "These Debian packages are missing. Install them as root, then run this again:" >&2
        echo "  apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD"
}
