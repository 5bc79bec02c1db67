#!/usr/bin/python3
"""The review page in headless Chromium: undone changes in the download, markup
shown as text, typographic text in UTF-8 and Windows-1252, the page of a
season run (several files and the names), a 5,000-cue page's speed (printed)
and its two parts, the README's screenshot. Skips (77) without Selenium or chromedriver.
    browser-test.py UNJAM_REVIEW UNJAM_SEASON TOP_DIR [--screenshot PNG]
"""
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

try:
    from selenium import webdriver
    from selenium.common.exceptions import NoAlertPresentException
    from selenium.webdriver.common.by import By
except ImportError:
    print("skipped: python3-selenium is not installed")
    sys.exit(77)



def read(path):
    return Path(path).read_bytes()


def under(folder, *names):
    return [os.path.join(folder, name) for name in names]


REVIEW, SEASON, TOP = (os.path.abspath(a) for a in sys.argv[1:4])
GOLDEN = os.path.join(TOP, "tests/review/golden")
GOLDEN_RUN = under(GOLDEN, "before.srt", "after.srt", "log.txt")
UNDONE = read(os.path.join(GOLDEN, "undo-7-3-and-12-2.srt"))
SCRATCH = tempfile.mkdtemp(prefix="unjam-review-")
DOWNLOADS = os.path.join(SCRATCH, "downloads")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("---", what)


def write(name, data):
    Path(SCRATCH, name).write_bytes(data)
    return os.path.join(SCRATCH, name)


def make_page(name, command):
    return write(name, subprocess.run(command, stdout=subprocess.PIPE, check=True).stdout)


def start_browser():
    options = webdriver.ChromeOptions()
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run",
                "--window-size=1200,900", "--user-data-dir=" + os.path.join(SCRATCH, "profile")):
        options.add_argument(arg)
    if not shutil.which("chromedriver"):
        print("skipped: chromedriver (Debian's chromium-driver) is not installed")
        sys.exit(77)
    driver = webdriver.Chrome(options=options)  # any other failure to start fails
    os.makedirs(DOWNLOADS)
    driver.execute_cdp_cmd("Page.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": DOWNLOADS})
    return driver


def open_page(driver, path):
    driver.get("file://" + path)
    console = driver.get_log("browser")
    check(console == [], f"{path}: console: {console}")


def change(driver, line, number, file=None):
    within = f'[data-file="{file}"] ' if file else ""
    return driver.find_element(
        By.CSS_SELECTOR, f'{within}[data-line="{line}"] [data-change="{number}"]')


def download(driver, button_text, name):
    """Clicks the button and returns the bytes of the file it saved."""
    button = driver.find_element(By.XPATH, f'//button[text()="{button_text}"]')
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", button)
    button.click()
    path = os.path.join(DOWNLOADS, name)
    for _ in range(200):
        if os.path.exists(path) and not os.path.exists(path + ".crdownload"):
            data, _ = read(path), os.remove(path)
            return data
        time.sleep(0.05)
    check(False, f"no download of {name}")
    return b""


