#pragma once
// Icons that are only numbers, with a record of how each was asked for.
#include <cstdint>
#include <set>
#include <vector>

#include "platform/IconFactory.h"

namespace belegbote::testing {

class FakeIconFactory : public IconFactory {
public:
    struct Request {
        bool sized;
        std::int32_t width;
        std::int32_t height;
        std::size_t dataSize;
        std::uint32_t firstDataWord;  // the bitmap header's size field
    };

    IconId IconOfSize(std::span<std::uint8_t> imageData, std::int32_t width,
                      std::int32_t height) override {
        requests.push_back({true, width, height, imageData.size(), FirstWord(imageData)});
        return sizedFails ? 0 : Make();
    }
    IconId IconOfDefaultSize(std::span<std::uint8_t> imageData) override {
        requests.push_back({false, 0, 0, imageData.size(), FirstWord(imageData)});
        return defaultFails ? 0 : Make();
    }
    void ReleaseIcon(IconId icon) override {
        released.push_back(icon);
        alive.erase(icon);
    }

    bool sizedFails = false;
    bool defaultFails = false;
    std::vector<Request> requests;
    std::vector<IconId> released;
    std::set<IconId> alive;

private:
    static std::uint32_t FirstWord(std::span<const std::uint8_t> data) {
        if (data.size() < 4) {
            return 0;
        }
        return static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24);
    }
    IconId Make() {
        const IconId icon = nextIcon++;
        alive.insert(icon);
        return icon;
    }
    IconId nextIcon = 1001;
};

}  // namespace belegbote::testing
