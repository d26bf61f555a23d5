#pragma once
// Records which tray image was shown when.
#include <string>

#include "fakes/CallLog.h"
#include "watch/TraySignal.h"

namespace belegbote::testing {

class FakeTraySignal : public TraySignal {
public:
    explicit FakeTraySignal(CallLog& log) : log_(log) {}
    void ShowTrayImage(int imageNumber) override {
        log_.push_back("Image " + std::to_string(imageNumber));
    }

private:
    CallLog& log_;
};

}  // namespace belegbote::testing
