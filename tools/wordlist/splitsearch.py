"""unjam's repair of a line, for a word list given as a set of lower-cased
words: markup and links copied as they stand, spoken forms with a dropped g
kept (alone or ending a join), contraction endings split off, the of-the
rule, the split search with trials (longest listed left piece first) and the doubled-i rule. tools/derive-wordlist checks it against
unjam on every line of the benchmark corpus. memo caches the repair of words
for one word list; pass a fresh dict when the list changes. Text is str:
characters, whatever encoding the file had."""

import math
import unicodedata

# As src/wordlist/characters.h has them: ' and the typographic apostrophes.
APOSTROPHES = "'\u2019\u2018\u02bc"

# As src/repair/verbatim.cpp has them; it says why.
TOP_LEVEL_DOMAINS = {"com", "net", "org", "edu", "gov", "mil", "info", "biz", "io", "tv", "co",
                     "uk", "ru", "de", "fr", "pl", "ro", "nl", "cz", "gr", "br", "ca", "au",
                     "jp", "cn"}


def ascii_lower(text):
    return "".join(chr(ord(c) + 32) if "A" <= c <= "Z" else c for c in text)


def is_link(run):
    if "://" in run or (len(run) > 4 and ascii_lower(run[:4]) == "www."):
        return True
    at = run.find("@")
    if at > 0 and run.find(".", at + 2) >= 0:
        return True
    dot = run.rfind(".")
    return dot > 0 and ascii_lower(run[dot + 1:]) in TOP_LEVEL_DOMAINS


def is_ascii_word_end(c):
    return c.isascii() and (c == "\t" or unicodedata.category(c)[0] in "PSZ")


def is_wide_word_end(c):
    """A word end beyond ASCII (a curly quote, the ellipsis, a no-break
    space): it ends a run as a blank does."""
    return not c.isascii() and (c in APOSTROPHES or unicodedata.category(c)[0] in "PSZ")


def is_handle(run):
    return len(run) > 1 and run[0] in "@#" and unicodedata.category(run[1]).startswith("L")


def link_at(text, at):
    end = at
    while end < len(text) and text[end] not in " \t'<{" and not is_wide_word_end(text[end]):
        end += 1
    start, stop = at, end
    while start < stop and is_ascii_word_end(text[start]) and text[start] not in "@#":
        start += 1
    while stop > start and is_ascii_word_end(text[stop - 1]):
        stop -= 1
    run = text[start:stop]
    return (start, stop) if is_handle(run) or is_link(run) else None


def is_tag(text, start, close):
    k = start + 1 + (text[start + 1] == "/")
    while k < close and (text[k].isascii() and text[k].isalnum() or text[k] in ".-_:"):
        k += 1
    name_end = k
    while k < close and text[k] in " \t/":
        k += 1
    return k == close or (text[name_end] in " \t" and "=" in text[k:close])


def verbatim_spans(text):
    """The (from, to) of the markup tags, override blocks and links of a
    line, which unjam copies as they stand."""
    spans, i, run_start = [], 0, True
    while i < len(text):
        if run_start:
            run_start = False
            link = link_at(text, i)
            if link:
                spans.append(link)
                i = link[1]
                continue
        after = text[i + 1:i + 2]
        close = -1
        if text[i] == "<" and (after == "/" or after.isascii() and after.isalpha()):
            close = text.find(">", i + 2)
            if close >= 0 and not is_tag(text, i, close):
                close = -1
        elif text[i] == "{" and after == "\\":
            close = text.find("}", i + 2)
        if close >= 0:
            spans.append((i, close + 1))
            i = close + 1
            run_start = True
            continue
        run_start = text[i] in " \t'" or is_wide_word_end(text[i])
        i += 1
    return spans


def key(text):
    """What unjam looks a word up by: ASCII lower-cased, anything else case
    folded and composed."""
    if text.isascii():
        return text.lower()
    folded = unicodedata.normalize("NFD", text).casefold()
    return unicodedata.normalize("NFC", folded)


def starts_with_letter(text):
    return text[:1] != "" and unicodedata.category(text[0]).startswith("L") and \
        text[0] not in APOSTROPHES


def listed(words, text):
    return starts_with_letter(text) and key(text) in words


# The case forms of the listed spellings, {key: bits}, where the list's
# profile says "case-rule on" (src/wordlist/caseforms.h); None: off.
SMALL, CAPITAL, MIXED = 1, 2, 4
CASE_FORMS = None


