// Waits for message boxes, reports each one byte for byte, and presses OK.
//
//   msgbox_answer <count> <timeout-ms> <file-to-check>
//
// For every box one line on stdout:
//   title=<hex> text=<hex> file=<0|1> hostwindow=<0|1>
// `file` tells whether <file-to-check> existed while the box stood, and
// `hostwindow` whether a window of class WindowClass_0 existed then.
// Exit code 0 when <count> boxes were answered, 1 on a time-out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string TextOf(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

// The message text is the box's static control that is not the icon.
std::string MessageText(HWND box) {
    std::string text;
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child != nullptr;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        std::string candidate = TextOf(child);
        if (!candidate.empty()) {
            text = candidate;
        }
    }
    return text;
}

HWND WaitForBox(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box != nullptr && IsWindowVisible(box)) {
            return box;
        }
        Sleep(50);
    }
    return nullptr;
}

void PressOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (ok != nullptr) {
        SendMessageA(ok, BM_CLICK, 0, 0);
    }
    for (int i = 0; i < 100 && IsWindow(box); ++i) {
        Sleep(50);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: msgbox_answer <count> <timeout-ms> <file-to-check>\n");
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const DWORD timeoutMs = static_cast<DWORD>(std::atol(argv[2]));
    for (int i = 0; i < count; ++i) {
        HWND box = WaitForBox(timeoutMs);
        if (box == nullptr) {
            return 1;
        }
        Sleep(200);  // let the box finish drawing its text
        const bool fileThere = GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES;
        const bool hostWindow = FindWindowA("WindowClass_0", nullptr) != nullptr;
        std::printf("title=%s text=%s file=%d hostwindow=%d\n", Hex(TextOf(box)).c_str(),
                    Hex(MessageText(box)).c_str(), fileThere ? 1 : 0, hostWindow ? 1 : 0);
        std::fflush(stdout);
        PressOk(box);
    }
    return 0;
}
