// Watches for the tray's popup menu (a window of class "#32768") from outside.
//
//   tray_menu wait <timeout-ms>   prints "left top right bottom" of the open menu; 1 if none
//   tray_menu gone <timeout-ms>   0 once no menu is open
//   tray_menu none <ms>           0 if no menu opens within that time
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND OpenMenu() {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

// Polls until `wanted` says yes or the time is up; the last answer.
template <typename Check>
bool Within(DWORD timeoutMs, Check wanted) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (wanted()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(50);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tray_menu wait|gone|none <ms>\n");
        return 2;
    }
    const DWORD ms = static_cast<DWORD>(std::atol(argv[2]));
    if (std::strcmp(argv[1], "wait") == 0) {
        if (!Within(ms, [] { return OpenMenu() != nullptr; })) {
            return 1;
        }
        RECT rect{};
        GetWindowRect(OpenMenu(), &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    if (std::strcmp(argv[1], "gone") == 0) {
        return Within(ms, [] { return OpenMenu() == nullptr; }) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "none") == 0) {
        return Within(ms, [] { return OpenMenu() != nullptr; }) ? 1 : 0;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
