"""The bad-input matrix: one row per way of handing unjam something broken.

Each row names the files of a scratch folder, the command line, the state of
the standard streams and, for some rows, an unprivileged user; and it states
the exact outcome: exit status, standard error, standard output (whole, or
its fixed frame where the middle is a flood of diagnostics), and the output
file's bytes. The runner (run-row.py) also checks that every file present
before the run, the input above all, is untouched afterwards.

Big inputs are generated here when a row runs; none is stored.
"""
import functools
import os
import random
import re
from dataclasses import dataclass, field

# --- what the rows are made of -----------------------------------------------

WORDS = b"are\ndoing\nwhat\nyou\n"
SRT = b"1\n00:00:01,000 --> 00:00:02,000\nWhat areyou doing?\n\n"
SRT_REPAIRED = b"1\r\n00:00:01,000 --> 00:00:02,000\r\nWhat are you doing?\r\n\r\n"

ABSENT = "absent"  # the output file must not exist
UNTOUCHED = "untouched"  # the output path is a file that must stay as it was
EMPTY_DIRECTORY = "empty directory"  # the output path is a folder that stays empty


PHASES = b"Reading in dictionary...done.\nProcessing output...\n"


def closing(read, fixed):
    return b"Read %d lines.\nFixed %d instances.\nExiting and freeing mem...done.\n" % (
        read, fixed)


def report(read, fixed, diagnostics=b""):
    """Standard output of a run that got as far as the report."""
    return PHASES + diagnostics + closing(read, fixed)


@dataclass
class Frame:
    """Standard output that must begin with `head` and end with `tail`."""
    head: bytes
    tail: bytes


def text_lines(data):
    """The input's lines by the text rules: 0x1A ends the input, LF ends a
    line and takes one CR before it along, a last line needs no line end."""
    data = data.split(b"\x1a")[0]
    lines = data.split(b"\n")
    last = lines.pop()
    lines = [line[:-1] if line.endswith(b"\r") else line for line in lines]
    return lines + [last] if last else lines


def copied(data, repair=lambda line: line):
    """The output of a run whose repair of a line is `repair`: NUL ends a
    line's text, an empty line ends a block, the third and later lines of a
    block are repaired, every line is written with CR LF."""
    out, block = [], 0
    for line in text_lines(data):
        line = line.split(b"\0")[0]
        block = block + 1 if line else 0
        out.append((repair(line) if block >= 3 else line) + b"\r\n")
    return b"".join(out)


def merge_quote_pairs(line):
    return re.sub(rb"''|``", b'"', line)


# --- generated inputs ----------------------------------------------------------

@functools.cache
def garbage():
    """64 KiB of seeded random bytes; 0x1A would end the input early and has
    its own row, so it is left out."""
    data = random.Random(5).randbytes(64 << 10)
    return data.replace(b"\x1a", b"\x1b")


GARBAGE_WORDS = b"zyzzyva\n"  # a word that the garbage does not hold


