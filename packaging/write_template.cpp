// Build-time tool: writes the template configuration to the file named on
// its command line. The sample Belegbote.ini that ships with the packages
// comes from here, so it is always the text the program itself would write.
#include <cstdio>
#include <string>

#include "config/TemplateWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    const std::string text = belegbote::BuildTemplateText();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "%s: write failed\n", argv[1]);
        return 1;
    }
    return 0;
}
