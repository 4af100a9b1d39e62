#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Two .deb packages built from copies of the source at different paths, in clean build folders
# at different paths, with the same SOURCE_DATE_EPOCH, must be the same to the byte. Each is
# configured as where GoogleTest is missing, which must build the applet all the same.
# tests/reproducible_test.sh SOURCE_DIR
set -euo pipefail
source=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export SOURCE_DATE_EPOCH=1796904000 # 2026-12-10 12:00 UTC, the release's changelog date

for place in one/vandrel two/elsewhere/vandrel-src; do
    mkdir -p "$tmp/$place"
    tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$tmp/$place" -xf -
    build="$tmp/$place-build-$RANDOM"
    # Configured as on a machine without GoogleTest: the applet alone is built.
    cmake -S "$tmp/$place" -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >/dev/null
    grep -qx 'VANDREL_TESTS:BOOL=OFF' "$build/CMakeCache.txt" ||
        { echo "FAIL: tests asked for without GoogleTest" >&2; exit 1; }
    cmake --build "$build" -j"$(nproc)" >/dev/null
    (cd "$build" && cpack -G DEB -B "$build/package" >/dev/null 2>&1)
    debs+=("$(ls "$build"/package/*.deb)")
done
if ! cmp "${debs[0]}" "${debs[1]}"; then
    for deb in "${debs[@]}"; do
        mkdir -p "$deb.x" && dpkg-deb -R "$deb" "$deb.x"
    done
    diff -r "${debs[0]}.x" "${debs[1]}.x" | head -n 20 || true
    echo "FAIL: the two builds differ" >&2
    exit 1
fi
echo "identical: $(basename "${debs[0]}"), $(sha256sum <"${debs[0]}" | cut -c1-16)"
