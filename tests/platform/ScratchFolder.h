#pragma once
// A fresh folder under the system's temp folder, removed with its content.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace belegbote::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& purpose) {
        static int counter = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("belegbote " + purpose + " " + std::to_string(stamp) + "-" +
                 std::to_string(++counter));
        std::filesystem::create_directories(path_);
        path_ = std::filesystem::canonical(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder as the program's texts name it, with the platform's separators.
    std::string Text() const { return std::filesystem::path(path_).make_preferred().string(); }
    std::string Text(const std::string& name) const {
        return (path_ / name).make_preferred().string();
    }

    void Write(const std::string& name, const std::string& content = "x") const {
        std::ofstream(path_ / name, std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
};

}  // namespace belegbote::testing
