#!/usr/bin/env python3
"""The X11 UI in hosts we did not write, on a JACK server of the test's own (dummy driver) with a metronome
into the plug-in. Embedded by jalv.gtk3 (ui:parent): a drag of the Thresh knob (xdotool, the real pointer)
must reach the DSP, seen as the gain-reduction output falling to nothing; then the UI opens and closes
cleanly the given number of times. In its own window, shown by jalv's console (ui:showInterface): the drag
writes the port in real units, and a value the host sets is where the next drag starts from.
Runs on the display it is given. Usage: ui_jalv.py BUNDLE [OPENINGS]"""
import os
import re
import subprocess
import sys
import tempfile
import threading
import time

URI = "urn:tarvel:qm07-compressor"
THRESH = (175, 60)  # the knob's centre in panel coordinates
TIMEOUT = 15.0


def wait_until(what, condition, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def panel_origin():
    """Top-left on the screen of the 800x220 window, the panel's own, or None."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    match = re.search(r"\s800x220\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)", tree)
    return (int(match.group(1)), int(match.group(2))) if match else None


class Jalv:
    """jalv.gtk3 with the plug-in's UI; the gain-reduction values it prints are collected as they come."""

    def __init__(self, env):
        self.process = subprocess.Popen(["jalv.gtk3", "--print-controls", "-n", "-x", "--jack-name", "qm07", URI],
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=env)
        self.lines, self.reductions = [], []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line.rstrip())
            match = re.match(r"gain_reduction = (-?[\d.]+)", line)
            if match:
                self.reductions.append(float(match.group(1)))

    def close(self):
        """SIGTERM, as a session manager ends it; the exit must be jalv's own, status 0."""
        self.process.terminate()
        status = self.process.wait(TIMEOUT)
        if status != 0:
            raise AssertionError(f"jalv exited with {status}:\n" + "\n".join(self.lines[-30:]))


class JalvConsole(Jalv):
    """jalv's console, which shows the UI through ui:showInterface and takes commands on its input."""

    def __init__(self, env):
        self.process = subprocess.Popen(["jalv", "-s", "-x", "-n", "qm07", URI], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=env)
        self.lines, self.reductions = [], []
        threading.Thread(target=self._read, daemon=True).start()

    def command(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()

    def threshold(self):
        """The host's value of the Thresh port, in dB, as `controls` prints it."""
        seen = len(self.lines)
        self.command("controls")
        line = wait_until("jalv's controls", lambda: next(
            (l for l in self.lines[seen:] if l.startswith("thresh = ")), None))
        return float(line.split("= ")[1])


def drag(origin, pixels):
    x, y = origin[0] + THRESH[0], origin[1] + THRESH[1]
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1"], check=True)
    for step in range(1, 11):  # in steps, as a hand moves
        subprocess.run(["xdotool", "mousemove", str(x), str(y + pixels * step // 10)], check=True)
        time.sleep(0.02)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)


def own_window_session(env):
    jalv = JalvConsole(env)
    try:
        origin = wait_until("the UI's own window", panel_origin)
        drag(origin, 300)  # past the knob's 200 pixels: its lowest value
        wait_until("Thresh at 0 dB after the drag", lambda: jalv.threshold() == 0.0)
        jalv.command("set thresh -40")
        time.sleep(0.5)
        drag(origin, 50)  # a quarter of the range down from the host's −40 dB
        wait_until("Thresh near −30 dB", lambda: -35 < jalv.threshold() < -25)
    finally:
        jalv.close()


def first_session(env):
    jalv = Jalv(env)
    try:
        origin = wait_until("the panel's window", panel_origin)
        wait_until("the plug-in's JACK ports", lambda: subprocess.run(
            ["jack_connect", "metro:120_bpm", "qm07:in_l"], env=env, capture_output=True).returncode == 0)
        wait_until("gain reduction from the clicks at −20 dB", lambda: any(r > 3 for r in jalv.reductions))
        drag(origin, 300)  # past the knob's 200 pixels: its lowest value, 0 dB
        seen = len(jalv.reductions)
        wait_until("the reduction to vanish with the threshold at 0 dB",
                   lambda: any(r < 0.1 for r in jalv.reductions[seen:]), timeout=5)
    finally:
        jalv.close()


def main():
    bundle, openings = os.path.abspath(sys.argv[1]), int(sys.argv[2]) if len(sys.argv) > 2 else 50
    with tempfile.TemporaryDirectory() as scratch:
        os.mkdir(f"{scratch}/lv2")
        os.symlink(bundle, f"{scratch}/lv2/{os.path.basename(bundle)}")
        server = f"qm07-lv2-ui-{os.getpid()}"
        env = {**os.environ, "LV2_PATH": f"{scratch}/lv2", "JACK_DEFAULT_SERVER": server, "HOME": scratch}
        jackd = subprocess.Popen(["jackd", "--no-realtime", "-n", server, "-d", "dummy", "-r", "48000", "-p", "256"],
                                 env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        metro = None
        try:
            wait_until("jackd", lambda: subprocess.run(["jack_lsp"], env=env, capture_output=True).returncode == 0)
            metro = subprocess.Popen(["jack_metro", "-b", "240", "-A", "0.9", "-n", "metro"], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            first_session(env)
            print("a drag of Thresh to 0 dB took the gain reduction to nothing")
            started = time.monotonic()
            for _ in range(openings - 1):
                jalv = Jalv(env)
                try:
                    wait_until("the panel's window", panel_origin)
                finally:
                    jalv.close()
                wait_until("the panel's window to go", lambda: panel_origin() is None)
            print(f"{openings} openings and clean closings, {time.monotonic() - started:.1f} s for the last "
                  f"{openings - 1}")
            own_window_session(env)
            print("in its own window: the drag set Thresh in dB, and the host's −40 dB moved the knob")
        finally:
            for process in (metro, jackd):
                if process:
                    process.terminate()
                    process.wait(TIMEOUT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
