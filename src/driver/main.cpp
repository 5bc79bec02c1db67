#include <csignal>
#include <cstdio>
#include <new>

#include "driver/run.h"
#include "driver/standardstreams.h"

int main(int argc, char** argv) {
    ensureStandardStreams();
    // A reader that goes away (unjam ... | head) must not stop the repair.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return runUnjam(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("Out of memory\n", stderr);
        return 1;
    }
}
