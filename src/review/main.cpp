#include "driver/messages.h"
#include "driver/standardstreams.h"
#include "review/run.h"

int main(int argc, char** argv) {
    ensureStandardStreams();
    return runReportingOutOfMemory(runReview, argc, argv);
}
