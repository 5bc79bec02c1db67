#include <cstdio>
#include <new>

#include "driver/standardstreams.h"
#include "names/run.h"

int main(int argc, char** argv) {
    ensureStandardStreams();
    try {
        return runNames(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("Out of memory\n", stderr);
        return 1;
    }
}
