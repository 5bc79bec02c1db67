#include "driver/messages.h"
#include "driver/standardstreams.h"
#include "names/run.h"

int main(int argc, char** argv) {
    ensureStandardStreams();
    return runReportingOutOfMemory(runNames, argc, argv);
}
