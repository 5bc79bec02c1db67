"""The bad-input matrix: one row per way of handing unjam (or unjam-season) something broken.

A row names the files of a scratch folder, the command line, the standard
streams and whether to run as an unprivileged user, and states the exact
outcome: exit status, standard error, standard output (whole, or its fixed
frame around a flood of diagnostics) and the output file. Big inputs are
generated when a row runs.
"""
import collections
import functools
import json
import os
import random
import re
import signal
import sys
from dataclasses import dataclass, field

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                "tools", "wordlist"))
from splitsearch import verbatim_spans  # noqa: E402

WORDS = b"are\ndoing\nwhat\nyou\n"
SRT = b"1\n00:00:01,000 --> 00:00:02,000\nWhat areyou doing?\n\n"
SRT_REPAIRED = b"1\r\n00:00:01,000 --> 00:00:02,000\r\nWhat are you doing?\r\n\r\n"
ABSENT, UNTOUCHED = "absent", "untouched"
IS_DIRECTORY = b"Could not read the input file: dir.srt: Is a directory\n"
# The Windows build, run under Wine, advises PowerShell where there is no iconv.
ON_WINDOWS = "wine" in os.environ.get("UNJAM_WRAP", "")


def to_utf8(path, encoding, to):
    """The command that the advice on a file in UTF-16 gives."""
    if ON_WINDOWS:
        net = b"BigEndianUnicode" if encoding == b"UTF-16BE" else b"Unicode"
        return (b"powershell -Command \"[IO.File]::WriteAllText('%s', [IO.File]::ReadAllText('%s', "
                b"[Text.Encoding]::%s))\"" % (to, path, net))
    if to == path:
        return b"iconv -f %s -t UTF-8 %s > %s.utf8 && mv %s.utf8 %s" % ((encoding,) + (path,) * 4)
    return b"iconv -f %s -t UTF-8 %s > %s" % (encoding, path, to)


def utf16_refused(encoding):
    return (b"Could not read the input file: input.srt: it is in UTF-16, which unjam does not "
            b"read; convert it to UTF-8 first: %s\n" % to_utf8(b"input.srt", encoding,
                                                              b"input-utf8.srt"))


def eof_byte_warning(line, unread):
    return (b"Warning: the text after a byte 0x1A in line %d was not read (%d bytes) from the input "
            b"file: input.srt\n" % (line, unread))
CR_LINES = b"1" * 65536 + b"\r00:01\rareyou\r\r" + b"2\r00:01\rareyou\r\r" * 20000 + b"more\r"
LONE_CR = b"1\r" + b"2" * 200000
PHASES = b"Reading in dictionary...done.\nProcessing output...\n"
# The command that the hint names follows the build's install prefix, and
# on Windows the folder of the .exe.
USE_WORDS = os.environ.get("UNJAM_USE_WORDS", "ln -s /usr/local/share/unjam/words words")


def no_words(hint):
    return (b"Could not open the words file\nUnjam reads its word list from 'words' in the "
            b"working directory%s\n" % hint)


NO_WORDS = no_words(b"; to use the installed default list: %s" % USE_WORDS.encode())


def words2_skipped(why):
    return b"Warning: the words2 file %s; the run goes on without it\n" % why


def utf16_warning(name, encoding=b"UTF-16"):
    return (b"Warning: the word list %s is in UTF-16, so none of its words can be found; "
            b"convert it to UTF-8: %s\n" % (name.encode(), to_utf8(name.encode(), encoding,
                                                                   name.encode())))


Frame = collections.namedtuple("Frame", "head tail")  # standard output's begin and end


def is_json(text):
    try:
        json.loads(text)
        return True
    except ValueError:
        return False


# A review page's files, names, and what the lists alone make of words that hold them; its
# data must read as JSON, the skipped files' reasons and all.
class Page(collections.namedtuple("Page", "files names alone", defaults=((),))):
    def matches(self, page):
        quoted = [b'"%s"' % name for name in self.names]
        data = re.search(rb'id="review-data">(.*?)</script>', page, re.S)
        return (data is not None and is_json(data[1]) and
                re.findall(rb'\{"name":"([^"]*)"', page) == list(self.files) and
                all(b'"%s"' % words in page for words in self.alone) and
                b'"names":[%s]}' % b",".join(quoted) in page and page.endswith(b"</html>\n"))


class Holds(collections.namedtuple("Holds", "part")):
    """Bytes that hold `part`: where the rest names a scratch folder."""
    def matches(self, data):
        return data is not None and self.part in data


def closing(read, fixed):
    return b"Read %d lines.\nFixed %d instances.\nExiting and freeing mem...done.\n" % (read, fixed)


def report(read, fixed, diagnostics=b""):
    return PHASES + diagnostics + closing(read, fixed)


def not_found(*words):
    return b"".join(b"3: Couldn't find '%s' in the dictionary.\n" % w for w in words)


def text_lines(data):
    """The input's lines by the text rules: 0x1A ends the input, LF ends a
    line and takes the CRs before it along, a file without LF has CR-ended
    lines, a last line needs no line end."""
    data = data.split(b"\x1a")[0]
    lines = data.split(b"\n" if b"\n" in data else b"\r")
    last = lines.pop()
    return [line.rstrip(b"\r") for line in lines] + ([last] if last else [])


def copied(data, repair=lambda line: line):
    """The output when `repair` repairs a line: NUL ends a line's text, an
    empty line ends a block, the third and later lines of a block are
    repaired, every line ends with CR LF."""
    out, block = [], 0
    for line in text_lines(data):
        line = line.split(b"\0")[0]
        block = block + 1 if line else 0
        out.append((repair(line) if block >= 3 else line) + b"\r\n")
    return b"".join(out)


def nul_warning(lines):
    return (b"Warning: the text after a NUL byte was dropped from %d line%s of the input "
            b"file: input.srt\n" % (lines, b"" if lines == 1 else b"s"))


def copied_run(data, repair=lambda line: line):
    """A run over `data` whose words are all unknown: only quote pairs can
    be repaired, and the middle of standard output is diagnostics."""
    return dict(status=0, stderr=lambda: nul_warning(sum(b"\0" in l for l in text_lines(data()))),
                stdout=lambda: Frame(PHASES, closing(len(text_lines(data())), 0)),
                output=lambda: copied(data(), repair),
                files=files(input_srt=data, words=b"zyzzyva\n"))


def characters_of(line):
    """The line's characters, each with its bytes, read as unjam reads a
    line: UTF-8 when it is valid UTF-8, else Windows-1252."""
    try:
        return [(c, c.encode()) for c in line.decode()]
    except UnicodeDecodeError:
        return [(utf8_of_1252(bytes([b])).decode(), bytes([b])) for b in line]


def quote_pairs_merged(line):
    """A line of unknown words as unjam repairs it: each doubled apostrophe
    or grave accent becomes a quotation mark, but not inside markup or a
    link, which are copied as they stand."""
    chars = characters_of(line)
    text, out, i = "".join(c for c, _ in chars), [], 0
    for start, stop in verbatim_spans(text) + [(len(text), len(text))]:
        while i < start:
            pair = i + 1 < start and text[i] in "'`" and text[i + 1] == text[i]
            out.append(b'"' if pair else chars[i][1])
            i += 2 if pair else 1
        out += [data for _, data in chars[start:stop]]
        i = stop
    return b"".join(out)


