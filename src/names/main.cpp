#include "driver/messages.h"
#include "names/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    argv = argumentsInUtf8(argc, argv);
    ensureStandardStreams();
    return runReportingOutOfMemory(runNames, argc, argv);
}
