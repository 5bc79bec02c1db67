#include "driver/messages.h"
#include "platform/platform.h"
#include "review/run.h"

int main(int argc, char** argv) {
    argv = argumentsInUtf8(argc, argv);
    ensureStandardStreams();
    return runReportingOutOfMemory(runReview, argc, argv);
}