@functools.cache
def garbage():
    """64 KiB of seeded random bytes, without 0x1A, which has its own row,
    and without a NUL in the first line, which makes it UTF-16 (its own rows
    too)."""
    data = random.Random(5).randbytes(64 << 10).replace(b"\x1a", b"\x1b")
    first = data.index(b"\n")
    return data[:first].replace(b"\0", b"\x01") + data[first:]


@functools.cache
def line_ends():
    """Every kind of line end and NUL, a line and a run of NULs longer than
    a read, and a CR LF whose CR is the last byte of the first read."""
    head = (b"lf\ncrlf\r\n\n\r\n\nlone\rcr\ncrcrlf\r\r\nnul\0cut\n\0\nnulcrlf\0\r\nnulcr\0\rx\n"
            b"crnul\r\0x\n" + b"x" * 200000 + b"\n" + b"y" + b"\0" * 200000 + b"y\r\n")
    return head + b"p" * ((1 << 16) - 1 - len(head) % (1 << 16)) + b"\r\nafter\n\0"


def ten_mb(text):
    return lambda: b"1\n00:00:01,000 --> 00:00:02,000\n" + text * ((10 << 20) // len(text)) + b"\n"


def unclosed_tags():
    return ten_mb(b"<b <i ")()[:-1] + b">\n"


@functools.cache
def flood():
    """The fuzzer's line whose one word's search would print 8.3 million lookup
    lines with the harness's word list, which FLOOD_WORDS repeats."""
    return open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../fuzz/"
                             "regressions/repairline/gigabyte-of-lookup-diagnostics"), "rb").read()


def utf8_of_1252(data):
    """Windows-1252 text in UTF-8, as messages show it; the five bytes that
    the code page leaves undefined are the C1 controls of their value."""
    return "".join(chr(b) if b in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else bytes([b]).decode("cp1252")
                   for b in data).encode()


FLOOD_WORDS = (b"a are be bet boat doing ha haha he I is it ll ok re reyou t the this tween "
               b"ween we what will you\n")


@functools.cache
def million_lines():
    return b"".join(b"%d\n00:01\nareyou\n\n" % n for n in range(1, 250_001))


@functools.cache
def million_words():
    """A million words grouped by first letter (with digits, so no piece of
    the input's words), the input's words last in their letters' runs: found
    only if all was loaded."""
    own = dict(a=b"are", d=b"doing", w=b"what", y=b"you")
    return b"".join(b"".join(b"%s%d\n" % (c.encode(), n) for n in range(38461)) +
                    own.get(c, c.encode()) + b"\n" for c in "abcdefghijklmnopqrstuvwxyz")


@dataclass
class Row:
    name: str
    status: int
    stderr: object  # bytes, or a function giving them
    stdout: object  # bytes, a Frame, or None when standard output is closed
    output: object  # bytes, ABSENT, UNTOUCHED (compared as it was), None: not checked
    files: dict = field(default_factory=lambda: files())
    setup: list = field(default_factory=list)  # (mkdir|symlink|hardlink|chmod000|chmod444, path[, target])
    args: list = field(default_factory=lambda: ["input.srt", "output.srt"])
    streams: str = ""  # closed streams ("stdout", "stderr", "all"), "broken-pipe",
    #                    or "shared": standard error written where standard output is
    unprivileged: bool = False  # run as nobody, so that file modes hold for root too
    windows_only: bool = False  # another spelling of a path only on Windows
    output_path: str = None  # default: the second argument
    program: str = "unjam"
    made: dict = None  # when set: every file the run makes or changes, with its bytes
    #                    (or a Page that it must match)
    installed: bytes = None  # run from an install whose default word list this is,
    #                          its folder shown as PREFIX
    interrupt: str = None  # SIGINT, SIGTERM, SIGHUP, SIGQUIT once its unjam hangs;
    #                        "second-run": the outcome of a second run meanwhile; SIGKILL:
    #                        the outcome of a second run after it
    interrupt_when: str = "hung"  # the file (a glob) in the logs folder that it waits for
    file_size_limit: int = None  # bytes (RLIMIT_FSIZE) that no file written may pass
    unjam_script: str = None  # sh run as the unjam that unjam-season runs (unjam.real beside)
    env: dict = field(default_factory=dict)  # besides a TMPDIR of the row's own

    def __post_init__(self):
        self.output_path = self.output_path or (self.args[1] if len(self.args) == 2 else "output.srt")


def files(**extra):
    """The standard files with some replaced; None removes one."""
    chosen = {"input.srt": SRT, "words": WORDS}
    chosen.update({name.replace("_srt", ".srt"): data for name, data in extra.items()})
    return {name: data for name, data in chosen.items() if data is not None}


STANDARD_RUN = dict(status=0, stderr=b"", stdout=report(4, 1), output=SRT_REPAIRED)
REFUSED = dict(status=1, stdout=b"", output=UNTOUCHED)
NO_RUN = dict(status=1, stdout=b"Reading in dictionary...", output=b"")


def same_file(output_path, shown_input="input.srt"):
    return b"Will not write the output over the input: %s is the same file as %s\n" % (
        output_path.encode(), shown_input.encode())


def over_list(path, name):
    return b"Will not write the output over the word list: %s is the same file as %s\n" % (
        path.encode(), name.encode())


