#!/usr/bin/python3
"""A window's run in the compiled core (node) against the native runner, back to back (a
benchmark, not a test): µs of processor time per point of a study of POINTS points, and their
ratio (goal 2). Processor time, not elapsed time, so that other programs on a shared machine
count for little.

The native figure is a `pylora-cli sweep --jobs 1` of POINTS points less one of 2 points, so that
starting the program and opening the database are not counted; the node figure is the page's
'study' call, answering rows and CSV as the page gets them.

    bench/web/run_bench.py [CORE_JS [PYLORA_CLI]]
        (default build/web-cmake/bin/pylora-core.js build/bin/pylora-cli)
"""
import os
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
POINTS = 4000
# window, the input varied, its default, the result asked for
WINDOWS = [("壁厚计算", "Text2", 3.92, "Text6"), ("穿越断面", "Text12", 312.4, "Text35"),
           ("放空损失计算", "Text1", 720, "Text6"), ("钢管许用应力", "Text1", 245, "Text6")]


def sweep_seconds(cli, form, field, value, result, points):
    best = float("inf")
    with tempfile.TemporaryDirectory() as folder:
        args = [cli, "sweep", form, "--vary", f"{field}={value * 0.9}:{value * 1.1}:#{points}",
                "--result", result, "--output", str(pathlib.Path(folder, "sweep.csv")), "--jobs", "1"]
        for _ in range(3):
            process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(process.pid, 0)
            process.returncode = os.waitstatus_to_exitcode(status)
            if process.returncode != 0:
                raise subprocess.CalledProcessError(process.returncode, args)
            best = min(best, usage.ru_utime + usage.ru_stime)
    return best


def main():
    core = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build/web-cmake/bin/pylora-core.js")
    cli = sys.argv[2] if len(sys.argv) > 2 else str(ROOT / "build/bin/pylora-cli")
    print(f"load average {os.getloadavg()[0]:.2f}")
    for form, field, value, result in WINDOWS:
        node = float(subprocess.run(["node", str(ROOT / "bench/web/run_in_node.js"), core, form, field, str(value),
                                     result, str(POINTS)], check=True, capture_output=True, text=True).stdout)
        native = (sweep_seconds(cli, form, field, value, result, POINTS) -
                  sweep_seconds(cli, form, field, value, result, 2)) / (POINTS - 2) * 1e6
        print(f"run {form}: node {node:.1f} µs, native {native:.1f} µs, ratio {node / native:.2f} (goal 2)")
    print(f"load average {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
