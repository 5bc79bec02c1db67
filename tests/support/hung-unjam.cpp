// Test helper for Windows, put in place of unjam.exe beside unjam-season.exe:
// says where it runs (the season's scratch folder) in the file `hung` of
// UNJAM_TEST_LOGS, then hangs until it is ended. A Unix path there is read
// on drive Z:, as Wine shows the Unix root.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    const char* logs = std::getenv("UNJAM_TEST_LOGS");
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string path = std::string(logs && logs[0] == '/' ? "Z:" : "") + (logs ? logs : ".");
    if (std::FILE* f = std::fopen((path + "/hung").c_str(), "w")) {
        std::fputs(folder, f);
        std::fclose(f);
    }
    Sleep(100000);
    return 0;
}
