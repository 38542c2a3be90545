#!/usr/bin/env python3
"""Pemblo! on a desktop of its own, on X11 (a virtual X server with openbox) or
as a native Wayland client (weston in a window of a virtual X server): after a
few seconds of the running simulation, every pixel of the device picture that
no LED ever lights must be what `pemblo-cli render` paints there, and the LEDs
must have lit up. A paint that leaves pixels of its region to an earlier one
shows on Wayland as black or empty stripes among them.

    unlit_pixels.py xcb|wayland PEMBLO PEMBLO_CLI EXAMPLES_DIR"""

import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

PICTURE = 800
SCREEN = (1600, 1000)
# Ticks whose pictures together light every LED step the sequence shows.
RENDER_TICKS = [0, 2, 24, 28, 32]
SPLASH_SECONDS = 4


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def within_10s(condition):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    return None


def rgb(command, env=None):
    return subprocess.run(command, env=env, capture_output=True, check=True).stdout


class Desktop:
    def __init__(self, platform, home):
        self.platform, self.home, self.processes = platform, home, []

    def __enter__(self):
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten",
                    "tcp", "-noreset"], pass_fds=[write])
        os.close(write)
        with os.fdopen(read) as number:
            display = number.readline().strip()
        run = Path(self.home, "run")
        run.mkdir(mode=0o700)
        self.env = dict(os.environ, DISPLAY=":" + display, HOME=self.home, XDG_CONFIG_HOME=self.home + "/config",
                        XDG_STATE_HOME=self.home + "/state", XDG_RUNTIME_DIR=str(run), QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        if self.platform == "wayland":
            self.start(["weston", "--backend=x11-backend.so", "--use-pixman", f"--width={SCREEN[0]}",
                        f"--height={SCREEN[1]}", "--socket=wayland-e2e", "--idle-time=0"])
            if not within_10s(lambda: (run / "wayland-e2e").exists()):
                fail("weston did not start")
            self.env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="wayland-e2e")
        else:
            self.start(["openbox", "--sm-disable"])
            if not within_10s(lambda: b"window id" in rgb(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                         self.env)):
                fail("openbox did not start")
        return self

    def start(self, command, **kwargs):
        self.processes.append(subprocess.Popen(command, env=getattr(self, "env", None), stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL, **kwargs))
        return self.processes[-1]

    def __exit__(self, *_):
        for process in reversed(self.processes):
            process.terminate()
            process.wait()

    def screen(self):
        return rgb(["import", "-window", "root", "-depth", "8", "rgb:-"], self.env)

    def click(self, x, y):
        if self.platform == "wayland":
            # weston follows the pointer's moves, not where it is put: from
            # the corner, where any move ends, to the place.
            for move in (["--", "-3000", "-3000"], [str(x), str(y)]):
                rgb(["xdotool", "mousemove_relative", *move], self.env)
                time.sleep(0.2)
            rgb(["xdotool", "click", "1"], self.env)
        else:
            rgb(["xdotool", "mousemove", str(x), str(y), "click", "1"], self.env)


def pixel(image, width, x, y):
    return image[3 * (y * width + x):3 * (y * width + x) + 3]


def rendered(cli, sequence, tick, work):
    png = Path(work, f"{tick}.png")
    subprocess.run([cli, "render", sequence, "--tick", str(tick), "-o", png], check=True)
    return rgb(["convert", png, "-depth", "8", "rgb:-"])


def unlit_pixels(pictures):
    """For each pixel of the picture, whether it is the same in all of them."""
    dark, unlit = pictures[0], []
    for y in range(PICTURE):
        row = slice(3 * PICTURE * y, 3 * PICTURE * (y + 1))
        if all(p[row] == dark[row] for p in pictures[1:]):
            unlit += [True] * PICTURE
        else:
            unlit += [all(pixel(p, PICTURE, x, y) == pixel(dark, PICTURE, x, y) for p in pictures[1:])
                      for x in range(PICTURE)]
    return unlit