@functools.cache
def ten_mb_line():
    line = b"What areyou doing? " * ((10 << 20) // 19)
    return b"1\n00:00:01,000 --> 00:00:02,000\n" + line + b"\n"


@functools.cache
def ten_mb_word():
    return b"1\n00:00:01,000 --> 00:00:02,000\n" + b"a" * (10 << 20) + b"\n"


@functools.cache
def million_lines():
    return b"".join(b"%d\n00:01\nareyou\n\n" % n for n in range(1, 250_001))


@functools.cache
def million_words():
    """1,000,000 words grouped by first letter, seven letters each so that
    none can be a piece of the input's words, with the input's own words at
    the end of their letters' runs: they are found only if all was loaded."""
    own = {b"a": b"are", b"d": b"doing", b"w": b"what", b"y": b"you"}
    words = []
    for k, initial in enumerate(b"abcdefghijklmnopqrstuvwxyz"):
        letter = bytes([initial])
        count = 1_000_000 // 26 + (1 if k < 1_000_000 % 26 else 0)
        for n in range(count):
            tail = bytes(97 + (n // 26 ** p) % 26 for p in range(6))
            words.append(letter + tail)
        if letter in own:
            words[-1] = own[letter]  # still 1,000,000 words
    return b"\n".join(words) + b"\n"


# --- the table -----------------------------------------------------------------

@dataclass
class Row:
    name: str
    status: int
    stderr: object  # bytes, or a function giving them
    stdout: object  # bytes, a Frame, or None when standard output is closed
    output: object  # bytes, or ABSENT, UNTOUCHED, EMPTY_DIRECTORY; None: not a file
    files: dict = field(default_factory=lambda: {"input.srt": SRT, "words": WORDS})
    setup: list = field(default_factory=list)  # (action, path[, target])
    args: list = field(default_factory=lambda: ["input.srt", "output.srt"])
    streams: str = ""  # which standard streams are closed ("stdout-closed",
    #                    "stdin-stdout-closed", "all-closed", ...) or "stdout-broken-pipe"
    unprivileged: bool = False  # run as nobody, so that file modes hold for root too
    output_path: str = "output.srt"


def files(**extra):
    """The standard files with some replaced; None removes one."""
    chosen = {"input.srt": SRT, "words": WORDS}
    for name, data in extra.items():
        chosen[name.replace("_srt", ".srt")] = data
    return {name: data for name, data in chosen.items() if data is not None}


# The installed list that the hint names follows the build's install prefix.
INSTALLED_WORDS = os.environ.get("UNJAM_INSTALLED_WORDS", "/usr/local/share/unjam/words")
NO_WORDS = (b"Could not open the words file\nUnjam reads its word list from 'words' in the "
            b"working directory; to use the installed default list: ln -s %s words\n"
            % INSTALLED_WORDS.encode())


def nul_warning(lines):
    return (b"Warning: the text after a NUL byte was dropped from %d line%s of the input "
            b"file: input.srt\n" % (lines, b"" if lines == 1 else b"s"))
STANDARD_RUN = dict(status=0, stderr=b"", stdout=report(4, 1), output=SRT_REPAIRED)
SAME_FILE = dict(status=1, stdout=b"", output=UNTOUCHED)


def same_file(output_path, shown_input="input.srt"):
    return (b"Will not write the output over the input: %s is the same file as %s\n" %
            (output_path.encode(), shown_input.encode()))


ROWS = [
    # The input file.
    Row("input-missing", status=1, stderr=b"Could not open the input file: nothere.srt\n",
        stdout=b"", output=ABSENT, args=["nothere.srt", "output.srt"]),
    Row("input-directory", status=1,
        stderr=b"Could not read the input file: dir.srt: Is a directory\n",
        stdout=report(0, 0), output=b"", setup=[("mkdir", "dir.srt")],
        args=["dir.srt", "output.srt"]),
    Row("input-unreadable", status=1, stderr=b"Could not open the input file: input.srt\n",
        stdout=b"", output=ABSENT, setup=[("chmod000", "input.srt")], unprivileged=True),
    Row("input-empty", status=0, stderr=b"", stdout=report(0, 0), output=b"",
        files=files(input_srt=b"")),
    Row("input-binary-garbage", status=0,
        stderr=lambda: nul_warning(sum(b"\0" in line for line in text_lines(garbage()))),
        stdout=lambda: Frame(PHASES, closing(len(text_lines(garbage())), 0)),
        output=lambda: copied(garbage(), merge_quote_pairs),
        files=files(input_srt=garbage, words=GARBAGE_WORDS)),
    Row("input-nul-bytes", status=0, stderr=nul_warning(3), stdout=report(7, 1),
        output=b"1\r\n00:00\r\nare\r\n\r\n2\r\n00:01\r\nare you\r\n",
        files=files(input_srt=b"1\n00:00\nare\0you\n\0ignored\n2\n00:01\nareyou\0are\n")),
    Row("input-one-nul-line", status=0, stderr=nul_warning(1), stdout=report(3, 0),
        output=b"1\r\n00:00\r\nare\r\n", files=files(input_srt=b"1\n00:00\nare\0you\n")),
    Row("input-eof-byte", status=0, stderr=b"", stdout=report(3, 1),
        output=b"1\r\n00:00\r\nare you\r\n",
        files=files(input_srt=b"1\n00:00\nareyou\x1aafter\nwhatyou\n")),
    Row("input-cr-line-ends", status=0, stderr=b"", stdout=report(1, 0),
        output=b"1\r00:00\rareyou\r\rmore\r\r\n",
        files=files(input_srt=b"1\r00:00\rareyou\r\rmore\r")),
    Row("input-10mb-line", status=0, stderr=b"", stdout=report(3, (10 << 20) // 19),
        output=lambda: ten_mb_line().replace(b"areyou", b"are you").replace(b"\n", b"\r\n"),
        files=files(input_srt=ten_mb_line)),
    Row("input-10mb-word", status=0, stderr=b"",
        stdout=lambda: report(3, 0, b"3: Couldn't find '" + b"a" * (10 << 20) +
                              b"' in the dictionary.\n"),
        output=lambda: ten_mb_word().replace(b"\n", b"\r\n"),
        files=files(input_srt=ten_mb_word)),
    Row("input-no-line-end", status=0, stderr=b"", stdout=report(3, 1),
        output=b"1\r\n00:00\r\nWhat are you doing?\r\n",
        files=files(input_srt=b"1\n00:00\nWhat areyou doing?")),
    Row("input-million-lines", status=0, stderr=b"", stdout=report(1_000_000, 250_000),
        output=lambda: million_lines().replace(b"areyou", b"are you").replace(b"\n", b"\r\n"),
        files=files(input_srt=million_lines)),

    # The output file.
    Row("output-unopenable", status=1,
        stderr=b"Could not open the output file: no/such/dir/out.srt: No such file or directory\n",
        stdout=b"",
        output=ABSENT, args=["input.srt", "no/such/dir/out.srt"],
        output_path="no/such/dir/out.srt"),
    Row("output-directory", status=1,
        stderr=b"Could not open the output file: outdir: Is a directory\n",
        stdout=b"", output=EMPTY_DIRECTORY, setup=[("mkdir", "outdir")],
        args=["input.srt", "outdir"], output_path="outdir"),
    Row("output-read-only", status=1,
        stderr=b"Could not open the output file: output.srt: Permission denied\n",
        stdout=b"", output=UNTOUCHED,
        files=files(output_srt=b"keep me\n"), setup=[("chmod444", "output.srt")],
        unprivileged=True),
    Row("output-dev-full", status=1,
        stderr=b"Could not write the output file: /dev/full: No space left on device\n",
        stdout=report(4, 1), output=None, args=["input.srt", "/dev/full"],
        output_path="/dev/full"),
    Row("same-file-same-path", stderr=same_file("input.srt"), args=["input.srt", "input.srt"],
        output_path="input.srt", **SAME_FILE),
    Row("same-file-dot-path", stderr=same_file("./input.srt"),
        args=["input.srt", "./input.srt"], output_path="input.srt", **SAME_FILE),
    Row("same-file-other-path", stderr=same_file("sub/../input.srt"),
        setup=[("mkdir", "sub")], args=["input.srt", "sub/../input.srt"],
        output_path="input.srt", **SAME_FILE),
    Row("same-file-symlink", stderr=same_file("link.srt"),
        setup=[("symlink", "link.srt", "input.srt")], args=["input.srt", "link.srt"],
        output_path="input.srt", **SAME_FILE),
    Row("same-file-symlinked-input", stderr=same_file("input.srt", "link.srt"),
        setup=[("symlink", "link.srt", "input.srt")], args=["link.srt", "input.srt"],
        output_path="input.srt", **SAME_FILE),
    Row("same-file-hard-link", stderr=same_file("hard.srt"),
        setup=[("hardlink", "hard.srt", "input.srt")], args=["input.srt", "hard.srt"],
        output_path="input.srt", **SAME_FILE),
    # The word lists are read after the output is opened, so they are kept
    # from being emptied the same way.
    Row("same-file-words", stderr=b"Will not write the output over the word list: words is "
        b"the same file as words\n", args=["input.srt", "words"], output_path="words",
        **SAME_FILE),
    Row("same-file-words2-link", stderr=b"Will not write the output over the word list: "
        b"names.txt is the same file as words2\n", files=files(words2=b"Zorblax\n"),
        setup=[("symlink", "names.txt", "words2")], args=["input.srt", "names.txt"],
        output_path="words2", **SAME_FILE),
    # Nor is a list that does not exist yet created as the output, to be read
    # as an empty list and left behind for the next run.
    Row("new-words-as-output", stderr=b"Will not write the output over the word list: words is "
        b"the same file as words\n", status=1, stdout=b"", output=ABSENT,
        files=files(words=None), args=["input.srt", "words"], output_path="words"),
    Row("new-words2-as-output-link", stderr=b"Will not write the output over the word list: "
        b"names.txt is the same file as words2\n", status=1, stdout=b"", output=ABSENT,
        setup=[("symlink", "names.txt", "words2")], args=["input.srt", "names.txt"],
        output_path="words2"),

    # The word lists. `words` that cannot be opened ends the run after the
    # output file was created, which stays empty.
    Row("words-missing", status=1, stderr=NO_WORDS, stdout=b"Reading in dictionary...",
        output=b"", files=files(words=None)),
    # An earlier output is emptied only once the word list has loaded.
    Row("words-missing-output-kept", status=1, stderr=NO_WORDS,
        stdout=b"Reading in dictionary...", output=UNTOUCHED,
        files=files(words=None, output_srt=b"an earlier output\r\n")),
    Row("output-longer-earlier", files=files(output_srt=b"an earlier output\r\n" * 500),
        **STANDARD_RUN),
    Row("words-empty", status=0, stderr=b"",
        stdout=report(4, 0, b"3: Couldn't find 'What' in the dictionary.\n"
                            b"3: Couldn't find 'areyou' in the dictionary.\n"
                            b"3: Couldn't find 'doing' in the dictionary.\n"),
        output=SRT.replace(b"\n", b"\r\n"), files=files(words=b"")),
    Row("words-directory", status=1, stderr=NO_WORDS, stdout=b"Reading in dictionary...",
        output=b"", files=files(words=None), setup=[("mkdir", "words")]),
    Row("words-unreadable", status=1, stderr=NO_WORDS, stdout=b"Reading in dictionary...",
        output=b"", setup=[("chmod000", "words")], unprivileged=True),
    # A stored word holding a zero byte is never found, not even by its head.
    Row("words-nul-bytes", status=0, stderr=b"",
        stdout=report(4, 1, b"3: Couldn't find 'ar' in the dictionary.\n"),
        output=SRT_REPAIRED.replace(b"doing?", b"doing? ar"),
        files=files(input_srt=SRT.replace(b"doing?", b"doing? ar"),
                    words=b"ar\0\nar\0e\nare\ndoing\nwhat\0\nwhat\nyou\n")),
    # No A word can be found: the range of A runs from "am" to "be", before it.
    Row("words-misordered", status=0,
        stderr=b"Warning: 'words' is not grouped in A-Z order: 2 of its 4 words can never be "
               b"found (letters A); put extra words in words2, or sort the list (sort -f)\n",
        stdout=report(4, 0, b"3: Couldn't find 'What' in the dictionary.\n"
                            b"3: Couldn't find 'areyou' in the dictionary.\n"
                            b"3: Couldn't find 'doing' in the dictionary.\n"),
        output=SRT.replace(b"\n", b"\r\n"), files=files(words=b"are\nbe\nyou\nam\n")),
    Row("words-1mb-word", status=0, stderr=b"", stdout=report(4, 1), output=SRT_REPAIRED,
        files=files(words=b"are\ndoing\n" + b"q" * (1 << 20) + b"\nwhat\nyou\n")),
    Row("words-million-words", status=0, stderr=b"", stdout=report(4, 1),
        output=SRT_REPAIRED, files=files(words=million_words)),
    # `words2` that cannot be opened is an empty second list, without a word.
    Row("words2-directory", setup=[("mkdir", "words2")], **STANDARD_RUN),
    Row("words2-unreadable", files=files(words2=b"Zorblax\n"),
        setup=[("chmod000", "words2")], unprivileged=True, **STANDARD_RUN),

    # The process. A closed standard stream must not be taken over by a file
    # that unjam opens, or its messages would land in the output file. With
    # one stream closed the input takes its place (harmless, the input is
    # read-only); with two, the output file does.
    Row("stdout-closed", status=0, stderr=b"", stdout=None, output=SRT_REPAIRED,
        streams="stdout-closed"),
    Row("stdout-broken-pipe", status=0, stderr=b"", stdout=None, output=SRT_REPAIRED,
        streams="stdout-broken-pipe"),
    Row("stderr-closed", status=0, stderr=b"", stdout=report(4, 1), output=SRT_REPAIRED,
        streams="stderr-closed"),
    Row("stderr-closed-failure", status=1, stderr=b"", stdout=b"Reading in dictionary...",
        output=b"", files=files(words=None), streams="stderr-closed"),
    Row("stdin-closed", streams="stdin-closed", **STANDARD_RUN),
    Row("stdin-stdout-closed", status=0, stderr=b"", stdout=None, output=SRT_REPAIRED,
        streams="stdin-stdout-closed"),
    Row("stdout-stderr-closed-failure", status=1, stderr=b"", stdout=None, output=b"",
        files=files(words=None), streams="stdout-stderr-closed"),
    Row("all-streams-closed-failure", status=1, stderr=b"", stdout=None, output=b"",
        files=files(words=None), streams="all-closed"),
]
