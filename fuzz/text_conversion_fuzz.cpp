// The two conversions between UTF-8 and single-byte text.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "config/ConfigText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace belegbote;
    using fuzz::ExactCopy;
    const ExactCopy input(fuzz::AsText(data, size));

    const std::string single = Utf8ToSingleByte(input.View());
    FUZZ_CHECK(single.size() <= size);

    const std::string utf8 = SingleByteToUtf8(input.View());
    FUZZ_CHECK(utf8.size() <= 2 * size);
    std::size_t high = 0;
    for (char c : input.View()) {
        high += static_cast<unsigned char>(c) >= 0x80 ? 1 : 0;
    }
    FUZZ_CHECK(utf8.size() == size + high);

    // Every single byte survives the way there and back.
    const ExactCopy encoded(utf8);
    FUZZ_CHECK(Utf8ToSingleByte(encoded.View()) == std::string(input.View()));

    // ASCII passes both ways unchanged.
    if (high == 0) {
        FUZZ_CHECK(single == std::string(input.View()));
        FUZZ_CHECK(utf8 == std::string(input.View()));
    }
    return 0;
}
