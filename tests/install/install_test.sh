#!/usr/bin/env bash
# The program as a user gets it: installed by the install rules or the Debian package, or copied
# whole as a portable folder. Usage: install_test.sh CASE BUILD_DIR SOURCE_DIR, CASE one of files,
# validate, user_folder, portable, package. Exit code 77: the tools this case needs are missing.
set -euo pipefail
CASE=$1 BUILD=$2 SOURCE=$3
ID=org.dravopaxvevavav.DravopaxVevavav
PACKAGE=dravopax-vevavav
T=$(mktemp -d)
trap 'chmod -R u+w "$T"; rm -rf "$T"' EXIT
chmod 755 "$T"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
needs() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "NOT RUN: $tool is not installed"; exit 77; }
    done
}
install_to() { "${CMAKE:-cmake}" --install "$BUILD" --prefix "$1" >/dev/null; }
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }

# A game folder, and a configuration file named by two words of the command line, as an unquoted
# path with a blank gives it.
GAME=$T/game
CFG="$T/my configs"
mkdir -p "$GAME" "$CFG" "$T/home" "$T/run"
chmod 700 "$T/run"
touch "$GAME/zorvan.exe" "$CFG/start up.cfg"
# Settings that let a start go through without a question, and what such a start that loads
# that file adds to them.
printf '[zvt]\r\ndir=%s\r\nversion=dos\r\n[dvs]\r\nversion=ver1\r\nwaittime=0\r\n' "$GAME" >"$T/stored"
printf 'mouse=0\r\nmenu=0\r\ncounter=1\r\nlastdir=%s/\r\n' "$CFG" | cat "$T/stored" - >"$T/expected"
RUNNER=()

# Starts `program` offscreen with a home of its own and the command line given, and ends it once
# the condition holds, or when it has not after a minute.
start_until() {
    local condition=$1 program=$2
    shift 2
    "${RUNNER[@]}" env -i HOME="$T/home" QT_QPA_PLATFORM=offscreen "$program" "$@" >"$T/output" 2>&1 &
    local pid=$!
    for _ in $(seq 600); do
        if eval "$condition" || ! kill -0 "$pid" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" || true
    eval "$condition" || { cat "$T/output" >&2; fail "never came true: $condition"; }
}

case $CASE in
files)
    install_to "$T/p"
    expected="bin/DravopaxVevavav
share/applications/$ID.desktop
share/metainfo/$ID.metainfo.xml"
    for name in $(files_in "$SOURCE/data/Data"); do
        expected+=$'\n'"share/$PACKAGE/Data/$name"
    done
    for size in 32 48 64 128 256; do
        icon="share/icons/hicolor/${size}x${size}/apps/$ID.png"
        expected+=$'\n'"$icon"
        [ "$(png_size "$SOURCE/src/app/images/icon$size.png")" = "${size}x$size" ] || fail "icon$size.png"
        cmp "$SOURCE/src/app/images/icon$size.png" "$T/p/$icon"
    done
    [ "$(files_in "$T/p")" = "$(LC_ALL=C sort <<<"$expected")" ] || fail "installed: $(files_in "$T/p")"
    diff -r "$SOURCE/data/Data" "$T/p/share/$PACKAGE/Data"
    grep -qx "Icon=$ID" "$T/p/share/applications/$ID.desktop"
    grep -qx "<id>$ID</id>" <(sed 's/^ *//' "$T/p/share/metainfo/$ID.metainfo.xml")

    # Help and version need no screen; an unknown option is one line on the error output.
    program=$T/p/bin/DravopaxVevavav
    [ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)" = \
        "Dravopax Vevavav 0.9.92 (2004-07-22)" ] || fail "--version"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$T/help"
    [ "$(head -n 1 "$T/help")" = "Usage: DravopaxVevavav [OPTION]... [FILE.cfg]" ] || fail "--help"
    # Answered with a screen and without one.
    for option in --bogus -x offscreen:-x; do
        code=0
        case $option in
        offscreen:*)
            option=${option#offscreen:}
            XDG_RUNTIME_DIR=$T/run QT_QPA_PLATFORM=offscreen "$program" "$T/a" "$option" >"$T/out" 2>"$T/err" ||
                code=$? ;;
        *)
            env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$T/a" "$option" >"$T/out" \
                2>"$T/err" || code=$? ;;
        esac
        [ "$code" = 2 ] && [ ! -s "$T/out" ] || fail "$option: exit code $code"
        [ "$(cat "$T/err")" = "DravopaxVevavav: unknown option '$option' (see DravopaxVevavav --help)" ] ||
            fail "$option: $(cat "$T/err")"
    done
    ;;
