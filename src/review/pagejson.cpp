#include "review/pagejson.h"

void appendByteString(std::string& json, std::string_view bytes) {
    static const char hex[] = "0123456789abcdef";
    json.push_back('"');
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {  // U+0080 to U+00FF in UTF-8: two bytes, not six
            json.push_back(static_cast<char>(0xc0 | byte >> 6));
            json.push_back(static_cast<char>(0x80 | (byte & 0x3f)));
        } else if (c == '\n' || c == '\r') {  // every line ends so: two bytes, not six
            json.push_back('\\');
            json.push_back(c == '\n' ? 'n' : 'r');
        } else if (byte < 0x20 || byte == 0x7f || c == '<') {
            json += "\\u00";
            json.push_back(hex[byte >> 4]);
            json.push_back(hex[byte & 15]);
        } else {
            if (c == '"' || c == '\\') json.push_back('\\');
            json.push_back(c);
        }
    }
    json.push_back('"');
}

void appendKey(std::string& json, const char* key) {
    json.push_back('"');
    json += key;
    json += "\":";
}

void appendNumber(std::string& json, int64_t number) {
    json += std::to_string(number);
}