def case_form(text):
    """The case form of a word, as caseFormOf has it: mixed when a capital
    follows a small letter, else as its first letter is written."""
    first, small_seen = None, False
    for c in text:
        capital = unicodedata.category(c) in ("Lu", "Lt")
        if not capital and not unicodedata.category(c).startswith("L"):
            continue
        if capital and small_seen:
            return MIXED
        if first is None:
            first = capital
        small_seen = small_seen or not capital
    return CAPITAL if first else SMALL


def set_case_forms(spellings):
    """Turns the case rule on for a list of these spellings (any iterable),
    or off with None."""
    global CASE_FORMS
    if spellings is None:
        CASE_FORMS = None
        return
    CASE_FORMS = {}
    for spelling in spellings:
        CASE_FORMS[key(spelling)] = CASE_FORMS.get(key(spelling), 0) | case_form(spelling)


def fits(words, piece):
    """A listed piece written in a case that its listed spellings allow: one
    written capitalized may stand for any, one written small only for a word
    listed small, one written mixed only for one listed mixed."""
    if not listed(words, piece):
        return False
    if CASE_FORMS is None:
        return True
    written = case_form(piece)
    return written == CAPITAL or bool(CASE_FORMS.get(key(piece), 0) & written)


# As src/repair/contractions.cpp has them; it says why.
CONTRACTION_ENDINGS = ("ll", "re", "ve", "t", "s", "m", "d")


def contraction_ending(word):
    """The length of the contraction ending the word begins with, or 0."""
    capitals = all(unicodedata.category(c) in ("Lu", "Lt") for c in word
                   if unicodedata.category(c).startswith("L"))
    for ending in CONTRACTION_ENDINGS:
        if word.startswith(ending.upper() if capitals else ending):
            return len(ending)
    return 0


def holds(words, piece, before_apostrophe):
    return fits(words, piece) or (before_apostrophe and is_dropped_g(words, piece, "'"))


def repair_word(words, memo, word, before_apostrophe=False, top=False):
    """(repaired text, whether a split was found) for a word of at least two
    characters: of-the rule, split search, doubled-i rule. `top`: a word of
    the text, not a trial's piece."""
    key = (word, before_apostrophe, top)
    if key not in memo:
        memo[key] = search_word(words, memo, word, before_apostrophe, top)
    return memo[key]


def split_rest(words, memo, rest, before_apostrophe):
    """The right piece of a split, as it is appended, or None."""
    if holds(words, rest, before_apostrophe):
        return rest
    if characters(rest) > 1:
        text, split = repair_word(words, memo, rest, before_apostrophe)
        if split:
            return text
    return None


def split_contraction(words, memo, word, before_apostrophe):
    at = contraction_ending(word)
    if 0 < at < len(word) and not unicodedata.category(word[at]).startswith("M") and \
            not listed(words, word):
        rest = split_rest(words, memo, word[at:], before_apostrophe)
        if rest is not None:
            return word[:at] + " " + rest
    return None


def word_before_apostrophe(line, start, begin):
    """The letters before the apostrophe behind line[start]."""
    end = at = start - 1
    while at > begin and unicodedata.category(line[at - 1])[0] in "LM":
        at -= 1
    return line[at:end]


def split_listed_ending(words, line, start, begin, word):
    """A listed word behind a contraction of a listed word of two letters or
    more, split after its ending when the rest is likelier, as unjam does
    with counts; None otherwise."""
    if COUNTS is None or not listed(words, word):
        return None
    contracted = word_before_apostrophe(line, start, begin)
    if characters(contracted) < 2 or not listed(words, contracted):
        return None
    at = contraction_ending(word)
    if 0 < at < len(word) and not unicodedata.category(word[at]).startswith("M") and \
            fits(words, word[at:]) and reading_score(word[at:]) > reading_score(word):
        return word[:at] + " " + word[at:]
    return None


# The list's counts, as unjam reads words.counts: {key: count} of the listed
# words, and the log of their sum plus one. None: the longest listed first
# piece wins, as for a list without counts.
COUNTS = None
LOG_TOTAL = 0.0
PIECE_COST = 1.0  # as src/wordlist/counts.cpp has it
# An unlisted word of n characters scores UNLISTED_SHARE - UNLISTED_COST * n
# (src/wordlist/counts.cpp, the English profile's unlisted-cost).
UNLISTED_SHARE = -3.0
UNLISTED_COST = 3.5


def set_counts(counts, words):
    """Weighs readings with `counts` ({key: count}, any words) restricted to
    the listed `words`, as unjam does with a counts file of those words."""
    global COUNTS, LOG_TOTAL
    COUNTS = {k: counts[k] for k in words if counts.get(k)}
    LOG_TOTAL = math.log(sum(COUNTS.values()) + 1)


