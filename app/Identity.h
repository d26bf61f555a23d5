#pragma once
// Who the program is: the name and texts it shows and the file it reads.
#include <string>

namespace belegbote {

inline constexpr const char* ProgramName = "Belegbote";
inline constexpr const char* VersionText = "V1.0";
inline constexpr const char* WebPageAddress = "https://velmora.example/belegbote/";
inline constexpr const char* ConfigGroup = "Allgemein";

inline std::string TitleText() { return std::string(ProgramName) + " " + VersionText; }
inline std::string ConfigFileName() { return std::string(ProgramName) + ".ini"; }
inline std::string ProblemTitle() { return TitleText() + " - Problem:"; }
inline std::string NoticeTitle() { return TitleText() + " - Meldung:"; }

}  // namespace belegbote
