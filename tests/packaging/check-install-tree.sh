#!/bin/sh
# Installs the build into a staging root the way the Debian package does
# (prefix /usr) and checks that what the desktop needs is there and agrees.
# Usage: check-install-tree.sh CMAKE BUILD_DIR STAGE_DIR PROJECT_VERSION
set -u
cmake=$1 build=$2 stage=$3 version=$4
id=org.tamsel.Tamsel
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$stage"
DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
usr=$stage/usr
share=$usr/share

bin=$usr/bin/tamsel
[ -x "$bin" ] || fail "$bin missing or not executable"
[ "$(head -c 4 "$bin" 2>/dev/null | tail -c 3)" = ELF ] || fail "$bin is not an ELF executable"

desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "$desktop missing"
[ -f "$metainfo" ] || fail "$metainfo missing"

# The menu entry must start the installed program and show the installed icon.
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ "$exec_cmd" = tamsel ] || [ "$exec_cmd" = /usr/bin/tamsel ] || fail "Exec=$exec_cmd does not start /usr/bin/tamsel"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$id" ] || fail "Icon=$icon, expected $id"

grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launchable is not $id.desktop"
grep -q "<binary>tamsel</binary>" "$metainfo" || fail "metainfo does not provide binary tamsel"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "newest metainfo release is '$newest', project version is $version"

svg=$share/icons/hicolor/scalable/apps/$id.svg
grep -q "<svg" "$svg" 2>/dev/null || fail "$svg missing or not SVG"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    if [ ! -f "$png" ]; then fail "$png missing"; continue; fi
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done

# Cross-checks the metainfo against the installed desktop entry.
appstreamcli validate-tree --no-net --strict "$stage" || fail "appstreamcli validate-tree"

[ $failures -eq 0 ] && echo "installed tree OK" 
exit $failures
