"""qm07-compressor against real JACK servers (dummy driver, private names); one case per run.

Usage: standalone_cases.py CASE (NoServer runs case_no_server), with APP, PLAYREC, VSTHOST, PLUGIN and DEMOSYNTH naming the programs.
"""

import ctypes
import functools
import os
import pathlib
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
from jack_x11 import JackServer, drag, jack_ports, spawn, wait_for, xdotool  # noqa: E402

APP, PLAYREC, VSTHOST, PLUGIN, DEMOSYNTH = (os.environ[k] for k in
                                            ("APP", "PLAYREC", "VSTHOST", "PLUGIN", "DEMOSYNTH"))
CLIENT = "QM07 Compressor"
INS = f"{CLIENT}:in_1,{CLIENT}:in_2"
OUTS = f"{CLIENT}:out_1,{CLIENT}:out_2"
SCRATCH = pathlib.Path(tempfile.mkdtemp(prefix="qm07-standalone-"))
ENV = dict(os.environ, JACK_DEFAULT_SERVER=f"qm07-test-{os.getpid()}", XDG_CONFIG_HOME=str(SCRATCH / "config"),
           JACK_NO_AUDIO_RESERVATION="1")


ports = functools.partial(jack_ports, ENV)
Server = functools.partial(JackServer, ENV)


class App:
    """The application, its messages collected in a file."""

    def __init__(self, *args):
        self.log = open(SCRATCH / f"app-{time.monotonic_ns()}.log", "w+")
        self.process = spawn([APP, *args], env=ENV, stdout=self.log, stderr=subprocess.STDOUT)
        wait_for("the application's ports", lambda: f"{CLIENT}:out_2" in ports() or self.ended())
        check(not self.ended(), f"the application ended at once: {self.messages()!r}")

    def ended(self):
        return self.process.poll() is not None

    def messages(self):
        self.log.flush()
        return pathlib.Path(self.log.name).read_text()

    def wait_message(self, text, seconds=10.0):
        wait_for(f"'{text}' in {self.messages()!r}", lambda: text in self.messages(), seconds)

    def stop(self, sig=signal.SIGTERM):
        """Sends the signal; the exit status and the seconds it took."""
        start = time.monotonic()
        self.process.send_signal(sig)
        code = self.process.wait(timeout=10)
        return code, time.monotonic() - start


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def state_of(path):
    data = pathlib.Path(path).read_bytes()
    check(len(data) == 40, f"{path} holds {len(data)} bytes, not 40")
    return struct.unpack("<10f", data)


def signal_file(seconds=1):
    path = SCRATCH / "in.f32"
    subprocess.run([DEMOSYNTH, str(path), "--seconds", str(seconds), "--rate", "48000"], check=True,
                   capture_output=True)
    return path


# --- cases -------------------------------------------------------------------------------------------

def case_no_server():
    start = time.monotonic()
    done = subprocess.run([APP, "--no-ui"], env=ENV, capture_output=True, text=True, timeout=10)
    check(done.returncode == 2, f"exit status {done.returncode}, not 2")
    lines = done.stderr.strip().splitlines()
    check(len(lines) == 1 and "no JACK server" in lines[0], f"messages: {done.stderr!r}")
    check(time.monotonic() - start < 5, "it took too long to give up")
    return "no server: one line, exit status 2"


def case_render():
    """The application's output for the demo signal is the plug-in's render at the same settings."""
    source = signal_file()
    state = SCRATCH / "render-state"
    settings = ["Thresh=-30", "ratio=6", "attack=0.5", "release=120", "Knee dB=4", "knee_pct=30",
                "gain=6", "SC Mode=A", "wet_dry=10"]
    recorded = SCRATCH / "app.f32"
    with Server(48000, 256):
        app = App("--no-ui", "--state", str(state), *sum((["--set", s] for s in settings), []))
        subprocess.run([PLAYREC, str(source), str(recorded), INS, OUTS], env=ENV, check=True,
                       capture_output=True, timeout=60)
        check(app.stop()[0] == 0, "the application failed")
    values = state_of(state)
    reference = SCRATCH / "plugin.f32"
    subprocess.run([VSTHOST, "render", PLUGIN, str(source), str(reference), "--rate", "48000",
                    *sum((["--set", f"{i}={v:.9g}"] for i, v in enumerate(values)), [])],
                   check=True, capture_output=True)
    same = subprocess.run([VSTHOST, "compare", str(reference), str(recorded), "--ulps", "0"], capture_output=True,
                          text=True)
    check(same.returncode == 0, f"the application's output is not the plug-in's render: {same.stdout}")
    check(recorded.read_bytes() != source.read_bytes(), "the application passed the signal through unchanged")
    return "the application's output equals the plug-in's render bit for bit"


