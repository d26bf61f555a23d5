#pragma once
// Pure parsing of configuration bytes: entries, numbers, text conversions.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace belegbote {

enum class EntryKind { Group, Comment, Value };

// Views into the content that was parsed: the entries are valid as long as
// it is. A file of many short lines yields as many entries, so an entry holds
// no copy of its own.
struct ConfigEntry {
    EntryKind kind = EntryKind::Value;
    std::string_view name;   // group name, comment text, or key
    std::string_view value;  // Value entries only; trailing blanks and tabs kept
};

std::vector<ConfigEntry> ParseConfigText(std::string_view content);

// "%d"-style: leading white space, optional sign, digits; 0 when no number.
// Values beyond 32 bits clamp to the nearest limit.
std::int32_t ParseNumber(std::string_view value);

std::string Utf8ToSingleByte(std::string_view utf8);
std::string SingleByteToUtf8(std::string_view text);

// Equal when equal but for the case of the ASCII letters A to Z.
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);

}  // namespace belegbote
