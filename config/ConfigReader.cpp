#include "config/ConfigReader.h"

#include <new>
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
    try {
        entries_ = ParseConfigText(content_);
    } catch (const std::bad_alloc&) {
        // Too large to hold as entries: opened, but every value its default.
        entries_.clear();
    }
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
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const ConfigEntry& entry = entries_[i];
        if (entry.kind == EntryKind::Group && EqualsAsciiNoCase(entry.name, wanted)) {
            sectionStart_ = i + 1;
            return true;
        }
    }
    sectionStart_.reset();
    return false;
}

std::string ConfigReader::ReadText(const std::string& key, const std::string& fallback) const {
    const ConfigEntry* entry = FindValue(key);
    if (entry == nullptr) {
        return fallback;
    }
    std::string text(SkipBlanksAtStart(entry->value));
    if (encoding_ == ConfigEncoding::Utf8) {
        // Bytes the conversion drops may have stood before blanks: trim the
        // start again, so that no value begins with a blank or a tab.
        text = std::string(SkipBlanksAtStart(Utf8ToSingleByte(text)));
    }
    TrimBlanksAtEnd(text);
    return text;
}

std::int32_t ConfigReader::ReadNumber(const std::string& key, std::int32_t fallback) const {
    const ConfigEntry* entry = FindValue(key);
    return entry == nullptr ? fallback : ParseNumber(entry->value);
}

void ConfigReader::Close() {
    if (!open_) {
        return;
    }
    files_.ReleaseReadFile();
    open_ = false;
    encoding_ = ConfigEncoding::Ansi;
    entries_.clear();
    entries_.shrink_to_fit();
    content_.clear();
    content_.shrink_to_fit();
    sectionStart_ = 0;
}

std::string ConfigReader::AsStored(const std::string& name) const {
    return encoding_ == ConfigEncoding::Utf8 ? SingleByteToUtf8(name) : name;
}

const ConfigEntry* ConfigReader::FindValue(const std::string& key) const {
    if (!open_ || !sectionStart_) {
        return nullptr;
    }
    const std::string wanted = AsStored(key);
    for (std::size_t i = *sectionStart_; i < entries_.size(); ++i) {
        const ConfigEntry& entry = entries_[i];
        if (entry.kind == EntryKind::Group) {
            break;  // the section ends at the next header
        }
        if (entry.kind == EntryKind::Value && EqualsAsciiNoCase(entry.name, wanted)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace belegbote
