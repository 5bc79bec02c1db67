// Writes the review page of several files, as the season command does:
//   multipage BEFORE AFTER LOG [BEFORE AFTER LOG...] [-- NAME...] > page.html
// An empty LOG is none.
#include <cstdio>
#include <string>
#include <vector>

#include "review/reviewpage.h"

int main(int argc, char** argv) {
    std::vector<ReviewFile> files;
    std::vector<std::string> names;
    int k = 1;
    for (; k + 2 < argc && std::string(argv[k]) != "--"; k += 3)
        files.push_back(ReviewFile{argv[k], argv[k + 1], argv[k + 2]});
    for (k += 1; k < argc; ++k)
        names.emplace_back(argv[k]);
    std::string error;
    if (writeReviewPage(files, names, stdout, error)) return 0;
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
}