def golden_page(driver):
    page = make_page("golden.html", [REVIEW] + GOLDEN_RUN)
    open_page(driver, page)
    after = read(os.path.join(GOLDEN, "after.srt"))
    check(download(driver, "Download after.srt", "after.srt") == after, "download differs")
    lines = driver.find_elements(By.CSS_SELECTOR, "[data-line]")
    check([e.get_attribute("data-line") for e in lines] == ["3", "7", "11", "12", "16"] and
          all(e.tag_name == "article" for e in lines), "the changed lines")
    check(len(driver.find_elements(By.CSS_SELECTOR, "[data-line] [data-change]")) == 9,
          "the changes")
    check([b.text for b in driver.find_elements(By.CSS_SELECTOR, "#filters button")] == [
        "All", "Silent 3", "Ambiguous 1", "Doubled i 2", "Not found 3"], "the filters' counts")
    check(read(page).endswith(b"</html>\n"), "the page's end")
    # The page runs (no console error), by its script's hash alone.
    check(re.search(rb"script-src 'sha256-[A-Za-z0-9+/]{43}='\">", read(page)), "the policy")
    check("Caf\u00e9 is" in lines[3].text, "Windows-1252 text: " + lines[3].text)
    check(len(lines[2].find_elements(By.CSS_SELECTOR, ".log li")) == 2, "line 11's messages")
    change(driver, 12, 2).click()
    change(driver, 7, 3).click()
    body = driver.find_element(By.TAG_NAME, "body")
    body.send_keys("u")  # redo 7/3, the current change
    check("undone" not in change(driver, 7, 3).get_attribute("class"), "u redoes")
    body.send_keys("k", "j", " ")  # to 7/2 and back, undo
    check("undone" in change(driver, 7, 3).get_attribute("class"), "k, j, space")
    check(download(driver, "Download after.srt", "after.srt") == UNDONE, "download after undoing")
    driver.find_element(By.XPATH, '//button[starts-with(text(), "Not found")]').click()
    shown = [e for e in driver.find_elements(By.CSS_SELECTOR, "article") if e.is_displayed()]
    check([e.text.split()[1] for e in shown] == ["11", "12", "20"], "the not-found filter")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                           {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    check(driver.execute_script("return getComputedStyle(document.body).backgroundColor") ==
          "rgb(21, 22, 26)", "the dark theme")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})


MARKUP = b"<i>areyou</i> &amp; <script>alert(1)</script>whatyou"


def markup_files():
    before = write("markup.srt", b"1\n00:00\n" + MARKUP + b"\n")
    repaired = MARKUP.replace(b"areyou", b"are you").replace(b"whatyou", b"what you")
    after = write("markup-fixed.srt", b"1\r\n00:00\r\n" + repaired + b"\r\n")
    return before, after


def markup_page(driver):
    before, after = markup_files()
    open_page(driver, make_page("markup.html", [REVIEW, before, after]))
    try:
        check(driver.switch_to.alert.dismiss() and False, "subtitle text ran a script")
    except NoAlertPresentException:
        pass
    check(driver.find_elements(By.CSS_SELECTOR, "main script, main i") == [],
          "subtitle markup became elements")
    text = driver.find_element(By.CSS_SELECTOR, '[data-line="3"]').text
    marked = MARKUP.replace(b"areyou", b"are you").replace(b"whatyou", b"what you")
    check(MARKUP.decode() in text and marked.decode() in text,
          "markup not shown as text: " + text)


def js(driver, script, *args):
    return driver.execute_script(script, *args)


def faults_page(driver):
    """What a demanding user met: filters and keys acting on hidden changes,
    a click that scrolls its change away, choices lost without a word."""
    open_page(driver, os.path.join(SCRATCH, "golden.html"))
    body = driver.find_element(By.TAG_NAME, "body")
    driver.find_element(By.XPATH, '//button[starts-with(text(), "Ambiguous")]').click()
    driver.find_element(By.ID, "undo-shown").click()
    undone = driver.find_elements(By.CSS_SELECTOR, ".change.undone")
    check([e.text for e in undone] == ["isbetween"], "undo all shown, ambiguous only")
    js(driver, "arguments[0].focus()", change(driver, 12, 1))
    body.send_keys("u")  # 12/1 is a silent quote pair the filter hides
    check(len(driver.find_elements(By.CSS_SELECTOR, ".undone")) == 1, "u under a filter")
    driver.find_element(By.XPATH, '//button[text()="All"]').click()
    driver.find_element(By.ID, "redo-shown").click()
    check(not js(driver, """const e = new Event('beforeunload', {cancelable: true});
        dispatchEvent(e); return e.defaultPrevented"""), "a warning with nothing to lose")
    js(driver, "window.scrollTo(0, 0)")
    target = change(driver, 16, 1)
    top = target.rect["y"]
    target.click()
    check(target.rect["y"] == top, "the click scrolled its change away")
    target.click()
    check("undone" not in target.get_attribute("class"), "click again redoes")
    target.click()
    check(js(driver, """const e = new Event('beforeunload', {cancelable: true});
        dispatchEvent(e); return e.defaultPrevented"""), "no warning before leaving")
    after = driver.find_element(By.CSS_SELECTOR, '[data-line="3"] .text:nth-child(3) .body')
    check(js(driver, """const r = document.createRange(); r.selectNodeContents(arguments[0]);
        return r.toString()""", after) == "What are you doing tonight?", "copied blanks")
    driver.find_element(By.ID, "undo-shown").click()
    driver.find_element(By.ID, "take-back").click()
    check(len(driver.find_elements(By.CSS_SELECTOR, ".undone")) == 1, "take back")


