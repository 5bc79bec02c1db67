#include <csignal>

#include "driver/messages.h"
#include "driver/run.h"
#include "driver/standardstreams.h"

int main(int argc, char** argv) {
    ensureStandardStreams();
    // A reader that goes away (unjam ... | head) must not stop the repair.
    std::signal(SIGPIPE, SIG_IGN);
    return runReportingOutOfMemory(runUnjam, argc, argv);
}
