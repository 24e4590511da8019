"""What the tests of our JACK clients and windows share: processes ended at exit, waiting for a condition, a
JACK server of the test's own on the dummy driver, and a drag with the real pointer."""
import atexit
import subprocess
import time

_SPAWNED = []


@atexit.register
def _end_what_is_left():
    for process in _SPAWNED:
        if process.poll() is None:
            process.kill()
            process.wait()


def spawn(args, **kwargs):
    """Popen, killed at exit if still running."""
    process = subprocess.Popen(args, **kwargs)
    _SPAWNED.append(process)
    return process


def wait_for(what, condition, seconds=15.0):
    """condition()'s first true result within the time."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def jack_ports(env, connections=False):
    done = subprocess.run(["jack_lsp", "-c"] if connections else ["jack_lsp"], env=env, capture_output=True,
                          text=True)
    return done.stdout if done.returncode == 0 else ""


class JackServer:
    """jackd with the dummy driver under env's JACK_DEFAULT_SERVER, ready once its ports show."""

    def __init__(self, env, rate=48000, period=256):
        self.process = spawn(["jackd", "--no-realtime", "-n", env["JACK_DEFAULT_SERVER"], "-d", "dummy",
                              "-r", str(rate), "-p", str(period)],
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the JACK server", lambda: "system:playback_1" in jack_ports(env))

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.stop()

    def kill(self):
        self.process.kill()
        self.process.wait()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, check=True).stdout


def drag(x, y, pixels):
    """Presses at (x, y), moves down by `pixels` in ten steps as a hand does, releases."""
    xdotool("mousemove", x, y, "mousedown", 1)
    for step in range(1, 11):
        xdotool("mousemove", x, y + pixels * step // 10)
        time.sleep(0.03)
    xdotool("mouseup", 1)
