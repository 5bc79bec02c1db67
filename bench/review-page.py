#!/usr/bin/python3
"""The review page at work, in headless Chromium (Debian's chromium-driver
and python3-selenium): the clicks that reviewing a held-out season of the
quality benchmark takes, on the page before blanks could be set by hand and
places of a name decided one by one, and now; and the page's scale: a
20-episode season's page with one decision for every place of a word, a
300-episode season's page opened and acted on, and a 20 MB file's page.
    bench/review-page.py [BUILD_DIR]     (default build/release)
Nothing here fails: it prints what it measured. Measure on an idle machine.
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


def blanks_for(clean, text):
    """The text that the clean line holds in place of `text`: its letters
    with a blank or none between two of them, as blanks set by hand give."""
    letters = text.replace(" ", "")
    found = re.search(r"(?<![A-Za-z])" + " ?".join(map(re.escape, letters)) + r"(?![A-Za-z])",
                      clean)
    return found[0] if found else None


def blank_places(text):
    places, k = set(), 0
    for c in text:
        if c == " ":
            places.add(k)
        else:
            k += 1
    return places


def want_of(seg, clean):
    """What a change or a name's place needs: nothing, an undo, another
    reading, the lists' repair, blanks set by hand (with the number of
    blanks to set or take away), or nothing the page can give."""
    before, after, kind, readings, alone = seg[0], seg[1], seg[3], seg[4], seg[5]
    if holds(clean, after):
        return ("keep",)
    read = [r for r in readings if holds(clean, r)]
    if read:
        return ("read", read[0])
    if kind != "m" and holds(clean, before):
        return ("undo",)
    if alone and holds(clean, alone):
        return ("alone",)
    for text in (after, before):
        mended = blanks_for(clean, text)
        if mended:
            return ("blanks", mended, len(blank_places(after) ^ blank_places(mended)))
    return ("lost",)


def review_clicks(page, truth):
    """Each change and each place of a name judged against the clean text,
    and the clicks that mend them. Both pages decide once for a word whose
    changes all want the same undo or reading (the reading at one place, then
    all), and download all at once. Before: a name is unticked only when every
    place of it wants the lists' repair, blanks cannot be set and a name kept
    whole is no place. Now: a place of a name is decided on its own (its list
    opened once), and blanks take the button, a click a blank and, for a word
    whose every place wants the same, one click more for all."""
    data = page_data(page)
    groups, words, names = {}, {}, {}
    for file in data["files"]:
        for line in file["lines"]:
            clean = truth[(file["name"], line["n"])]
            for seg in line["segs"]:
                if isinstance(seg, int) or seg[3] == "z":
                    continue
                want = want_of(seg, clean)
                groups.setdefault((seg[0], seg[1]), []).append(want)
                words.setdefault(seg[0], []).append(want)
                for k in seg[6]:
                    names.setdefault(k, []).append(want)
    wants = [w for places in groups.values() for w in places]
    count = {kind: sum(1 for w in wants if w[0] == kind) for kind in
             ("keep", "undo", "read", "alone", "blanks", "lost")}
    clicks = {"before": 1, "now": 1}  # Download all
    for places in groups.values():
        for want in set(places) - {("keep",), ("lost",), ("alone",)}:
            if want[0] == "blanks":
                continue
            alike = places.count(want)
            each = 1 if want[0] == "undo" else 2
            step = each if alike == len(places) and alike > 1 else alike
            clicks["before"] += step
            clicks["now"] += step
    lost_before = count["lost"] + count["blanks"]
    for places in names.values():
        alone = places.count(("alone",))
        if alone and alone == len(places):
            clicks["before"] += 1
            clicks["now"] += 1
        elif alone:
            lost_before += alone
            clicks["now"] += 1 + alone
    for places in words.values():
        mends = [w for w in places if w[0] == "blanks"]
        if mends and len(set(mends)) == 1 and len(mends) == len(places) and len(places) > 1:
            clicks["now"] += 1 + mends[0][2] + 1
        else:
            clicks["now"] += sum(1 + w[2] for w in mends)
    return {"places": len(wants), "wrong": len(wants) - count["keep"], **count,
            "not mendable before": lost_before, "not mendable now": count["lost"],
            "clicks before": clicks["before"], "clicks now": clicks["now"]}


def many_episodes(folder, count):
    """`count` episodes: the seasons' episodes damaged with seed 1, then 2,
    and so on, each file under a name of its own."""
    clean = q.season_lines(q.SEASONS_TRAIN + q.SEASONS_TEST)
    os.makedirs(folder)
    paths, seed = [], 0
    while len(paths) < count:
        seed += 1
        cues = q.damage(clean, seed)
        for name in list(dict.fromkeys(n for n, _ in cues))[:count - len(paths)]:
            paths.append(os.path.join(folder, f"s{seed}-{name.replace('/', '-')}.srt"))
            q.write_srt([c for c in cues if c[0] == name], paths[-1])
    return paths


def big_page(folder, megabytes):
    """The page of one file of `megabytes` MB: the seasons damaged again and
    again, repaired by unjam and shown by unjam-review."""
    clean = q.season_lines(q.SEASONS_TRAIN + q.SEASONS_TEST)
    os.makedirs(folder)
    os.symlink(os.path.join(TOP, "dict/words"), os.path.join(folder, "words"))
    cues, seed, path = [], 0, os.path.join(folder, "big.srt")
    while sum(len(line) + 1 for _, cue in cues for line in cue) + 40 * len(cues) < megabytes << 20:
        seed += 1
        cues += q.damage(clean, seed)
    q.write_srt(cues, path)
    with open(os.path.join(folder, "big.log"), "wb") as log:
        subprocess.run([os.path.join(BUILD, "unjam"), "big.srt", "big-fixed.srt"], cwd=folder,
                       stdout=log, stderr=subprocess.DEVNULL)
    page = os.path.join(folder, "big.html")
    with open(page, "wb") as html:
        subprocess.run([os.path.join(BUILD, "unjam-review"), "big.srt", "big-fixed.srt", "big.log"],
                       cwd=folder, stdout=html)
    return page, os.path.getsize(path)


def browser():
    options = webdriver.ChromeOptions()
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--window-size=1200,900",
                "--user-data-dir=" + os.path.join(SCRATCH, "profile")):
        options.add_argument(arg)
    driver = webdriver.Chrome(options=options)
    driver.set_page_load_timeout(600)
    return driver


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


# One act of each kind, each timed to the end of the layout it causes.
ACTIONS = """
const timed = (act) => { const t = performance.now(); act(); document.body.offsetHeight;
    return Math.round((performance.now() - t) * 10) / 10; };
