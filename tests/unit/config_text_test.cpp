#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "config/ConfigText.h"

namespace belegbote {
namespace {

using namespace std::string_literals;

// One line per entry: "G name", "C text" or "V key=value", with the value
// in brackets so that trailing blanks show.
std::vector<std::string> Describe(const std::vector<ConfigEntry>& entries) {
    std::vector<std::string> lines;
    for (const ConfigEntry& entry : entries) {
        switch (entry.kind) {
            case EntryKind::Group: lines.push_back("G " + std::string(entry.name)); break;
            case EntryKind::Comment: lines.push_back("C " + std::string(entry.name)); break;
            case EntryKind::Value:
                lines.push_back("V " + std::string(entry.name) + "=[" + std::string(entry.value) +
                                "]");
                break;
        }
    }
    return lines;
}

// The bytes in an allocation of their own exact size, so that a sanitizer
// build reports any read past the end.
class ExactBytes {
public:
    explicit ExactBytes(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}
    std::string_view View() const { return {bytes_.data(), bytes_.size()}; }

private:
    std::vector<char> bytes_;
};

struct ParseCase {
    const char* what;
    std::string content;
    std::vector<std::string> expected;
};

// Readable, stable test names: the case's description, not its bytes.
void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.what;
}

class ParseConfigTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseConfigTextTest, YieldsEntries) {
    const ExactBytes content(GetParam().content);
    EXPECT_EQ(Describe(ParseConfigText(content.View())), GetParam().expected);
}

const ParseCase LineEndCases[] = {
    {"CR LF", "[A]\r\nk=v\r\n", {"G A", "V k=[v]"}},
    {"LF", "[A]\nk=v\n", {"G A", "V k=[v]"}},
    {"CR", "[A]\rk=v\r", {"G A", "V k=[v]"}},
    {"LF CR", "[A]\n\rk=v\n\r", {"G A", "V k=[v]"}},
    {"blank lines and lines of blanks", "\r\n \t\r\n[A]\n\n\r\r  \nk=v", {"G A", "V k=[v]"}},
    {"empty content", "", {}},
    {"only breaks and blanks", "\r\n\t \n", {}},
};
INSTANTIATE_TEST_SUITE_P(LineEnds, ParseConfigTextTest, ::testing::ValuesIn(LineEndCases));

const ParseCase HeaderCases[] = {
    {"blanks inside are kept", "[ A ]\n", {"G  A "}},
    {"tab before the bracket", "\t[A]\n", {"G A"}},
    {"bracket alone", "[\nk=v", {"G ", "V k=[v]"}},
    {"empty name", "[]\n", {"G "}},
    {"no closing bracket", "[Allgemein\n", {"G Allgemein"}},
    {"no closing bracket, blanks kept", "[Allgemein  \n", {"G Allgemein  "}},
    {"comment after the bracket", "[Allgemein] ; note\n", {"G Allgemein"}},
    {"text after the first bracket", "[A]x]y\n", {"G A"}},
    {"header at the very end", "[A", {"G A"}},
};
INSTANTIATE_TEST_SUITE_P(Headers, ParseConfigTextTest, ::testing::ValuesIn(HeaderCases));

const ParseCase CommentCases[] = {
    {"one blank removed", "; text\n", {"C text"}},
    {"only one blank removed", ";  text\n", {"C  text"}},
    {"no blank", ";text\n", {"C text"}},
    {"tab is not removed", ";\ttext\n", {"C \ttext"}},
    {"looks like a value", "  ; ScanTimer=1000\n", {"C ScanTimer=1000"}},
    {"number sign is no comment", "#x=1\n", {"V #x=[1]"}},
    {"semicolon inside a value", "k=a ; b\n", {"V k=[a ; b]"}},
    {"empty comment at the end", ";", {"C "}},
};
INSTANTIATE_TEST_SUITE_P(Comments, ParseConfigTextTest, ::testing::ValuesIn(CommentCases));

const ParseCase ValueCases[] = {
    {"blanks and tabs around", " \t key \t= \t value \t\n", {"V key=[value \t]"}},
    {"blanks inside the key", "Scan Timer = 1\n", {"V Scan Timer=[1]"}},
    {"first equals sign separates", "k=a=b\n", {"V k=[a=b]"}},
    {"quotes kept", "k=\"C:\\a b\\c.exe\" 'x'\n", {"V k=[\"C:\\a b\\c.exe\" 'x']"}},
    {"empty key", "=v\n", {"V =[v]"}},
    {"empty value", "k=\r\n", {"V k=[]"}},
    {"only blanks after equals", "k=  \t", {"V k=[]"}},
    {"no equals sign", "just text  \r\nk=v\r\n", {"V just text=[]", "V k=[v]"}},
    {"no equals sign, LF", "just text\nk=v\n", {"V just text=[]", "V k=[v]"}},
    {"no equals sign, CR", "just text\rk=v\r", {"V just text=[]", "V k=[v]"}},
    {"no equals sign at the end", "k=v\nlast", {"V k=[v]", "V last=[]"}},
    {"last line without break", "WarteTimer=1000", {"V WarteTimer=[1000]"}},
    {"NUL bytes are ordinary", "k\0=a\0b\0\r\n;c\0\n"s, {"V k\0=[a\0b\0]"s, "C c\0"s}},
    {"NUL byte at the start", "\0=1"s, {"V \0=[1]"s}},
};
INSTANTIATE_TEST_SUITE_P(Values, ParseConfigTextTest, ::testing::ValuesIn(ValueCases));

