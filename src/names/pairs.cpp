#include "names/pairs.h"

#include "names/sightings.h"

std::map<std::string, int64_t> spacedPairs;

void noteSpacedPair(std::string_view left, std::string_view right) {
    std::string joined(left);
    joined += right;
    ++spacedPairs[lowerAscii(joined)];
}

int64_t timesSpaced(const std::string& word) {
    auto found = spacedPairs.find(word);
    return found == spacedPairs.end() ? 0 : found->second;
}
