#include "season/seasonpage.h"

#include <cerrno>
#include <cstring>

#include "driver/messages.h"
#include "platform/platform.h"
#include "review/reviewpage.h"
#include "season/lists.h"

bool writeSeasonPage(const std::string& path, const std::vector<SeasonFile>& files,
                     const PageNames& names, bool& complete) {
    std::vector<ReviewFile> shown;
    std::vector<SkippedFile> skipped;
    for (const SeasonFile& file : files) {
        if (file.repaired)
            shown.push_back(ReviewFile{file.input, file.output, file.log});
        else
            skipped.push_back(SkippedFile{file.input, file.outcome});
    }
    std::string page, error;
    std::vector<SkippedFile> leftOff;
    if (!makeReviewPage(shown, skipped, names, page, error, &leftOff)) {
        error = "Could not make the review page: " + error;
    } else if (!writeTextFile(path, page)) {
        error = "Could not write the review page: " + path + ": " + std::strerror(errno);
    } else {
        // The page stands without a file it cannot show, which it names.
        for (const SkippedFile& file : leftOff)
            complain("Left off the review page: " + file.reason);
        complete = leftOff.empty();
        return true;
    }
    complain(error);
    removeFile(path.c_str());  // never a folder of that name
    return false;
}