TEST(ParseConfigText, StopsAtTheEndOfTheContentGiven) {
    // The view ends inside a larger buffer: nothing after it may show up.
    const std::string buffer = "k=value\r\nX=1[B]";
    EXPECT_EQ(Describe(ParseConfigText(std::string_view(buffer).substr(0, 4))),
              (std::vector<std::string>{"V k=[va]"}));
    EXPECT_EQ(Describe(ParseConfigText(std::string_view(buffer).substr(0, 1))),
              (std::vector<std::string>{"V k=[]"}));
    const std::string header = "[AB]";
    EXPECT_EQ(Describe(ParseConfigText(std::string_view(header).substr(0, 2))),
              (std::vector<std::string>{"G A"}));
}

TEST(ParseConfigText, KeepsLongLinesWhole) {
    const std::string longValue(1 << 20, 'x');
    const std::string content = "k=" + longValue + "\n[G]";
    const auto entries = ParseConfigText(content);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].value, longValue);
}

struct NumberCase {
    const char* text;
    std::int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(std::string(c.text));
}

class ParseNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, ReadsLikeDecimalScan) {
    EXPECT_EQ(ParseNumber(ExactBytes(GetParam().text).View()), GetParam().expected);
}

constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();

const NumberCase NumberCases[] = {
    {"1000", 1000},
    {"-250", -250},
    {"+12abc", 12},
    {"1.000", 1},
    {"1e3", 1},
    {"0x3E8", 0},
    {"", 0},
    {"abc", 0},
    {"7 ; note", 7},
    {"  \t\v\f42", 42},
    {"007", 7},
    {"+", 0},
    {"-", 0},
    {"- 5", 0},
    {"--5", 0},
    {"2147483647", Max32},
    {"2147483648", Max32},
    {"99999999999999999999999", Max32},
    {"-2147483648", Min32},
    {"-2147483649", Min32},
    {"-99999999999999999999999", Min32},
    {"00000000000000000000012", 12},
};
INSTANTIATE_TEST_SUITE_P(Numbers, ParseNumberTest, ::testing::ValuesIn(NumberCases));

struct ConversionCase {
    const char* what;
    std::string utf8;
    std::string expected;
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.what;
}

class Utf8ToSingleByteTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8ToSingleByteTest, Converts) {
    EXPECT_EQ(Utf8ToSingleByte(ExactBytes(GetParam().utf8).View()), GetParam().expected);
}

const ConversionCase ConversionCases[] = {
    {"ASCII unchanged", "C:\\Arbeitspuffer", "C:\\Arbeitspuffer"},
    {"U umlaut", "C:\\M\xC3\x9Cnchen", "C:\\M\xDCnchen"},
    {"lowest two-byte value", "\xC2\x80", "\x80"},
    {"two bytes beyond Latin-1", "\xC4\x80x", "?x"},
    {"overlong NUL", "\xC0\x80", "\0"s},
    {"two-byte lead without continuation", "\xC3XY", "?XY"},
    {"two-byte lead at the end", "xy\xC3", "xy"},
    {"euro sign", "\xE2\x82\xAC", "?"},
    {"three-byte lead, one continuation", "\xE2\x82XY", "?XY"},
    {"three-byte lead, no continuation", "\xE2XY", "?XY"},
    {"three-byte lead cut off", "X\xE2\x82", "X"},
    {"four-byte sequence", "\xF0\x9F\x98\x80!", "?!"},
    {"four-byte lead cut off", "\xF0\x9F\x98", ""},
    {"stray continuation", "x\x80y", "xy"},
    {"bytes 0xF8 and up", "\xF8\xFFz", "z"},
};
INSTANTIATE_TEST_SUITE_P(Table, Utf8ToSingleByteTest, ::testing::ValuesIn(ConversionCases));

TEST(SingleByteToUtf8, EncodesHighBytesAsLatin1) {
    EXPECT_EQ(SingleByteToUtf8("Allgemein"), "Allgemein");
    EXPECT_EQ(SingleByteToUtf8("M\xDCnchen"), "M\xC3\x9Cnchen");
    EXPECT_EQ(SingleByteToUtf8("\x80\xFF"), "\xC2\x80\xC3\xBF");
}

TEST(SingleByteToUtf8, RoundTripsEveryByte) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(Utf8ToSingleByte(SingleByteToUtf8(all)), all);
}

TEST(EqualsAsciiNoCase, FoldsOnlyTheLettersAToZ) {
    EXPECT_TRUE(EqualsAsciiNoCase("ALLGEMEIN", "allgemein"));
    EXPECT_TRUE(EqualsAsciiNoCase("", ""));
    EXPECT_TRUE(EqualsAsciiNoCase("M\xDCNCHEN", "M\xDCnchen"));
    EXPECT_FALSE(EqualsAsciiNoCase("Allgemein", "Allgemein "));
    // Bytes that differ by 0x20 like letters but are no ASCII letters.
    EXPECT_FALSE(EqualsAsciiNoCase("\xDC", "\xFC"));
    EXPECT_FALSE(EqualsAsciiNoCase("[", "{"));
    EXPECT_FALSE(EqualsAsciiNoCase("@", "`"));
}

}  // namespace
}  // namespace belegbote
