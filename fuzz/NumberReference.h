#pragma once
// An independent reading of a decimal number, built on the C library's
// strtoll, for comparison with the configuration reader's own.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace belegbote::fuzz {

// What "%d" reads, clamped to 32 bits: blanks, tabs, vertical tabs and form
// feeds are skipped; a value that does not then begin with a sign or a digit
// is 0 (strtoll would skip CR and LF as well, which a value never starts with
// in the reader's sense).
inline std::int32_t ReferenceNumber(std::string_view value) {
    std::size_t start = 0;
    while (start < value.size() && (value[start] == ' ' || value[start] == '\t' ||
                                    value[start] == '\v' || value[start] == '\f')) {
        ++start;
    }
    if (start == value.size()) {
        return 0;
    }
    const char first = value[start];
    if (first != '+' && first != '-' && (first < '0' || first > '9')) {
        return 0;
    }
    // NUL-terminated: strtoll stops at an embedded NUL as the reader stops at
    // any byte that is no digit.
    const std::string text(value.substr(start));
    errno = 0;
    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    if (wide > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (wide < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(wide);
}

}  // namespace belegbote::fuzz
