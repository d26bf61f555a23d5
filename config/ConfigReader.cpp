#include "config/ConfigReader.h"

#include <utility>

namespace belegbote {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanksAtStart(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

void TrimBlanksAtEnd(std::string& text) {
    std::size_t length = text.size();
    while (length > 0 && IsBlank(text[length - 1])) {
        --length;
    }
    text.resize(length);
}

}  // namespace

ConfigReader::ConfigReader(FileSystem& files) : files_(files) {}

ConfigReader::~ConfigReader() {
    Close();
}

bool ConfigReader::Open(const std::string& fileName) {
    Close();
    FileBytes bytes;
    if (!files_.ReadWholeFile(fileName, bytes)) {
        return false;
    }
    open_ = true;
    encoding_ = bytes.encoding;
    content_ = std::move(bytes.content);
    sectionStart_ = 0;
    return true;
}

bool ConfigReader::SelectGroup(const std::string& name) {
    if (!open_) {
        return false;
    }
    if (name.empty()) {
        sectionStart_ = 0;  // the entries before the first group header
        return true;
    }
    const std::string wanted = AsStored(name);
    ConfigEntry entry;
    for (std::size_t offset = 0; NextConfigEntry(content_, offset, entry);) {
        if (entry.kind == EntryKind::Group && EqualsAsciiNoCase(entry.name, wanted)) {
            sectionStart_ = offset;  // the section begins after its header
            return true;
        }
    }
    sectionStart_.reset();
    return false;
}

std::string ConfigReader::ReadText(const std::string& key, const std::string& fallback) const {
    const std::optional<std::string_view> found = FindValue(key);
    if (!found) {
        return fallback;
    }
    std::string text(SkipBlanksAtStart(*found));
    if (encoding_ == ConfigEncoding::Utf8) {
        // Bytes the conversion drops may have stood before blanks: trim the
        // start again, so that no value begins with a blank or a tab.
        text = std::string(SkipBlanksAtStart(Utf8ToSingleByte(text)));
    }
    TrimBlanksAtEnd(text);
    return text;
}

std::int32_t ConfigReader::ReadNumber(const std::string& key, std::int32_t fallback) const {
    const std::optional<std::string_view> found = FindValue(key);
    return found ? ParseNumber(*found) : fallback;
}

void ConfigReader::Close() {
    if (!open_) {
        return;
    }
    files_.ReleaseReadFile();
    open_ = false;
    encoding_ = ConfigEncoding::Ansi;
    content_.clear();
    content_.shrink_to_fit();
    sectionStart_ = 0;
}

std::string ConfigReader::AsStored(const std::string& name) const {
    return encoding_ == ConfigEncoding::Utf8 ? SingleByteToUtf8(name) : name;
}

std::optional<std::string_view> ConfigReader::FindValue(const std::string& key) const {
    if (!open_ || !sectionStart_) {
        return std::nullopt;
    }
    const std::string wanted = AsStored(key);
    ConfigEntry entry;
    for (std::size_t offset = *sectionStart_; NextConfigEntry(content_, offset, entry);) {
        if (entry.kind == EntryKind::Group) {
            break;  // the section ends at the next header
        }
        if (entry.kind == EntryKind::Value && EqualsAsciiNoCase(entry.name, wanted)) {
            return entry.value;
        }
    }
    return std::nullopt;
}

}  // namespace belegbote
