"""The CLAP editor end to end on a real display: vsthost edit embeds it in a window of ours, xdotool drags a
knob and clicks a lever with the real pointer, and each edit must reach the host as one gesture of plain
values, with no fault noted on the way. Natively the .clap's X11 editor, the Windows .clap under Wine (given
as RUNNER). Usage: clap_editor_end_to_end.py VSTHOST CLAP OUTDIR [RUNNER...]"""

import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "host"))
import editor_end_to_end as vst  # noqa: E402  (the same session, pointer and bracket checks as for VST)

# (what the user does, parameter, plain value the host is told last)
GESTURES = [
    ("a linear drag up 100 px on Thresh takes it from -20 dB to its end at -40 dB",
     lambda o: vst.drag_up(o, vst.THRESH, 100), 0, -40.0),
    ("a click on the right third of SC Mode selects B", lambda o: vst.click(o, vst.SC_MODE_RIGHT_THIRD), 7, 2.0),
]


def main():
    vst.VSTHOST, vst.PLUGIN, vst.OUT = sys.argv[1:4]
    vst.RUNNER = sys.argv[4:]
    pathlib.Path(vst.OUT).mkdir(parents=True, exist_ok=True)
    with vst.HostSession.start("--signal", "tone", "--seconds", "8", "--at", "7:Gain=6") as run:
        for gesture in GESTURES:
            vst.check_edit(run, gesture, run.origin)
        run.wait_for(r"host set 2 6\.000000")
        output = run.finish()
    assert re.search(r"^idle \d+ passes, .* per idle pass", output, re.M), output
    faults = [line for line in output.splitlines() if line.startswith("fault:")]
    assert not faults, "the host saw faults:\n" + "\n".join(faults)
    print("the CLAP editor works end to end")


if __name__ == "__main__":
    main()
