"""The browser page in headless Chromium, opened from file:// as with a double-click, against the
native headless runner: every window, its default run and random inputs, failures, stale
results, case files, the menu, and the page's refusal to reach the network.

    page_test.py PAGE_FOLDER PYLORA_CLI [TEST…]    (exit status 77: no page built, skipped)
"""
import base64
import io
import json
import os
import pathlib
import random
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_driver  # noqa: E402

PAGE, CLI = None, None


class PageTest(unittest.TestCase):
    start_browser = staticmethod(page_driver.start_browser)  # headless Chromium
    scripts_obey_page_policy = True  # a test's script is held to the page's content security policy

    @classmethod
    def setUpClass(cls):
        cls.runner = page_driver.Runner(CLI)
        cls.driver = cls.start_browser()
        page_driver.open_page(cls.driver, PAGE)
        cls.windows = [line.split("\t")[0] for line in cls.runner.lines("list")]

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.driver.execute_script("Object.keys(Pylora.desk.windows).forEach(function (f) { Pylora.desk.close(f); });")

    def described(self, form):
        return self.runner.describe(form)

    def assertShowsRunner(self, form, run, context):
        shown = page_driver.window_texts(self.driver, form)
        expected = page_driver.runner_texts(run)
        described = {c["name"]: c["kind"] for c in self.described(form)["controls"]}
        for name, kind in described.items():
            if kind in ("field", "label"):
                self.assertIn(name, shown, f"{context}: {name} not shown")
                self.assertEqual(shown[name], expected[name], f"{context}: {name}")

    def test_every_window_opens_and_its_default_run_gives_the_runners_texts(self):
        for form in self.windows:
            with self.subTest(form=form):
                page_driver.open_window(self.driver, form)
                self.assertShowsRunner(form, self.opened(form), f"{form} as opened")
                run_button = self.driver.execute_script("return Pylora.desk.windows[arguments[0]].definition.default_run;", form)
                if run_button:
                    page_driver.click(self.driver, form, run_button)
                    self.assertShowsRunner(form, self.runner.run(form), f"{form} after {run_button}")
                page_driver.close_window(self.driver, form)

    def opened(self, form):
        """The texts a window opens with: the definition's defaults."""
        controls = {}
        for c in self.described(form)["controls"]:
            if c["kind"] in ("field", "label"):
                controls[c["name"]] = {"text": c["default"]}
        return {"controls": controls}

    def test_random_inputs_agree_with_the_runner(self):
        seed = int(os.environ.get("PYLORA_WEB_SEED", "20261211"))
        chance = random.Random(seed)
        for form in self.windows:
            description = self.described(form)
            inputs = [c for c in description["controls"] if c["kind"] == "field"
                      and c.get("meaning", {}).get("role") == "input" and c.get("visible", True)]
            run_button = next((c["name"] for c in description["controls"]
                               if c["kind"] == "button" and c.get("action") == "run"), None)
            if not inputs or not run_button:
                continue
            for row in range(2):
                settings = {}
                for c in chance.sample(inputs, min(len(inputs), 3)):
                    try:
                        value = float(c["default"].replace(",", "")) * chance.uniform(0.5, 1.5)
                        settings[c["name"]] = f"{value:.4g}"
                    except ValueError:
                        settings[c["name"]] = c["default"]
                if row == 1 and chance.random() < 0.3:
                    settings[chance.choice(inputs)["name"]] = "x1"
                with self.subTest(form=form, seed=seed, settings=settings):
                    page_driver.open_window(self.driver, form)
                    for name, text in settings.items():
                        page_driver.type_text(self.driver, form, name, text)
                    page_driver.click(self.driver, form, run_button)
                    args = [f"--set={name}={text}" for name, text in settings.items()]
                    expected = self.runner.run(form, *args, "--press", run_button)
                    self.assertShowsRunner(form, expected, f"{form} {settings}")
                    status = self.status(form)
                    if expected["failure"]:
                        self.assertEqual(status["text"], expected["failure"]["cause"])
                    page_driver.close_window(self.driver, form)

    def status(self, form):
        return self.driver.execute_script("""
            var s = Pylora.desk.windows[arguments[0]].status;
            return {text: s.textContent, colour: getComputedStyle(s).color};""", form)

    def field_look(self, form, control):
        return self.driver.execute_script("""
            var e = Pylora.desk.windows[arguments[0]].root.querySelector('[data-control="' + arguments[1] + '"]');
            var style = getComputedStyle(e);
            return {border: style.borderTopColor, width: style.borderTopWidth, colour: style.color,
                    classes: e.className, focused: document.activeElement === e};""", form, control)

    def test_a_failed_run_names_the_field_in_red_and_frames_it_until_edited(self):
        form = "壁厚计算"
        page_driver.open_window(self.driver, form)
        first = self.driver.execute_script("return document.activeElement.dataset.control;")
        page_driver.type_text(self.driver, form, first, "abc")
        page_driver.click(self.driver, form, "Command1")
        expected = self.runner.run(form, f"--set={first}=abc")
        status = self.status(form)
        self.assertEqual(status["text"], expected["failure"]["cause"])
        self.assertEqual(status["colour"], "rgb(208, 0, 0)")
        look = self.field_look(form, expected["failure"]["control"])
        self.assertEqual((look["border"], look["width"]), ("rgb(224, 0, 0)", "2px"))
        page_driver.type_text(self.driver, form, first, "720")
        self.assertNotIn("failed", self.field_look(form, first)["classes"])

    def test_results_grey_when_an_input_they_came_from_is_edited(self):
        form = "壁厚计算"
        page_driver.open_window(self.driver, form)
        page_driver.click(self.driver, form, "Command1")
        run = self.runner.run(form)
        result = run["written"][0]
        self.assertNotIn("stale", self.field_look(form, result)["classes"])
        read_first = self.driver.execute_script("return document.activeElement.dataset.control;")
        page_driver.type_text(self.driver, form, read_first, "700")
        look = self.field_look(form, result)
        self.assertIn("stale", look["classes"])
        self.assertEqual(look["colour"], "rgb(128, 128, 128)")
        page_driver.click(self.driver, form, "Command1")
        self.assertNotIn("stale", self.field_look(form, result)["classes"])

    def test_the_first_input_has_the_focus_and_enter_runs(self):
        form = "壁厚计算"
        page_driver.open_window(self.driver, form)
        focused = self.driver.execute_script("return document.activeElement.dataset.control;")
        first_input = next(c["name"] for c in self.described(form)["controls"]
                           if c["kind"] == "field" and c.get("meaning", {}).get("role") == "input")
        self.assertEqual(focused, first_input)
        self.driver.switch_to.active_element.send_keys(page_driver.ENTER_KEY)
        self.assertShowsRunner(form, self.runner.run(form), "Enter in the first field")

    def test_a_case_saved_by_the_desktop_opens_with_its_inputs_and_results(self):
        form = "壁厚计算"
        with tempfile.TemporaryDirectory() as folder:
            case = pathlib.Path(folder, "壁厚.pylora")
            expected = self.runner.run(form, "--set=Text2=5.5", "--save", str(case))
            text = case.read_text(encoding="utf-8")
        self.driver.execute_script("Pylora.files.openCaseText(arguments[0], arguments[1]);", text, case.name)
        self.assertShowsRunner(form, expected, "the opened case")
        saved = json.loads(self.driver.execute_script(
            "return Pylora.engine.call('save_case', {form: arguments[0]}).text;", form))
        self.assertEqual(saved["inputs"], json.loads(text)["inputs"])
        self.assertEqual(saved["steps"], json.loads(text)["steps"])

    def test_the_menu_is_the_runners_with_every_entry_named(self):
        expected = [line.strip().split("\t") for line in self.runner.lines("menu")]
        shown = self.driver.execute_script("""
            return Array.prototype.map.call(document.querySelectorAll('#menubar [data-menu]'), function (e) {
                return [e.dataset.menu, e.firstChild.textContent]; });""")
        shown_by_name = dict(shown)
        for name, caption, _ in expected:
            with self.subTest(menu=name):
                self.assertIn(name, shown_by_name)
                # The access key is underlined, its "&" not shown.
                self.assertEqual(shown_by_name[name], caption.replace("&", ""))

    def test_every_menu_window_opens_from_its_entry(self):
        for line in self.runner.lines("menu"):
            name, _, action = line.strip().split("\t")
            if not action.startswith("show "):
                continue
            with self.subTest(menu=name):
                self.driver.execute_script(
                    "document.querySelector('[data-menu=\"' + arguments[0] + '\"]').click();", name)
                form = action[len("show "):]
                self.assertTrue(self.driver.execute_script(
                    "return !!document.querySelector('[data-form=\"' + arguments[0] + '\"]');", form))
                page_driver.close_window(self.driver, form)

    def test_the_report_is_the_runners_and_its_word_document_holds_every_picture(self):
        form = "穿越断面"
        page_driver.open_window(self.driver, form)
        page_driver.click(self.driver, form, "Command1")
        html = self.driver.execute_script(
            "return Pylora.engine.call('report_html', {form: arguments[0], project: Pylora.files.project()}).html;", form)
        self.assertEqual(html, "\n".join(self.runner.lines("report", form, "-o", "-", "--format", "html")) + "\n")
        self.driver.set_script_timeout(60)
        docx = self.driver.execute_async_script("""
            var form = arguments[0], done = arguments[arguments.length - 1], project = Pylora.files.project();
            var pictures = Pylora.engine.call('report_pictures', {form: form, project: project}).pictures;
            Promise.all(pictures.map(Pylora.files.pngOf)).then(function (pngs) {
                var byId = {};
                pictures.forEach(function (p, i) { byId[p.id] = pngs[i]; });
                done({pictures: pictures.length,
                      base64: Pylora.engine.call('report_docx', {form: form, project: project, png: byId}).base64});
            });""", form)
        with zipfile.ZipFile(io.BytesIO(base64.b64decode(docx["base64"]))) as document:
            self.assertIn("word/document.xml", document.namelist())
            pngs = [n for n in document.namelist() if n.endswith(".png")]
            self.assertEqual(len(pngs), docx["pictures"])
            for name in pngs:
                self.assertTrue(document.read(name).startswith(b"\x89PNG"), name)

    def test_a_study_in_the_page_is_the_runners_sweep(self):
        form = "壁厚计算"
        page_driver.open_window(self.driver, form)
        csv = self.driver.execute_script("""
            return Pylora.engine.call('study', {form: arguments[0], vary: 'Text2', from: 2, to: 8, points: 13,
                                                results: ['Text6']}).csv;""", form)
        with tempfile.TemporaryDirectory() as folder:
            out = pathlib.Path(folder, "sweep.csv")
            self.runner.lines("sweep", form, "--vary", "Text2=2:8:#13", "--result", "Text6", "--output", str(out),
                              "--jobs", "1")
            self.assertEqual(csv.encode("utf-8"), out.read_bytes())

    def test_a_ground_file_the_engineer_picks_feeds_the_profile_as_in_the_runner(self):
        form = "定向钻穿越地面数据"
        survey = "0.00,311.0\n25.00,309.5\n60.00,306.2\n120.00,305.9\n180.00,309.8\n240.00,312.4\n"
        page_driver.open_window(self.driver, form)
        self.driver.execute_script(
            "Pylora.desk.windows[arguments[0]].act('ground_file', {name: '河谷.TXT', text: arguments[1]});", form, survey)
        steps = [c["name"] for c in self.described(form)["controls"] if c["kind"] == "button" and c.get("action") == "run"]
        for step in steps:
            page_driver.click(self.driver, form, step)
        csv = self.driver.execute_script(
            "return Pylora.engine.call('profile', {form: arguments[0], format: 'csv'});", form)
        with tempfile.TemporaryDirectory() as folder:
            ground = pathlib.Path(folder, "河谷.TXT")
            ground.write_text(survey, encoding="utf-8")
            table = pathlib.Path(folder, "profile.csv")
            press = [arg for step in steps for arg in ("--press", step)]
            expected = self.runner.run(form, "--ground-file", str(ground), *press, "--csv", str(table))
            self.assertShowsRunner(form, expected, "the picked survey")
            self.assertEqual(base64.b64decode(csv["base64"]), table.read_bytes())
        self.assertIn("河谷.TXT", self.status(form)["text"])

    def test_windows_left_open_come_back_when_the_page_is_opened_again(self):
        form = "壁厚计算"
        page_driver.open_window(self.driver, form)
        page_driver.type_text(self.driver, form, "Text2", "6.3")
        page_driver.click(self.driver, form, "Command1")
        self.driver.refresh()
        page_driver.wait_ready(self.driver)
        self.assertShowsRunner(form, self.runner.run(form, "--set=Text2=6.3"), "after opening the page again")

    def test_the_menu_answers_before_the_core_and_a_window_chosen_meanwhile_opens_once_it_is_ready(self):
        form = "壁厚计算"
        # The window named after "#" is chosen as the menu is drawn, before the core has loaded.
        self.driver.get("about:blank")
        self.driver.get(pathlib.Path(PAGE, "index.html").resolve().as_uri() + "#" + form)
        page_driver.wait_ready(self.driver)
        try:
            menu_at, ready_at = self.driver.execute_script("return [Pylora.menuAt, Pylora.readyAt];")
            self.assertLess(menu_at, ready_at)
            self.assertShowsRunner(form, self.opened(form), "chosen before the core was ready")
        finally:
            page_driver.open_page(self.driver, PAGE)

    def test_the_page_reaches_no_network(self):
        self.driver.set_script_timeout(10)
        # The page's own script loader asking for a script from a server: its policy refuses it.
        violated = self.driver.execute_async_script("""
            var done = arguments[arguments.length - 1];
            document.addEventListener('securitypolicyviolation', function (e) { done(e.effectiveDirective); });
            Pylora.engine.loadScript('http://127.0.0.1:9/pylora.js').catch(function () {});
            setTimeout(function () { done('no violation'); }, 5000);""")
        self.assertIn(violated, ("script-src", "script-src-elem"))
        if self.scripts_obey_page_policy:
            refused = self.driver.execute_async_script("""
                var done = arguments[arguments.length - 1];
                fetch('index.html').then(function () { done(false); }, function () { done(true); });""")
            self.assertTrue(refused)


def main(usage):
    """Runs the page tests of the calling module: PAGE_FOLDER PYLORA_CLI [TEST…] on the command line."""
    global PAGE, CLI
    if len(sys.argv) < 3:
        sys.exit(usage)
    PAGE, CLI = sys.argv[1], sys.argv[2]
    if not pathlib.Path(PAGE, "index.html").exists():
        print(f"no page at {PAGE}: build it with scripts/web", file=sys.stderr)
        sys.exit(77)
    sys.argv[1:] = sys.argv[3:]
    unittest.main(verbosity=2)


if __name__ == "__main__":
    main(__doc__)
