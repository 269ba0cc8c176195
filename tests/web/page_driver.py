"""The browser page driven from file://, as an engineer opens it with a double-click: shared by
the page tests (headless Chromium through Selenium, Firefox through marionette.py), the
screenshots and the benchmarks."""
import json
import os
import pathlib
import subprocess

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
ENTER_KEY = "\ue007"  # the WebDriver code of the Enter key


def start_browser(width=1366, height=768):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     f"--window-size={width},{height}", "--lang=zh-CN", "--force-device-scale-factor=1"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    # The page's own area at the screen size asked for, without the browser's frame.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    return driver


def open_page(driver, page_folder, timeout=30):
    """Opens index.html from the folder and waits until the menu answers; the browser storage of
    an earlier visit is cleared first, so that every window opens with its default texts."""
    url = pathlib.Path(page_folder, "index.html").resolve().as_uri()
    driver.get(url)
    wait_ready(driver, timeout)
    driver.execute_script("window.localStorage.clear(); Object.keys(Pylora.desk.windows).forEach(function (f) { Pylora.desk.close(f); });")


def wait_ready(driver, timeout=30):
    driver.set_script_timeout(timeout)
    driver.execute_async_script("""
        var done = arguments[arguments.length - 1];
        (function poll() { document.body.dataset.ready === "true" ? done(true) : setTimeout(poll, 10); })();""")


def open_window(driver, form):
    driver.execute_script("Pylora.desk.open(arguments[0]);", form)


def close_window(driver, form):
    driver.execute_script("Pylora.desk.close(arguments[0]);", form)


def window_texts(driver, form):
    """The texts the window shows: every field's value and every named label's text, by control name."""
    return driver.execute_script("""
        var root = Pylora.desk.windows[arguments[0]].root, texts = {};
        root.querySelectorAll('input.field[data-control]').forEach(function (e) { texts[e.dataset.control] = e.value; });
        root.querySelectorAll('.label[data-control]').forEach(function (e) { texts[e.dataset.control] = e.textContent; });
        return texts;""", form)


def type_text(driver, form, control, text):
    """Types into a field as the engineer does: the field's text, then its input event."""
    driver.execute_script("""
        var e = Pylora.desk.windows[arguments[0]].root.querySelector('[data-control="' + arguments[1] + '"]');
        e.value = arguments[2];
        e.dispatchEvent(new Event('input', {bubbles: true}));""", form, control, text)


def click(driver, form, control):
    driver.execute_script("""
        Pylora.desk.windows[arguments[0]].root.querySelector('[data-control="' + arguments[1] + '"]').click();""",
                          form, control)


class Runner:
    """The native headless runner, the page's reference."""

    def __init__(self, program):
        self.program = program

    def lines(self, *args):
        return subprocess.run([self.program, *args], check=True, capture_output=True, text=True).stdout.splitlines()

    def describe(self, form):
        return json.loads(subprocess.run([self.program, "describe", form], check=True, capture_output=True,
                                         text=True).stdout)

    def run(self, form, *args):
        done = subprocess.run([self.program, "run", form, *args], capture_output=True, text=True)
        if done.returncode not in (0, 3):
            raise RuntimeError(f"pylora-cli run {form} {' '.join(args)}: {done.stderr.strip()}")
        return json.loads(done.stdout)


def runner_texts(run):
    """The runner's texts of the controls the page shows as fields and labels."""
    return {name: control["text"] for name, control in run["controls"].items() if "checked" not in control
            and "items" not in control}


def environment_page_and_runner():
    return os.environ.get("PYLORA_WEB_PAGE"), os.environ.get("PYLORA_CLI")
