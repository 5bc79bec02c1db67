// A subtitle file and its repair, checked to be one, as the page's data.
#pragma once

#include <string>

#include "review/reviewpage.h"

// Appends the JSON object of one file to `json`: its repaired bytes, every
// changed line with its changes and messages, and the unchanged lines that
// hold words not found. False with `error` set when the files cannot be
// read, are no repair of each other, or the log is not of their run.
bool appendFileData(const ReviewFile& file, std::string& json, std::string& error);
