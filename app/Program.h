#pragma once
// Start-up, the event loop and shutdown over the platform of this build.
#include "config/ConfigReader.h"
#include "config/Settings.h"
#include "platform/Platform.h"

namespace belegbote {

// Reads the five values from the group Allgemein, then closes the reader.
Settings ReadSettings(ConfigReader& reader);

// The whole run; the exit code, always 0.
int RunProgram(Platform& platform);

}  // namespace belegbote