def header_room(driver):
    """At 200 % zoom and on a phone the sticky bar leaves the window to the
    changes, and Shift+Tab never puts the focus behind it; every change is
    in the accessibility tree, and the file's name stays on screen."""
    _, page = cue_pages(300)
    open_page(driver, page)
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    named = sum(1 for n in tree if n.get("role", {}).get("value") == "button" and
                n.get("name", {}).get("value", "").startswith("are"))
    check(named == 90, f"{named} of 90 changes in the accessibility tree")
    js(driver, "window.scrollTo(0, document.body.scrollHeight / 2)")
    check(0 <= driver.find_element(By.TAG_NAME, "h2").rect["y"] - js(
        driver, "return scrollY") < 150, "the file's name scrolled away")
    for width, height, mobile in ((600, 450, False), (390, 844, True)):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 2, "mobile": mobile})
        open_page(driver, page)
        bar = js(driver, """const bar = document.getElementById('bar');
            return (getComputedStyle(bar).position === 'sticky' ? bar.offsetHeight : 0) +
                document.querySelector('.file-head').offsetHeight""")
        check(bar < height / 4, f"the bar and file name take {bar} of {height} px")
        js(driver, "document.querySelector('[data-line=\"603\"] [data-change=\"1\"]').focus()")
        for _ in range(6):
            webdriver.ActionChains(driver).key_down("\ue008").send_keys("\ue004") \
                .key_up("\ue008").perform()
            top = js(driver, "return document.activeElement.getBoundingClientRect().top")
            check(bar <= top < height, f"focus at {top} px, under the bar or off screen")
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def odd_text_page(driver):
    """Control and direction characters shown by name, a file name among
    them; a line a NUL cut shown whole, and whole again once undone; a file
    a 0x1A ended early whole again once that is undone."""
    name = "ep01\u202egpj.srt"
    before = write("odd.srt", b"1\n00:00\nWhat areyou\x00 doing\x01\n")
    after = write(name, b"1\r\n00:00\r\nWhat are you\r\n")
    open_page(driver, make_page("odd.html", [REVIEW, before, after]))
    check(driver.find_element(By.TAG_NAME, "h2").text == "ep01[RLO]gpj.srt", "the RLO name")
    text = driver.find_element(By.CSS_SELECTOR, '[data-line="3"]').text
    check("\u2400 doing\u2401" in text, "the cut text not shown whole: " + text)
    change(driver, 3, 2).click()
    # Chromium saves it as ep01_gpj.srt.
    check(download(driver, "Download ep01[RLO]gpj.srt", "ep01_gpj.srt") ==
          b"1\r\n00:00\r\nWhat are you\x00 doing\x01\r\n", "the cut text not put back")
    # What a 0x1A left unread is a change too, which an undo puts back byte for byte.
    before = write("ended.srt", b"1\n00:00\nWhat areyou\x1a\n\n2\n00:01\nhi\n")
    after = write("ended-fixed.srt", b"1\r\n00:00\r\nWhat are you\r\n")
    open_page(driver, make_page("ended.html", [REVIEW, before, after]))
    change(driver, 3, 2).click()
    check(download(driver, "Download ended-fixed.srt", "ended-fixed.srt") ==
          b"1\r\n00:00\r\nWhat are you\x1a\n\n2\n00:01\nhi\n", "the unread text not put back")


