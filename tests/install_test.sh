#!/usr/bin/env bash
# Installs into a scratch prefix and packages a .deb, as a user or a packager would.
# tests/install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
[ -x "$tmp/prefix/bin/vandrel" ] || fail "bin/vandrel not installed"
page="$tmp/prefix/share/man/man1/vandrel.1"
[ -f "$page" ] || fail "share/man/man1/vandrel.1 not installed"

# The installed binary is the applet: an unreachable display gets its own message.
set +e
message=$("$tmp/prefix/bin/vandrel" -display :931 80 2>&1)
status=$?
set -e
[ "$status" -eq 1 ] && [ "$message" = "$tmp/prefix/bin/vandrel: can't open display :931" ] ||
    fail "installed binary answered '$message' with status $status"

warnings=$( { man --warnings -l "$page" >/dev/null; groff -ww -man -z "$page"; } 2>&1)
[ -z "$warnings" ] || fail "man page warnings: $warnings"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" EXAMPLES ACCURACY; do
    grep -q "^\.SH \"\?$section\"\?$" "$page" || fail "man page lacks $section"
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" >/dev/null
deb=$(ls "$tmp"/package/*.deb)
contents=$(dpkg-deb -c "$deb")
grep -q '\./usr/bin/vandrel$' <<<"$contents" || fail "package lacks /usr/bin/vandrel"
grep -q '\./usr/share/man/man1/vandrel\.1' <<<"$contents" || fail "package lacks the man page"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libx11-6 libxext6 libxpm4; do
    grep -qw "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "installed and packaged $(basename "$deb"), Depends: $depends"
