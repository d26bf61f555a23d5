#pragma once
// One ordered record of calls that several fakes write into, so a test can
// compare the whole sequence (images, pauses, starts, removals) at once.
#include <string>
#include <vector>

namespace belegbote::testing {

using CallLog = std::vector<std::string>;

}  // namespace belegbote::testing
