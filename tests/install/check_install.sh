#!/bin/bash
# Usage: check_install.sh CMAKE BUILD_DIR BUILT_PROGRAM BINDIR DATADIR
# Installs BUILD_DIR into a fresh temporary prefix, then checks the installed
# files and validates the desktop entry and the AppStream metainfo.
set -u

if [ "$#" -ne 5 ]; then
    echo "usage: $0 CMAKE BUILD_DIR BUILT_PROGRAM BINDIR DATADIR" >&2
    exit 2
fi
cmake_cmd=$1
build_dir=$2
built_program=$3
bindir=$4
datadir=$5

app_id=org.example.Vexoro
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The validators must be present: a missing one is a failure, not a skip.
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        fail "$tool not found (Debian packages desktop-file-utils and appstream)"
    fi
done
[ "$failures" -eq 0 ] || exit 1

if [ ! -x "$built_program" ]; then
    echo "FAIL: $built_program is not built; build the target vexoro before running this test" >&2
    exit 1
fi

prefix=$(mktemp -d "${TMPDIR:-/tmp}/vexoro-install.XXXXXX") || exit 1
trap 'rm -rf "$prefix"' EXIT

echo "== cmake --install $build_dir --prefix $prefix"
if ! "$cmake_cmd" --install "$build_dir" --prefix "$prefix"; then
    echo "FAIL: cmake --install failed" >&2
    exit 1
fi

desktop=$prefix/$datadir/applications/$app_id.desktop
metainfo=$prefix/$datadir/metainfo/$app_id.metainfo.xml

echo "== installed files"
[ -f "$prefix/$bindir/vexoro" ] || fail "missing $bindir/vexoro"
[ -x "$prefix/$bindir/vexoro" ] || fail "$bindir/vexoro is not executable"
[ -f "$desktop" ] || fail "missing $datadir/applications/$app_id.desktop"
[ -f "$metainfo" ] || fail "missing $datadir/metainfo/$app_id.metainfo.xml"
[ -f "$prefix/$datadir/icons/hicolor/scalable/apps/$app_id.svg" ] \
    || fail "missing $datadir/icons/hicolor/scalable/apps/$app_id.svg"
for size in 16 32 48 64 128 256; do
    icon=$prefix/$datadir/icons/hicolor/${size}x${size}/apps/$app_id.png
    if [ ! -s "$icon" ]; then
        fail "missing $datadir/icons/hicolor/${size}x${size}/apps/$app_id.png"
    elif [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
        fail "$datadir/icons/hicolor/${size}x${size}/apps/$app_id.png is not a PNG file"
    fi
done
[ -s "$prefix/$datadir/man/man6/vexoro.6.gz" ] || fail "missing $datadir/man/man6/vexoro.6.gz"
(cd "$prefix" && find . -type f | sort)

if [ -f "$desktop" ]; then
    echo "== desktop-file-validate"
    out=$(desktop-file-validate "$desktop" 2>&1)
    rc=$?
    if [ "$rc" -ne 0 ] || [ -n "$out" ]; then
        printf '%s\n' "$out" >&2
        fail "desktop-file-validate reported problems (exit status $rc)"
    fi
    # The entry must start the installed program and name the installed icon.
    grep -qx 'Exec=vexoro' "$desktop" || fail "desktop entry: Exec is not vexoro"
    grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry: Icon is not $app_id"
fi

if [ -f "$metainfo" ]; then
    echo "== appstreamcli validate --no-net"
    if ! appstreamcli validate --no-net --explain "$metainfo"; then
        fail "appstreamcli validate reported problems"
    fi
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
        || fail "metainfo: launchable does not name $app_id.desktop"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install_validates: all checks passed"
