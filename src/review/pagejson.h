// The page's data is JSON inside a <script> element. Texts are byte strings
// (one character per byte, 0 to 255), so that a download can give back
// exactly the file's bytes whatever its encoding; the page decodes them for
// display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appends `bytes` as a JSON string; '<' is escaped too, so that no text
// can end the script element that holds the data (nor begin "<!--" in it). A byte
// beyond ASCII is the character of its value, written in UTF-8 (the page's
// encoding), so that the data of a text in any language stays small.
void appendByteString(std::string& json, std::string_view bytes);
// Appends `"key":` before a value.
void appendKey(std::string& json, const char* key);
void appendNumber(std::string& json, int64_t number);
