"""The README stays true and short: every link leads somewhere, every command
works, and it is read through in a few minutes.

  readme-test.py BUILD_DIR SOURCE_DIR

- Length: at most MAX_LINES lines.
- The before/after table: each row is a text line of examples/sample.srt and
  the same line of examples/sample-repaired.srt.
- The packages it names are of this version.
- Links and images: a relative target is a file or folder of the tree; a
  `#part` is a heading of the README (or of the Markdown file it names).
  The README links to nothing outside the tree.
- Command blocks, run with the built programs installed as a user has them:
  copies in PREFIX/bin, the word lists under PREFIX/share/unjam, on PATH
  with a stand-in xdg-open; `/usr/local` in a command is PREFIX. Each block
  runs in a new folder that holds `season1/` (tests/season/episodes),
  `sample.srt` and a copy of `examples/`.
  - ```console: each `$ ` line is run by bash, and what it prints (standard
    output and error) must be the lines below it, PREFIX shown as
    /usr/local.
  - ```sh: run by bash -e; it must succeed.
  - A block after `<!-- not run: REASON -->` (installs, builds the tree
    itself, runs for minutes) is checked piece by piece instead: each
    command between `&&` and on each line is a script of the tree, a CMake
    preset that exists, the package of this version, or a `(cd examples &&
    ../build/release/unjam ...)` run, which is run on a copy with this
    build's unjam.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

MAX_LINES = 300
PROGRAMS = ("unjam", "unjam-season", "unjam-names", "unjam-review")
OPENER = '#!/bin/sh\necho "$1" >>"$HOME/opened"\n'


def slug(heading):
    """The anchor a heading gets: lower case, no punctuation, blanks as dashes."""
    text = re.sub(r"[^\w\- ]", "", heading.strip().lower().replace("`", ""))
    return text.replace(" ", "-")


def anchors(path):
    with open(path, encoding="utf-8") as f:
        return {slug(line.lstrip("#")) for line in f if re.match(r"#{1,6} ", line)}


def check_links(text, top, failures):
    for target in re.findall(r"\]\(([^)\s]+)\)", text):
        path, _, part = target.partition("#")
        if re.match(r"[a-z]+:", path):
            failures.append(f"link out of the tree: {target}")
            continue
        file = os.path.join(top, path) if path else os.path.join(top, "README.md")
        if not os.path.exists(file):
            failures.append(f"link to a missing file: {target}")
        elif part and (not file.endswith(".md") or part not in anchors(file)):
            failures.append(f"link to a missing heading: {target}")


def check_table(text, top, failures):
    def lines_of(name):
        with open(os.path.join(top, "examples", name), encoding="utf-8") as f:
            return f.read().replace("\r\n", "\n").split("\n")
    before, after = lines_of("sample.srt"), lines_of("sample-repaired.srt")
    rows = re.findall(r"^\| `([^`]*)` \| `([^`]*)` \|$", text, re.M)
    if not rows:
        failures.append("no before/after table")
    for old, new in rows:
        if old not in before or before.index(old) != (after.index(new) if new in after else -1):
            failures.append(f"the table's row '{old}' -> '{new}' is not the example's")


def blocks(text):
    """Each fenced block: its kind, its lines, and the reason it is not run (or None)."""
    found = []
    pattern = re.compile(r"(?:<!-- not run: ([^>]*) -->\n)?```(\w*)\n(.*?)```\n", re.S)
    for match in pattern.finditer(text):
        found.append((match[2], match[3].splitlines(), match[1]))
    return found


def install(build, top, home):
    prefix = os.path.join(home, "prefix")
    os.makedirs(os.path.join(prefix, "bin"))
    for program in PROGRAMS:
        shutil.copy(os.path.join(build, program), os.path.join(prefix, "bin"))
    with open(os.path.join(prefix, "bin", "xdg-open"), "w") as f:
        f.write(OPENER)
    os.chmod(os.path.join(prefix, "bin", "xdg-open"), 0o755)
    lists = os.path.join(prefix, "share", "unjam")
    os.makedirs(lists)
    shutil.copy(os.path.join(top, "dict", "words"), lists)
    for language in ("de", "es", "fr", "it", "pt"):
        shutil.copytree(os.path.join(top, "dict", language), os.path.join(lists, language))
    return prefix


def new_folder(top, home, count):
    work = os.path.join(home, f"block{count}")
    shutil.copytree(os.path.join(top, "tests", "season", "episodes"), os.path.join(work, "season1"))
    shutil.copytree(os.path.join(top, "examples"), os.path.join(work, "examples"), symlinks=False)
    shutil.copy(os.path.join(top, "examples", "sample.srt"), work)
    return work


def run(command, work, env):
    return subprocess.run(["bash", "-c", command], cwd=work, env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)


def check_console(lines, work, env, prefix, failures):
    at = 0
    while at < len(lines):
        if not lines[at].startswith("$ "):
            failures.append(f"console block: output without a command: {lines[at]}")
            return
        command = lines[at][2:]
        at += 1
        want = []
        while at < len(lines) and not lines[at].startswith("$ "):
            want.append(lines[at])
            at += 1
        done = run(command.replace("/usr/local", prefix), work, env)
        got = done.stdout.decode().replace(prefix, "/usr/local").splitlines()
        if got != want:
            failures.append(f"`{command}` prints:\n" + "\n".join(got))


def presets(top):
    with open(os.path.join(top, "CMakePresets.json")) as f:
        data = json.load(f)
    return {kind: {p["name"] for p in data.get(kind, [])}
            for kind in ("configurePresets", "buildPresets", "testPresets")}


def version(top):
    with open(os.path.join(top, "CMakeLists.txt")) as f:
        return re.search(r"project\(unjam VERSION (\S+)", f.read())[1]


def check_unrun(command, top, build, home, failures):
    """A command the test does not run as it stands: what it names exists."""
    known = presets(top)
    script = re.fullmatch(r"(tools/[\w.-]+)", command)
    configure = re.fullmatch(r"cmake --preset (\w+)", command)
    built = re.fullmatch(r"cmake --build --preset (\w+)", command)
    tested = re.fullmatch(r"ctest --preset (\w+)", command)
    installed = re.fullmatch(r"cmake --install build/(\w+)", command)
    packed = re.fullmatch(r"\(cd build/(\w+) && cpack -G (DEB|ZIP)\)", command)
    package = re.fullmatch(r"sudo apt install \./unjam_([\w.]+)_amd64\.deb", command)
    example = re.fullmatch(r"\(cd examples && \.\./build/release/unjam ([\w. -]+)\)", command)
    if script:
        if not os.access(os.path.join(top, script[1]), os.X_OK):
            failures.append(f"`{command}`: no such script")
    elif configure or installed or packed:
        name = (configure or installed or packed)[1]
        if name not in known["configurePresets"]:
            failures.append(f"`{command}`: no configure preset {name}")
    elif built and built[1] not in known["buildPresets"]:
        failures.append(f"`{command}`: no build preset {built[1]}")
    elif tested and tested[1] not in known["testPresets"]:
        failures.append(f"`{command}`: no test preset {tested[1]}")
    elif package:
        if package[1] != version(top):
            failures.append(f"`{command}`: the version is {version(top)}")
    elif example:
        work = os.path.join(home, "example")
        shutil.copytree(os.path.join(top, "examples"), work, symlinks=False)
        done = run(f"{os.path.join(build, 'unjam')} {example[1]}", work, os.environ)
        if done.returncode != 0:
            failures.append(f"`{command}` failed:\n{done.stdout.decode()}")
        shutil.rmtree(work)
    elif not (built or tested):
        failures.append(f"`{command}`: a command the test neither runs nor knows")


def main():
    build, top = map(os.path.abspath, sys.argv[1:3])
    with open(os.path.join(top, "README.md"), encoding="utf-8") as f:
        text = f.read()
    failures = []
    lines = text.count("\n")
    if lines > MAX_LINES:
        failures.append(f"the README has {lines} lines, more than {MAX_LINES}")
    check_links(text, top, failures)
    check_table(text, top, failures)
    for named in re.findall(r"unjam[-_](\d[\w.]*?)[-_](?:windows|amd64)", text):
        if named != version(top):
            failures.append(f"a package of version {named}; the version is {version(top)}")
    home = tempfile.mkdtemp(prefix="unjam-readme-")
    try:
        prefix = install(build, top, home)
        env = dict(os.environ, HOME=home, PATH=os.path.join(prefix, "bin") + ":/usr/bin:/bin")
        for count, (kind, block, reason) in enumerate(blocks(text)):
            if reason:
                for line in block:
                    for command in re.split(r" && (?![^(]*\))", line):
                        check_unrun(command, top, build, home, failures)
                continue
            work = new_folder(top, home, count)
            if kind == "console":
                check_console(block, work, env, prefix, failures)
            elif kind == "sh":
                done = run("set -e\n" + "\n".join(block).replace("/usr/local", prefix), work, env)
                if done.returncode != 0:
                    failures.append(f"block failed:\n" + "\n".join(block) + "\n" +
                                    done.stdout.decode())
            else:
                failures.append(f"a block of kind '{kind}' that the test neither runs nor checks")
    finally:
        shutil.rmtree(home)
    for failure in failures:
        print(f"--- {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
