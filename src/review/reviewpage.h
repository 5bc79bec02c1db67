// The review page: one self-contained HTML file that shows the changes of
// one or more repaired subtitle files, lets the user undo any of them and
// downloads each file as reviewed.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "review/namespots.h"

struct ReviewFile {
    std::string beforePath;  // the subtitle file as it was
    std::string afterPath;   // unjam's repair of it, whose name the download takes
    std::string logPath;     // unjam's standard output of that run; empty: none
};

// A file of the run that has no repair to show, and why.
struct SkippedFile {
    std::string name;
    std::string reason;
};

// The page for `files`, naming the `skipped` ones; the names proposed for
// `words2` get a list of their own when there are any. False with `error`
// set when a file is refused; with `leftOff`, a refused file is named among
// the skipped instead, and added there with the reason.
bool makeReviewPage(const std::vector<ReviewFile>& files, const std::vector<SkippedFile>& skipped,
                    const PageNames& names, std::string& page, std::string& error,
                    std::vector<SkippedFile>* leftOff = nullptr);
// Writes that page to `out`; false with `error` set also when it cannot.
bool writeReviewPage(const std::vector<ReviewFile>& files, const PageNames& names, std::FILE* out,
                     std::string& error);
