#pragma once

// One whole run of `unjam-season [-o DIR] FOLDER|in.srt...`. Returns the exit status;
// a refusal or a fatal failure before the first repair ends the process
// itself, before anything is written.
int runSeason(int argc, char** argv);
