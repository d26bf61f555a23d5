#pragma once
// Reads the configuration file once; never writes to it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/ConfigText.h"
#include "platform/FileSystem.h"

namespace belegbote {

// Holds the file's bytes and looks values up in them line by line: no list
// of entries is built, so a large file costs its own size in memory and
// little more than one pass over its bytes.
class ConfigReader {
public:
    explicit ConfigReader(FileSystem& files);
    ~ConfigReader();
    ConfigReader(const ConfigReader&) = delete;
    ConfigReader& operator=(const ConfigReader&) = delete;

    bool Open(const std::string& fileName);
    bool SelectGroup(const std::string& name);
    std::string ReadText(const std::string& key, const std::string& fallback) const;
    std::int32_t ReadNumber(const std::string& key, std::int32_t fallback) const;
    void Close();

    ConfigEncoding Encoding() const { return encoding_; }

private:
    std::optional<std::string_view> FindValue(const std::string& key) const;
    // A name or key asked for, in the encoding of the file's own text.
    std::string AsStored(const std::string& name) const;

    FileSystem& files_;
    bool open_ = false;
    ConfigEncoding encoding_ = ConfigEncoding::Ansi;
    std::string content_;
    // Offset in the content where the current section's entries begin (0 for
    // the entries before the first group header); nullopt when the group last
    // asked for does not exist.
    std::optional<std::size_t> sectionStart_ = 0;
};

}  // namespace belegbote
