// Run counters, process-wide and never reset.
#pragma once

#include <cstdint>

// Number of the input line under repair (1-based); heads every diagnostic.
extern int64_t lineNumber;
// Every first split of a word, at any depth of the search, plus every of-the rewrite.
extern int64_t fixedCount;
// Of-the rewrites whose rest after "oft" is itself a word ("ofthe": "he").
extern int64_t ofTheCount;
