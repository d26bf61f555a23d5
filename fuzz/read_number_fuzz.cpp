// Numbers in configuration values against an independent strtoll reading.
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "NumberReference.h"
#include "config/ConfigText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace belegbote;
    const fuzz::ExactCopy value(fuzz::AsText(data, size));
    FUZZ_CHECK(ParseNumber(value.View()) == fuzz::ReferenceNumber(value.View()));
    return 0;
}
