"""unjam's repair of a line, for a word list given as a set of lower-cased
words: the of-the rule, the split search with trials (longest listed left
piece first) and the doubled-i rule. tools/derive-wordlist checks it against
unjam on every line of the benchmark corpus. memo caches the repair of words
for one word list; pass a fresh dict when the list changes."""

SEPARATORS = set(" ,!?.-:'\"$%#/`&()<>")


def listed(words, text):
    return text[:1].isascii() and text[:1].isalpha() and text.lower() in words


def repair_word(words, memo, word):
    """(repaired text, whether a split was found) for a word of at least two
    characters: of-the rule, split search, doubled-i rule."""
    if word not in memo:
        memo[word] = search_word(words, memo, word)
    return memo[word]


def search_word(words, memo, word):
    if listed(words, word):
        return word, False
    if word[:3].lower() == "oft" and listed(words, word[2:]):
        return "of " + word[2:], False
    for p in range(len(word) - 1, 0, -1):  # longest left piece first
        if listed(words, word[:p]):
            right = word[p:]
            if listed(words, right):
                return word[:p] + " " + right, True
            if len(right) > 1:
                text, split = repair_word(words, memo, right)
                if split:
                    return word[:p] + " " + text, True
    at = word.find("ii")
    if at >= 0:
        shorter = word[:at] + word[at + 1:]
        if listed(words, shorter):
            return shorter, False
        if len(shorter) > 1:
            text, split = repair_word(words, memo, shorter)
            if split:
                return text, False
    return word, False


def is_word_byte(c):
    return c not in SEPARATORS and not c.isdigit()


def repair_line(words, memo, line):
    out, i, n = [], 0, len(line)
    while i < n:
        j = i
        while j < n and is_word_byte(line[j]):
            j += 1
        if j - i == 1:
            out.append(line[i])
        elif j > i:
            out.append(repair_word(words, memo, line[i:j])[0])
        i = j
        while i < n and not is_word_byte(line[i]):
            if line[i] in "'`" and i + 1 < n and line[i + 1] == line[i]:
                out.append('"')
                i += 2
            else:
                out.append(line[i])
                i += 1
    return "".join(out)