const named = (text) => [...document.querySelectorAll('button')]
    .find((b) => b.textContent === text && !b.disabled);
const every = document.querySelector('[data-everywhere]');
const label = every ? every.textContent : '';
return {'undo line': timed(() => named('Undo line').click()),
    'take back': timed(() => document.getElementById('take-back').click()),
    [label || 'everywhere']: every ? timed(() => every.click()) : null,
    'next part': named('Next part') ? timed(() => named('Next part').click()) : null};
"""


def at_scale(driver, what, page, runs):
    ms = load_ms(driver, page, runs)
    print(f"{what}: {os.path.getsize(page) / (1 << 20):.1f} MB page, load event {ms:.0f} ms "
          f"(median of {runs}); {driver.execute_script(ACTIONS)} ms")


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
        paths = many_episodes(os.path.join(SCRATCH, "many"), 300)
        for options in ((), ("-n",)):
            page = run_season(paths, os.path.join(SCRATCH, "many-run" + "".join(options)), *options)
            at_scale(driver, f"300 episodes {' '.join(options) or '(names proposed)'}", page, 3)
        page, size = big_page(os.path.join(SCRATCH, "big"), 20)
        at_scale(driver, f"one file of {size / (1 << 20):.1f} MB", page, 1)
    finally:
        driver.quit()
    with open("/proc/loadavg") as f:
        print("load average at end:", f.read().split()[0])


if __name__ == "__main__":
    main()
