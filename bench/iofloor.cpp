// The I/O floor for a run of unjam: reads a file line by line and writes
// each line with CR LF and a flush, and nothing else.
//     unjam_bench_iofloor in.srt out.srt
#include <sys/types.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: unjam_bench_iofloor in out\n", stderr);
        return 1;
    }
    FILE* in = std::fopen(argv[1], "rb");
    FILE* out = std::fopen(argv[2], "wb");
    if (!in || !out) {
        std::perror("unjam_bench_iofloor");
        return 1;
    }
    char* line = nullptr;
    size_t capacity = 0;
    ssize_t length;
    while ((length = getline(&line, &capacity, in)) > 0) {
        size_t text = static_cast<size_t>(length);
        if (line[text - 1] == '\n') --text;
        if (text > 0 && line[text - 1] == '\r') --text;
        std::fwrite(line, 1, text, out);
        std::fwrite("\r\n", 1, 2, out);
        std::fflush(out);
    }
    std::free(line);
    std::fclose(out);
    std::fclose(in);
    return 0;
}
