#include "driver/blockline.h"

bool isTextLine(std::string_view line, int& blockLine) {
    if (line.empty()) {
        blockLine = 0;
        return false;
    }
    return ++blockLine >= 3;
}
