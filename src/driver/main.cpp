#include "driver/messages.h"
#include "driver/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    argv = argumentsInUtf8(argc, argv);
    ensureStandardStreams();
    // A reader that goes away (unjam ... | head) must not stop the repair.
    ignoreBrokenPipes();
    return runReportingOutOfMemory(runUnjam, argc, argv);
}
