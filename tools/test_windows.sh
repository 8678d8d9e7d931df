#!/usr/bin/env bash
# Tests the Windows build under Wine: the project's tests that need no X display, with Qt's
# offscreen platform, then a short game of the packed vexoro.exe on Xvfb with a window
# manager. Builds first with tools/make_windows.sh (Qt's first cross-build is long; see it).
# Ends with "N passed, M failed"; exit status 1 when anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source tools/windows/common.sh

tools/install_deps.sh wine wine64 xvfb xauth xdotool openbox x11-utils imagemagick unzip \
    fonts-dejavu-core python3 >&2
zip=$(VEXORO_WINDOWS_TESTS=ON tools/make_windows.sh | tail -n 1)

work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1

# A Linux path as Windows programs under Wine see it: drive Z: is the root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

passed=0 failed=0
result() { # name status
    if [ "$2" -eq 0 ]; then
        passed=$((passed + 1))
        echo "PASS: $1"
    else
        failed=$((failed + 1))
        echo "FAIL: $1"
    fi
}

# The unit tests beside the DLLs and plugins they need, with a font for the offscreen
# platform. Wine keeps the QT_ variables of Linux from Windows programs; WINEQT_ passes them.
tests="$work/tests"
mkdir -p "$tests/platforms" "$tests/fonts"
deploy_runtime "$tests"
cp "$qt_prefix/bin/Qt6Test.dll" "$tests/"
cp "$qt_prefix/plugins/platforms/qoffscreen.dll" "$tests/platforms/"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf "$tests/fonts/"
find build-windows -maxdepth 3 -name 'tst_*.exe' -exec cp {} "$tests/" \;
offscreen() { (cd "$tests" && WINEQT_QPA_PLATFORM=offscreen \
    WINEQT_QPA_FONTDIR="$(windows_path "$tests/fonts")" timeout 600 wine "$@"); }
for exe in "$tests"/tst_*.exe; do
    name=$(basename "$exe" .exe)
    functions=()
    if [ "$name" = tst_game ]; then
        # Not the pictures kept pixel for pixel and the text widths measured to the pixel:
        # they are Linux's, and the offscreen platform here renders with other font settings.
        mapfile -t functions < <(offscreen tst_game.exe -functions | tr -d '\r' |
            sed 's/()$//' | grep -vx -e everyWindowLooksAsKept -e noTextIsClipped)
    fi
    status=0
    offscreen "$name.exe" -o "$name.log,txt" "${functions[@]}" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 0 ] || grep -E -A3 '^FAIL' "$tests/$name.log" | head -n 40
    result "$name (under Wine, offscreen)" "$status"
done

# The game as a player unzips it, and a stand-in browser registered for .htm documents.
unzip -q "$zip" -d "$work/game"
game=$(echo "$work"/game/*)
$mingw-gcc-posix -O1 -o "$work/browser.exe" -x c - <<'EOF'
#include <stdio.h>
#include <string.h>
#include <windows.h>
/* Writes its arguments, one a line, to browser-got.txt beside itself. */
int main(int argc, char **argv) {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    strcpy(strrchr(path, '\\') + 1, "browser-got.txt");
    FILE *record = fopen(path, "w");
    for (int i = 1; i < argc; ++i)
        fprintf(record, "%s\n", argv[i]);
    return fclose(record);
}
EOF
browser=$(windows_path "$work/browser.exe")
# In the prefix's classes (Wine's shell does not look at the user's own, under HKCU).
wine reg add 'HKCR\.htm' /ve /d vexoro.test.page /f >/dev/null 2>&1
wine reg add 'HKCR\vexoro.test.page\shell\open\command' /ve \
    /d "\"$browser\" \"%1\"" /f >/dev/null 2>&1

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
status=0
python3 tools/windows/wine_scenario.py "$game" "$work/browser-got.txt" || status=$?
kill "$wm" "$xvfb" 2>/dev/null || true
result "vexoro.exe under Wine on Xvfb with openbox" "$status"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
