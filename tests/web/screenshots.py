#!/usr/bin/python3
"""Screenshots of the browser page at 1366×768 for a person to look at (not a test): the menu,
an open menu, a few windows after their default run, a failed run, stale results, the About box
and the 计算书 view, written to build/web/screenshots/.

    tests/web/screenshots.py [PAGE_FOLDER [OUTPUT_FOLDER]]
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import page_driver  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[2]


def main():
    page = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build/web/pylora")
    out = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else ROOT / "build/web/screenshots")
    out.mkdir(parents=True, exist_ok=True)
    driver = page_driver.start_browser()
    shot = lambda name: driver.save_screenshot(str(out / f"{name}.png"))
    try:
        page_driver.open_page(driver, page)
        shot("01-main")
        driver.execute_script("document.querySelector('[data-menu=\"menu_LINE_CAL\"]').click();")
        shot("02-menu-open")
        driver.execute_script("Pylora.menu.closeAll();")
        windows = [("壁厚计算", True), ("水力计算", True), ("定向钻穿越", False), ("穿越断面", True),
                   ("防腐材料", True), ("计算器", False), ("单位转换", False), ("一般砖墙", True)]
        for i, (form, run) in enumerate(windows):
            page_driver.open_window(driver, form)
            driver.execute_script("var w = Pylora.desk.windows[arguments[0]].root; w.style.left = '8px'; w.style.top = '4px';", form)
            if run:
                page_driver.click(driver, form, driver.execute_script(
                    "return Pylora.desk.windows[arguments[0]].definition.default_run;", form))
            shot(f"{10 + i:02d}-{form}")
            page_driver.close_window(driver, form)
        form = "壁厚计算"
        page_driver.open_window(driver, form)
        page_driver.click(driver, form, "Command1")
        first = driver.execute_script("return document.activeElement.dataset.control;")
        page_driver.type_text(driver, form, first, "700")
        shot("30-stale-results")
        page_driver.type_text(driver, form, first, "7x0")
        page_driver.click(driver, form, "Command1")
        shot("31-failed-run")
        page_driver.type_text(driver, form, first, "720")
        page_driver.click(driver, form, "Command1")
        driver.execute_script("""
            var w = Pylora.desk.windows[arguments[0]];
            Pylora.contextMenu.show(w, 300, 200);""", form)
        shot("33-context-menu")
        driver.execute_script("Pylora.contextMenu.close();")
        driver.execute_script("Pylora.files.showReport(arguments[0]);", form)
        shot("32-report-view")
        driver.execute_script("document.querySelector('.report-view').remove();")
        page_driver.close_window(driver, form)
        page_driver.open_window(driver, "帮助")
        shot("40-about")
    finally:
        driver.quit()
    print(out)


if __name__ == "__main__":
    main()
