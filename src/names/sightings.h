// Capitalized words met in the text lines of subtitle files: how often, in
// which spellings, and whether ever inside a sentence. ASCII case is
// ignored: "BRAMBLEBUM" and "Bramblebum" are sightings of one word.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

struct Sighting {
    bool insideSentence = false;
    std::map<std::string, int64_t> forms;  // each capitalized spelling met, how often
    int64_t lowercase = 0;                 // how often met in lower case
    int64_t sentenceStarts = 0;            // capitalized sightings that began a sentence
};

// By the word with A-Z folded to a-z.
extern std::map<std::string, Sighting> sightings;

// Notes the words of one text line that begin with A-Z and are longer than
// one byte, and the capitalized end of a lower-case word ("Busan" of
// "inBusan", a word that lost the space before it, inside a sentence). `sentenceOpen` says whether
// a sentence is under way: false at the start of a block, carried from one text line of a block to
// the next.
void noteTextLine(const std::string& line, bool& sentenceOpen);

// The word with A-Z folded to a-z.
std::string lowerAscii(std::string_view word);
