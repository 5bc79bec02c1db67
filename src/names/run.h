#pragma once

// One whole run of `unjam-names in.srt...`. Returns the exit status; a fatal
// failure ends the process itself, before anything is written to standard
// output.
int runNames(int argc, char** argv);
