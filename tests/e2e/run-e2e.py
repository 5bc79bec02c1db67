#!/usr/bin/python3
"""Runs a program on one end-to-end case in a scratch folder and checks the
exit status, standard output and error, the output file, and that every
other file, the input above all, is untouched.

    run-e2e.py --list | PROGRAM ROW | PROGRAM FOLDER

ROW is a row of badinput/rows.py (--list names each with its program). FOLDER is a golden
case: its files, `cmd` (the arguments as a line of bash, default "input.srt
output.srt"), `setup` (bash run in the scratch folder first) and expected/
(stdout, stderr, status, output.srt, no-output when there must be none); with
UNJAM_BLESS=1 the run writes them. UNJAM_WRAP is put before the program
(valgrind, say). Rows whose file modes must hold run as nobody when this runs
as root, through setpriv; without it they are skipped (exit status 77).
unjam-season runs the unjam beside it, so wherever it is copied, its unjam
goes along.
A Windows program (.exe, run by UNJAM_WRAP=wine) skips the rows that
cannot hold on Windows, saying why.
"""
import glob
import os
import re
import resource
import shlex
import signal
import time
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "badinput"))
import rows  # noqa: E402

SKIPPED = 77
TIMEOUT = float(os.environ.get("UNJAM_ROW_TIMEOUT", "300"))
MODES = {"chmod000": 0o000, "chmod444": 0o444}
CLOSED = {"stdout": [1], "stderr": [2], "all": [0, 1, 2]}


def value(thing):
    return thing() if callable(thing) else thing


def read(path, default=None):
    if not os.path.isfile(path):
        return default
    with open(path, "rb") as f:
        return f.read()


def folder_row(folder):
    files = {name: read(os.path.join(folder, name)) for name in os.listdir(folder)
             if name not in ("cmd", "setup", "expected")}
    expected = os.path.join(folder, "expected")
    output = (rows.ABSENT if os.path.exists(os.path.join(expected, "no-output"))
              else read(os.path.join(expected, "output.srt")))
    row = rows.Row(os.path.basename(folder), int(read(os.path.join(expected, "status"), b"0")),
                   read(os.path.join(expected, "stderr")), read(os.path.join(expected, "stdout")),
                   output, files=files, args=[], output_path="output.srt",
                   setup=[("bash", read(os.path.join(folder, "setup"), b"").decode())])
    row.shell = read(os.path.join(folder, "cmd"), b"input.srt output.srt").decode()
    return row


def make_folder(row, work):
    for name, data in row.files.items():
        with open(os.path.join(work, name), "wb") as f:
            f.write(value(data))
        os.chmod(os.path.join(work, name), 0o644)  # readable by nobody too
    for action, path, *target in row.setup:
        if action == "mkdir":
            os.mkdir(os.path.join(work, path), 0o755)
        elif action == "symlink":
            os.symlink(target[0], os.path.join(work, path))
        elif action == "hardlink":
            os.link(os.path.join(work, target[0]), os.path.join(work, path))
        elif action == "bash":  # `path` is the script
            subprocess.run(["bash", "-c", path], cwd=work, check=True)


def set_modes(row, work, restore=False):
    """Set after the snapshot, put back before the comparison reads the files."""
    for action, path, *_ in row.setup:
        if action in MODES:
            os.chmod(os.path.join(work, path), 0o644 if restore else MODES[action])


def snapshot(work):
    """Every file in the folder (links followed) with its bytes."""
    return {os.path.relpath(os.path.join(folder, name), work): read(os.path.join(folder, name))
            for folder, _, names in os.walk(work) for name in names
            if os.path.isfile(os.path.join(folder, name))}


def place_programs(program, folder):
    """Copies the program, and the unjam that unjam-season runs, into `folder`."""
    os.makedirs(folder, exist_ok=True)
    name, exe = os.path.splitext(os.path.basename(program))
    if name == "unjam-season":
        shutil.copy(os.path.join(os.path.dirname(program), "unjam" + exe), folder)
    return shutil.copy(program, os.path.join(folder, os.path.basename(program)))


def install_tree(row, program, logs):
    """The program where an install puts it, beside its installed word list
    (on Windows, in the same folder); the list's path as the program shows it."""
    prefix = os.path.join(logs, "prefix")
    windows = program.endswith(".exe")
    lists = os.path.join(prefix, "bin" if windows else "share/unjam")
    os.makedirs(lists)
    with open(os.path.join(lists, "words"), "wb") as f:
        f.write(row.installed)
    shown = "Z:" + lists.replace("/", "\\") + "\\words" if windows else lists + "/words"
    return place_programs(program, os.path.join(prefix, "bin")), shown