ROWS = [
    # The input file.
    Row("input-missing", 1,
        b"Could not open the input file: nothere.srt: No such file or directory\n", b"", ABSENT,
        args=["nothere.srt", "output.srt"]),
    # A pattern that matches nothing reaches the program as it is.
    Row("input-wildcard-no-match", 1,
        b"Could not open the input file: none*.srt: No such file or directory\n", b"", ABSENT,
        args=["none*.srt", "output.srt"]),
    # Windows shells leave the pattern to the program.
    Row("input-wildcard", args=["in*.srt", "output.srt"], windows_only=True, **STANDARD_RUN),
    # A directory cannot be read: refused before the output is touched.
    Row("input-directory", stderr=IS_DIRECTORY, setup=[("mkdir", "dir.srt")],
        args=["dir.srt", "output.srt"], **dict(REFUSED, output=ABSENT)),
    Row("input-directory-output-kept", stderr=IS_DIRECTORY,
        files=files(output_srt=b"an earlier output\r\n"), setup=[("mkdir", "dir.srt")],
        args=["dir.srt", "output.srt"], **REFUSED),
    Row("input-unreadable", 1, b"Could not open the input file: input.srt: Permission denied\n",
        b"", ABSENT, setup=[("chmod000", "input.srt")], unprivileged=True),
    Row("input-binary-garbage", **copied_run(garbage, quote_pairs_merged)),
    Row("input-line-ends", **copied_run(line_ends)),
    # The first block's second line is its timing line, whatever it holds.
    Row("input-first-block-timing-kept", files=files(input_srt=b"1\nWhat areyou\n\n"),
        **dict(STANDARD_RUN, stdout=report(3, 0), output=b"1\r\nWhat areyou\r\n\r\n")),
    # A byte order mark stays in the output; it stands on the cue number's line.
    Row("input-byte-order-mark", files=files(input_srt=b"\xef\xbb\xbf" + SRT),
        **dict(STANDARD_RUN, output=b"\xef\xbb\xbf" + SRT_REPAIRED)),
    # UTF-16 (Notepad's "Unicode"): refused before the output is touched.
    Row("input-utf16", 1, utf16_refused(b"UTF-16"), b"", UNTOUCHED,
        files=files(input_srt=SRT.decode().encode("utf-16"), output_srt=b"an earlier output\r\n")),
    # Without a byte order mark, the advice names the byte order its NULs show.
    Row("input-utf16-without-mark", stderr=utf16_refused(b"UTF-16BE"),
        files=files(input_srt=SRT.decode().encode("utf-16-be")), **dict(REFUSED, output=ABSENT)),
    Row("input-utf16le-without-mark", stderr=utf16_refused(b"UTF-16LE"),
        files=files(input_srt=SRT.decode().encode("utf-16-le")), **dict(REFUSED, output=ABSENT)),
    # NUL bytes beyond the first line, whatever ends it, or after a 0x1A: no UTF-16.
    Row("input-cr-lines-nul-later", 0, nul_warning(1), report(3, 1), b"1\r\n2\r\nare you\r\n",
        files=files(input_srt=b"1\r2\rareyou\0x\r")),
    Row("input-nul-after-eof-byte", 0, eof_byte_warning(1, 2), report(1, 0), b"1\r\n",
        files=files(input_srt=b"1\x1a\0\n")),
    Row("input-one-nul-line", 0, nul_warning(1), report(3, 0), b"1\r\n00:00\r\nare\r\n",
        files=files(input_srt=b"1\n00:00\nare\0you\n")),
    # 0x1A ends the input mid-line, however much follows it, which is told of.
    Row("input-eof-byte", 0, eof_byte_warning(3, 80006), report(3, 1), b"1\r\n00:00\r\nare you\r\n",
        files=files(input_srt=b"1\n00:00\nareyou\x1aafter\n" + b"whatyou\n" * 10000)),
    # Ending the file, with nothing but more of them after it, it is no news.
    Row("input-eof-byte-at-end", 0, b"", report(3, 1), b"1\r\n00:00\r\nare you\r\n",
        files=files(input_srt=b"1\n00:00\nareyou\n\x1a\x1a\x1a")),
    # Without an LF every CR ends a line, the first one met past the first read.
    Row("input-cr-line-ends", 0, b"", report(4 * 20001 + 1, 20001),
        CR_LINES.replace(b"\r", b"\r\n").replace(b"areyou", b"are you"),
        files=files(input_srt=CR_LINES)),
    Row("input-cr-cr-lf", files=files(input_srt=SRT.replace(b"\n", b"\r\r\n")), **STANDARD_RUN),
    # Its lone CR stays a byte of its line, however far the first LF.
    Row("input-lone-cr-before-far-lf", 0, b"", report(3, 1), LONE_CR + b"\r\n00:00\r\nare you\r\n",
        files=files(input_srt=LONE_CR + b"\n00:00\nareyou\n")),
    Row("input-10mb-line", 0, b"", report(3, (10 << 20) // 19),
        lambda: ten_mb(b"What areyou doing? ")().replace(b"areyou", b"are you").replace(b"\n", b"\r\n"),
        files=files(input_srt=ten_mb(b"What areyou doing? "))),
    # Markup that never closes is ordinary text, found so in one pass, also
    # where a '>' at the end of the line would close each '<' but the last.
    Row("input-10mb-unclosed-tags", 0, b"", report(3, 0),
        lambda: unclosed_tags().replace(b"\n", b"\r\n"), files=files(input_srt=unclosed_tags)),
    Row("input-10mb-word", 0, b"", lambda: report(3, 0, not_found(b"a" * (10 << 20))),
        lambda: ten_mb(b"a")().replace(b"\n", b"\r\n"), files=files(input_srt=ten_mb(b"a"))),
    # Its 0xFF bytes are letters (ÿ in Windows-1252, as the line is no UTF-8):
    # no piece begins without a letter, so none is looked up with a
    # diagnostic, and the message shows the word in UTF-8.
    Row("input-lookup-flood", 0, b"", lambda: report(3, 0, not_found(utf8_of_1252(flood()))),
        lambda: b"1\r\n00:00\r\n%s\r\n" % flood(),
        files=files(input_srt=lambda: b"1\n00:00\n%s\n" % flood(), words=FLOOD_WORDS)),
    Row("input-million-lines", 0, b"", report(1_000_000, 250_000),
        lambda: million_lines().replace(b"areyou", b"are you").replace(b"\n", b"\r\n"),
        files=files(input_srt=million_lines)),

    # The output file.
    Row("output-directory", 1, b"Could not open the output file: outdir: Is a directory\n",
        b"", UNTOUCHED, setup=[("mkdir", "outdir")], args=["input.srt", "outdir"]),
    Row("output-directory-slash", 1,
        b"Could not open the output file: outdir/: Is a directory\n", b"", UNTOUCHED,
        setup=[("mkdir", "outdir")], args=["input.srt", "outdir/"]),
    Row("output-read-only", 1, b"Could not open the output file: output.srt: Permission denied\n",
        b"", UNTOUCHED, files=files(output_srt=b"keep me\n"), setup=[("chmod444", "output.srt")],
        unprivileged=True),
    Row("output-dev-full", 1,
        b"Could not write the output file: /dev/full: No space left on device\n", report(4, 1),
        None, args=["input.srt", "/dev/full"]),
    Row("output-missing-folder", 1,
        b"Could not open the output file: nothere/output.srt: No such file or directory\n", b"",
        ABSENT, args=["input.srt", "nothere/output.srt"]),
    # Names as users have them: spaces and letters beyond ASCII.
    Row("names-non-ascii", files=files(input_srt=None) | {"Épisode 1.srt": SRT},
        args=["Épisode 1.srt", "第1話.srt"], **STANDARD_RUN),
    Row("output-longer-earlier", files=files(output_srt=b"an earlier output\r\n" * 500),
        **STANDARD_RUN),
    Row("same-file-same-path", stderr=same_file("input.srt"), args=["input.srt", "input.srt"],
        **REFUSED),
    Row("same-file-symlinked-input", stderr=same_file("input.srt", "link.srt"),
        setup=[("symlink", "link.srt", "input.srt")], args=["link.srt", "input.srt"], **REFUSED),
    Row("same-file-hard-link", stderr=same_file("hard.srt"),
        setup=[("hardlink", "hard.srt", "input.srt")], args=["input.srt", "hard.srt"], **REFUSED),
    Row("same-file-dot-backslash", stderr=same_file(".\\input.srt"),
        args=["input.srt", ".\\input.srt"], windows_only=True, **REFUSED),
    Row("same-file-other-case", stderr=same_file("INPUT.SRT"), args=["input.srt", "INPUT.SRT"],
        windows_only=True, **REFUSED),
    # The short 8.3 name that Wine makes for the long one (Windows itself
    # would make LONGIN~1.SRT).
    Row("same-file-short-name", stderr=same_file("LONG~FM1.SRT", "long input name.srt"),
        files=files(input_srt=None) | {"long input name.srt": SRT},
        args=["long input name.srt", "LONG~FM1.SRT"], windows_only=True, **REFUSED),
    Row("same-file-non-ascii-other-case", stderr=same_file("ÉPISODE 1.SRT", "Épisode 1.srt"),
        files=files(input_srt=None) | {"Épisode 1.srt": SRT}, args=["Épisode 1.srt", "ÉPISODE 1.SRT"],
        windows_only=True, **REFUSED),
    # The word lists are read after the output is opened: neither one may be
    # the output, nor be created as the output (to be read as an empty list).
    Row("same-file-words", stderr=over_list("words", "words"), args=["input.srt", "words"],
        **REFUSED),
    Row("same-file-words2-link", stderr=over_list("names.txt", "words2"),
        files=files(words2=b"Zorblax\n"), setup=[("symlink", "names.txt", "words2")],
        args=["input.srt", "names.txt"], **REFUSED),
    Row("new-words-as-output", 1, over_list("words", "words"), b"", ABSENT,
        files=files(words=None), args=["input.srt", "words"]),
    Row("new-words2-as-output-link", 1, over_list("names.txt", "words2"), b"", ABSENT,
        setup=[("symlink", "names.txt", "words2")], args=["input.srt", "names.txt"],
        output_path="words2"),

    # The word lists. Without `words` the run ends after creating the output,
    # which stays empty; an earlier output is emptied only once it has loaded.
    # On a shared terminal the error comes after the phase message.
    Row("words-missing", 1, b"", b"Reading in dictionary..." + NO_WORDS, b"",
        files=files(words=None), streams="shared"),
    Row("words-missing-output-kept", stderr=NO_WORDS,
        files=files(words=None, output_srt=b"an earlier output\r\n"), **dict(NO_RUN, output=UNTOUCHED)),
    # A `words` that is there but unusable says why, not how to link one.
    Row("words-directory", stderr=no_words(b", which is a directory"), files=files(words=None),
        setup=[("mkdir", "words")], **NO_RUN),
    Row("words-dangling-link", stderr=no_words(b", which is a link to a missing file"),
        files=files(words=None), setup=[("symlink", "words", "gone")], **NO_RUN),
    Row("words-unreadable", stderr=no_words(b", which cannot be opened: Permission denied"),
        setup=[("chmod000", "words")], unprivileged=True, **NO_RUN),
    # Lists saved by other editors: a byte order mark is no part of the first
    # word; a list in UTF-16 holds no word that can be found, and says so.
    Row("words-byte-order-mark", files=files(words=b"\xef\xbb\xbf" + WORDS), **STANDARD_RUN),
    Row("words2-byte-order-mark", 0, b"", report(4, 0), SRT.replace(b"\n", b"\r\n"),
        files=files(words2=b"\xef\xbb\xbfareyou\r\n")),
    Row("words-utf16", 0, utf16_warning("words"),
        report(4, 0, not_found(b"What", b"areyou", b"doing")), SRT.replace(b"\n", b"\r\n"),
        files=files(words=WORDS.decode().encode("utf-16"))),
    Row("words2-utf16-without-mark", 0, utf16_warning("words2", b"UTF-16BE"), report(4, 1),
        SRT_REPAIRED, files=files(words2=b"areyou\n".decode().encode("utf-16-be"))),
    Row("words-empty", 0, b"", report(4, 0, not_found(b"What", b"areyou", b"doing")),
        SRT.replace(b"\n", b"\r\n"), files=files(words=b"")),
    # A stored word holding a zero byte is never found, not even by its head.
    Row("words-nul-bytes", 0, utf16_warning("words", b"UTF-16BE"), report(4, 1, not_found(b"ar")),
        SRT_REPAIRED.replace(b"doing?", b"doing? ar"),
        files=files(input_srt=SRT.replace(b"doing?", b"doing? ar"),
                    words=b"ar\0\nar\0e\nare\ndoing\nwhat\0\nwhat\nyou\n")),
    # No A word can be found: the range of A runs from "am" to "be", before it.
    Row("words-misordered", 0,
        b"Warning: 'words' is not grouped in A-Z order: 2 of its 4 words can never be found "
        b"(letters A); put extra words in words2, or sort the list (sort -f)\n",
        report(4, 0, not_found(b"What", b"areyou", b"doing")), SRT.replace(b"\n", b"\r\n"),
        files=files(words=b"are\nbe\nyou\nam\n")),
    # Its last read brings one byte: the "u" of "you".
    Row("words-1mb-word", files=files(words=b"are\ndoing\n" + b"q" * 1048558 + b"\nwhat\nyou"),
        **STANDARD_RUN),
    Row("words-million-words", files=files(words=million_words), **STANDARD_RUN),
    # A `words2` that is there but cannot be read is skipped with a warning.
    Row("words2-directory", setup=[("mkdir", "words2")],
        **dict(STANDARD_RUN, stderr=words2_skipped(b"is a directory"))),
    Row("words2-dangling-link", setup=[("symlink", "words2", "gone")],
        **dict(STANDARD_RUN, stderr=words2_skipped(b"is a link to a missing file"))),
    Row("words2-unreadable", files=files(words2=b"areyou\n"), setup=[("chmod000", "words2")],
        unprivileged=True,
        **dict(STANDARD_RUN, stderr=words2_skipped(b"cannot be opened: Permission denied"))),

    # A profile or accepted forms that are a link to nothing end the run as
    # any that cannot be read; so does a profile in UTF-16, whose settings
    # cannot be read either.
    Row("profile-dangling-link", stderr=b"Could not read the profile words.profile: it is a link "
        b"to a missing file\n", setup=[("symlink", "words.profile", "gone")], **NO_RUN),
    Row("accepted-dangling-link", stderr=b"Could not read the accepted words words.accepted: it is "
        b"a link to a missing file\n", setup=[("symlink", "words.accepted", "gone")], **NO_RUN),
    Row("profile-utf16", stderr=b"Malformed profile words.profile: it is in UTF-16; save it in "
        b"UTF-8\n", files=files(**{"words.profile": "language fr\n".encode("utf-16")}), **NO_RUN),
    # Word counts are refused as profiles are, before the output is begun;
    # a counts file with CR line ends alone has lines too ("area" is "a rea"
    # only by the counts).
    Row("counts-dangling-link", stderr=b"Could not read the word counts words.counts: it is a "
        b"link to a missing file\n", setup=[("symlink", "words.counts", "gone")], **NO_RUN),
    Row("counts-utf16", stderr=b"Malformed word counts words.counts: it is in UTF-16; save it in "
        b"UTF-8\n", files=files(**{"words.counts": "are 5\n".encode("utf-16")}), **NO_RUN),
    Row("counts-word-not-listed", stderr=b"Malformed word counts words.counts: line 2: 'were' is "
        b"not a word of the list\n", files=files(**{"words.counts": b"are 5\nwere 2\n"}), **NO_RUN),
    Row("counts-cr-line-ends", 0, b"", report(4, 2, b"3: Ambiguous splitting of 'areyou': chose "
        b"'a rey ou' over 'are you'\n"), SRT_REPAIRED.replace(b"are you", b"a rey ou"),
        files=files(words=b"a\nare\ndoing\nou\nrey\nwhat\nyou\n",
                    **{"words.counts": b"a 900\rrey 900\rou 900\rare 1\ryou 1\r"})),
    # Lists and profiles saved with CR line ends alone have lines, as the
    # input has: one Windows-1252 word leaves the UTF-8 words findable, and
    # a profile's first line, a comment, does not hide the others.
    Row("words-cr-line-ends", 0, b"", report(4, 1),
        SRT_REPAIRED.replace(b"doing", b"doing, caf\xc3\xa9"),
        files=files(input_srt=SRT.replace(b"doing", b"doing, caf\xc3\xa9"),
                    words=b"are\rcaf\xc3\xa9\rdoing\rna\xefve\rwhat\ryou\r")),
    Row("profile-cr-line-ends", 0, b"", report(4, 1),
        SRT_REPAIRED.replace(b"What are you doing?", b"Je l'ai"),
        files=files(input_srt=SRT.replace(b"What areyou doing?", b"Jel'ai"), words=b"ai\nje\n",
                    **{"words.profile": b"# French\rlanguage fr\relisions l\r"})),

    # Closed standard streams are not taken over by a file unjam opens, or
    # its messages would land in the output file; a reader gone away does
    # not stop the run.
    Row("stdout-closed", 0, b"", None, SRT_REPAIRED, streams="stdout"),
    Row("stdout-broken-pipe", 0, b"", None, SRT_REPAIRED, streams="broken-pipe"),
    Row("stderr-closed-failure", stderr=b"", files=files(words=None), streams="stderr", **NO_RUN),
    Row("all-streams-closed-failure", 1, b"", None, b"", files=files(words=None), streams="all"),
]


# unjam-season: the refusals come before anything is written; an input
# that cannot be read is skipped and the others are repaired.
SEASON_USAGE = b"""Usage: unjam-season [-o DIR] [-n] [-l LANG] [--open] FOLDER | in.srt...
 Proposes the names of a season's subtitle files, then repairs each file
 into DIR as unjam does, with the names added to the second word list:
 DIR/NAME.log holds each file's messages, DIR/names.txt the names to review,
 DIR/review.html every change and name, to review in a web browser.
 FOLDER stands for its .srt files (any case), not those of its sub-folders.
 -o DIR          the folder for the repaired files, created if missing;
                 without it, the folder 'fixed' in the inputs' folder
 -n, --no-names  propose no names: repair with 'words' and 'words2' alone
 -l LANG         repair with the installed list of the language LANG and its
                 rules (en es fr de it pt) instead of 'words' here
 --open          open the review page in the web browser at the end
 -h, --help      print this text
 --version       print the version
"""
# Two episodes in which Kirrin recurs inside sentences: a name to propose,
# which words2 must then keep whole ("kir" and "rin" are listed).
EPISODE = b"1\n00:01\nWhat areyou doing, Kirrin?\n\n2\n00:02\nAsk Kirrin.\n"
SEASON_WORDS = b"are\nask\ndoing\nkir\nrin\nwhat\nyou\n"
SEASON_LOG = report(7, 1)


def season_files(**extra):
    return files(**dict(dict(input_srt=None, words=SEASON_WORDS), **extra))


def page_name(name):
    """A file's name as the review page's JSON holds it."""
    return b"".join(chr(byte).encode() if byte >= 0x80 else
                    {10: b"\\n", 13: b"\\r"}.get(byte) or
                    b"\\u%04x" % byte if byte < 0x20 or byte == 0x7f or byte == ord("<") else
                    b"\\" * (byte in b'"\\') + bytes([byte]) for byte in name.encode())


def season_run(*inputs, first=b"", names=b"Kirrin\n", failed=(), page=True, into="out", shown=(),
               why=b"it could not be read", args=None, kept=None):
    """A run over `inputs` (ep1.srt...) into out/ (or `into`): the progress and
    made files. `shown`: the inputs as the progress names them, when not as given;
    `args`: the command line, when not `-o INTO INPUTS`."""
    each = shown or inputs
    progress = b"".join(
        b"[%d/%d] %s: " % (k + 1, len(each), name.encode()) +
        (b"not repaired: %s\n" % why if name in failed else
         b"7 lines, 1 fixed, 0 ambiguous, 0 not found\n")
        for k, name in enumerate(each))
    folder = os.path.normpath(into.replace("\\", "/"))
    repaired = [name.replace("\\", "/").split("/")[-1] for name in each if name not in failed]
    made = {folder + "/names.txt": names}
    if page:
        made[folder + "/review.html"] = Page([page_name(name) for name in repaired], names.split(),
                                             [b"Kir rin"] if names and repaired else [])
    for name in repaired:
        made[folder + "/" + name] = EPISODE.replace(b"areyou", b"are you").replace(b"\n", b"\r\n")
        made[folder + "/" + name[:-4] + ".log"] = SEASON_LOG
    made.update(kept or {})  # files of an earlier run that a failed repair leaves

    def shown_in_folder(name):  # the folder as given, joined by the separator it uses
        return (into + ("\\" if "\\" in into else "/") + name).encode()
    listed = shown_in_folder("names.txt")
    stdout = (first + (b"Proposed 1 name in %s, used unreviewed beside words2.\n" % listed
                       if names else b"No names proposed: %s is empty.\n" % listed) +
              progress + b"Repaired %d of %d files into %s; the messages of each are in its .log "
              b"file there.\n" % (len(each) - len(failed), len(each), into.encode()) +
              (b"Every change is on the page %s: open it in a browser to undo the "
               b"wrong ones.\n" % shown_in_folder("review.html") if page else b"") +
              (b"To keep the good names: review %s, add them to words2, and run "
               b"again.\n" % listed if names else b""))
    return dict(status=1 if failed or not page else 0, stdout=stdout, made=made,
                program="unjam-season", args=args or ["-o", into] + list(inputs), output=None)


SEASON_REFUSED = dict(status=1, stdout=b"", made={}, program="unjam-season", output=None,
                      files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE))

