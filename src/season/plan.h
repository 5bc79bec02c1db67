// Where unjam-season writes: each input's repair under its own file name
// in the output folder, its messages beside it, the proposed names in
// names.txt, the page to review it all in review.html; and the refusals
// that keep those writes from destroying anything.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* namesFileName = "names.txt";
inline constexpr const char* reviewPageName = "review.html";

// NAME with a final ".srt" (any case) replaced by ".log", or ".log" added.
std::string logNameFor(const std::string& name);
// `name` inside `folder`, as the user wrote the folder.
std::string inFolder(const std::string& folder, const std::string& name);

// A word list and the name to show for it.
struct NamedList {
    std::string path;
    std::string shown;
};

// Ends the process with a message and status 1 when the run would write
// one file twice, into an input's own folder, over an input or over a word
// list, or into an output folder that is a file. Nothing is written before.
void refuseUnsafePlan(const std::string& folder, const std::vector<std::string>& inputs,
                      bool namesFile, const std::vector<NamedList>& lists);
