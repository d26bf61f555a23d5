#pragma once
// Reads the configuration file once; never writes to it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigText.h"
#include "platform/FileSystem.h"

namespace belegbote {

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
    const ConfigEntry* FindValue(const std::string& key) const;
    // A name or key asked for, in the encoding of the file's own text.
    std::string AsStored(const std::string& name) const;

    FileSystem& files_;
    bool open_ = false;
    ConfigEncoding encoding_ = ConfigEncoding::Ansi;
    // The file's bytes; the entries point into them, so they are never moved
    // while entries exist.
    std::string content_;
    std::vector<ConfigEntry> entries_;
    // Index of the first entry of the current section; nullopt when the
    // group last asked for does not exist.
    std::optional<std::size_t> sectionStart_ = 0;
};

}  // namespace belegbote
