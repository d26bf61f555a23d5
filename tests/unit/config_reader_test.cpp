#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "config/ConfigReader.h"
#include "config/Settings.h"
#include "config/TemplateWriter.h"
#include "fakes/FakeFileSystem.h"

namespace belegbote {
namespace {

using namespace std::string_literals;
using testing::FakeFileSystem;

const std::string IniName = "Belegbote.ini";

class ConfigReaderTest : public ::testing::Test {
protected:
    void Load(const std::string& content, ConfigEncoding encoding = ConfigEncoding::Ansi) {
        files.files[IniName] = content;
        files.encoding = encoding;
        ASSERT_TRUE(reader.Open(IniName));
    }

    // The reads of start-up, in their order.
    Settings ReadAllgemein() {
        Settings settings;
        reader.SelectGroup("Allgemein");
        settings.Programm = reader.ReadText("Programm", "");
        settings.ScanPfad = reader.ReadText("ScanPfad", "");
        settings.ScanDateiType = reader.ReadText("ScanDateiType", "");
        settings.ScanTimer = reader.ReadNumber("ScanTimer", 0);
        settings.WarteTimer = reader.ReadNumber("WarteTimer", 0);
        return settings;
    }

    FakeFileSystem files;
    ConfigReader reader{files};
};

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST_F(ConfigReaderTest, TemplateYieldsItsFiveValuesWithEveryLineEnd) {
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(lineEnd));
        Load(ReplaceAll(BuildTemplateText(), "\r\n", lineEnd));
        const Settings settings = ReadAllgemein();
        EXPECT_EQ(settings.Programm, "C:\\Programme\\Microsoft Office\\Office14\\Outlook.exe");
        EXPECT_EQ(settings.ScanPfad, "C:\\Arbeitspuffer");
        EXPECT_EQ(settings.ScanDateiType, "*.pdf");
        EXPECT_EQ(settings.ScanTimer, 1000);
        EXPECT_EQ(settings.WarteTimer, 1000);
    }
}

TEST_F(ConfigReaderTest, FileThatCannotBeOpenedLeavesTheReaderClosed) {
    EXPECT_FALSE(reader.Open(IniName));
    EXPECT_FALSE(reader.SelectGroup(""));
    EXPECT_EQ(reader.ReadText("Programm", "fallback"), "fallback");
    EXPECT_EQ(reader.ReadNumber("ScanTimer", 5), 5);
    reader.Close();
    EXPECT_EQ(files.calls, (std::vector<std::string>{"Read " + IniName}));
}

TEST_F(ConfigReaderTest, OpenReleasesThePreviousFileFirst) {
    files.files["first.ini"] = "[Allgemein]\nScanTimer=1\n";
    files.files["second.ini"] = "[Allgemein]\nScanTimer=2\n";
    ASSERT_TRUE(reader.Open("first.ini"));
    ASSERT_TRUE(reader.Open("second.ini"));
    EXPECT_EQ(ReadAllgemein().ScanTimer, 2);

    // A failed open after a good one leaves nothing behind.
    EXPECT_FALSE(reader.Open("missing.ini"));
    EXPECT_EQ(reader.ReadNumber("ScanTimer", 7), 7);
    EXPECT_FALSE(files.held);
    EXPECT_EQ(files.calls, (std::vector<std::string>{"Read first.ini", "Release", "Read second.ini",
                                                     "Release", "Read missing.ini"}));
}

TEST_F(ConfigReaderTest, CloseReleasesOnceAndTheDestructorReleasesAnOpenFile) {
    Load("[Allgemein]\n");
    reader.Close();
    reader.Close();
    EXPECT_EQ(files.calls, (std::vector<std::string>{"Read " + IniName, "Release"}));
    EXPECT_FALSE(reader.SelectGroup("Allgemein"));

    FakeFileSystem other;
    other.files[IniName] = "";
    {
        ConfigReader scoped(other);
        ASSERT_TRUE(scoped.Open(IniName));
        EXPECT_TRUE(other.held);
    }
    EXPECT_FALSE(other.held);
}

