#!/usr/bin/python3
"""The browser page's speed, measured in headless Chromium from file:// (a benchmark, not a test):

  - opening index.html until the menu answers (goal at most 1.5 s), median of 5 loads;
  - opening each window, drawn and laid out (goal at most 50 ms each);
  - a run of the core in the page (a study of POINTS points) against the same runs of the native
    runner in process (`pylora-cli sweep --jobs 1`; goal at most 2x), and a run as the engineer
    makes it (typing, pressing, the window's state back as JSON);
  - the size of the page's folder.

    bench/web/page_bench.py [PAGE_FOLDER [PYLORA_CLI]]   (default build/web/pylora build/bin/pylora-cli)
"""
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "web"))
import page_driver  # noqa: E402

POINTS = 2000


def native_run_seconds(cli, form, field, default, result):
    """Seconds per run of the window in the native runner: a sweep of POINTS values on one thread."""
    value = float(default)
    with tempfile.TemporaryDirectory() as folder:
        out = pathlib.Path(folder, "sweep.csv")
        args = [cli, "sweep", form, "--vary", f"{field}={value * 0.9}:{value * 1.1}:#{POINTS}",
                "--result", result, "--output", str(out), "--jobs", "1"]
        start = time.perf_counter()
        subprocess.run(args, check=True, capture_output=True)
        return (time.perf_counter() - start) / POINTS


def page_run_seconds(driver, form, field, default, run_button):
    return driver.execute_script("""
        var form = arguments[0], field = arguments[1], value = parseFloat(arguments[2]), button = arguments[3], n = arguments[4];
        var start = performance.now();
        for (var i = 0; i < n; ++i) {
            Pylora.engine.call('type', {form: form, control: field, text: String(value * (0.9 + 0.2 * i / n))});
            Pylora.engine.call('press', {form: form, control: button});
        }
        return (performance.now() - start) / n / 1000;""", form, field, default, run_button, POINTS // 4)


def page_study_seconds(driver, form, field, default, result):
    """Seconds per run of the window's core in the page: the same sweep as the native one."""
    return driver.execute_script("""
        var value = parseFloat(arguments[2]), n = arguments[4];
        var start = performance.now();
        Pylora.engine.call('study', {form: arguments[0], vary: arguments[1], from: value * 0.9, to: value * 1.1,
                                     points: n, results: [arguments[3]]});
        return (performance.now() - start) / n / 1000;""", form, field, default, result, POINTS)


def main():
    page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build/web/pylora")
    cli = sys.argv[2] if len(sys.argv) > 2 else str(ROOT / "build/bin/pylora-cli")
    runner = page_driver.Runner(cli)
    driver = page_driver.start_browser()
    try:
        loads, cores = [], []
        for _ in range(5):
            page_driver.open_page(driver, page)
            # A page built before the menu was drawn ahead of the core has only readyAt.
            menu, ready = driver.execute_script("return [Pylora.menuAt || Pylora.readyAt, Pylora.readyAt];")
            loads.append(menu / 1000)
            cores.append(ready / 1000)
        print(f"open index.html to menu: median {statistics.median(loads):.3f} s, "
              f"max {max(loads):.3f} s (goal 1.5 s); core ready: median {statistics.median(cores):.3f} s")

        opens = {}
        for line in runner.lines("list"):
            form = line.split("\t")[0]
            opens[form] = driver.execute_script("""
                var t = performance.now(); var w = Pylora.desk.open(arguments[0]); w.root.offsetHeight;
                var spent = performance.now() - t; Pylora.desk.close(arguments[0]); return spent / 1000;""", form)
        slowest = max(opens, key=opens.get)
        print(f"window open: median {statistics.median(opens.values()) * 1000:.1f} ms, slowest {slowest} "
              f"{opens[slowest] * 1000:.1f} ms (goal 50 ms)")

        for form, field in (("壁厚计算", "Text2"), ("放空损失计算", "Text1"), ("穿越断面", "Text12")):
            description = runner.describe(form)
            default = next(c["default"] for c in description["controls"] if c["name"] == field)
            run_button = next(c["name"] for c in description["controls"] if c.get("action") == "run")
            result = next(c["name"] for c in description["controls"]
                          if c.get("meaning", {}).get("role") in ("result", "verdict") and c["kind"] == "field")
            driver.execute_script("Pylora.desk.open(arguments[0]);", form)
            in_page = page_run_seconds(driver, form, field, default, run_button)
            core = page_study_seconds(driver, form, field, default, result)
            native = native_run_seconds(cli, form, field, default, result)
            print(f"run {form}: core in the page {core * 1e6:.0f} µs, native {native * 1e6:.0f} µs, "
                  f"ratio {core / native:.2f} (goal 2); typing and pressing with the window's state back "
                  f"{in_page * 1e6:.0f} µs")
    finally:
        driver.quit()
    size = sum(f.stat().st_size for f in page.rglob("*") if f.is_file())
    print(f"folder {page}: {size / 1e6:.2f} MB")


if __name__ == "__main__":
    main()
