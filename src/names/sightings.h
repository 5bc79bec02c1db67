// Capitalized words met in the text lines of subtitle files: how often, in
// which spellings, and whether ever inside a sentence. Case is ignored:
// "BRAMBLEBUM" and "Bramblebum", "ÉLOÏSE" and "Éloïse" are sightings of one
// word.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

struct Sighting {
    bool insideSentence = false;
    bool beforeApostrophe = false;         // ever directly followed by one ("Nothin'")
    std::map<std::string, int64_t> forms;  // each capitalized spelling met, how often
    int64_t lowercase = 0;                 // how often met in lower case
    int64_t sentenceStarts = 0;            // capitalized sightings that began a sentence
};

// By the word's lookup key (case folded, composed, UTF-8).
extern std::map<std::string, Sighting> sightings;

// Notes the words of one text line (UTF-8) that begin with a letter and are
// longer than one character, and the capitalized end of a lower-case word
// ("Busan" of "inBusan", a word that lost the space before it, inside a
// sentence). A speaker label ("FARHANA:" at the line's start, in capitals)
// is a name met inside a sentence; a new sentence follows it. Sound tags
// and actions are left out. `sentenceOpen` says whether a sentence is under
// way: false at the start of a block, carried from one text line of a
// block to the next.
void noteTextLine(const std::string& line, bool& sentenceOpen);

// The key a sighting is kept by.
std::string sightingKey(std::string_view word);
