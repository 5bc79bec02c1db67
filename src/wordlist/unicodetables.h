// The Unicode Character Database as characters.cpp reads it: tables that
// tools/make-unicode-tables generates into unicodetables.cpp. Every table is
// sorted by code point.
#pragma once

#include <cstddef>
#include <cstdint>

// The class of each ASCII character (the values of CharClass).
extern const uint8_t asciiClassTable[128];

// Runs of one class: code point << 3 | class (the values of CharClass), one
// entry where the class changes, the first at U+0000.
extern const uint32_t classRuns[];
extern const size_t classRunCount;

// Runs of one canonical combining class: code point << 8 | class.
extern const uint32_t combiningRuns[];
extern const size_t combiningRunCount;

// Canonical decompositions, one level: `code` is `first` followed by
// `second` (0: a singleton). `excluded`: never composed again.
struct Decomposition {
    uint32_t code, first, second;
    bool excluded;
};
extern const Decomposition decompositions[];
extern const size_t decompositionCount;

// Case folding to one code point: `count` codes from `first`, `stride`
// apart, each folded to itself plus `delta`.
struct SimpleFold {
    uint32_t first;
    int32_t count, stride, delta;
};
extern const SimpleFold simpleFolds[];
extern const size_t simpleFoldCount;

// Case folding to two or three code points (ß to ss); 0 ends a shorter one.
struct FullFold {
    uint32_t code;
    uint32_t to[3];
};
extern const FullFold fullFolds[];
extern const size_t fullFoldCount;
