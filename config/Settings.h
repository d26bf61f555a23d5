#pragma once
// The five values read from the configuration at start-up, never changed later.
#include <cstdint>
#include <string>

namespace belegbote {

struct Settings {
    std::string Programm;       // program each file is handed to
    std::string ScanPfad;       // watched folder
    std::string ScanDateiType;  // wildcard pattern
    std::int32_t ScanTimer = 0;   // scan interval, ms
    std::int32_t WarteTimer = 0;  // pause after the program has ended, ms
};

}  // namespace belegbote
