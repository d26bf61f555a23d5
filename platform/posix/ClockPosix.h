#pragma once
#include "platform/Clock.h"

namespace belegbote {

class ClockPosix final : public Clock {
public:
    void Pause(std::uint32_t ms) override;
    std::uint64_t NowMs() override;
};

}  // namespace belegbote
