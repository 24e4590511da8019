#!/usr/bin/env python3
"""The bundle as lilv and lv2_validate read it: no validation error, the ports, the X11 UI and the presets.
Usage: check_bundle.py BUNDLE_DIR"""
import glob
import os
import re
import subprocess
import sys
import tempfile

URI = "urn:tarvel:qm07-compressor"
EXPECTED = {
    "audio inputs": 2,
    "audio outputs": 2,
    "control inputs": 10,
    "control outputs": 1,
    "X11 UIs": 1,
    "presets": 4,
}


def port_counts(info):
    counts = dict.fromkeys(EXPECTED, 0)
    for block in re.split(r"\n\tPort \d+:\n", info)[1:]:
        types = set(re.findall(r"#(\w+Port)\b", block.split("Symbol:")[0]))
        for kind in ("Audio", "Control"):
            for way in ("Input", "Output"):
                if {kind + "Port", way + "Port"} <= types:
                    counts[f"{kind.lower()} {way.lower()}s"] += 1
    counts["X11 UIs"] = len(re.findall(r"Class: +http://lv2plug.in/ns/extensions/ui#X11UI", info))
    presets = info.split("Presets:")[1].split("\tPort 0:")[0] if "Presets:" in info else ""
    counts["presets"] = len([line for line in presets.splitlines() if line.strip()])
    return counts


def main():
    bundle = os.path.abspath(sys.argv[1])
    failures = []
    validation = subprocess.run(["lv2_validate", *sorted(glob.glob(f"{bundle}/*.ttl"))], capture_output=True,
                                text=True)
    summary = re.search(r"Found (\d+) errors", validation.stdout + validation.stderr)
    if validation.returncode != 0 or not summary or summary.group(1) != "0":
        failures.append("lv2_validate: " + (validation.stdout + validation.stderr)[-2000:])
    with tempfile.TemporaryDirectory() as path:
        os.symlink(bundle, os.path.join(path, os.path.basename(bundle)))
        info = subprocess.run(["lv2info", URI], capture_output=True, text=True,
                              env={**os.environ, "LV2_PATH": path})
    if info.returncode != 0:
        failures.append(f"lv2info failed: {info.stderr}")
    counts = port_counts(info.stdout)
    for what, wanted in EXPECTED.items():
        if counts[what] != wanted:
            failures.append(f"lv2info shows {counts[what]} {what}, not {wanted}")
    for failure in failures:
        print("FAILED:", failure)
    if not failures:
        print(f"lv2_validate finds no error; lv2info reads {counts}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
