// Test helper for Windows, put in place of unjam.exe beside unjam-season.exe
// (the real one beside it as unjam.real.exe): says where it runs (the
// season's scratch folder) in the file `hung` of UNJAM_TEST_LOGS, then hangs
// until it is ended, writing into its output as it goes. A Unix path there
// is read on drive Z:, as Wine shows the Unix root. With UNJAM_HUNG_ONLY,
// only the first repair of the file whose name ends so hangs; the others
// run the real unjam.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool endsWith(const std::string& text, const char* end) {
    std::string tail(end);
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int runRealUnjam(int argc, char** argv) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string real(self);
    real = real.substr(0, real.size() - 4) + ".real.exe";
    std::string line = "\"" + real + "\"";
    for (int k = 1; k < argc; ++k)
        line += std::string(" \"") + argv[k] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(real.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &child))
        return 127;
    DWORD code = 1;
    WaitForSingleObject(child.hProcess, INFINITE);
    GetExitCodeProcess(child.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
    const char* logs = std::getenv("UNJAM_TEST_LOGS");
    const char* only = std::getenv("UNJAM_HUNG_ONLY");
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string path = std::string(logs && logs[0] == '/' ? "Z:" : "") + (logs ? logs : ".");
    std::string hung = path + "/hung";
    if (only && (argc != 3 || !endsWith(argv[1], only) ||
                 GetFileAttributesA(hung.c_str()) != INVALID_FILE_ATTRIBUTES))
        return runRealUnjam(argc, argv);
    if (std::FILE* f = std::fopen(hung.c_str(), "w")) {
        std::fputs(folder, f);
        std::fclose(f);
    }
    for (int k = 0; k < 10000; ++k) {
        if (std::FILE* out = argc == 3 ? std::fopen(argv[2], "ab") : nullptr) {
            std::fputs("orphan\n", out);
            std::fclose(out);
        }
        Sleep(10);
    }
    return 0;
}
