#include "driver/blockline.h"

bool isTextLine(const std::string& line, int& blockLine) {
    if (line.empty()) {
        blockLine = 0;
        return false;
    }
    return ++blockLine >= 3;
}
