#!/usr/bin/env python3
"""A short game of the Windows build under Wine, played from outside with xdotool on the X
display given by DISPLAY (a window manager running), in WINEPREFIX:

    wine_scenario.py GAME_FOLDER BROWSER_RECORD

Prints one line a check, "ok" or "FAILED", and exits 1 when one failed. The stand-in browser
registered for .htm writes its arguments to BROWSER_RECORD."""
import os
import re
import subprocess
import sys
import time

TITLE = "ve | xo | ro"
ADDRESS = "www.example.org/vexoro/"
PATIENCE = 60  # seconds; Wine starts slowly the first time
CYAN, GREEN, RED, WHITE = (0, 255, 255), (0, 255, 0), (255, 0, 0), (255, 255, 255)

failures = 0


def check(what, ok, detail=""):
    global failures
    failures += not ok
    print(f"{'ok' if ok else 'FAILED'}: {what}{'' if ok or not detail else ' (' + detail + ')'}",
          flush=True)
    return ok


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    return result.stdout if result.returncode == 0 else None


def wait_for(condition, seconds=PATIENCE):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.25)
    return None


def windows(name):
    return (run("xdotool", "search", "--onlyvisible", "--name", name) or "").split()


def geometry(window):
    """The window's client area on the screen: x, y, width, height."""
    info = run("xwininfo", "-id", window) or ""
    get = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
    return get("Absolute upper-left X"), get("Absolute upper-left Y"), get("Width"), get("Height")


def key(*keys):
    run("xdotool", "key", "--delay", "120", *keys)
    time.sleep(0.4)


def screen():
    """The whole screen as rows of RGB triples."""
    raw = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                         capture_output=True).stdout
    size = run("xdpyinfo") or ""
    width, height = map(int, re.search(r"dimensions:\s+(\d+)x(\d+)", size).groups())
    return lambda x, y: tuple(raw[3 * (y * width + x): 3 * (y * width + x) + 3])


class Board:
    """The 9 x 9 cells in the game window's bottom 409 x 365 pixels: the board's frame at
    (120, 120) twips, 15 twips to a pixel."""

    def __init__(self, window):
        x, y, _, height = geometry(window)
        self.origin = (x, y + height - 365)

    def cell(self, i):
        r, c = divmod(i, 9)
        left = self.origin[0] + (240 + 600 * c + 120 * (c // 3)) // 15
        top = self.origin[1] + (360 + 480 * r + 120 * (r // 3)) // 15
        return left + 4, top + 4, left + 37, top + 29  # inside the cell's own frame

    def read(self):
        """A letter a cell: its background (c, g, r, w), '!' for a red digit on white."""
        pixel = screen()
        letters = ""
        for i in range(81):
            left, top, right, bottom = self.cell(i)
            back = pixel(left + 1, top + 12)
            reds = any(pixel(x, y) == RED for y in range(top, bottom) for x in range(left, right))
            letter = {CYAN: "c", GREEN: "g", RED: "r", WHITE: "w"}.get(back, "?")
            letters += "!" if letter == "w" and reds else letter
        return letters


def open_about(menu_key):
    """Opens the About box through the menu that `menu_key` opens, then Enter on its one
    command; the box's windows, or None when none appeared."""
    before = set(windows(""))
    menu_key()
    key("Return")
    return wait_for(lambda: [w for w in windows("^Vexoro$") if w not in before], 20)


def start(folder):
    game = subprocess.Popen(["wine", "vexoro.exe"], cwd=folder, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    window = wait_for(lambda: (windows(TITLE) or [None])[0])
    return game, window


def main(folder, record):
    ini = os.path.join(folder, "start.ini")
    game, window = start(folder)
    if not check("the game starts, in its own window", window is not None):
        return
    check("no start.ini before a language is chosen", not os.path.exists(ini))
    run("xdotool", "windowactivate", "--sync", window)
    about = open_about(lambda: key("alt+a"))
    check("English menus at the first start (Alt+A, Enter opens the About box)", about)
    key("Return")  # on its OK
    wait_for(lambda: not set(about or []) & set(windows("^Vexoro$")), 20)

    # A new game by the keyboard: F2, then Enter on the dialog's OK (assistance on).
    key("F2")
    key("Return")
    board = Board(window)
    letters = wait_for(lambda: (lambda b: b if "c" in b and "w" in b else None)(board.read()), 20)
    if not check("F2 and Enter lay out a new game", letters is not None):
        return
    # Digits 1, 2, ... into the focused first open cell until one is right; a wrong one before
    # turns it red. When 1 was right, the next open cell (focused now) is tried the same way.
    right = wrong = False
    for _ in range(3):
        cell = letters.index("w")
        for digit in "123456789":
            key(digit)
            letters = board.read()
            if letters[cell] == "g":
                right = True
                break
            wrong |= letters[cell] in "r!"
        if wrong or not right:
            break
    check("a right digit turns its cell green", right, letters)
    check("a wrong digit shows red", wrong, letters)

    # The French flag: File, Change Language, Tab to the second flag, Space.
    key("alt+f")
    key("l")
    chooser = wait_for(lambda: [w for w in windows("") if w != window and
                                geometry(w)[2] >= 600], 20)
    key("Tab")
    key("space")
    saved = wait_for(lambda: os.path.exists(ini) and open(ini, "rb").read(), 20)
    check("the French flag writes start.ini beside the program",
          saved == b"[LastOpen]\r\nLanguage=2\r\n", repr(saved) if chooser else "no chooser")

    key("F3")
    check("F3 quits", wait_for(lambda: game.poll() is not None, 30) is not None)

    game, window = start(folder)
    if not check("the game starts again", window is not None):
        return
    run("xdotool", "windowactivate", "--sync", window)
    # "A &propos" is French only ("&About" in English).
    about = open_about(lambda: key("alt+p"))
    if not check("French menus after the restart (Alt+P, Enter opens the About box)", about):
        key("F3")
        return
    # The link: in the frame at (120, 0) twips, the address at (1920, 1080), 2775 x 255.
    # The box closes once the link has taken a click; a click before it is ready is lost.
    x, y, _, _ = geometry(about[0])
    for _ in range(20):
        if about[0] not in windows("^Vexoro$"):
            break
        run("xdotool", "mousemove", str(x + (120 + 1920 + 600) // 15),
            str(y + (1080 + 127) // 15), "click", "1")
        time.sleep(0.5)
    got = wait_for(lambda: os.path.exists(record) and open(record).read().strip(), 30)
    check("the link starts the browser registered for .htm with the address",
          got == ADDRESS, repr(got))
    check("no temphtm.HTM is left", not any(
        name.lower() == "temphtm.htm" for name in os.listdir(folder)))
    key("F3")
    check("F3 quits again", wait_for(lambda: game.poll() is not None, 30) is not None)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        main(*sys.argv[1:])
    finally:
        subprocess.run(["wineserver", "-k"], capture_output=True)
    sys.exit(1 if failures else 0)
