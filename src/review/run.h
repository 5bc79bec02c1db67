#pragma once

// One whole run of `unjam-review BEFORE AFTER [LOG]`. Returns the exit status.
int runReview(int argc, char** argv);
