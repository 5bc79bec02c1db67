#include "driver/messages.h"
#include "platform/platform.h"
#include "season/run.h"

int main(int argc, char** argv) {
    argv = argumentsInUtf8(argc, argv);
    ensureStandardStreams();
    // A reader that goes away (unjam-season ... | head) must not stop the repairs.
    ignoreBrokenPipes();
    return runReportingOutOfMemory(runSeason, argc, argv);
}
