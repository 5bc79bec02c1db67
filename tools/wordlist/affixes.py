"""Every word form that a Hunspell dictionary accepts, expanded from its
.dic and .aff files, for the dictionaries that unmunch cannot expand
(French: two-letter flags, suffixes that carry flags of their own) or
expands into too much (every Italian clitic chain behind every elision).

Only forms without an apostrophe are wanted, as unjam cuts a word there:
an affix that writes an apostrophe (the French elisions l' d' qu') is never
applied. A stem is expanded by each of its suffixes, by a suffix that a
suffix carries (one more level, as Hunspell allows), and by its prefixes,
alone and across each suffix when both allow it. A stem or affix marked as
needing an affix is no word alone; a forbidden stem gives nothing.
"""

import re
import unicodedata


def _flag_reader(kind):
    if kind == "long":
        return lambda text: [text[i:i + 2] for i in range(0, len(text) - 1, 2)]
    if kind == "num":
        return lambda text: [f for f in text.split(",") if f]
    return list  # one character each (UTF-8 or the default)


class Affix:
    def __init__(self, strip, add, flags, condition, suffix):
        self.strip, self.add, self.flags = strip, add, set(flags)
        pattern = condition if condition != "." else ""
        self.condition = re.compile(("(?:%s)$" if suffix else "^(?:%s)") % pattern)
        self.suffix = suffix

    def apply(self, word):
        """The word with the affix, or None where it does not apply."""
        if self.suffix:
            if not word.endswith(self.strip) or not self.condition.search(word):
                return None
            return word[:len(word) - len(self.strip)] + self.add
        if not word.startswith(self.strip) or not self.condition.search(word):
            return None
        return self.add + word[len(self.strip):]


class Dictionary:
    def __init__(self, aff_path, dic_path):
        self.suffixes, self.prefixes, self.cross = {}, {}, {}
        self.need_affix = self.forbidden = self.circumfix = None
        flags_of = list
        with open(aff_path, encoding="utf-8", errors="replace") as f:
            lines = [line.split() for line in f]
        for fields in lines:
            if len(fields) >= 2 and fields[0] == "FLAG":
                flags_of = _flag_reader(fields[1])
        self.flags_of = flags_of
        for fields in lines:
            if not fields or fields[0].startswith("#"):
                continue
            name = fields[0]
            if name == "NEEDAFFIX" and len(fields) > 1:
                self.need_affix = fields[1]
            elif name == "FORBIDDENWORD" and len(fields) > 1:
                self.forbidden = fields[1]
            elif name == "CIRCUMFIX" and len(fields) > 1:
                self.circumfix = fields[1]
            elif name in ("PFX", "SFX") and len(fields) == 4 and fields[3].isdigit():
                self.cross[fields[1]] = fields[2] == "Y"
            elif name in ("PFX", "SFX") and len(fields) >= 5:
                flag, strip, add, condition = fields[1:5]
                add, _, carried = add.partition("/")
                affix = Affix("" if strip == "0" else strip, "" if add == "0" else add,
                              flags_of(carried), condition, name == "SFX")
                table = self.suffixes if name == "SFX" else self.prefixes
                table.setdefault(flag, []).append(affix)
        self.stems = []
        with open(dic_path, encoding="utf-8", errors="replace") as f:
            next(f, None)  # the count
            for line in f:
                entry = line.split(None, 1)[0] if line.strip() else ""
                word, _, flags = re.sub(r"\\/", "\x00", entry).partition("/")
                if word:
                    self.stems.append((word.replace("\x00", "/"), set(flags_of(flags))))

    def _alone(self, flags):
        return self.need_affix not in flags and self.circumfix not in flags

    def _suffixed(self, word, flags):
        """(form, flags it carries) for each suffix of the flags, and for each
        suffix that such a suffix carries."""
        for flag in flags:
            for affix in self.suffixes.get(flag, ()):
                form = affix.apply(word)
                if form is None:
                    continue
                yield form, affix.flags, flag
                for inner in affix.flags:
                    for second in self.suffixes.get(inner, ()):
                        twice = second.apply(form)
                        if twice is not None:
                            yield twice, second.flags, flag

    def forms(self, word, flags):
        if self.forbidden in flags:
            return
        if self._alone(flags):
            yield word
        prefixes = [(f, a) for f in flags for a in self.prefixes.get(f, ())
                    if "'" not in a.add and "\u2019" not in a.add]
        for form, carried, flag in self._suffixed(word, flags):
            if self._alone(carried):
                yield form
            for pflag, prefix in prefixes:
                if self.cross.get(pflag) and self.cross.get(flag) and self._alone(prefix.flags):
                    both = prefix.apply(form)
                    if both is not None:
                        yield both
        for _, prefix in prefixes:
            if self._alone(prefix.flags):
                form = prefix.apply(word)
                if form is not None:
                    yield form

    def words(self):
        """Every accepted form, composed (NFC), once."""
        seen = set()
        for word, flags in self.stems:
            for form in self.forms(word, flags):
                form = unicodedata.normalize("NFC", form)
                if form not in seen:
                    seen.add(form)
                    yield form
