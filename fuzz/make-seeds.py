#!/usr/bin/python3
"""Writes the seed corpus: lines that reach every repair rule for the
repairline harness, and small whole runs for the run harness."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

LINES = [
    b"What areyou doing?", b"AreYou", b"between", b"isitok", b"ofthe", b"OFTHE",
    b"oft", b"isofthe", b"wiill", b"thiisis", b"thewiill", b"boats", b"[music]",
    b"''quoted'' ``twice`` ''' '`", b"it's", b"abc123def", b"a\tb", b"hahahaha",
    b"Zorblax ween", b"iii", b"areyouthewiill", b"Ofthewe areyoureyou",
]

# words, words2 (None: absent), input
RUNS = [
    (b"are\nyou\n", None, b"1\n00:00\nareyou\n\n2\n00:01\nWhat areyou\n"),
    (b"the he\nis\n", b"Zorblax\n", b"1\r\n2\r\nofthe Zorblax\r\nisofthe\r\n"),
    (b"will this is\n", None, b"1\n2\nwiill thiisis\x00gone\n\x00\nx\x1aafter\n"),
    (b"you\nare\n", b"ween be\n", b"a\rb\n\n1\n2\n3\nbetween ''x''"),
    (b"", None, b""),
]


def escape(text):
    # The harness reads each list up to a backslash followed by another byte.
    return text.replace(b"\\", b"\\\\") + b"\\\n"


def run_seed(words, words2, text):
    data = escape(words)
    if words2 is not None:
        data += escape(words2)
    # The flag for words2 is taken from the last byte.
    return data + text + (b"\x01" if words2 is not None else b"\x00")


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


for k, line in enumerate(LINES):
    write("repairline", f"seed-{k:02}", line)
for k, run in enumerate(RUNS):
    write("run", f"seed-{k:02}", run_seed(*run))
