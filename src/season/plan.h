// Where unjam-season writes: each input's repair under its own file name
// in the output folder, its messages beside it, the proposed names in
// names.txt, the page to review it all in review.html; and the refusals
// that keep those writes from destroying anything.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* namesFileName = "names.txt";
inline constexpr const char* reviewPageName = "review.html";
// Held by a run while it writes into its folder, so that no other run mixes its files in.
inline constexpr const char* lockFileName = ".unjam-season.lock";

// NAME with a final ".srt" (any case) replaced by ".log", or ".log" added.
std::string logNameFor(const std::string& name);
// The folder of the file `path`, as written: `.` for a bare name.
std::string folderOf(const std::string& path);
// `name` inside `folder`, as the user wrote the folder.
std::string inFolder(const std::string& folder, const std::string& name);
// Where the file `path` is written before it takes that name in one step,
// so that a link of that name is replaced and never written through, and an
// interrupted run leaves no half-written file under it.
std::string partialName(const std::string& path);

// A word list and the name to show for it.
struct NamedList {
    std::string path;
    std::string shown;
};

// Ends the process with a message and status 1 when the run would write
// one file twice, into an input's own folder, over an input or over a word
// list, or into an output folder that is a file or a link to a missing one;
// or when an input is not a regular file (a pipe could be read only once,
// or never end) or two inputs are one file. Nothing is written before.
void refuseUnsafePlan(const std::string& folder, const std::vector<std::string>& inputs,
                      bool namesFile, const std::vector<NamedList>& lists);
