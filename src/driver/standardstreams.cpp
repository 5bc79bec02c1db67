#include "driver/standardstreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void ensureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is `fd` itself.
        int opened = open("/dev/null", O_RDWR);
        if (opened != fd && opened >= 0) close(opened);
    }
}