ROWS += [
    Row("season-no-file", stderr=b"No input file\n" + SEASON_USAGE, args=["-o", "out"],
        **SEASON_REFUSED),
    Row("season-no-language", stderr=b"Option -l needs a language\n" + SEASON_USAGE,
        args=["-o", "out", "ep1.srt", "-l"], **SEASON_REFUSED),
    Row("season-help", 0, b"", SEASON_USAGE, None, program="unjam-season", args=["--help"],
        made={}),
    Row("season-dir-words-here", stderr=b"Will not write ./words: it is the word list words\n",
        setup=[("mkdir", "a"), ("bash", "cp ep1.srt a/words")], args=["-o", ".", "a/words"],
        **SEASON_REFUSED),
    Row("season-same-file-name", stderr=b"Two inputs have one file name: a/ep1.srt and b/ep1.srt\n",
        setup=[("mkdir", "a"), ("mkdir", "b"), ("bash", "cp ep1.srt a/; cp ep1.srt b/")],
        args=["-o", "out", "a/ep1.srt", "b/ep1.srt"], **SEASON_REFUSED),
    # Windows ignores case in names: the second would replace the first.
    Row("season-same-file-name-other-case", windows_only=True,
        stderr=b"Two inputs have one file name: a/EP1.srt and b/ep1.srt\n",
        setup=[("mkdir", "a"), ("mkdir", "b"), ("bash", "cp ep1.srt a/EP1.srt; cp ep1.srt b/")],
        args=["-o", "out", "a/EP1.srt", "b/ep1.srt"], **SEASON_REFUSED),
    Row("season-dir-input-folder",
        stderr=b"Will not write into the folder of an input: . holds ep2.srt\n",
        args=["-o", ".", "ep2.srt", "ep1.srt"], **SEASON_REFUSED),
    Row("season-dir-input-folder-by-path",
        stderr=b"Will not write into the folder of an input: a holds a/ep1.srt\n",
        setup=[("mkdir", "a"), ("bash", "cp ep1.srt a/")], args=["-o", "a", "a/ep1.srt", "ep2.srt"],
        **SEASON_REFUSED),
    Row("season-dir-a-file", stderr=b"Will not write into ep1.srt: it is not a folder\n",
        args=["-o", "ep1.srt", "ep2.srt"], **SEASON_REFUSED),
    # A file already in DIR that is an input or a list, by a link.
    Row("season-over-input", stderr=b"Will not write over an input: out/ep1.srt is the same file "
        b"as ep1.srt\n", setup=[("mkdir", "out"), ("hardlink", "out/ep1.srt", "ep1.srt")],
        args=["-o", "out", "ep1.srt", "ep2.srt"], **SEASON_REFUSED),
    Row("season-over-words2", stderr=b"Will not write over the word list: out/names.txt is the "
        b"same file as words2\n", setup=[("mkdir", "out"), ("symlink", "out/names.txt", "../words2")],
        args=["-o", "out", "ep1.srt", "ep2.srt"],
        **dict(SEASON_REFUSED, files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE, words2=b"Bo\n"))),
    Row("season-profile-dangling-link", stderr=b"Could not read the profile words.profile: it "
        b"is a link to a missing file\n", setup=[("symlink", "words.profile", "gone")],
        args=["-o", "out", "ep1.srt", "ep2.srt"], **SEASON_REFUSED),
    Row("season-unreadable-file", stderr=b"Could not open the input file: ep2.srt: Permission denied\n",
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE, ep3_srt=EPISODE),
        setup=[("chmod000", "ep2.srt")], unprivileged=True,
        **season_run("ep1.srt", "ep2.srt", "ep3.srt", failed=("ep2.srt",))),
    # A page that cannot be written fails the run, but not the repairs.
    Row("season-names-not-written", 1, b"Could not write the names file: out/names.txt: Is a "
        b"directory\n", b"", None, program="unjam-season", args=["-o", "out", "ep1.srt"],
        files=season_files(ep1_srt=EPISODE), setup=[("mkdir", "out"), ("mkdir", "out/names.txt")],
        made={}),
    Row("season-page-not-written", stderr=b"Could not write the review page: out/review.html: Is "
        b"a directory\n", files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        setup=[("mkdir", "out"), ("mkdir", "out/review.html")],
        **season_run("ep1.srt", "ep2.srt", page=False)),
    # The user's words2 is read (its Kirrin is not proposed again), never written.
    Row("season-words2-kept", stderr=b"", **season_run("ep1.srt", "ep2.srt", names=b""),
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE, words2=b"Zorblax\nkirrin")),
    Row("season-installed-list", stderr=b"", installed=SEASON_WORDS,
        files=season_files(words=None, ep1_srt=EPISODE, ep2_srt=EPISODE),
        **season_run("ep1.srt", "ep2.srt", first=b"No 'words' in the working directory: using the "
                     b"installed list PREFIX/share/unjam/words\n")),
    # A language whose list is not installed: the installed ones are named.
    Row("season-unknown-language", stderr=b"Unknown language 'xx': the installed ones are en\n",
        installed=SEASON_WORDS, args=["-l", "xx", "-o", "out", "ep1.srt"],
        **dict(SEASON_REFUSED, files=season_files(words=None, ep1_srt=EPISODE))),
    # Paths as a Windows user types them: backslashes, a wildcard, a folder
    # to make inside a missing one, a name beyond ASCII.
    Row("season-windows-paths", stderr=b"", windows_only=True,
        files=season_files(ep1_srt=EPISODE) | {"Épisode 2.srt": EPISODE},
        setup=[("bash", "mkdir sub && mv ep1.srt 'Épisode 2.srt' sub/")],
        **season_run("sub\\*.srt", into="out\\new", shown=("sub\\ep1.srt", "sub\\Épisode 2.srt"))),
]

