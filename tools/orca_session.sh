#!/usr/bin/env bash
# Plays the game under the screen reader Orca, on a virtual display with a window manager,
# and prints what Orca said after each key (the SPEECH OUTPUT lines of its debug log, with
# their times; Orca writes its log in blocks, so a line may show up a key late).
# Usage: tools/orca_session.sh [LANGUAGE 1-5] [KEY...]   e.g. tools/orca_session.sh 3 F2 alt+f
# Without keys it plays: a new game, every digit into the first open cell (wrong ones, then
# the right one) and on, Finish, and a new game. It then reads the board's first cells through the table
# interface, opens the About box through its menu item's action and presses the link through
# its own, as any assistive technology may. Needs a Release build (./run.sh makes one).
# Orca runs once per user on the whole machine: the tool starts an Orca of its own, stops
# only that one, and refuses to run while another Orca of the user is running. Its Orca has a
# home and XDG folders of its own, so the user's Orca settings neither change what it says nor
# are touched.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --in-session ]; then
    # The part that runs inside the private D-Bus session, on the virtual display.
    said() {
        grep -a "SPEECH OUTPUT" "$ORCA_DEBUG_LOG" | tail -n +$((seen + 1)) |
            sed "s/^/    /; s/ - SPEECH OUTPUT: / /; s/{.*}$//" || true
        seen=$(grep -a -c "SPEECH OUTPUT" "$ORCA_DEBUG_LOG" || true)
    }
    # A chord such as alt+f is typed as a person types it: the modifiers held for a moment
    # before the key. At machine speed, Qt 6.4's accessibility bridge lets Alt+F open the
    # menu and close it again.
    press() {
        local -a parts
        IFS=+ read -ra parts <<<"$1"
        local last=$((${#parts[@]} - 1))
        if [ "$last" -eq 0 ]; then
            xdotool key "$1"
            return
        fi
        xdotool keydown "${parts[@]:0:last}"
        sleep 0.2
        xdotool key "${parts[last]}"
        xdotool keyup "${parts[@]:0:last}"
    }
    started=()
    # shellcheck disable=SC2317 # called by the trap
    stop() { kill "${started[@]}" 2>/dev/null || true; }
    trap stop EXIT
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    started+=("$!")
    sleep 1
    openbox >/dev/null 2>&1 &
    started+=("$!")
    orca --user-prefs="$XDG_DATA_HOME/orca" --debug-file="$ORCA_DEBUG_LOG" >"$WORK/orca.out" 2>&1 &
    orca=$!
    started+=("$orca")
    sleep 5 # Orca writes its log in blocks: an idle Orca shows nothing of its start to wait on
    if ! kill -0 "$orca" 2>/dev/null; then
        echo "orca_session: Orca stopped at start:" >&2
        cat "$WORK/orca.out" >&2
        exit 1
    fi
    seen=0
    said
    "$WORK/vexoro" >/dev/null 2>&1 &
    game=$!
    started+=("$game")
    sleep 3; echo "(start)"; said
    for key in $KEYS; do
        echo "$key pressed at $(date +%T.%6N)"
        press "$key"; sleep 2; said
    done
    /usr/bin/python3 - <<'PY' || true # the system interpreter, which has pyatspi
import pyatspi
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Vexoro")
def find(obj, test):
    if test(obj):
        return obj
    for child in obj:
        found = child and find(child, test)
        if found:
            return found
board = find(app, lambda o: o.getRole() == pyatspi.ROLE_TABLE)
if board:
    table = board.queryTable()
    print("table: %s, %d x %d" % (board.name, table.nRows, table.nColumns))
    for column in range(3):
        cell = table.getAccessibleAt(0, column)
        text = cell.queryText()
        print("    %s: %r, %s" % (cell.name, text.getText(0, -1), cell.description))
about = find(app, lambda o: o.getRole() == pyatspi.ROLE_MENU_ITEM and "VEXORO" in o.name)
try:
    about.queryAction().doAction(0) # answered only once the modal box has closed
except Exception:
    pass
link = find(app, lambda o: o.getRole() == pyatspi.ROLE_LINK)
action = link.queryAction()
print("link: %s, action %s" % (link.name, action.getName(0)))
try:
    action.doAction(0) # a message box may hold the answer back
except Exception:
    pass
PY
    sleep 3
    kill "$game" 2>/dev/null || true
    kill -INT "$orca" || true # so that it writes out the rest of its log
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 "$orca" 2>/dev/null || break
        sleep 0.5
    done
    echo "(after the link action)"; said
    exit 0
fi

others=$(pgrep -u "$(id -u)" -x orca | paste -sd ' ' || true)
if [ -n "$others" ]; then
    echo "orca_session: another Orca of this user is running (pid $others), and Orca starts" \
        "only one copy per user: the session's would not start. Stop that one first." >&2
    exit 1
fi
tools/install_deps.sh xvfb xdotool openbox orca at-spi2-core dbus python3-pyatspi
game=$PWD/build-release/src/app/vexoro
[ -x "$game" ] || { echo "orca_session: build the game first (./run.sh)" >&2; exit 1; }
language=${1:-1}
shift || true
keys=("$@")
[ ${#keys[@]} -gt 0 ] || keys=(F2 Return 1 2 3 4 5 6 7 8 9 F4 F2 Return)

work=$(mktemp -d)
# A copy of the game with a start.ini of its own, so that the build's settings stay as they are.
cp "$game" "$work/vexoro"
printf '[LastOpen]\r\nLanguage=%s\r\n' "$language" >"$work/start.ini"
export WORK=$work KEYS="${keys[*]}" ORCA_DEBUG_LOG=$work/orca.log
# A private home: Orca and the desktop services it starts read and write only there.
mkdir -p "$work/home" "$work/config" "$work/data/orca" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1
dbus-run-session -- "$PWD/tools/orca_session.sh" --in-session
