#!/usr/bin/env bash
# Compiles every source of a Windows build syntax-only with the MinGW-w64 cross compiler.
# $1: one "<flags file><TAB><source>" line per source, written by tests/windows/CMakeLists.txt.
# $2: the src folder, searched for Windows files missing from the lists.
set -uo pipefail
list="$1"
src="$2"
cxx=x86_64-w64-mingw32-g++-posix
skip=77

if ! command -v "$cxx" >/dev/null; then
    echo "Skipped: $cxx not found (Debian package g++-mingw-w64-x86-64-posix)."
    exit $skip
fi

status=0
# A Windows file outside the lists would be neither built nor checked.
while IFS= read -r file; do
    if ! cut -f2 "$list" | grep -qxF "$file"; then
        echo "$file: in no Windows source list of src/Sources.cmake"
        status=1
    fi
done < <(find "$src" -name '*_win.cpp' | sort)

# A source passes again without a compile while it, its flags, every header it read and the
# compiler are older than its last pass; the stamp's time is taken before that compile began.
passes="$(dirname "$list")/passes"
mkdir -p "$passes"
passed_before() {
    local stamp="$1" flags="$2" dep
    [ -f "$stamp" ] && [ -f "$stamp.d" ] && [ "$flags" -ot "$stamp" ] || return 1
    [ "$(command -v "$cxx")" -ot "$stamp" ] || return 1
    for dep in $(sed -e 's/^[^:]*://' -e 's/\\$//' "$stamp.d"); do
        [ -e "$dep" ] && [ "$dep" -ot "$stamp" ] || return 1
    done
}
compile() {
    local flags="$1" file="$2" stamp="$3" log="$4"
    shift 4
    touch "$stamp.new"
    if "$cxx" -fsyntax-only -MD -MF "$stamp.d" @"$flags" "$@" "$file" >"$log" 2>&1; then
        mv "$stamp.new" "$stamp"
    else
        rm -f "$stamp" "$stamp.new"
        echo "$file" >"$log.failed"
    fi
}

# Parsing Qt's headers is most of the work, so each target's Qt headers are parsed once into a
# precompiled header that its shared sources take first. Those sources build on Linux too, where
# their own includes are checked; a Windows file is compiled without it, its includes as they stand.
# A precompiled header that cannot be made or used only costs time: the text is read instead.
pch="$(dirname "$list")/pch"
mkdir -p "$pch"
shared_sources() {
    awk -F'\t' -v flags="$1" '$1 == flags && $2 !~ /_win\.cpp$/ { print $2 }' "$list"
}
make_pch() {
    local flags="$1" header="$2"
    shared_sources "$flags" | xargs grep -hoE '^#include <Q[A-Za-z0-9]*>' | sort -u >"$header.new"
    if cmp -s "$header.new" "$header"; then
        rm "$header.new"
    else
        mv "$header.new" "$header"
    fi
    [ -f "$header.gch" ] && [ "$header" -ot "$header.gch" ] && [ "$flags" -ot "$header.gch" ] &&
        [ "$(command -v "$cxx")" -ot "$header.gch" ] && return 0
    "$cxx" -x c++-header @"$flags" "$header" -o "$header.gch.new" 2>/dev/null &&
        mv "$header.gch.new" "$header.gch" || rm -f "$header.gch" "$header.gch.new"
}
# Only a target with several sources gains from one.
for flags in $(cut -f1 "$list" | sort | uniq -c | awk '$1 >= 4 { print $2 }'); do
    make_pch "$flags" "$pch/$(basename "$flags" .rsp).h" &
done
wait

logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT
count=0
compiled=0
while IFS=$'\t' read -r flags file; do
    stamp="$passes/$(echo "$file" | tr / _)"
    count=$((count + 1))
    header="$pch/$(basename "$flags" .rsp).h"
    first=()
    [[ "$file" != *_win.cpp && -f "$header" ]] && first=(-include "$header")
    passed_before "$stamp" "$flags" && continue
    compiled=$((compiled + 1))
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
        wait -n
    done
    compile "$flags" "$file" "$stamp" "$logs/$count.log" "${first[@]}" &
done <"$list"
wait

failed=0
for ((i = 1; i <= count; i++)); do
    [ -f "$logs/$i.log.failed" ] || continue
    failed=$((failed + 1))
    echo "$(cat "$logs/$i.log.failed"): does not compile for Windows; first error:"
    # The include chain, the first error and the source line it points at.
    awk '{ print "    " $0 } / error: /{ last = NR + 2 } last && NR >= last { exit }' "$logs/$i.log"
done
echo "$((count - failed)) of $count Windows sources compile ($compiled compiled now, $((count - compiled)) unchanged since they passed)."
[ $failed -eq 0 ] && [ $count -gt 0 ] || status=1
exit $status