HUNG_UNJAM = ': > "$UNJAM_TEST_LOGS/hung"; exec sleep 100'
# The first unjam of ep1.srt writes into its output until it is ended (or
# for some seconds, should it outlive its season); the others are unjam.
KILLED_UNJAM = ('case "$1" in *ep1.srt) [ -e "$UNJAM_TEST_LOGS/hung" ] || { : >"$UNJAM_TEST_LOGS/hung"; '
                'for i in $(seq 500); do echo orphan >>"$2"; sleep 0.01; done; };; esac; '
                'exec "$0.real" "$@"')
LONG_EPISODE = b"".join(b"%d\n00:01\nWhat areyou doing, Kirrin?\n\n" % n for n in range(1, 5001))
# A repair of ep1.srt that the page cannot show: its log is of another file.
FOREIGN_LOG = ('case "$1" in *ep1.srt) cp "$1" "$2"; printf "Read 99 lines.\\nExiting and freeing '
               'mem...done.\\n";; *) exec "$0.real" "$@";; esac')
SPOKEN = season_run("ep1.srt", "ep2.srt")
LEFT_OFF = season_run("ep1.srt", "ep2.srt", failed=("ep1.srt",), why=b"")
LEFT_OFF["stdout"] = LEFT_OFF["stdout"].replace(
    b"not repaired: \n", b"99 lines, 0 fixed, 0 ambiguous, 0 not found\n").replace(
    b"Repaired 1 of 2", b"Repaired 2 of 2")
