#!/bin/bash
# Usage: check_deb.sh SOURCE_DIR VERSION
# Builds the Debian package with tools/make_deb.sh, twice and byte for byte the same; lintian
# must find nothing, its files and fields must be a game's, its desktop entry and metadata
# valid; then the unpacked program, started on Xvfb as user 65534 (when root) in a read-only
# program folder, must read the start.ini placed beside it, keep a language chosen through its
# menus in $XDG_CONFIG_HOME/vexoro/start.ini, read that one at the next start, and write
# nothing beside itself.
set -uo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_until() { # CONDITION WHAT: polls the shell condition for up to 20 seconds
    local end=$((SECONDS + 20))
    until eval "$1"; do ((SECONDS < end)) || fail "timed out waiting for $2"; sleep 0.1; done
}

if [ "${1:-}" = --play ]; then # ROOT HOME MENU-KEY [choose], on the display xvfb-run made
    root=$2 home=$3 menu=$4 as=()
    [ "$(id -u)" -ne 0 ] || as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    "${as[@]}" env -u XDG_RUNTIME_DIR HOME="$home" XDG_CONFIG_HOME="$home/config" \
        QT_QPA_PLATFORM=xcb "$root/usr/games/vexoro" &
    pid=$!
    trap 'kill $pid 2>/dev/null' EXIT
    wait_until 'win=$(xdotool search --onlyvisible --pid $pid --name "ve . xo")' "the game window"
    # The File menu's access key opens it (the game's one window without a name) in one language.
    xdotool windowfocus --sync "$win" key "$menu"
    wait_until 'xdotool search --all --onlyvisible --pid $pid --name "^$" >/dev/null' "$menu's menu"
    if [ -n "${5:-}" ]; then
        xdotool key l # Change &Language; the chooser has the focus on English, Tab Tab is German
        wait_until '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Vexoro ]' "the chooser"
        xdotool key Tab Tab Return
        ini=$home/config/vexoro/start.ini
        wait_until 'cmp -s "$ini" <(printf "[LastOpen]\r\nLanguage=3\r\n")' "Language=3 in $ini"
    else
        xdotool key Escape
    fi
    xdotool windowfocus --sync "$win" key F3
    wait_until '! grep -qs "^State:[[:space:]]*[^Z]" /proc/$pid/status' "the game to exit"
    wait $pid || fail "the game exited with status $?"
    exit 0
fi

[ "$#" -eq 2 ] || fail "usage: $0 SOURCE_DIR VERSION"
src=$1 version=$2
for tool in dpkg-deb dpkg-shlibdeps lintian groff xvfb-run xdotool setpriv desktop-file-validate \
    appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool not found (Debian packages dpkg-dev lintian \
groff-base xvfb xdotool util-linux desktop-file-utils appstream)"
done
tmp=$(mktemp -d) || exit 1
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
deb=$("$src/tools/make_deb.sh" | tail -n 1) || fail "tools/make_deb.sh failed"
echo "== $deb"
# The same bytes again from a copy in another folder, its files dated later, under umask 077.
mkdir "$tmp/copy" && tar -C "$src" --exclude='./build*' --exclude=./.git -c . |
    (umask 077 && tar -C "$tmp/copy" -x -m --no-same-permissions) || fail "copying the source"
again=$(umask 077 && "$tmp/copy/tools/make_deb.sh" | tail -n 1) || fail "the second build failed"
cmp "$deb" "$again" || { cp "$again" "$deb.again" && fail "two builds differ: $deb.again"; }
[ "$(basename "$deb")" = "vexoro_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "package file name $deb"

out=$(lintian --fail-on error,warning "$deb") && [ -z "$out" ] || fail "lintian: $out"
fields=$(dpkg-deb -f "$deb" Package Version Section Priority Maintainer Homepage)
[ "$fields" = "Package: vexoro
Version: $version
Section: games
Priority: optional
Maintainer: Vexoro Maintainers <maintainers@example.org>
Homepage: https://www.example.org/vexoro/" ] || fail "control fields: $fields"
deps=$(dpkg-deb -f "$deb" Depends) # from dpkg-shlibdeps, with versions
[[ $deps == *"libc6 (>= "* && $deps == *"libqt6widgets6 (>= "* ]] || fail "Depends: $deps"
[ "$(dpkg-deb -f "$deb" Description | head -n 1)" = \
    "Fill the grid with digits in this number-placement puzzle" ] || fail "no summary"
files=$(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ { print $6 }' | sort)
expected=$(printf './usr/share/%s\n' applications/org.example.Vexoro.desktop \
    doc/vexoro/changelog.gz doc/vexoro/copyright man/man6/vexoro.6.gz \
    metainfo/org.example.Vexoro.metainfo.xml icons/hicolor/scalable/apps/org.example.Vexoro.svg \
    icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/org.example.Vexoro.png
    echo ./usr/games/vexoro)
[ "$files" = "$(sort <<<"$expected")" ] || fail "files: $(diff <(echo "$files") <(sort <<<"$expected"))"

dpkg-deb -x "$deb" "$tmp/root" && mkdir "$tmp/home" && chmod 755 "$tmp" || fail "unpacking"
share=$tmp/root/usr/share
out=$(zcat "$share/man/man6/vexoro.6.gz" | groff -man -Tutf8 -ww -z 2>&1)
[ -z "$out" ] || fail "groff: $out"
out=$(desktop-file-validate "$share/applications/org.example.Vexoro.desktop" 2>&1) && [ -z "$out" ] ||
    fail "desktop-file-validate: $out"
grep -qx 'Exec=vexoro' "$share/applications/org.example.Vexoro.desktop" || fail "Exec is not vexoro"
appstreamcli validate --no-net "$share/metainfo/org.example.Vexoro.metainfo.xml" ||
    fail "appstreamcli validate"
# An administrator's start.ini beside the program (Italian: &Schedario) is read until the
# player has one of their own (German: &Datei).
printf '[LastOpen]\r\nLanguage=4\r\n' >"$tmp/root/usr/games/start.ini"
chmod a-w "$tmp/root/usr/games"
[ "$(id -u)" -ne 0 ] || chown 65534:65534 "$tmp/home"
for run in "alt+s choose" "alt+d"; do
    xvfb-run -a -s "-ac -screen 0 1280x1024x24" bash "$0" --play "$tmp/root" "$tmp/home" $run || exit 1
done
[ "$(ls -A "$tmp/root/usr/games" | tr '\n' ' ')" = "start.ini vexoro " ] ||
    fail "written beside the program: $(ls -A "$tmp/root/usr/games")"
echo "deb_package: all checks passed"
