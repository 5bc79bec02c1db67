// Test helper: one top-level repairLine call with everything it leaves behind.
#pragma once

#include <cstdint>
#include <string>

struct Repair {
    std::string result;
    std::string messages;  // standard output during the call
    int64_t fixedRise;
    int64_t ofTheRise;
    bool fixed;
    std::string lineAfter;  // the caller's text after the call
};

// Repairs `line` as line number `number`, verbose.
Repair repairCaptured(const std::string& line, int64_t number = 42);