def windows_skip(row):
    """Why the row cannot hold for a Windows program, or None."""
    if row.unprivileged:
        return "Windows has no permission bits for chmod to take away"
    if row.streams in CLOSED:
        return "Windows starts no program with a closed standard stream (under Wine it hangs)"
    if any(arg.startswith("/dev/") for arg in row.args):
        return "Windows has no /dev/full"
    if "PATH" in row.env:
        return "its stand-in xdg-open is a shell script; the drop test stands in for Windows' opener"
    if "TMPDIR" in row.env:
        return "Wine keeps its own files under TMPDIR; Windows programs take TEMP"
    if row.file_size_limit:
        return "the file-size limit is a POSIX one"
    if (row.interrupt, row.unjam_script) in (("SIGINT", rows.HUNG_UNJAM),
                                             ("SIGKILL", rows.KILLED_UNJAM)):
        return None  # a hanging unjam.exe is put in place; Wine makes SIGINT a Ctrl-C
    if row.interrupt or row.unjam_script:
        return "the unjam that the row runs is a shell script, and its signals are POSIX ones"
    if any("mkfifo" in step[1] for step in row.setup) or ">&-" in getattr(row, "shell", ""):
        return "Windows has no named pipes among files, and starts no program with a stream closed"
    made = set(row.files) | {step[1] for step in row.setup}
    if any(step[0] == "symlink" and step[2] not in made for step in row.setup):
        return "Wine shows a Unix link to a missing file as no file at all, not as a link"
    return None


def unprivileged_prefix(row):
    if not row.unprivileged or os.geteuid() != 0:
        return []
    if not shutil.which("setpriv"):
        print("skipped: running as root without setpriv (util-linux), file modes cannot hold")
        sys.exit(SKIPPED)
    return ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]


def replace_unjam(program, script):
    """The unjam beside the program replaced by a shell script; the real one
    stays beside it as unjam.real. On Windows, by the unjam.exe that hangs
    (unjam.real.exe beside it)."""
    if program.endswith(".exe"):
        unjam = os.path.join(os.path.dirname(program), "unjam.exe")
        os.rename(unjam, os.path.join(os.path.dirname(program), "unjam.real.exe"))
        return shutil.copy(os.environ["UNJAM_HUNG_UNJAM"], unjam)
    unjam = os.path.join(os.path.dirname(program), "unjam")
    os.rename(unjam, unjam + ".real")
    with open(unjam, "w") as f:
        f.write("#!/bin/sh\n" + script + "\n")
    os.chmod(unjam, 0o755)


def run_interrupted(row, program, command, work, logs, env):
    """Runs the command until its unjam hangs (or the file `interrupt_when`
    names in the logs folder is there), then interrupts it; with "second-run",
    runs the command again meanwhile and returns what that gave; with
    "SIGKILL", kills it, then runs it again and returns what that gave, a
    moment later, in which children that outlived the first would show."""
    out_path, err_path = os.path.join(logs, "stdout"), os.path.join(logs, "stderr")
    with open(os.devnull, "rb") as stdin, open(out_path, "wb") as stdout, \
            open(err_path, "wb") as stderr:
        # A run ended by a signal dies with its memory in use, so the wrap
        # (valgrind) looks there for errors only, not for leaks.
        first = subprocess.Popen(command, cwd=work, stdin=stdin, stdout=stdout, stderr=stderr,
                                 env=dict(env, UNJAM_WRAP_ENDED_BY_SIGNAL="1"))
        deadline = time.monotonic() + 60
        while not glob.glob(os.path.join(logs, row.interrupt_when)) and time.monotonic() < deadline:
            time.sleep(0.01)
        second = None
        if row.interrupt == "second-run":
            second = subprocess.run(command, cwd=work, stdin=stdin, capture_output=True, env=env,
                                    timeout=TIMEOUT)
        first.send_signal(signal.SIGTERM if second else getattr(signal, row.interrupt))
        first.wait(timeout=TIMEOUT)
        if row.interrupt == "SIGKILL":
            # Nothing cleans up after SIGKILL: its scratch folder is left
            # (on Windows under %TEMP%; Wine keeps files of its own in TMPDIR).
            if program.endswith(".exe"):
                shutil.rmtree(windows_scratch(logs))
            else:
                for folder in os.listdir(env["TMPDIR"]):
                    shutil.rmtree(os.path.join(env["TMPDIR"], folder))
            second = subprocess.run(command, cwd=work, stdin=stdin, capture_output=True, env=env,
                                    timeout=TIMEOUT)
            time.sleep(0.5)
    if second:
        return second.returncode, second.stdout, second.stderr
    return first.returncode, read(out_path), read(err_path)


