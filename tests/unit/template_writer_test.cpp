#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/TemplateWriter.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeMessageDialog.h"

namespace belegbote {
namespace {

using testing::FakeFileSystem;
using testing::FakeMessageDialog;
using Shown = std::vector<std::pair<std::string, std::string>>;

const std::string NotFound = "'Belegbote.ini'-Datei konnte nicht gefunden werden!";
const std::string Written =
    "'Belegbote.ini'-Datei wurde als Vorlage erzeugt!\r\r"
    "Bitte Inhalt \xFC"
    "berpr\xFC"
    "fen/anpassen und Programm/Rechner neu starten!";
const std::string NotWritten =
    "'Belegbote.ini'-Datei konnte nicht als Vorlage erzeugt werden!\r\r"
    "Bitte Schreibrechte im Arbeitsverzeichnis pr\xFC"
    "fen und Programm neu starten!";

TEST(BuildTemplateText, IsTheSixLinesWithCrLf) {
    const std::string text = BuildTemplateText();
    EXPECT_EQ(text,
              "[Allgemein]\r\n"
              "Programm=C:\\Programme\\Microsoft Office\\Office14\\Outlook.exe\r\n"
              "ScanPfad=C:\\Arbeitspuffer\r\n"
              "ScanDateiType=*.pdf\r\n"
              "ScanTimer=1000\r\n"
              "WarteTimer=1000\r\n");
    EXPECT_EQ(text.size(), 155u);
}

class WriteTemplateTest : public ::testing::Test {
protected:
    FakeFileSystem files;
    FakeMessageDialog messages{files.calls};  // one log for messages and file calls
};

TEST_F(WriteTemplateTest, TellsNotFoundThenWritesThenTellsToCheck) {
    WriteTemplate(files, messages, "Belegbote", "Belegbote V1.0");

    EXPECT_EQ(files.calls,
              (std::vector<std::string>{"Message Belegbote V1.0 - Problem:", "Write Belegbote.ini",
                                        "Message Belegbote V1.0 - Meldung:"}));
    EXPECT_EQ(messages.shown, (Shown{{"Belegbote V1.0 - Problem:", NotFound},
                                     {"Belegbote V1.0 - Meldung:", Written}}));
    EXPECT_EQ(files.files["Belegbote.ini"], BuildTemplateText());
}

TEST_F(WriteTemplateTest, MessagesHoldNoLineFeed) {
    WriteTemplate(files, messages, "Belegbote", "Belegbote V1.0");
    files.writeFails = true;
    WriteTemplate(files, messages, "Belegbote", "Belegbote V1.0");
    ASSERT_EQ(messages.shown.size(), 4u);
    for (const auto& [title, text] : messages.shown) {
        EXPECT_EQ(text.find('\n'), std::string::npos) << text;
    }
}

TEST_F(WriteTemplateTest, FailedWriteIsReportedAsAProblem) {
    files.writeFails = true;
    WriteTemplate(files, messages, "Belegbote", "Belegbote V1.0");

    EXPECT_EQ(messages.shown, (Shown{{"Belegbote V1.0 - Problem:", NotFound},
                                     {"Belegbote V1.0 - Problem:", NotWritten}}));
    EXPECT_TRUE(files.files.empty());
}

TEST_F(WriteTemplateTest, NamesComeFromTheProgramNameAndTitle) {
    WriteTemplate(files, messages, "Probe", "Probe V2");

    EXPECT_EQ(files.files.count("Probe.ini"), 1u);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0],
              std::make_pair(std::string("Probe V2 - Problem:"),
                             std::string("'Probe.ini'-Datei konnte nicht gefunden werden!")));
    EXPECT_EQ(messages.shown[1].first, "Probe V2 - Meldung:");
    EXPECT_EQ(messages.shown[1].second.rfind("'Probe.ini'-Datei wurde als Vorlage erzeugt!", 0),
              0u);
}

}  // namespace
}  // namespace belegbote
