// A subtitle file and its repair, checked to be one, as the page's data.
#pragma once

#include <string>

#include "review/namespots.h"
#include "review/reviewpage.h"

// Appends the JSON object of one file to `json`: its repaired bytes, every
// changed line with its changes, their other readings and messages (and
// the words that hold a name of `names` which the lists alone repair
// otherwise), and the unchanged lines that hold words not found. False with
// `error` set when the files cannot be read, are no repair of each other,
// or the log is not of their run.
bool appendFileData(const ReviewFile& file, const PageNames& names, std::string& json,
                    std::string& error);