TEST_F(ConfigReaderTest, EmptyFileOpensAndYieldsDefaults) {
    for (ConfigEncoding encoding : {ConfigEncoding::Ansi, ConfigEncoding::Utf8}) {
        Load("", encoding);
        const Settings settings = ReadAllgemein();
        EXPECT_EQ(settings.Programm, "");
        EXPECT_EQ(settings.ScanTimer, 0);
        EXPECT_EQ(reader.ReadText("Programm", "fallback"), "fallback");
    }
}

struct LookupCase {
    const char* what;
    std::string content;
    std::int32_t scanTimer;  // read with the default -1 from group Allgemein
};

// Readable, stable test names: the case's description, not its bytes.
void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.what;
}

class ConfigLookupTest : public ConfigReaderTest,
                         public ::testing::WithParamInterface<LookupCase> {};

TEST_P(ConfigLookupTest, FindsScanTimer) {
    Load(GetParam().content);
    reader.SelectGroup("Allgemein");
    EXPECT_EQ(reader.ReadNumber("ScanTimer", -1), GetParam().scanTimer);
}

const LookupCase LookupCases[] = {
    {"group in capitals, key in small letters", "[ALLGEMEIN]\nscantimer=5\n", 5},
    {"blank after the bracket names another group", "[ Allgemein]\nScanTimer=5\n", -1},
    {"blank before the bracket names another group", "[Allgemein ]\nScanTimer=5\n", -1},
    {"no bracket, trailing blanks", "[Allgemein  \nScanTimer=5\n", -1},
    {"no bracket, no trailing blanks", "[Allgemein\nScanTimer=5\n", 5},
    {"comment after the header", "[Allgemein] ; main\nScanTimer=5\n", 5},
    {"commented-out line", "[Allgemein]\n; ScanTimer=1000\n", -1},
    {"number sign starts another key", "[Allgemein]\n#ScanTimer=5\n", -1},
    {"first of two wins", "[Allgemein]\nScanTimer=5\nScanTimer=6\n", 5},
    {"second group of the same name unseen", "[Allgemein]\n[Other]\n[Allgemein]\nScanTimer=5", -1},
    {"keys before the first header unseen", "ScanTimer=5\n[Allgemein]\n", -1},
    {"keys in other sections unseen", "[Allgemein]\n[Other]\nScanTimer=5\n", -1},
    {"line without equals sign, CR LF", "[Allgemein]\r\ntext\r\nScanTimer=1000\r\n", 1000},
    {"line without equals sign, LF", "[Allgemein]\ntext\nScanTimer=1000\n", 1000},
    {"line without equals sign, CR", "[Allgemein]\rtext\rScanTimer=1000\r", 1000},
    {"line without equals sign above the header", "text\n[Allgemein]\nScanTimer=5", 5},
    {"blanks and tabs everywhere", "[Allgemein]\n \t ScanTimer \t = \t 5 \t \n", 5},
    {"comment text after the number", "[Allgemein]\nScanTimer=7 ; note\n", 7},
    {"empty value is 0, not the default", "[Allgemein]\nScanTimer=\n", 0},
    {"letters are 0", "[Allgemein]\nScanTimer=abc\n", 0},
    {"thousands point", "[Allgemein]\nScanTimer=1.000\n", 1},
    {"negative", "[Allgemein]\nScanTimer=-250\n", -250},
    {"beyond 32 bits", "[Allgemein]\nScanTimer=5000000000\n", 2147483647},
    {"last line without break", "[Allgemein]\nWarteTimer=1\nScanTimer=1000", 1000},
    {"UTF-16 text",
     "\xFF\xFE[\0A\0l\0l\0g\0e\0m\0e\0i\0n\0]\0\r\0\n\0S\0c\0a\0n\0"s
     "T\0i\0m\0e\0r\0=\0\x35\0\r\0\n\0"s,
     -1},
};
INSTANTIATE_TEST_SUITE_P(Table, ConfigLookupTest, ::testing::ValuesIn(LookupCases));

TEST_F(ConfigReaderTest, MissingGroupYieldsDefaultsUntilAnotherIsSelected) {
    Load("Programm=top\n[Allgemein]\nProgramm=main\n");
    EXPECT_FALSE(reader.SelectGroup("Fehlt"));
    EXPECT_EQ(reader.ReadText("Programm", "fallback"), "fallback");
    EXPECT_TRUE(reader.SelectGroup(""));
    EXPECT_EQ(reader.ReadText("Programm", "fallback"), "top");
    EXPECT_TRUE(reader.SelectGroup("allgemein"));
    EXPECT_EQ(reader.ReadText("Programm", "fallback"), "main");
}