def windows_scratch(logs):
    """The scratch folder the hung unjam ran in: under Wine's %TEMP%, not TMPDIR."""
    with open(os.path.join(logs, "hung")) as f:
        drive, path = f.read().split(":", 1)
    return os.path.join(os.environ["WINEPREFIX"], "dosdevices", drive.lower() + ":",
                        path.strip("\\").replace("\\", "/"))


def windows_interrupted(outcome, logs):
    """A Ctrl-C ends a Windows program with STATUS_CONTROL_C_EXIT, of which
    Wine gives the last byte (58): as the signal's status on Linux, after a
    check that the scratch folder the hung unjam ran in is gone."""
    folder = windows_scratch(logs)
    status = -signal.SIGINT if outcome[0] == 0xC000013A & 0xFF else outcome[0]
    if os.path.exists(folder):
        status = f"{outcome[0]}, and the scratch folder {folder} left"
    return (status,) + outcome[1:]


# Wine's own services (winedevice.exe, running ntoskrnl.exe) crash now and
# then on a loaded machine and say so on the standard error they were started
# with, a test's. The line is Wine's: a crash of the program under test shows
# in its exit status too, which is still compared.
WINE_CRASH_REPORT = re.compile(rb"^wine: Unhandled [^\n]* starting debugger\.\.\.\n", re.M)


def without_wine_crash_reports(outcome):
    return (outcome[0],) + tuple(WINE_CRASH_REPORT.sub(b"", data) if data else data
                                 for data in outcome[1:])


def run(row, command, work, logs, env):
    """Runs the command in `work`; returns exit status, standard output and error."""
    out_path, err_path = os.path.join(logs, "stdout"), os.path.join(logs, "stderr")
    closed = CLOSED.get(row.streams, [])
    pipe = os.pipe() if row.streams == "broken-pipe" else None
    if pipe:
        os.close(pipe[0])  # nobody will ever read it
    def prepare():
        for fd in closed:
            os.close(fd)
        if row.file_size_limit:
            limit = row.file_size_limit
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
    with open(os.devnull, "rb") as stdin, open(out_path, "wb") as stdout, \
            open(err_path, "wb") as stderr:
        # subprocess puts SIGPIPE and SIGXFSZ back to their defaults in the
        # child, as a shell would: a write past the limit ends the writer.
        done = subprocess.run(command, cwd=work, stdin=stdin,
                              stdout=pipe[1] if pipe else stdout,
                              stderr=stdout if row.streams == "shared" else stderr,
                              preexec_fn=prepare, timeout=TIMEOUT, env=env)
    if pipe:
        os.close(pipe[1])
    return done.returncode, read(out_path), read(err_path)


def shown(data):
    return repr(data[:200] + b"..." + data[-200:] if isinstance(data, bytes) and len(data) > 400
                else data)


def check(row, work, before, outcome):
    failures = []

    def compare(what, got, want):
        if hasattr(want, "matches") and not want.matches(got):
            failures.append(f"{what} is {shown(got)}, which does not match {want}")
        elif want is not None and not hasattr(want, "matches") and got != want:
            failures.append(f"{what} is {shown(got)}, expected {shown(want)}")

    compare("exit status", outcome[0], row.status)
    compare("standard error", outcome[2], value(row.stderr))
    got_out, want_out = outcome[1], value(row.stdout)
    if isinstance(want_out, rows.Frame):  # only its begin and end are compared
        got_out = got_out[:len(want_out.head)] + b"..." + got_out[-len(want_out.tail):]
        want_out = want_out.head + b"..." + want_out.tail
    compare("standard output", got_out, want_out)
    for name, want in (row.made or {}).items():
        got = read(os.path.join(work, name))
        if want == rows.ABSENT:
            compare(f"{name} existing", os.path.lexists(os.path.join(work, name)), False)
        elif isinstance(want, rows.Page):
            if got is None or not want.matches(got):
                failures.append(f"{name} is not the page of {want}")
        elif isinstance(want, rows.Holds):
            compare(name, got, want)
        else:
            compare(name, got, value(want))
    output, path = value(row.output), os.path.join(work, row.output_path)
    if row.made is not None:
        pass  # every file to make is listed in `made`
    elif output == rows.ABSENT:
        compare(f"{row.output_path} existing", os.path.lexists(path), False)
    elif output != rows.UNTOUCHED:  # an untouched output is compared below
        compare(row.output_path, read(path), output)
    set_modes(row, work, restore=True)
    after = snapshot(work)
    written = set(row.made) if row.made is not None else \
        set() if row.output == rows.UNTOUCHED else {row.output_path}
    for name in set(before) | set(after):
        if name not in written and after.get(name) != before.get(name):
            failures.append(f"{name} was changed, made or removed")
    return failures