LEFT_OFF["status"] = 1
LEFT_OFF["made"].update({"out/ep1.srt": EPISODE,
                         "out/ep1.log": b"Read 99 lines.\nExiting and freeing mem...done.\n"})
# Kirrin rejected: the lists alone cut it.
UNNAMED = season_run("ep1.srt", "ep2.srt", names=b"")
UNNAMED = dict(UNNAMED, stdout=UNNAMED["stdout"].replace(b"1 fixed", b"3 fixed"), made={
    path: data.replace(b"Kirrin", b"Kir rin") if path.endswith(".srt") else
    report(7, 3) if path.endswith(".log") else data for path, data in UNNAMED["made"].items()})
SEASON_RAN = dict(files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE, precious_txt=b"precious\n"))
ROWS += [
    # A pipe or a device could be read only once (or never end): refused.
    Row("season-fifo-input", stderr=b"Will not repair fifo.srt: it is not a regular file (a pipe or "
        b"a device); save it to a file first\n", setup=[("bash", "mkfifo fifo.srt")],
        args=["-o", "out", "ep1.srt", "fifo.srt"], **SEASON_REFUSED),
    Row("season-dev-stdin", stderr=b"Will not repair /dev/stdin: it is not a regular file (a pipe "
        b"or a device); save it to a file first\n", args=["-o", "out", "ep1.srt", "/dev/stdin"],
        **SEASON_REFUSED),
    # One file twice would count each of its words twice.
    Row("season-same-input-linked", stderr=b"Two inputs are one file: ep1.srt and link.srt\n",
        setup=[("symlink", "link.srt", "ep1.srt")], args=["-o", "out", "ep1.srt", "link.srt"],
        **SEASON_REFUSED),
    Row("season-same-input-hard-link", stderr=b"Two inputs are one file: ep1.srt and hard.srt\n",
        setup=[("hardlink", "hard.srt", "ep1.srt")], args=["-o", "out", "ep1.srt", "hard.srt"],
        **SEASON_REFUSED),
    Row("season-dir-dangling-link", stderr=b"Will not write into out: it is a link to a missing "
        b"file\n", setup=[("symlink", "out", "gone")], args=["-o", "out", "ep1.srt"],
        **SEASON_REFUSED),
    Row("season-tmpdir-missing", stderr=b"Could not make a scratch folder for the word lists: "
        b"/nonexistent: No such file or directory\n", env={"TMPDIR": "/nonexistent"},
        args=["-o", "out", "ep1.srt", "ep2.srt"], **SEASON_REFUSED),
    # Links left in DIR under the names of its files are replaced, never written through.
    Row("season-links-in-dir", stderr=b"", setup=[("mkdir", "out")] + [
        ("symlink", "out/" + name, "../precious.txt") for name in ("names.txt", "ep1.srt", "ep1.log")],
        **dict(season_run("ep1.srt", "ep2.srt"), **SEASON_RAN)),
] + [
    # Its log cannot be written when unjam ends, or even begun: no unjam runs.
    Row("season-log-not-" + name, stderr=b"", setup=[("mkdir", "out"), ("mkdir", "out/" + folder)],
        **dict(season_run("ep1.srt", "ep2.srt", failed=("ep1.srt",), why=b"could not write its "
                          b"log: out/ep1.log: Is a directory"), **SEASON_RAN))
    for name, folder in (("written", "ep1.log"), ("begun", ".ep1.log.unjam-part"))
] + [
    # One file the page cannot show is left off it, named; the page stays.
    Row("season-page-leaves-a-file-off", stderr=b"Left off the review page: The log out/ep1.log is "
        b"not of the run that made out/ep1.srt from ep1.srt: it read 99 lines, not 7\n",
        unjam_script=FOREIGN_LOG, files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        **LEFT_OFF),
    # unjam's own messages stand before their file's progress line, in the
    # files' order, though the files are repaired side by side (ep1's unjam
    # speaks first and ends last).
    Row("season-unjam-messages-in-order", stderr=b"", streams="shared",
        unjam_script='case "$1" in *ep1.srt) echo Warning: ep1 says >&2; sleep 0.3;; *ep2.srt) echo '
        'Warning: ep2 says >&2;; esac; exec "$0.real" "$@"', files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        **dict(SPOKEN, stdout=SPOKEN["stdout"].replace(b"[1/2]", b"Warning: ep1 says\n[1/2]")
               .replace(b"[2/2]", b"Warning: ep2 says\n[2/2]"), made=dict(SPOKEN["made"], **{
                   # and after the rest of its messages in its log
                   "out/ep%d.log" % n: SEASON_LOG + b"Warning: ep%d says\n" % n for n in (1, 2)}))),
    # A name rejected before, in any case, is not proposed again.
    Row("season-rejected-name", stderr=b"", files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        setup=[("bash", "mkdir out && echo kirrin >out/rejected-names.txt")],
        **UNNAMED),
    # No more unjams run at once than there are processors (seen where there
    # are fewer than three).
    Row("season-one-unjam-per-processor", stderr=b"", unjam_script='m="$1.running-$$"; : >"$m"; '
        'sleep 0.3; n=$(ls "${1%/*}" | grep -c "[.]running-"); rm "$m"; '
        '[ "$n" -le "$(getconf _NPROCESSORS_ONLN)" ] || exit 3; exec "$0.real" "$@"',
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE, ep3_srt=EPISODE),
        **season_run("ep1.srt", "ep2.srt", "ep3.srt")),
] + [
    # Interrupted while its unjam hangs: no scratch folder, no lock, no file
    # in progress, and no page of an earlier run is left.
    Row("season-interrupted-" + sig, -getattr(signal, sig), b"",
        b"Proposed 1 name in out/names.txt, used unreviewed beside words2.\n", None,
        program="unjam-season", args=["-o", "out", "ep1.srt", "ep2.srt"], interrupt=sig,
        unjam_script=HUNG_UNJAM,
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        setup=[("bash", "mkdir out && echo earlier > out/review.html")],
        made={"out/names.txt": b"Kirrin\n", "out/review.html": ABSENT})
    for sig in ("SIGINT", "SIGTERM", "SIGHUP", "SIGQUIT")
] + [
    # Interrupted while it copies the lists into its scratch folder (here
    # waiting for a profile that is a pipe): the folder goes too.
    Row("season-interrupted-copying-lists", -signal.SIGINT, b"", b"", None,
        program="unjam-season", args=["-o", "out", "ep1.srt"], interrupt="SIGINT",
        interrupt_when="tmp/unjam-season.*/words", setup=[("bash", "mkfifo words.profile")],
        files=season_files(ep1_srt=EPISODE), made={}),
    # Killed outright while its unjam writes: that unjam ends with it, and a
    # run at once after it repairs every file whole.
    Row("season-killed-then-rerun", stderr=b"", interrupt="SIGKILL", unjam_script=KILLED_UNJAM,
        env={"UNJAM_HUNG_ONLY": "ep1.srt"},  # as the Windows unjam that hangs is told it
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE), **season_run("ep1.srt", "ep2.srt")),
    # A repair cut short (here by a file-size limit, as by a full disk) is
    # not put in place: the earlier repair and log stay, and the run says so.
    Row("season-repair-cut-short", stderr=b"", file_size_limit=100_000,
        files=season_files(ep1_srt=LONG_EPISODE, ep2_srt=EPISODE),
        setup=[("bash", "mkdir out && echo earlier > out/ep1.srt && echo earlier > out/ep1.log")],
        **season_run("ep1.srt", "ep2.srt", failed=("ep1.srt",), why=b"unjam ended by signal 25; "
                     b"the earlier out/ep1.srt is kept", kept={"out/ep1.srt": b"earlier\n",
                                                               "out/ep1.log": b"earlier\n"})),
    # unjam's messages must reach its log whole: one cut short is no repair.
    Row("season-log-cut-short", stderr=b"", unjam_script='case "$1" in *ep1.srt) "$0.real" "$@" | '
        'head -c 40; exit 0;; esac; exec "$0.real" "$@"',
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        **season_run("ep1.srt", "ep2.srt", failed=("ep1.srt",), why=b"its log is cut short: "
                     b"unjam's messages did not all reach out/ep1.log")),
] + [
    Row("season-second-run-locked", 1, b"Another unjam-season is writing into out (it holds "
        b"out/.unjam-season.lock): wait for it to end\n", b"", None, program="unjam-season",
        args=["-o", "out", "ep1.srt", "ep2.srt"], interrupt="second-run", unjam_script=HUNG_UNJAM,
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE), made={"out/names.txt": b"Kirrin\n"}),
]

