#include "review/run.h"

#include <cstdio>
#include <string>

#include "driver/messages.h"
#include "review/reviewpage.h"

namespace {

const char* const usageText[] = {
    "Usage: unjam-review before.srt after.srt [log.txt] > review.html",
    " Writes a web page that shows every change unjam made to before.srt",
    " (after.srt is its output, log.txt its standard output), lets you undo",
    " any of them and downloads the file as reviewed.",
};

}  // namespace

int runReview(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        for (const char* line : usageText)
            complain(line);
        return 1;
    }
    ReviewFile file{argv[1], argv[2], argc == 4 ? argv[3] : ""};
    std::string error;
    if (writeReviewPage({file}, {}, stdout, error)) return 0;
    complain(error);
    return 1;
}
