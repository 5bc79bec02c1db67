#include <csignal>

#include "driver/messages.h"
#include "driver/standardstreams.h"
#include "season/run.h"

int main(int argc, char** argv) {
    ensureStandardStreams();
    // A reader that goes away (unjam-season ... | head) must not stop the repairs.
    std::signal(SIGPIPE, SIG_IGN);
    return runReportingOutOfMemory(runSeason, argc, argv);
}
