#pragma once
// Shared by the fuzz targets: exact-size copies and a check that stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace belegbote::fuzz {

// Bytes in a heap block of exactly their size: AddressSanitizer reports a
// read of even one byte past the end (a std::string would hide it behind its
// terminating NUL and spare capacity).
class ExactCopy {
public:
    explicit ExactCopy(std::string_view bytes)
        : size_(bytes.size()), bytes_(new char[bytes.size() == 0 ? 1 : bytes.size()]) {
        if (size_ != 0) {
            std::memcpy(bytes_.get(), bytes.data(), size_);
        }
    }
    // An empty view points at no byte at all.
    std::string_view View() const {
        return size_ == 0 ? std::string_view() : std::string_view(bytes_.get(), size_);
    }

private:
    std::size_t size_;
    std::unique_ptr<char[]> bytes_;
};

// The input split at `separator` into at most `count` fields; the last one
// takes the rest, separators included.
inline std::vector<std::string_view> SplitFields(std::string_view input, char separator,
                                                 std::size_t count) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count) {
        const std::size_t at = input.find(separator);
        if (at == std::string_view::npos) {
            break;
        }
        fields.push_back(input.substr(0, at));
        input.remove_prefix(at + 1);
    }
    fields.push_back(input);
    fields.resize(count);
    return fields;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

[[noreturn]] inline void Fail(const char* check, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, check);
    std::abort();
}

}  // namespace belegbote::fuzz

// Stays active in every build type, unlike assert().
#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::belegbote::fuzz::Fail(#condition, __FILE__, __LINE__))