def case_broken_settings():
    """A file that is not a state (the kinds are StateFile's unit test) is named, and replaced by the defaults."""
    broken = SCRATCH / "broken"
    with Server():
        App("--no-ui", "--state", str(SCRATCH / "defaults")).stop()
        broken.write_bytes(bytes(41))
        app = App("--no-ui", "--state", str(broken))
        code, _ = app.stop()
    check(code == 0, f"exit status {code}")
    check("ignoring" in app.messages(), f"no message in {app.messages()!r}")
    check(state_of(broken) == state_of(SCRATCH / "defaults"), "not the defaults")
    return "a broken file ignored with a message, the defaults used"


def case_server_restart():
    first = Server(48000, 256)
    app = App("--no-ui", "--connect-in", "system:capture_1,system:capture_2",
              "--connect-out", "system:playback_1,system:playback_2")
    first.kill()
    app.wait_message("went away")
    time.sleep(1.5)
    check(not app.ended(), "the application ended with the server")
    second = Server(44100, 128)
    try:
        app.wait_message("back on the JACK server")
        app.wait_message("44100 Hz, 128 frames")
        wait_for("the connections again",
                 lambda: ports(True).count("system:capture_1\n   " + CLIENT + ":in_1") == 1 and
                 CLIENT + ":out_2\n   system:playback_2" in ports(True))
        subprocess.run(["jack_bufsize", "64"], env=ENV, check=True, capture_output=True)
        app.wait_message("44100 Hz, 64 frames")
        check(app.stop()[0] == 0, "the application failed after the restart")
    finally:
        second.stop()
    return "server killed and restarted: ports, connections, the new rate and period back; period changed"


def case_sigterm():
    """Either signal saves the settings in $XDG_CONFIG_HOME/qm07-compressor/state and exits at once; the next
    start reads them back, or it would save the defaults."""
    path = SCRATCH / "config/qm07-compressor/state"
    results = []
    with Server():
        for sig, settings in ((signal.SIGTERM, ["--set", "gain=12"]), (signal.SIGINT, [])):
            code, seconds = App("--no-ui", *settings).stop(sig)
            check(code == 0, f"{sig.name}: exit status {code}")
            check(seconds < 1.0, f"{sig.name}: {seconds:.2f} s to exit")
            check(path.exists() and state_of(path)[2] == 0.5, f"{sig.name}: the settings were not kept")
            results.append(f"{sig.name} {seconds * 1000:.0f} ms")
    return "saved, exited and read back at the next start: " + ", ".join(results)


# --- the window --------------------------------------------------------------------------------------

def grab(rect):
    left, top, right, bottom = rect
    return subprocess.run(["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                           "rgb:-"], capture_output=True, check=True).stdout


def close_window(window):
    """What a window manager's close button sends: WM_PROTOCOLS with WM_DELETE_WINDOW."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    event = ClientMessage(type=33, window=window, format=32,
                          message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def case_window():
    """The window opens at 800×220, its meter follows the audio, a drag turns a knob and is saved after
    a pause, the window outlives a server restart, and closing it quits."""
    source = signal_file(seconds=4)
    state = SCRATCH / "window-state"
    meter = (570, 20, 750, 100)
    server = Server()
    app = App("--state", str(state), "--set", "Thresh=-40", "--set", "ratio=20")
    window = int(xdotool("search", "--sync", "--name", f"^{CLIENT}$").split()[0])
    geometry = xdotool("getwindowgeometry", str(window))
    check("800x220" in geometry, f"window geometry: {geometry}")
    time.sleep(0.5)
    quiet = grab(meter)
    player = spawn([PLAYREC, str(source), str(SCRATCH / "ignored.f32"), INS, OUTS], env=ENV,
                   stdout=subprocess.DEVNULL)
    time.sleep(1.5)
    loud = grab(meter)
    player.wait(timeout=30)
    check(loud != quiet, "the meter did not move with the audio")

    before = state_of(state) if state.exists() else None
    drag(175, 60, 60)
    wait_for("the drag saved after a pause", lambda: state.exists() and state_of(state) != before, 5)
    check(not app.ended(), "the application ended while saving")
    dragged = state_of(state)

    server.kill()
    app.wait_message("went away")
    check(not app.ended(), "the application ended with the server")
    check(str(window) in xdotool("search", "--name", f"^{CLIENT}$"), "the window went with the server")
    server = Server()
    app.wait_message("back on the JACK server")

    close_window(window)
    code = app.process.wait(timeout=5)
    server.stop()
    check(code == 0, f"exit status {code} after the window was closed")
    check(state_of(state) == dragged, "the dragged setting was not kept")
    return "window 800x220, meter moved, drag saved, server restart survived, close quit"


def main():
    case = re.sub(r"(?<!^)(?=[A-Z])", "_", sys.argv[1]).lower()
    result = globals()[f"case_{case}"]()
    print(f"{case}: {result}")
    shutil.rmtree(SCRATCH, ignore_errors=True)


if __name__ == "__main__":
    main()