validate)
    needs desktop-file-validate appstreamcli
    install_to "$T/p"
    desktop-file-validate "$T/p/share/applications/$ID.desktop"
    appstreamcli validate --no-net "$T/p/share/metainfo/$ID.metainfo.xml"
    ;;
user_folder)
    # A prefix the program may not write: root's, with the program started as an ordinary user,
    # or, for anyone else, the user's own made read-only.
    install_to "$T/p"
    if [ "$(id -u)" = 0 ]; then
        needs setpriv
        chown -R 65534:65534 "$T/home"
        RUNNER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    else
        chmod -R a-w "$T/p"
    fi
    snapshot() { (cd "$T/p" && find . -printf '%p %m %u %s %T@\n' | LC_ALL=C sort); }
    before=$(snapshot)
    user=$T/home/.local/share/$PACKAGE

    # The first start makes the user's folder and gives it the installed Data, then asks for the
    # game's folder, which nobody answers here.
    start_until '[ -d "$user/Data" ]' "$T/p/bin/DravopaxVevavav"
    [ "$(ls -A "$user")" = Data ] || fail "beside Data: $(ls -A "$user")"
    diff -r "$T/p/share/$PACKAGE/Data" "$user/Data"

    # The user's copy is theirs: a later start keeps it, and settings land beside it.
    printf '[user]\r\n' >>"$user/Data/tool.ini"
    cp "$T/stored" "$user/settings.ini"
    [ "$(id -u)" != 0 ] || chown 65534:65534 "$user/settings.ini"
    start_until 'grep -q lastdir "$user/settings.ini"' "$T/p/bin/DravopaxVevavav" "$CFG/start" up.cfg
    cmp "$T/expected" "$user/settings.ini"
    [ "$(tail -c 8 "$user/Data/tool.ini")" = $'[user]\r' ] || fail "the user's Data was copied again"
    [ "$(snapshot)" = "$before" ] || fail "written under the prefix: $(diff <(echo "$before") <(snapshot))"
    ;;
portable)
    # A program folder that holds Data and may be written keeps every file, as it always has.
    mkdir "$T/portable"
    cp "$BUILD/bin/DravopaxVevavav" "$T/portable/"
    cp -r "$SOURCE/data/Data" "$T/portable/Data"
    cp "$T/stored" "$T/portable/settings.ini"
    start_until 'grep -q lastdir "$T/portable/settings.ini"' "$T/portable/DravopaxVevavav" "$CFG/start" up.cfg
    cmp "$T/expected" "$T/portable/settings.ini"
    diff -r "$SOURCE/data/Data" "$T/portable/Data"
    [ "$(ls -A "$T/portable")" = "$(printf 'Data\nDravopaxVevavav\nsettings.ini')" ] || fail "$(ls -A "$T/portable")"
    [ ! -e "$T/home/.local/share/$PACKAGE" ] || fail "a user folder was made"
    ;;
package)
    needs dpkg-deb dpkg-shlibdeps
    "${CPACK:-cpack}" -G DEB --config "$BUILD/CPackConfig.cmake" -B "$T/deb" >/dev/null
    deb=$(echo "$T"/deb/*.deb)
    [ "$(dpkg-deb -f "$deb" Package)" = "$PACKAGE" ] || fail "package name"
    depends=$(dpkg-deb -f "$deb" Depends)
    for qt in libqt6core6 libqt6gui6 libqt6network6 libqt6widgets6; do
        grep -Eq "(^|, )$qt( |,|$)" <<<"$depends" || fail "Depends: $depends"
    done
    [ "$(dpkg-deb -f "$deb" Recommends)" = "wine, wine32, dosbox" ] || fail "Recommends"
    # The package holds what the install rules put in place, under /usr.
    dpkg-deb -x "$deb" "$T/root"
    install_to "$T/p"
    [ "$(files_in "$T/root/usr")" = "$(files_in "$T/p")" ] || fail "contents: $(files_in "$T/root")"
    ;;
*)
    fail "no case $CASE"
    ;;
esac
echo "passed: $CASE"