def reading_score(text):
    return sum(math.log(COUNTS.get(key(piece), 0) + 0.5) - LOG_TOTAL - PIECE_COST
               for piece in text.split(" ") if piece)


def search_word(words, memo, word, before_apostrophe=False, top=False):
    # A word of the text is kept in any case its list holds it; a trial's
    # piece only in a case that fits.
    if listed(words, word) if top else fits(words, word):
        return word, False
    if word[:3].lower() == "oft" and listed(words, word[2:]):
        # Weighing readings, a trial's rewrite is a reading, as in unjam.
        return "of " + word[2:], COUNTS is not None
    best, best_score = None, 0.0
    for p in range(len(word) - 1, 0, -1):  # longest left piece first
        if unicodedata.category(word[p]).startswith("M"):
            continue  # a combining mark stays with its letter
        if fits(words, word[:p]):
            rest = split_rest(words, memo, word[p:], before_apostrophe)
            if rest is not None:
                reading = word[:p] + " " + rest
                if COUNTS is None:
                    return reading, True
                score = reading_score(reading)
                if best is None or score > best_score:
                    best, best_score = reading, score
    if best is not None and not (top and best_score < UNLISTED_SHARE - UNLISTED_COST * len(word)):
        return best, True
    at = word.find("ii")
    if at >= 0:
        shorter = word[:at] + word[at + 1:]
        if listed(words, shorter):
            return shorter, False
        if characters(shorter) > 1:
            if before_apostrophe and is_dropped_g(words, shorter, "'"):
                return word, False
            text, split = repair_word(words, memo, shorter, before_apostrophe)
            if split:
                return text, False
    return word, False


def is_word_byte(c):
    """Punctuation, symbols, spaces (P, S, Z), the tab, apostrophes and
    numbers (N) end a word."""
    return not (c == "\t" or c in APOSTROPHES or unicodedata.category(c)[0] in "PSZN")


def is_dropped_g(words, word, behind):
    """A spoken form such as "nothin'", which unjam keeps whole."""
    return (behind != "" and behind in APOSTROPHES and len(word) > 2 and
            starts_with_letter(word) and ascii_lower(word[-2:]) == "in" and
            listed(words, word + "g"))


def characters(word):
    """Characters of a word, a combining mark counted with its letter."""
    return sum(not unicodedata.category(c).startswith("M") for c in word)


def follows_contraction(line, start, begin):
    """A word at line[start] directly behind a letter and an apostrophe."""
    return (start - 2 >= begin and line[start - 1] in APOSTROPHES and
            unicodedata.category(line[start - 2])[0] in "LM")


def in_capitals(word):
    letters = [c for c in word if unicodedata.category(c).startswith("L")]
    return len(letters) >= 2 and all(unicodedata.category(c) in ("Lu", "Lt") for c in letters)


def is_speaker_label(line, begin, i, j, at_line_start):
    """A word in capitals and a colon with nothing but blanks and dashes (and
    markup) before it on its line, as src/repair/verbatim.h has it."""
    return (at_line_start and line[begin:i].strip(" -") == "" and line[j:j + 1] == ":"
            and in_capitals(line[i:j]))


def repair_text(words, memo, line, i, n, out, at_line_start=False):
    begin = i
    while i < n:
        j = i
        while j < n and is_word_byte(line[j]):
            j += 1
        if j > i and (characters(line[i:j]) == 1
                      or is_speaker_label(line[:n], begin, i, j, at_line_start)):
            out.append(line[i:j])
        elif j > i:
            word = line[i:j]
            before = j < n and line[j] in APOSTROPHES
            after = follows_contraction(line, i, begin)
            if (before and is_dropped_g(words, word, "'")
                    or after and contraction_ending(word) == len(word)):
                out.append(word)
            else:
                split = None
                if after:
                    split = (split_listed_ending(words, line, i, begin, word)
                             or split_contraction(words, memo, word, before))
                out.append(split or repair_word(words, memo, word, before, True)[0])
        i = j
        while i < n and not is_word_byte(line[i]):
            if line[i] in "'`" and i + 1 < n and line[i + 1] == line[i]:
                out.append('"')
                i += 2
            else:
                out.append(line[i])
                i += 1


def repair_line(words, memo, line):
    out, i, at_line_start = [], 0, True
    for start, stop in verbatim_spans(line):
        repair_text(words, memo, line, i, start, out, at_line_start)
        at_line_start = at_line_start and line[i:start].strip(" -") == ""
        out.append(line[start:stop])
        i = stop
    repair_text(words, memo, line, i, len(line), out, at_line_start)
    return "".join(out)
