#!/usr/bin/env python3
"""The X11 UI in hosts we did not write, on a JACK server of the test's own (dummy driver) with a metronome
clicking at -0.9 dBFS. Embedded by jalv.gtk3 (ui:parent): a drag of the Thresh knob (xdotool, the real
pointer) to 0 dB must reach the DSP, seen as the gain-reduction output falling to nothing; values the host
sets show on the panel as the software renderer draws them (tests/golden); the UI opens and closes cleanly
the given number of times. In its own window, shown by jalv's console (ui:showInterface), the same drag.
Runs on the display it is given. Usage: ui_jalv.py BUNDLE QM07_LV2_TTL [OPENINGS]"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import threading
import time

TESTS = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(TESTS / "host"), str(TESTS / "support")]
import editor_screens  # noqa: E402
from jack_x11 import JackServer, drag, spawn, wait_for  # noqa: E402

URI = "urn:tarvel:qm07-compressor"
THRESH = (175, 60)  # the knob's centre in panel coordinates
TIMEOUT = 15.0


def panel_origin():
    """Top-left on the screen of the 800x220 window, the panel's own, or None."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    match = re.search(r"\s800x220\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)", tree)
    return (int(match.group(1)), int(match.group(2))) if match else None


class Jalv:
    """A jalv front end with the plug-in's UI; the gain-reduction values it prints are collected."""

    def __init__(self, env, command):
        # Line-buffered, or the values would come in bursts of 4 KiB.
        self.process = subprocess.Popen(["stdbuf", "-oL", *command], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=env)
        self.env, self.lines, self.reductions = env, [], []
        threading.Thread(target=self._read, daemon=True).start()

    @staticmethod
    def embedded(env, *options):
        return Jalv(env, ["jalv.gtk3", "--print-controls", "-n", "-x", "--jack-name", "qm07", *options, URI])

    @staticmethod
    def own_window(env):
        return Jalv(env, ["jalv", "-s", "-p", "-x", "-n", "qm07", URI])

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line.rstrip())
            match = re.match(r"gain_reduction = (-?[\d.]+)", line)
            if match:
                self.reductions.append(float(match.group(1)))

    def listen_to_the_metronome(self):
        wait_for("the plug-in's JACK ports", lambda: subprocess.run(
            ["jack_connect", "metro:240_bpm", "qm07:in_l"], env=self.env, capture_output=True).returncode == 0)

    def close(self, signals=1):
        """SIGTERM, as a session manager ends it; the exit must be jalv's own, status 0."""
        for _ in range(signals):
            self.process.terminate()
            try:
                status = self.process.wait(2 if signals > 1 else TIMEOUT)
                break
            except subprocess.TimeoutExpired:
                status = None
        if status is None:
            self.process.kill()
        if status != 0:
            raise AssertionError(f"jalv exited with {status}:\n" + "\n".join(self.lines[-30:]))


def drag_silences_the_reduction(jalv):
    """Clicks at -0.9 dBFS are reduced at -20 dB; once Thresh is dragged to 0 dB they are not."""
    origin = wait_for("the panel's window", panel_origin)
    jalv.listen_to_the_metronome()
    wait_for("gain reduction from the clicks at -20 dB", lambda: any(r > 3 for r in jalv.reductions))
    drag(origin[0] + THRESH[0], origin[1] + THRESH[1], 300)  # past the knob's 200 pixels: 0 dB
    time.sleep(2)  # the release (294 ms) runs out
    seen = len(jalv.reductions)
    time.sleep(1)  # four clicks
    after = jalv.reductions[seen:]
    if not after or max(after) > 0.1:
        raise AssertionError(f"the reduction with the threshold at 0 dB: {after}")


def host_values_are_shown(env, ttltool, scratch):
    """Port events before the first idle: the panel shows what jalv set, not its defaults."""
    state = editor_screens.STATES[editor_screens.EDITED]
    ports = subprocess.run([ttltool, "ports", *(f"{name}={value}" for name, value in state.items())],
                           capture_output=True, text=True, check=True).stdout.split()
    jalv = Jalv.embedded(env, *(option for port in ports for option in ("-c", port)))
    try:
        origin = wait_for("the panel's window", panel_origin)
        expected = editor_screens.load(editor_screens.golden(editor_screens.EDITED))
        shot = f"{scratch}/screen.png"
        deadline, difference = time.monotonic() + 5, 255
        while difference > 1 and time.monotonic() < deadline:
            subprocess.run(["import", "-window", "root", shot], check=True)
            actual = editor_screens.region(editor_screens.load(shot), (*origin, origin[0] + 800, origin[1] + 220))
            difference = editor_screens.largest_difference(actual, expected, editor_screens.METER)
        if difference > 1:
            editor_screens.save_mismatch(actual, expected, "ui-jalv-host-values")
            raise AssertionError(f"the panel differs from {editor_screens.EDITED} by {difference} levels; "
                                 f"see ui-jalv-host-values-*.png in {os.getcwd()}")
    finally:
        jalv.close()


def run(env, ttltool, openings, scratch):
    jalv = Jalv.embedded(env)
    try:
        drag_silences_the_reduction(jalv)
    finally:
        jalv.close()
    print("embedded: a drag of Thresh to 0 dB took the gain reduction to nothing")
    host_values_are_shown(env, ttltool, scratch)
    print(f"embedded: the values jalv set show as {editor_screens.EDITED}")
    started = time.monotonic()
    for _ in range(openings):
        jalv = Jalv.embedded(env)
        try:
            wait_for("the panel's window", panel_origin)
        finally:
            jalv.close()
        wait_for("the panel's window to go", lambda: panel_origin() is None)
    print(f"embedded: {openings} openings and clean closings in {time.monotonic() - started:.1f} s")
    jalv = Jalv.own_window(env)
    try:
        drag_silences_the_reduction(jalv)
    finally:
        # Its UI loop takes the first signal; it then waits for a second before it shuts down.
        jalv.close(signals=2)
    print("own window: a drag of Thresh to 0 dB took the gain reduction to nothing")


def main():
    bundle, ttltool = os.path.abspath(sys.argv[1]), sys.argv[2]
    openings = int(sys.argv[3]) if len(sys.argv) > 3 else 50
    with tempfile.TemporaryDirectory() as scratch:
        os.mkdir(f"{scratch}/lv2")
        os.symlink(bundle, f"{scratch}/lv2/{os.path.basename(bundle)}")
        env = {**os.environ, "LV2_PATH": f"{scratch}/lv2", "JACK_DEFAULT_SERVER": f"qm07-lv2-ui-{os.getpid()}",
               "HOME": scratch}
        with JackServer(env):
            spawn(["jack_metro", "-b", "240", "-A", "0.9", "-n", "metro"], env=env, stdout=subprocess.DEVNULL,
                  stderr=subprocess.DEVNULL)
            run(env, ttltool, openings, scratch)
    return 0


if __name__ == "__main__":
    sys.exit(main())