TEST_F(ConfigReaderTest, GroupNamesFoldOnlyAsciiLetters) {
    Load("[m\xFCnchen]\nScanTimer=5\n[M\xDCNCHEN]\nScanTimer=6\n");
    EXPECT_TRUE(reader.SelectGroup("M\xDCnchen"));
    EXPECT_EQ(reader.ReadNumber("ScanTimer", -1), 6);
}

TEST_F(ConfigReaderTest, ReadTextTrimsBlanksButKeepsQuotesAndSeparators) {
    Load(
        "[Allgemein]\n"
        "Programm = \t\"C:\\Program Files\\x.exe\" \t \n"
        "ScanPfad=a=b;c\n"
        "ScanDateiType=\n"
        "Leer\n"
        "Nul=a\0b  \r\n"s);
    reader.SelectGroup("Allgemein");
    EXPECT_EQ(reader.ReadText("Programm", ""), "\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(reader.ReadText("ScanPfad", ""), "a=b;c");
    EXPECT_EQ(reader.ReadText("ScanDateiType", "fallback"), "");
    EXPECT_EQ(reader.ReadText("Leer", "fallback"), "");
    EXPECT_EQ(reader.ReadText("Nul", ""), "a\0b"s);
    EXPECT_EQ(reader.ReadText("Fehlt", "fallback"), "fallback");
}

TEST_F(ConfigReaderTest, Utf8FileDeliversSingleByteText) {
    const std::string content = "[Allgemein]\nScanPfad=C:\\M\xC3\x9Cnchen\xE2\x82\xAC\n";
    Load(content, ConfigEncoding::Utf8);
    reader.SelectGroup("Allgemein");
    EXPECT_EQ(reader.ReadText("ScanPfad", ""), "C:\\M\xDCnchen?");

    Load(content, ConfigEncoding::Ansi);
    reader.SelectGroup("Allgemein");
    EXPECT_EQ(reader.ReadText("ScanPfad", ""), "C:\\M\xC3\x9Cnchen\xE2\x82\xAC");
}

TEST_F(ConfigReaderTest, Utf8FileTrimsAfterConverting) {
    // The cut-off lead byte vanishes, and the blank before it goes too.
    Load("[Allgemein]\nScanPfad=xy \xC3\n", ConfigEncoding::Utf8);
    reader.SelectGroup("Allgemein");
    EXPECT_EQ(reader.ReadText("ScanPfad", ""), "xy");
}

TEST_F(ConfigReaderTest, Utf8FileTrimsTheStartAfterConvertingToo) {
    // Found by fuzzing: a stray byte that the conversion drops left the blank
    // behind it at the start of the value, and so at the start of a program
    // path. Values arrive without blanks and tabs at either end.
    Load(
        "[Allgemein]\nProgramm=\x87 \t\xBF"
        "C:\\x.exe\n",
        ConfigEncoding::Utf8);
    reader.SelectGroup("Allgemein");
    EXPECT_EQ(reader.ReadText("Programm", ""), "C:\\x.exe");
}

TEST_F(ConfigReaderTest, ValuesOfAShortFileOutliveItsReading) {
    // Entries point into the bytes the reader keeps; a file short enough to
    // sit inside its string object must not leave them pointing at the
    // bytes handed over, which are gone once Open returns.
    Load("[A]\nk= v");
    ASSERT_TRUE(reader.SelectGroup("a"));
    EXPECT_EQ(reader.ReadText("K", ""), "v");
}

TEST_F(ConfigReaderTest, Utf8FileMatchesNamesAndKeysAskedForInSingleBytes) {
    const std::string content = "[M\xC3\x9Cnchen]\nGr\xC3\xB6\xC3\x9Fte=12\n";
    Load(content, ConfigEncoding::Utf8);
    EXPECT_TRUE(reader.SelectGroup("M\xDCnchen"));
    EXPECT_EQ(reader.ReadNumber("Gr\xF6\xDFte", -1), 12);

    Load(content, ConfigEncoding::Ansi);
    EXPECT_FALSE(reader.SelectGroup("M\xDCnchen"));
}

}  // namespace
}  // namespace belegbote
