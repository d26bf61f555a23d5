// Looks at and talks to the program's hidden host window from outside.
//
//   window_probe find <class>                 prints "title=<hex> visible=<0|1>"; 1 if none
//   window_probe wait <class> <timeout-ms>    like find, waiting for the window
//   window_probe gone <class> <timeout-ms>    0 once no such window exists
//   window_probe post <class> <msg> <wparam> <lparam>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Hex(const char* bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(bytes); *c; ++c) {
        out += digits[*c >> 4];
        out += digits[*c & 15];
    }
    return out;
}

HWND WaitFor(const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(className, nullptr);
        if (window != nullptr || GetTickCount() - start >= timeoutMs) {
            return window;
        }
        Sleep(50);
    }
}

int Describe(HWND window) {
    if (window == nullptr) {
        return 1;
    }
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    std::printf("title=%s visible=%d\n", Hex(title).c_str(), IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int WaitGone(const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (FindWindowA(className, nullptr) != nullptr) {
        if (GetTickCount() - start >= timeoutMs) {
            return 1;
        }
        Sleep(50);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_probe find|wait|gone|post <class> ...\n");
        return 2;
    }
    const char* command = argv[1];
    const char* className = argv[2];
    const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(std::atol(argv[3])) : 0;
    if (std::strcmp(command, "find") == 0) {
        return Describe(FindWindowA(className, nullptr));
    }
    if (std::strcmp(command, "wait") == 0) {
        return Describe(WaitFor(className, timeoutMs));
    }
    if (std::strcmp(command, "gone") == 0) {
        return WaitGone(className, timeoutMs);
    }
    if (std::strcmp(command, "post") == 0 && argc >= 6) {
        HWND window = FindWindowA(className, nullptr);
        const UINT message = static_cast<UINT>(std::strtoul(argv[3], nullptr, 0));
        const WPARAM wParam = std::strtoul(argv[4], nullptr, 0);
        const LPARAM lParam = static_cast<LPARAM>(std::strtol(argv[5], nullptr, 0));
        return window != nullptr && PostMessageA(window, message, wParam, lParam) ? 0 : 1;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
