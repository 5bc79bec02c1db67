#pragma once

// One whole run of the program: `unjam in.srt out.srt`. Returns the exit
// status; a fatal failure before the line loop ends the process itself.
int runUnjam(int argc, char** argv);
