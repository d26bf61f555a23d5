#pragma once
// The template configuration written when none can be opened.
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageDialog.h"

namespace belegbote {

// The six template lines, each ended by CR LF: 155 bytes.
std::string BuildTemplateText();

// First message, the file, then the second message (or the problem text
// when the file could not be written completely).
void WriteTemplate(FileSystem& files, MessageDialog& messages, const std::string& programName,
                   const std::string& titleText);

}  // namespace belegbote