def typeset_season(case):
    """A season of one typographic file, that of the names case `case`
    (tests/e2e/names-cases/): its names, in UTF-8 whatever the file's
    encoding, in names.txt and on the page. The repair is unjam's
    (tests/season/matches-unjam.sh)."""
    case = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "names-cases", case)
    with open(os.path.join(case, "a.srt"), "rb") as f, open(os.path.join(case, "words"), "rb") as w, \
            open(os.path.join(case, "expected", "stdout"), "rb") as n:
        episode, words, names = f.read(), w.read(), n.read()
    made = {"out/names.txt": names, "out/ep1.srt": None, "out/ep1.log": None,
            "out/review.html": Page([b"ep1.srt"], [page_name(n) for n in names.decode().split()])}
    return dict(status=0, stderr=b"", stdout=None, output=None, program="unjam-season",
                args=["-o", "out", "ep1.srt"], made=made,
                files=season_files(words=words, ep1_srt=episode))


# A 0x1A in ep1's third line ends it: unjam's warning (which names the
# input by its absolute path) on standard error, in the log, and the unread
# text a change of its own on the page.
ENDED = season_run("ep1.srt", "ep2.srt")
ENDED_WARNING = (b"Warning: the text after a byte 0x1A in line 3 was not read (35 bytes) from the "
                 b"input file: ")
