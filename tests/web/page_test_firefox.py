"""The browser page in Firefox (firefox-esr through Marionette), opened from file:// as with a
double-click: the same tests against the native headless runner as in Chromium (page_test.py).

    page_test_firefox.py PAGE_FOLDER PYLORA_CLI [TEST…]    (exit status 77: no page or no Firefox, skipped)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import marionette  # noqa: E402
import page_test  # noqa: E402


class FirefoxPageTest(page_test.PageTest):
    start_browser = staticmethod(marionette.Firefox)
    # Marionette runs a test's script outside the page's policy (eval and fetch work there), so
    # only what the page's own code asks for shows the policy.
    scripts_obey_page_policy = False


if __name__ == "__main__":
    if not marionette.firefox_installed():
        print(f"no Firefox at {marionette.FIREFOX}: install firefox-esr", file=sys.stderr)
        sys.exit(77)
    page_test.main(__doc__)
