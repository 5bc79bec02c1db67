// Words said together that lost the space between them ("dansla", "quenão",
// "pracasa"): a dialogue repeats them, so they recur as names do, but the
// repair should cut them. Only the list's counts tell them from a name that
// reads as listed words too ("Bramblebum" is "bramble" + "bum", both rare).
#pragma once

#include <string_view>

// True when the word (UTF-8) reads as two or more listed words of two
// letters or more that are each common: said at least once in every
// `commonShare` words. False without
// counts, and for a word longer than any such join.
bool readsAsCommonWords(std::string_view word);
