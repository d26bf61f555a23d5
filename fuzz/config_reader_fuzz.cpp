// The configuration file from its bytes to the values the program uses.
// Input: a first line "<group>\t<key>" naming what to look up, then the
// content of the file. Every input is read in both encodings.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "NumberReference.h"
#include "config/ConfigReader.h"
#include "config/ConfigText.h"

namespace belegbote::fuzz {
namespace {

// Hands the reader the content it was given, in the encoding it was given.
class MemoryFiles : public FileSystem {
public:
    MemoryFiles(std::string_view content, ConfigEncoding encoding)
        : content_(content), encoding_(encoding) {}

    bool ReadWholeFile(const std::string&, FileBytes& out) override {
        out = FileBytes{encoding_, std::string(content_)};
        return true;
    }
    void ReleaseReadFile() override {}
    bool WriteNewFile(const std::string&, std::string_view) override { return false; }
    DeleteOutcome RemoveFile(const std::string&) override { return DeleteOutcome::Refused; }
    FileReadiness CheckReadiness(const std::string&) override { return FileReadiness::Ready; }

private:
    std::string_view content_;
    ConfigEncoding encoding_;
};

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void CheckEntries(std::string_view content) {
    const ExactCopy exact(content);
    for (const ConfigEntry& entry : ParseConfigText(exact.View())) {
        // Nothing crosses a line break.
        FUZZ_CHECK(entry.name.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(entry.value.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(entry.kind == EntryKind::Value || entry.value.empty());
    }
}

// A key is found when two different defaults give the same answer.
struct Lookup {
    bool found = false;
    std::string text;
    std::int32_t number = 0;
};

Lookup LookUp(ConfigReader& reader, const std::string& key) {
    Lookup lookup;
    lookup.text = reader.ReadText(key, "\x01");
    lookup.found = reader.ReadText(key, "\x02") == lookup.text;
    lookup.number = reader.ReadNumber(key, 7);
    if (!lookup.found) {
        FUZZ_CHECK(lookup.number == 7);
        FUZZ_CHECK(reader.ReadNumber(key, -7) == -7);
    }
    return lookup;
}

Lookup ReadIn(ConfigEncoding encoding, std::string_view content, const std::string& group,
              const std::string& key) {
    MemoryFiles files(content, encoding);
    ConfigReader reader(files);
    FUZZ_CHECK(reader.Open("Belegbote.ini"));
    const bool selected = reader.SelectGroup(group);
    const Lookup lookup = LookUp(reader, key);
    FUZZ_CHECK(selected || !lookup.found);
    if (lookup.found) {
        FUZZ_CHECK(lookup.text.empty() || !IsBlank(lookup.text.front()));
        FUZZ_CHECK(lookup.text.empty() || !IsBlank(lookup.text.back()));
    }
    // The five values the program reads, as it reads them.
    reader.SelectGroup("Allgemein");
    for (const char* name : {"Programm", "ScanPfad", "ScanDateiType", "ScanTimer", "WarteTimer"}) {
        LookUp(reader, name);
    }
    reader.Close();
    FUZZ_CHECK(!reader.SelectGroup(group));
    FUZZ_CHECK(reader.ReadText(key, "\x03") == "\x03");
    return lookup;
}

}  // namespace
}  // namespace belegbote::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace belegbote::fuzz;
    using belegbote::ConfigEncoding;
    const std::string_view input = AsText(data, size);
    const auto header = SplitFields(input, '\n', 2);
    const auto names = SplitFields(header[0], '\t', 2);
    const std::string group(names[0]);
    const std::string key(names[1]);
    const std::string_view content = header[1];

    CheckEntries(content);
    const Lookup ansi = ReadIn(ConfigEncoding::Ansi, content, group, key);
    const Lookup utf8 = ReadIn(ConfigEncoding::Utf8, content, group, key);

    if (ansi.found) {
        // Text values are bytes of the file; numbers read as strtoll reads them.
        FUZZ_CHECK(content.find(ansi.text) != std::string_view::npos);
        FUZZ_CHECK(ansi.number == ReferenceNumber(ansi.text));
    }
    // ASCII names are looked up alike in both encodings; the UTF-8 reading
    // only ever shortens a value, and numbers are read unconverted.
    if (IsAscii(group) && IsAscii(key)) {
        FUZZ_CHECK(ansi.found == utf8.found);
        if (ansi.found) {
            FUZZ_CHECK(utf8.text.size() <= ansi.text.size());
            FUZZ_CHECK(utf8.number == ansi.number);
        }
    }
    return 0;
}
