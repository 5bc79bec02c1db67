#include "names/subtitles.h"

#include <string>

#include "driver/blockline.h"
#include "driver/linereader.h"
#include "driver/messages.h"
#include "names/sightings.h"
#include "wordlist/characters.h"

bool noteSubtitleFile(const char* path, bool warn) {
    InputFile in;
    if (!openReadableInput(in, path)) return false;
    std::string line;
    int blockLine = 0;
    bool sentenceOpen = false;
    while (readLine(in, line)) {
        if (isTextLine(line, blockLine))
            // Read as its encoding says; the names are printed in UTF-8.
            noteTextLine(toUtf8(line, encodingOfLine(line)), sentenceOpen);
        else
            sentenceOpen = false;
    }
    closeInput(in);
    if (!warn) in.linesCut = in.endOfTextLine = 0;
    return !reportInputProblems(in, path);
}
