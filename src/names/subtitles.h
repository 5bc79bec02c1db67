// Reading a subtitle file's text lines into the sightings.
#pragma once

// Notes the sightings of the text lines of the file at `path`. Reports on
// standard error a file that cannot be opened or read (false), and, when
// `warn` is set, lines that a NUL cut short.
bool noteSubtitleFile(const char* path, bool warn);
