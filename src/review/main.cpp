#include "driver/messages.h"
#include "platform/platform.h"
#include "review/run.h"

int main(int argc, char** argv) {
    argv = argumentsInUtf8(argc, argv);
    // The page goes to standard output: with none, it would go nowhere.
    if (!ensureStandardStreams()) {
        complain("Could not write the page: standard output is closed");
        return 1;
    }
    return runReportingOutOfMemory(runReview, argc, argv);
}
