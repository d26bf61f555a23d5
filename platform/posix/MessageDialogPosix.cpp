#include "platform/posix/MessageDialogPosix.h"

#include <cstdio>

#include "config/ConfigText.h"

namespace belegbote {

namespace {

// The texts are Windows-1252; a terminal wants UTF-8 and line feeds.
std::string ForTerminal(const std::string& text) {
    std::string out = SingleByteToUtf8(text);
    for (char& c : out) {
        if (c == '\r') {
            c = '\n';
        }
    }
    return out;
}

}  // namespace

void MessageDialogPosix::ShowMessage(const std::string& title, const std::string& text) {
    const std::string shown = ForTerminal(title) + "\n" + ForTerminal(text) + "\n";
    std::fwrite(shown.data(), 1, shown.size(), stderr);
    std::fflush(stderr);
}

}  // namespace belegbote
