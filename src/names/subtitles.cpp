#include "names/subtitles.h"

#include <string>

#include "driver/blockline.h"
#include "driver/linereader.h"
#include "driver/messages.h"
#include "names/sightings.h"

bool noteSubtitleFile(const char* path, bool warn) {
    InputFile in;
    if (!openReadableInput(in, path)) return false;
    std::string line;
    int blockLine = 0;
    bool sentenceOpen = false;
    while (readLine(in, line)) {
        if (isTextLine(line, blockLine))
            noteTextLine(line, sentenceOpen);
        else
            sentenceOpen = false;
    }
    closeInput(in);
    if (!warn) in.linesCut = 0;
    return !reportInputProblems(in, path);
}