EPISODES = under(os.path.join(TOP, "tests/season/episodes"), "ep01.srt", "ep02.srt", "Ep 03.SRT")


def season_run(folder, *options):
    """Runs unjam-season on the test episodes into folder/out, returns out."""
    os.makedirs(folder, exist_ok=True)
    if not os.path.exists(os.path.join(folder, "words")):
        os.symlink(os.path.join(TOP, "dict/words"), os.path.join(folder, "words"))
    subprocess.run([SEASON, "-o", "out", *options, *EPISODES], cwd=folder,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return os.path.join(folder, "out")


TYPESET = ("\u266a Zo\u00eb, don\u2019tknow whatyou\u2019re\u2026 \u266a",
           "[DOORSLAMS] \u201c\u00c9lo\u00efseis here.\u201d")
TYPESET_FIXED = ("\u266a Zo\u00eb, don\u2019t know what you\u2019re\u2026 \u266a",
                 "[DOOR SLAMS] \u201c\u00c9lo\u00efse is here.\u201d")


def typeset_page(driver):
    """A typographic file in UTF-8 and in Windows-1252 (with unjam's messages
    in UTF-8): shown as written, changes marked between characters, and the
    download in the file's own bytes."""
    for encoding, note in (("utf-8", "\u266a"), ("cp1252", "\u00b6")):
        lines = [line.replace("\u266a", note) for line in TYPESET]
        fixed = [line.replace("\u266a", note) for line in TYPESET_FIXED]
        before = write(encoding + ".srt", ("1\n00:00\n%s\n%s\n" % tuple(lines)).encode(encoding))
        after = write(encoding + "-fixed.srt",
                      ("1\r\n00:00\r\n%s\r\n%s\r\n" % tuple(fixed)).encode(encoding))
        log = write(encoding + ".log", "Reading in dictionary...done.\nProcessing output...\n"
                    "3: Couldn't find 'Zo\u00eb' in the dictionary.\nRead 4 lines.\n"
                    "Fixed 4 instances.\nExiting and freeing mem...done.\n".encode())
        open_page(driver, make_page(encoding + ".html", [REVIEW, before, after, log]))
        shown = [driver.find_element(By.CSS_SELECTOR, f'[data-line="{n}"] .text:nth-child(3) .body')
                 .text for n in (3, 4)]
        check(shown == fixed, f"{encoding}: shown as {shown}")
        message = driver.find_element(By.CSS_SELECTOR, '[data-line="3"] .log li').text
        check("'Zo\u00eb'" in message, f"{encoding}: the message {message}")
        check([e.text.replace("\u00b7", " ") for e in driver.find_elements(
            By.CSS_SELECTOR, '[data-line="3"] [data-change]')] == ["t know", "what you"],
            f"{encoding}: the changes of line 3")
        change(driver, 4, 1).click()  # [DOORSLAMS] as it was
        check(download(driver, f"Download {encoding}-fixed.srt", f"{encoding}-fixed.srt") ==
              read(after).replace("[DOOR SLAMS]".encode(), b"[DOORSLAMS]"),
              f"{encoding}: the download")


def season_page(driver):
    """The page unjam-season writes for three episodes, with the names it
    proposed: a change undone, another reading chosen, a name unticked and
    rejected, which the next run does not propose."""
    os.makedirs(os.path.join(SCRATCH, "season", "ep04.srt"))  # a folder: not repaired
    out = season_run(os.path.join(SCRATCH, "season"), "--", "ep04.srt")
    open_page(driver, os.path.join(out, "review.html"))
    check([e.get_attribute("data-file") for e in driver.find_elements(
        By.CSS_SELECTOR, "section[data-file]")] == ["ep01.srt", "ep02.srt", "Ep 03.SRT", "ep04.srt"],
        "the files' sections")
    toc = [e.text for e in driver.find_elements(By.CSS_SELECTOR, "#toc li")]
    fixed = re.search(rb"Fixed (\d+) instances", read(os.path.join(out, "ep01.log")))[1].decode()
    check(toc[0] == f"ep01.srt \u2014 4 changes (unjam counted {fixed} repairs), 0 ambiguous, 0 lines with words not found, 0 undone"
          and toc[3:] == ["ep04.srt: not repaired: it could not be read", "Proposed names (4)"],
          f"the table of contents: {toc}")
    body = driver.find_element(By.TAG_NAME, "body")
    for key, focused in (("f", "Download ep01.srt"), ("f", "Download ep02.srt"),
                         ("F", "Download ep01.srt"), ("a", "Download all"), ("n", "")):
        body.send_keys(key)
        check(driver.switch_to.active_element.text == focused, f"key {key}")
    js(driver, "window.scrollTo(0, 0)")
    change(driver, 3, 1, file="ep01.srt").click()  # "Whatareyou" split
    driver.find_element(By.CSS_SELECTOR, '[data-reading="to get her now"]').click()
    driver.find_element(By.CSS_SELECTOR, 'input[data-name="Thornwick"]').click()
    check(download(driver, "Download ep01.srt", "ep01.srt") == read(os.path.join(
        out, "ep01.srt")).replace(b"What are you", b"Whatareyou").replace(
        b"Thornwick", b"Thorn wick"), "first file: one undone, a name unticked")
    check(download(driver, "Download ep02.srt", "ep02.srt") == read(os.path.join(
        out, "ep02.srt")).replace(b"together now", b"to get her now").replace(
        b"Thornwick", b"Thorn wick"), "second file: another reading")
    names = read(os.path.join(out, "names.txt")).split()  # Thornwick among them
    check(download(driver, "Download words2", "words2") ==
          b"".join(name + b"\n" for name in names if name != b"Thornwick"), "the names' download")
    rejected = download(driver, "Download rejected-names.txt", "rejected-names.txt")
    check(rejected == b"Thornwick\n", "the rejected names' download")
    files = {name: download(driver, "Download " + name, name) for name in (
        "ep01.srt", "ep02.srt", "Ep 03.SRT", "words2", "rejected-names.txt")}
    with zipfile.ZipFile(io.BytesIO(download(driver, "Download all", "reviewed.zip"))) as zipped:
        check({name: zipped.read(name) for name in zipped.namelist()} == files, "the zip")
    Path(out, "rejected-names.txt").write_bytes(rejected)
    driver.get("about:blank")
    out = season_run(os.path.join(SCRATCH, "season"))
    check(b"Thornwick" not in read(os.path.join(out, "names.txt")), "a rejected name proposed")
    open_page(driver, os.path.join(out, "review.html"))
    check(driver.find_elements(By.CSS_SELECTOR, 'input[data-name="Thornwick"]') == [] and
          "earlier run" in driver.find_element(By.ID, "names").text, "the rejected names shown")


def season_job(driver):
    """Names cut in every file (-n): one decision per name restores them all."""
    out = season_run(os.path.join(SCRATCH, "season-n"), "-n")
    open_page(driver, os.path.join(out, "review.html"))
    places = 'button[data-word="Bramblebum"]'
    everywhere = driver.find_element(By.CSS_SELECTOR, '[data-everywhere="season"]')
    check(everywhere.text == "Undo all 3 in the season", "the count: " + everywhere.text)
    everywhere.click()
    check(len(driver.find_elements(By.CSS_SELECTOR, places + ".undone")) == 3, "everywhere")
    driver.find_element(By.ID, "search").send_keys("thorn")
    check([e.get_attribute("data-word") for e in driver.find_elements(
        By.CSS_SELECTOR, "button.change:enabled") if e.is_displayed()] == ["Thornwick"] * 3,
        "the search box")


def cue_pages(cues):
    """A page of `cues` cues, 3 in 10 with a change; its input and page."""
    text = b"".join(b"%d\n00:%02d:%02d,000 --> 00:%02d:%02d,500\n%s\n\n" % (
        k, k // 60 % 60, k % 60, k // 60 % 60, k % 60,
        b"What areyou doing, %d?" % k if k % 10 < 3 else b"Nothing to see, %d." % k)
        for k in range(1, cues + 1))
    before = write(f"cues{cues}.srt", text)
    after = write(f"cues{cues}-fixed.srt", text.replace(b"areyou", b"are you")
                  .replace(b"\n", b"\r\n"))
    return before, make_page(f"cues{cues}.html", [REVIEW, before, after])


def large_page(driver):
    """5,000 cues, 1,500 of them with a change, shown 1,000 lines a part:
    opened, one change undone, then all shown in each part; undoing all
    gives back the input's text."""
    before, page = cue_pages(5000)
    started = time.monotonic()
    open_page(driver, page)
    opened = time.monotonic() - started
    loaded = driver.execute_script(
        "return performance.getEntriesByType('navigation')[0].loadEventEnd")
    undo_one = driver.execute_script("""const t = performance.now();
        document.querySelector('[data-line="3"] [data-change="1"]').click();
        document.body.offsetHeight; return performance.now() - t;""")
    undo_all = driver.execute_script("""const t = performance.now();
        document.getElementById('undo-shown').click();
        document.body.offsetHeight; return performance.now() - t;""")
    count = "return document.querySelectorAll('[data-change]').length"
    parts = [js(driver, count)]
    where = driver.find_element(By.CSS_SELECTOR, ".pager .where").text
    driver.find_element(By.XPATH, "//button[text()='Next part']").click()
    parts.append(js(driver, count))
    driver.find_element(By.ID, "undo-shown").click()
    check(parts == [1000, 500] and where == "Lines 1\u20131000 of 1500 shown (part 1 of 2)" and
          loaded < 10000 and undo_one < 1000, f"not 1,500 changes in two parts, or far too slow: "
          f"{parts}, {where}")
    check(download(driver, "Download cues5000-fixed.srt", "cues5000-fixed.srt") ==
          read(before).replace(b"\n", b"\r\n"), "undoing all gives back the input")
    everywhere = driver.execute_script("""const t = performance.now();
        document.querySelector('[data-everywhere]').click();
        document.body.offsetHeight; return performance.now() - t;""")
    print(f"5,000 cues, {sum(parts)} changes, {os.path.getsize(page) >> 10} KiB page: load event "
          f"{loaded:.0f} ms ({opened:.2f} s with the driver), render "
          f"{driver.find_element(By.TAG_NAME, 'body').get_attribute('data-render-ms')} ms, "
          f"undo one {undo_one:.1f} ms, undo all shown {undo_all:.0f} ms, "
          f"redo all 1,500 of a word {everywhere:.0f} ms")


def screenshot(driver, png):
    open_page(driver, make_page("sample.html", [REVIEW] + under(
        os.path.join(TOP, "examples"), "sample.srt", "sample-repaired.srt", "sample-messages.txt")))
    driver.set_window_size(1100, 820)
    change(driver, 7, 3).click()
    driver.execute_script("window.scrollTo(0, 0)")
    driver.save_screenshot(png)


def main():
    png = sys.argv[5] if sys.argv[4:5] == ["--screenshot"] else os.path.join(SCRATCH, "shot.png")
    driver = start_browser()
    try:
        for part in (golden_page, faults_page, markup_page, odd_text_page, typeset_page,
                     season_page, season_job, large_page, header_room):
            driver.get("about:blank")
            try:
                began = time.monotonic()
                part(driver)
                print(part.__name__, round(time.monotonic() - began, 1))
            except Exception as error:  # the other parts still run
                check(False, f"{part.__name__}: {type(error).__name__}: {str(error)[:300]}")
        screenshot(driver, png)
    finally:
        driver.quit()
    if not failures:
        shutil.rmtree(SCRATCH)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
