#pragma once
#include <cstdint>

#include "platform/FileSystem.h"

namespace belegbote {

class FileSystemWin32 final : public FileSystem {
public:
    ~FileSystemWin32() override;
    bool ReadWholeFile(const std::string& name, FileBytes& out) override;
    void ReleaseReadFile() override;
    bool WriteNewFile(const std::string& name, std::string_view bytes) override;
    DeleteOutcome RemoveFile(const std::string& path) override;
    FileReadiness CheckReadiness(const std::string& path) override;

private:
    std::intptr_t held_ = -1;  // the file ReadWholeFile keeps open
};

}  // namespace belegbote
