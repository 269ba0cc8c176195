"""Firefox driven through Marionette, its own remote protocol, with the standard library alone
(Debian ships no geckodriver): length-prefixed JSON messages over TCP. The client answers the few
calls the page tests make of a Selenium driver, so the same tests run in both browsers."""
import json
import pathlib
import shutil
import socket
import subprocess
import tempfile
import time

FIREFOX = "/usr/bin/firefox-esr"
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"  # the WebDriver key of an element reference

# A quiet profile: no first-run pages, no updates, no reports; Marionette on a port of the system's
# choosing, which Firefox writes into the profile (other Firefoxes may run beside this one).
PREFERENCES = {
    "marionette.port": 0,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.aboutwelcome.enabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "browser.download.folderList": 2,
    "intl.accept_languages": "zh-CN",
}


class MarionetteError(RuntimeError):
    pass


def firefox_installed():
    return pathlib.Path(FIREFOX).exists()


class _ActiveElement:
    def __init__(self, client):
        self.client = client

    def send_keys(self, text):
        element = self.client.command("WebDriver:GetActiveElement")["value"]
        self.client.command("WebDriver:ElementSendKeys", {"id": element[ELEMENT], "text": text})


class _SwitchTo:
    def __init__(self, client):
        self.client = client

    @property
    def active_element(self):
        return _ActiveElement(self.client)


class Firefox:
    """A headless Firefox with a fresh profile, quit and removed by quit()."""

    def __init__(self, width=1366, height=768, start_timeout=90):
        self.profile = tempfile.mkdtemp(prefix="pylora-firefox-")
        lines = [f"user_pref({json.dumps(k)}, {json.dumps(v)});" for k, v in PREFERENCES.items()]
        pathlib.Path(self.profile, "user.js").write_text("\n".join(lines) + "\n")
        self.process = subprocess.Popen(
            [FIREFOX, "--marionette", "--headless", "--no-remote", "--profile", self.profile,
             "--width", str(width), "--height", str(height), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.next_id = 0
        try:
            self.socket = socket.create_connection(("127.0.0.1", self._port(start_timeout)), timeout=600)
            self._receive()  # the server's greeting: application type and protocol level
            self.command("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {"pageLoadStrategy": "normal"}}})
            self.command("WebDriver:SetWindowRect", {"width": width, "height": height})
        except BaseException:
            self.quit()
            raise
        self.switch_to = _SwitchTo(self)

    def _port(self, timeout):
        active = pathlib.Path(self.profile, "MarionetteActivePort")
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise MarionetteError(f"Firefox ended with status {self.process.returncode} while starting")
            text = active.read_text().strip() if active.exists() else ""
            if text.isdigit():
                return int(text)
            time.sleep(0.1)
        raise MarionetteError(f"Firefox opened no Marionette port within {timeout} s")

    def _receive(self):
        length = b""
        while not length.endswith(b":"):
            byte = self.socket.recv(1)
            if not byte:
                raise MarionetteError("Firefox closed the connection")
            length += byte
        size, data = int(length[:-1]), b""
        while len(data) < size:
            chunk = self.socket.recv(size - len(data))
            if not chunk:
                raise MarionetteError("Firefox closed the connection")
            data += chunk
        return json.loads(data.decode("utf-8"))

    def command(self, name, parameters=None):
        self.next_id += 1
        message = json.dumps([0, self.next_id, name, parameters or {}]).encode("utf-8")
        self.socket.sendall(str(len(message)).encode("ascii") + b":" + message)
        while True:
            kind, message_id, error, result = self._receive()
            if kind == 1 and message_id == self.next_id:
                break
        if error:
            raise MarionetteError(f"{name}: {error.get('error')}: {error.get('message')}")
        return result

    # What the page tests ask of a Selenium driver.
    def get(self, url):
        self.command("WebDriver:Navigate", {"url": url})

    def refresh(self):
        self.command("WebDriver:Refresh")

    def set_script_timeout(self, seconds):
        self.command("WebDriver:SetTimeouts", {"script": int(seconds * 1000)})

    def execute_script(self, script, *args):
        return self.command("WebDriver:ExecuteScript", {"script": script, "args": list(args)}).get("value")

    def execute_async_script(self, script, *args):
        return self.command("WebDriver:ExecuteAsyncScript", {"script": script, "args": list(args)}).get("value")

    def quit(self):
        try:
            if getattr(self, "socket", None):
                try:
                    self.command("Marionette:Quit", {"flags": ["eForceQuit"]})
                except (MarionetteError, OSError):
                    pass
                self.socket.close()
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)