ENDED = dict(ENDED, stderr=Holds(ENDED_WARNING),
             stdout=ENDED["stdout"].replace(b"7 lines", b"3 lines", 1),
             files=season_files(ep1_srt=EPISODE.replace(b"?\n", b"?\x1a and the rest\n"),
                                ep2_srt=EPISODE),
             made=dict(ENDED["made"], **{"out/ep1.srt": b"1\r\n00:01\r\nWhat are you doing, Kirrin?\r\n",
                                         "out/ep1.log": Holds(report(3, 1) + ENDED_WARNING),
                                         "out/review.html": Holds(b'"\\r\\n","' + b"-" * 36 + b'++","e"')}))
ROWS += [Row("season-eof-byte", **ENDED)]

ROWS += [Row("season-typographic-utf8", **typeset_season("typographic-utf8")),
         Row("season-windows-1252", **typeset_season("windows-1252"))]


# unjam-names on words of a million letters, in ASCII, beyond it and
# capitalized, under a profile that reads compounds: every step of the names
# is linear in a word's length (quadratic steps took hours on these 10 MB).
LONG = (b"e" * (1 << 20), "\u00e9".encode() * (1 << 20), "\u00c9".encode() + "\u00e9".encode() * (1 << 20))
ROWS += [Row("names-million-letter-words", 0, b"", b"".join(w + b"\n" for w in LONG), None,
             files={"input.srt": lambda: (b"1\n00:01\ngo %s %s %s\n\n" % LONG) * 2, "words": b"go\n",
                    "words.profile": b"compounds on\n"},
             program="unjam-names", args=["input.srt"])]

# A season from its folder: its .srt files in any case, in the order of
# their names, not a sub-folder's, not another file, not a hidden one (what
# macOS leaves beside each file); the repairs in `fixed` inside it.
IN_SEASON = "mkdir season && mv ep1.srt ep2.srt season/"
SEASON_FOLDER = ("season/EP3.SRT", "season/ep1.srt", "season/ep2.srt")
FOLDER_RUN = season_run(into="season/fixed", shown=SEASON_FOLDER, args=["season"])
# A stand-in for the browser's opener that records the page it is given.
OPENER = ("mkdir bin && printf '#!/bin/sh\\nrealpath --relative-to=. \"$1\" >opened.txt\\n' "
          ">bin/xdg-open && chmod +x bin/xdg-open")
FOLDER_REFUSED = dict(SEASON_REFUSED, args=["season"])
ROWS += [
    Row("season-folder", stderr=b"", files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        setup=[("bash", IN_SEASON + " && cp season/ep1.srt season/EP3.SRT && mkdir season/sub && "
                "cp season/ep1.srt season/sub/ep9.srt && cp season/ep1.srt season/._ep1.srt && "
                "echo notes >season/notes.txt")], **FOLDER_RUN),
    # Files by name without -o: `fixed` in their folder.
    Row("season-files-into-fixed", stderr=b"", files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        **season_run("ep1.srt", "ep2.srt", into="./fixed", args=["ep1.srt", "ep2.srt"])),
    # --open hands the page, by its absolute path, to xdg-open.
    Row("season-open", stderr=b"", files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        setup=[("bash", IN_SEASON + " && cp season/ep1.srt season/EP3.SRT && " + OPENER)],
        env={"PATH": "bin:/usr/bin:/bin"},
        **dict(FOLDER_RUN, args=["--open", "season"],
               made=dict(FOLDER_RUN["made"], **{"opened.txt": b"season/fixed/review.html\n"}))),
    # No opener: the repairs stand, the page is named, the status says it.
    Row("season-open-no-opener", stderr=b"Could not open the review page in a browser: "
        b"season/fixed/review.html: No such file or directory; open it yourself\n",
        files=season_files(ep1_srt=EPISODE, ep2_srt=EPISODE),
        setup=[("bash", IN_SEASON + " && cp season/ep1.srt season/EP3.SRT")],
        env={"PATH": "/nonexistent"}, **dict(FOLDER_RUN, args=["--open", "season"], status=1)),
    Row("season-folder-no-subtitles", stderr=b"No subtitle files in season: unjam-season repairs "
        b"the .srt files of a folder, not those of its sub-folders\n",
        setup=[("bash", "mkdir -p season/sub && mv ep1.srt season/sub/ && mv ep2.srt season/ep2.txt")],
        **FOLDER_REFUSED),
    Row("season-folder-missing", stderr=b"Could not read the folder: season: No such file or "
        b"directory\n", **FOLDER_REFUSED),
    Row("season-folder-unreadable", stderr=b"Could not read the folder: season: Permission denied\n",
        setup=[("mkdir", "season"), ("chmod000", "season")], unprivileged=True, **FOLDER_REFUSED),
    # A video dropped with its subtitles.
    Row("season-not-a-subtitle-file", stderr=b"Will not repair video.mkv: it is not a subtitle file "
        b"(.srt); give the folder of the subtitles, or their .srt files\n",
        setup=[("bash", "echo video >video.mkv")], **dict(SEASON_REFUSED, args=["ep1.srt", "video.mkv"])),
    Row("season-fixed-a-file", stderr=b"Will not write into season/fixed: it is not a folder\n",
        setup=[("bash", IN_SEASON + " && echo mine >season/fixed")], **FOLDER_REFUSED),
    # `fixed` that is the season's folder itself, or holds an input by a link.
    Row("season-fixed-is-the-folder", stderr=b"Will not write into the folder of an input: "
        b"season/fixed holds season/ep1.srt\n",
        setup=[("bash", IN_SEASON), ("symlink", "season/fixed", ".")], **FOLDER_REFUSED),
    Row("season-fixed-holds-an-input", stderr=b"Will not write over an input: season/fixed/ep2.srt "
        b"is the same file as season/ep2.srt\n",
        setup=[("bash", IN_SEASON + " && mkdir season/fixed"),
               ("hardlink", "season/fixed/ep2.srt", "season/ep2.srt")], **FOLDER_REFUSED),
    Row("season-folder-twice", stderr=b"One folder is given twice: season and ./season/\n",
        setup=[("bash", IN_SEASON)], **dict(SEASON_REFUSED, args=["season", "./season/"])),
    Row("season-folder-with-its-file", stderr=b"season/ep1.srt is in the folder season, which is "
        b"given too: give the folder or its files, not both\n",
        setup=[("bash", IN_SEASON)], **dict(SEASON_REFUSED, args=["season/ep1.srt", "season"])),
    Row("season-two-folders", stderr=b"The inputs are in more than one folder: season and other; "
        b"give one folder at a time, or -o DIR for the repairs\n",
        setup=[("bash", IN_SEASON + " && mkdir other && cp season/ep1.srt other/")],
        **dict(SEASON_REFUSED, args=["season", "other"])),
]
