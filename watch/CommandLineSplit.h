#pragma once
// Splits a Windows-style command line into its arguments, as a Windows C
// runtime does for argv, so that a program started on POSIX receives the
// arguments a Windows program would.
#include <string>
#include <string_view>
#include <vector>

namespace belegbote {

// The first argument, the program, is taken as the runtime takes it: double
// quotes switch quoting on and off and are dropped, backslashes are ordinary.
// For the others: blanks and tabs outside quotes separate; 2n backslashes
// before a double quote give n backslashes and the quote switches quoting;
// 2n+1 give n backslashes and a literal quote; "" inside quotes gives one
// literal quote; other backslashes are ordinary. An empty text gives nothing.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace belegbote
