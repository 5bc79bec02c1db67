// What unjam-season repairs: the files given by name and the subtitle
// files of each folder given; and where the repairs go when no -o names a
// folder for them.
#pragma once

#include <string>

#include "season/options.h"

// The folder made in the inputs' folder for the repairs when -o is not
// given: beside the inputs, never over them.
inline constexpr const char* fixedFolderName = "fixed";

// Whether `name` is a subtitle file's: it ends in .srt, in any case.
bool isSubtitleName(const std::string& name);

// Replaces each folder of options.files by its subtitle files, by the order
// of their names, and when options.folder is empty sets it to `fixed` in
// the inputs' folder. Ends the process with a message and status 1, before
// anything is written, when a folder cannot be read or holds no subtitle
// file, a folder is given twice or with files of its own, or without -o
// the inputs are in more than one folder or a file given is no subtitle
// file (a video dropped with its subtitles).
void gatherInputs(SeasonOptions& options);
