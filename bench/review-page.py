#!/usr/bin/python3
"""The review page at work, in headless Chromium (Debian's chromium-driver
and python3-selenium): the clicks that reviewing a test season of the
quality benchmark takes, on the page as it was and as it is, and the page's
scale: a 20-episode season's page opened, and one decision for every place
of a word.
    bench/review-page.py [BUILD_DIR]     (default build/release)
Nothing here fails: it prints what it measured.
"""
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "bench/quality"))
import qualitylib as q  # noqa: E402
from selenium import webdriver  # noqa: E402

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(TOP, "build/release"))
SCRATCH = tempfile.mkdtemp(prefix="unjam-review-bench-")


def season_files(series, folder, episodes=None, name=None):
    """The damaged episodes of `series` (seed 1) as .srt files in `folder`,
    and the clean text of every line by (file name, line number); with
    `name`, two cues of each episode call a character by it."""
    clean = q.season_lines(series)
    if name:
        seen = {}
        for episode, cue in clean:
            seen[episode] = seen.get(episode, 0) + 1
            if seen[episode] in (10, 20):
                cue.append(f"{name}, over here.")
    cues = q.damage(clean, 1)
    os.makedirs(folder)
    truth, paths = {}, []
    names = list(dict.fromkeys(name for name, _ in cues))
    for name in names[:episodes]:
        path = os.path.join(folder, name.replace("/", "-") + ".srt")
        q.write_srt([c for c in cues if c[0] == name], path)
        q.write_srt([c for c in clean if c[0] == name], path + ".clean")
        for n, line in enumerate(open(path + ".clean", encoding="ascii").read().split("\n"), 1):
            truth[(os.path.basename(path), n)] = line
        paths.append(path)
    return paths, truth


def run_season(paths, folder, *options):
    os.makedirs(folder, exist_ok=True)
    words = os.path.join(folder, "words")
    if not os.path.exists(words):
        os.symlink(os.path.join(TOP, "dict/words"), words)
    subprocess.run([os.path.join(BUILD, "unjam-season"), "-o", "out", *options, *paths],
                   cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return os.path.join(folder, "out", "review.html")


def page_data(page):
    text = open(page, encoding="latin-1").read()
    return json.loads(re.search(r'id="review-data">(.*?)</script>', text, re.S)[1])


def holds(line, text):
    return re.search(r"(?<![A-Za-z])" + re.escape(text) + r"(?![A-Za-z])", line) is not None


def review_clicks(page, truth):
    """What each change needs, judged against the clean text: nothing, an
    undo, another reading (which only the new page offers), or nothing the
    page can give. Clicks: the old page undoes one place a click and
    downloads one file a click; the new one decides once for a word whose
    places all want the same, and downloads all at once."""
    data = page_data(page)
    wants, groups = [], {}
    for file in data["files"]:
        for line in file["lines"]:
            clean = truth[(file["name"], line["n"])]
            for seg in line["segs"]:
                if isinstance(seg, int) or seg[3] in "mz":
                    continue
                before, after, readings = seg[0], seg[1], seg[4]
                if holds(clean, after):
                    want = "keep"
                else:
                    read = [r for r in readings if holds(clean, r)]
                    want = ("read", read[0]) if read else "undo" if holds(clean, before) else "lost"
                wants.append(want)
                groups.setdefault((before, after), []).append(want)
    undo, read = wants.count("undo"), sum(1 for w in wants if isinstance(w, tuple))
    files = len(data["files"])
    after = 1  # Download all
    for places in groups.values():
        for want in set(map(str, places)) - {"keep", "lost"}:
            alike = sum(1 for w in places if str(w) == want)
            if alike == len(places) and alike > 1:
                after += 1 if want == "undo" else 2  # the reading at one place, then all
            else:
                after += alike
    return {"changes": len(wants), "wrong": len(wants) - wants.count("keep"), "undo": undo,
            "read": read, "lost": wants.count("lost"), "files": files,
            "clicks before": undo + files, "clicks after": after}


def browser():
    options = webdriver.ChromeOptions()
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--window-size=1200,900",
                "--user-data-dir=" + os.path.join(SCRATCH, "profile")):
        options.add_argument(arg)
    return webdriver.Chrome(options=options)


def load_ms(driver, page, runs=3):
    times = []
    for _ in range(runs):
        driver.get("about:blank")
        driver.get("file://" + page)
        times.append(driver.execute_script(
            "return performance.getEntriesByType('navigation')[0].loadEventEnd"))
    return statistics.median(times)


EVERYWHERE = """
const counted = [...document.querySelectorAll('[data-everywhere="season"]')]
    .map((b) => [b, +b.textContent.match(/\\d+/)[0]]);
const wide = counted.filter(([, n]) => n >= 40).sort((x, y) => x[1] - y[1]);
const [button, places] = wide.length ? wide[0] : counted.sort((x, y) => y[1] - x[1])[0];
const label = button.textContent, started = performance.now();
button.click();
document.body.offsetHeight;
return [performance.now() - started, places, label];
"""


def main():
    with open("/proc/loadavg") as f:
        print("load average at start:", f.read().split()[0])
    paths, truth = season_files(("castaway-cove",), os.path.join(SCRATCH, "cove"))
    for options in ((), ("-n",)):
        page = run_season(paths, os.path.join(SCRATCH, "cove-run" + "".join(options)), *options)
        print("castaway-cove", " ".join(options) or "(names proposed)", review_clicks(page, truth))
    all_series = q.SEASONS_TRAIN + q.SEASONS_TEST
    # No word of the seasons is cut in 40 places: a name is, Cragmoor.
    paths, _ = season_files(all_series, os.path.join(SCRATCH, "twenty"), episodes=20,
                            name="Cragmoor")
    driver = browser()
    try:
        for options in ((), ("-n",)):
            page = run_season(paths, os.path.join(SCRATCH, "twenty-run" + "".join(options)),
                              *options)
            ms = load_ms(driver, page)
            took, places, label = driver.execute_script(EVERYWHERE)
            print(f"20 episodes {' '.join(options) or '(names proposed)'}: "
                  f"{os.path.getsize(page) >> 10} KiB page, load event {ms:.0f} ms (median of 3); "
                  f"'{label}' ({places} places): {took:.1f} ms")
    finally:
        driver.quit()
    with open("/proc/loadavg") as f:
        print("load average at end:", f.read().split()[0])


if __name__ == "__main__":
    main()
