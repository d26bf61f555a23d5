// Writes tray image 1 as an icon file: the program's own icon resource.
// Usage: write_ico <path>   (the project keeps it as res/Belegbote.ico)
#include <cstdio>

#include "../../tray/IcoBlock.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_ico <path>\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const auto& block = belegbote::StoredIcoBlocks[0];
    const bool written = std::fwrite(block.data(), 1, block.size(), file) == block.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