def compare(screen, origin, dark, unlit):
    """The unlit pixels the screen shows otherwise than dark, and whether any
    other pixel differs from it: a lit LED."""
    differing, lit = [], False
    for y in range(PICTURE):
        start = 3 * ((origin[1] + y) * SCREEN[0] + origin[0])
        shown, wanted = screen[start:start + 3 * PICTURE], dark[3 * PICTURE * y:3 * PICTURE * (y + 1)]
        if shown == wanted:
            continue
        for x in range(PICTURE):
            if shown[3 * x:3 * x + 3] != wanted[3 * x:3 * x + 3]:
                if unlit[y * PICTURE + x]:
                    differing.append((x, y))
                else:
                    lit = True
    return differing, lit


def start_button(screen):
    """The middle of the green triangle of the start button in the toolbar."""
    points = [(x, y) for y in range(0, 160) for x in range(0, 400)
              if (lambda r, g, b: g > r + 80 and g > b + 60)(*pixel(screen, SCREEN[0], x, y))]
    if not points:
        return None
    return sum(x for x, _ in points) // len(points), sum(y for _, y in points) // len(points)


def picture_origin(screen, dark, unlit):
    """Where the device picture's top-left corner lies on the screen: the place
    where its first unlit row of 40 pixels matches, and most of a few hundred
    unlit pixels all over it."""
    y0 = next(y for y in range(PICTURE) if all(unlit[y * PICTURE + x] for x in range(100, 140)))
    wanted = [pixel(dark, PICTURE, x, y0) for x in range(100, 140)]
    spread = [(i % PICTURE, i // PICTURE) for i in range(0, PICTURE * PICTURE, 1999) if unlit[i]]
    for y in range(0, SCREEN[1] - PICTURE + 1):
        for x in range(0, SCREEN[0] - PICTURE + 1):
            if all(pixel(screen, SCREEN[0], x + 100 + k, y + y0) == wanted[k] for k in range(40)) and sum(
                    pixel(screen, SCREEN[0], x + px, y + py) == pixel(dark, PICTURE, px, py)
                    for px, py in spread) >= 0.9 * len(spread):
                return x, y
    return None


def main():
    platform = sys.argv[1]
    pemblo, cli, examples = (str(Path(argument).resolve()) for argument in sys.argv[2:5])
    sequence = str(Path(examples, "001_veltor_pulsar.lsq"))
    with tempfile.TemporaryDirectory() as home, Desktop(platform, home) as desktop:
        pictures = [rendered(cli, sequence, tick, home) for tick in RENDER_TICKS]
        dark = pictures[0]
        unlit = unlit_pixels(pictures)
        settings = Path(home, "config", "Quenfel VELTOR pro", "Pemblo!.conf")
        settings.parent.mkdir(parents=True)
        settings.write_text(f"[settings]\nlanguage=E\nlastfile={sequence}\neditopen=0\n")

        started = time.monotonic()
        desktop.start([pemblo], cwd=examples)
        button = within_10s(lambda: start_button(desktop.screen()))
        if not button:
            fail("no main window with a start button")
        desktop.click(*button)
        time.sleep(max(0.0, started + SPLASH_SECONDS + 1.5 - time.monotonic()))

        # A loaded machine may still show the splash over the picture.
        screen = None

        def shown_picture():
            nonlocal screen
            screen = desktop.screen()
            return picture_origin(screen, dark, unlit)

        origin = within_10s(shown_picture)
        if not origin:
            fail("the device picture is not on the screen")
        lit = False
        for _ in range(6):
            differing, lit_now = compare(screen, origin, dark, unlit)
            lit = lit or lit_now
            if differing:
                fail(f"{len(differing)} unlit pixels differ from pemblo-cli render, the first at {differing[0]}")
            time.sleep(0.15)
            screen = desktop.screen()
        if not lit:
            fail("no LED lit up: the simulation did not run")
    print(f"{platform}: the unlit pixels are as pemblo-cli render paints them")


if __name__ == "__main__":
    main()
