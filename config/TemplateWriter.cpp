#include "config/TemplateWriter.h"

namespace belegbote {

namespace {

constexpr const char* TemplateLines[] = {
    "[Allgemein]",
    "Programm=C:\\Programme\\Microsoft Office\\Office14\\Outlook.exe",
    "ScanPfad=C:\\Arbeitspuffer",
    "ScanDateiType=*.pdf",
    "ScanTimer=1000",
    "WarteTimer=1000",
};

// Two carriage returns without a line feed: the message box shows one empty line.
constexpr const char* ParagraphBreak = "\r\r";

std::string QuotedFileName(const std::string& programName) {
    return "'" + programName + ".ini'";
}

std::string NotFoundText(const std::string& programName) {
    return QuotedFileName(programName) + "-Datei konnte nicht gefunden werden!";
}

std::string WrittenText(const std::string& programName) {
    return QuotedFileName(programName) + "-Datei wurde als Vorlage erzeugt!" + ParagraphBreak +
           "Bitte Inhalt \xFC"
           "berpr\xFC"
           "fen/anpassen und Programm/Rechner neu starten!";
}

// Without this the user would be told the template exists when it does not.
std::string NotWrittenText(const std::string& programName) {
    return QuotedFileName(programName) + "-Datei konnte nicht als Vorlage erzeugt werden!" +
           ParagraphBreak +
           "Bitte Schreibrechte im Arbeitsverzeichnis pr\xFC"
           "fen und Programm neu starten!";
}

}  // namespace

std::string BuildTemplateText() {
    std::string text;
    for (const char* line : TemplateLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void WriteTemplate(FileSystem& files, MessageDialog& messages, const std::string& programName,
                   const std::string& titleText) {
    const std::string problemTitle = titleText + " - Problem:";
    messages.ShowMessage(problemTitle, NotFoundText(programName));

    if (files.WriteNewFile(programName + ".ini", BuildTemplateText())) {
        messages.ShowMessage(titleText + " - Meldung:", WrittenText(programName));
    } else {
        messages.ShowMessage(problemTitle, NotWrittenText(programName));
    }
}

}  // namespace belegbote