def bless(folder, row, work, outcome):
    os.makedirs(os.path.join(folder, "expected"), exist_ok=True)
    output = read(os.path.join(work, row.output_path))
    for name, data in zip(["status", "stdout", "stderr", "output.srt"],
                          [b"%d\n" % outcome[0], outcome[1], outcome[2], output]):
        if data is not None:
            with open(os.path.join(folder, "expected", name), "wb") as f:
                f.write(data)
    return []


def main():
    if sys.argv[1:] == ["--list"]:
        print("\n".join(f"{row.program} {row.name}" for row in rows.ROWS))
        return 0
    program, name = os.path.abspath(sys.argv[1]), sys.argv[2]
    folder = os.path.abspath(name) if os.path.isdir(name) else None
    row = folder_row(folder) if folder else next(row for row in rows.ROWS if row.name == name)
    on_windows = program.endswith(".exe")
    reason = windows_skip(row) if on_windows else None
    if row.windows_only and not on_windows:
        print("skipped: a path spelled as only Windows reads it")
        return SKIPPED
    if reason:
        print(f"skipped on Windows: {reason}")
        return SKIPPED
    prefix = unprivileged_prefix(row)
    work = tempfile.mkdtemp(prefix="unjam-e2e-")
    logs = tempfile.mkdtemp(prefix="unjam-e2e-logs-")
    # A TMPDIR of the run's own, which the user it runs as can write, and
    # which must be left empty.
    scratch = os.path.join(logs, "tmp")
    os.mkdir(scratch)
    os.chmod(scratch, 0o777)
    env = dict(os.environ, TMPDIR=scratch, UNJAM_TEST_LOGS=logs) | row.env
    try:
        installed = None
        if row.installed is not None:
            program, installed = install_tree(row, program, logs)
        if prefix or row.unjam_script:  # nobody must reach the program and write in the folder
            os.chmod(work, 0o777)
            program = place_programs(program, os.path.join(logs, "bin"))
            os.chmod(logs, 0o755)
        if row.unjam_script:
            replace_unjam(program, row.unjam_script)
        make_folder(row, work)
        before = snapshot(work)
        set_modes(row, work)
        wrap = shlex.split(os.environ.get("UNJAM_WRAP", ""))
        command = prefix + wrap + [program]
        if hasattr(row, "shell"):  # the arguments are a line of bash
            command = ["bash", "-c", 'exec "$@" ' + row.shell, "bash"] + command
        if row.interrupt:
            outcome = run_interrupted(row, program, command + row.args, work, logs, env)
            if on_windows:
                outcome = windows_interrupted(outcome, logs)
        else:
            outcome = run(row, command + row.args, work, logs, env)
        if on_windows:
            outcome = without_wine_crash_reports(outcome)
        if installed:  # the scratch path of the list, as the row shows it
            shown = b"PREFIX/share/unjam/words"
            outcome = (outcome[0], outcome[1].replace(installed.encode(), shown), outcome[2])
        if folder and os.environ.get("UNJAM_BLESS") == "1":
            failures = bless(folder, row, work, outcome)
        else:
            failures = check(row, work, before, outcome)
            if os.listdir(scratch) and not on_windows:
                failures.append(f"TMPDIR is left holding {os.listdir(scratch)}")
    finally:
        set_modes(row, work, restore=True)
        shutil.rmtree(work)
        shutil.rmtree(logs)
    for failure in failures:
        print(f"--- {row.name}: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
