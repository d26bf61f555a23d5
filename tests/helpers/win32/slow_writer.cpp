// Writes a file slowly, as a scanner or a download would: creates it, then
// writes <chunks> blocks of ChunkBytes with a pause of <pause-ms> before each
// further block, and closes it. Other programs may read the file meanwhile,
// but not write or delete it.
//
//   slow_writer <path> <chunks> <pause-ms>
// Exit code 0 once every byte is written and the file is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const DWORD ChunkBytes = 4096;

bool WriteChunks(HANDLE file, long chunks, DWORD pauseMs) {
    for (long i = 0; i < chunks; ++i) {
        if (i > 0) {
            Sleep(pauseMs);
        }
        // Each block has its own letter, so a reader could tell them apart.
        const std::vector<char> block(ChunkBytes, static_cast<char>('A' + i % 26));
        DWORD written = 0;
        if (!WriteFile(file, block.data(), ChunkBytes, &written, nullptr) ||
            written != ChunkBytes) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: slow_writer <path> <chunks> <pause-ms>\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot create %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    const bool wrote =
        WriteChunks(file, std::atol(argv[2]), static_cast<DWORD>(std::atol(argv[3])));
    const bool closed = CloseHandle(file) != 0;
    return wrote && closed ? 0 : 1;
}
