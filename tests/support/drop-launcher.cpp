// Test helper for Windows: starts a program as Explorer does for files
// dropped on it, or for a double click, in a console window of its own.
//   drop-launcher RECORD PROGRAM [ARGS...]
// The program's standard input and output are pipes here, so that its
// window can be read and a key pressed in it: its output is copied to this
// one's; once it has asked for a key and is still running a second later,
// a key is pressed (a byte written) and the last line says
// "[window: waited for a key]", else "[window: closed without waiting]".
// The exit status is the program's.
//
// It is also the browser's stand-in: UNJAM_OPENER names this program for the
// one started, and UNJAM_TEST_OPENED the file RECORD, to which this program,
// started so, adds its argument (the page to show) as a line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char prompt[] = "Press any key to close this window.";

std::string output;
CRITICAL_SECTION outputLock;

DWORD WINAPI copyOutput(void* pipe) {
    char buffer[4096];
    DWORD got;
    while (ReadFile(static_cast<HANDLE>(pipe), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        std::fwrite(buffer, 1, got, stdout);
        EnterCriticalSection(&outputLock);
        output.append(buffer, got);
        LeaveCriticalSection(&outputLock);
    }
    return 0;
}

bool prompted() {
    EnterCriticalSection(&outputLock);
    bool seen = output.find(prompt) != std::string::npos;
    LeaveCriticalSection(&outputLock);
    return seen;
}

int recordOpened(const wchar_t* record, const wchar_t* page) {
    FILE* f = _wfopen(record, L"ab");
    if (!f) return 2;
    std::fprintf(f, "%ls\n", page);
    return std::fclose(f) == 0 ? 0 : 2;
}

std::wstring quoted(const std::wstring& arg) {
    return L"\"" + arg + L"\"";
}

}  // namespace

int main() {
    int argc;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (const wchar_t* record = _wgetenv(L"UNJAM_TEST_OPENED"))
        return argc == 2 ? recordOpened(record, argv[1]) : 2;
    if (argc < 3) return 2;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(L"UNJAM_OPENER", self);
    SetEnvironmentVariableW(L"UNJAM_TEST_OPENED", argv[1]);
    std::wstring line = quoted(argv[2]);
    for (int k = 3; k < argc; ++k)
        line += L" " + quoted(argv[k]);

    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    CreatePipe(&inRead, &inWrite, &inherited, 0);
    CreatePipe(&outRead, &outWrite, &inherited, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = outWrite;
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(argv[2], line.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr,
                        nullptr, &startup, &child)) {
        std::fprintf(stderr, "could not start %ls: error %lu\n", argv[2], GetLastError());
        return 2;
    }
    CloseHandle(inRead);
    CloseHandle(outWrite);
    InitializeCriticalSection(&outputLock);
    HANDLE reader = CreateThread(nullptr, 0, copyOutput, outRead, 0, nullptr);

    // Still running a second after asking for a key: it waits for one.
    bool waited = false;
    for (int tenths = 0; tenths < 3000 && !waited; ++tenths) {
        if (WaitForSingleObject(child.hProcess, 100) == WAIT_OBJECT_0) break;
        waited = prompted() && WaitForSingleObject(child.hProcess, 1000) == WAIT_TIMEOUT;
    }
    DWORD wrote;
    if (waited) WriteFile(inWrite, " ", 1, &wrote, nullptr);
    CloseHandle(inWrite);
    if (WaitForSingleObject(child.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 3);
        std::printf("[window: did not close after the key]\n");
        return 3;
    }
    WaitForSingleObject(reader, 10000);
    DWORD code = 2;
    GetExitCodeProcess(child.hProcess, &code);
    std::printf(waited ? "[window: waited for a key]\n" : "[window: closed without waiting]\n");
    return static_cast<int>(code);
}
