#pragma once
// A message box that records what it was asked to show and returns at once.
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageDialog.h"

namespace belegbote::testing {

class FakeMessageDialog : public MessageDialog {
public:
    FakeMessageDialog() = default;
    // Also notes "Message <title>" in `log`, e.g. another fake's call list,
    // so that a test sees the order of messages among other calls.
    explicit FakeMessageDialog(std::vector<std::string>& log) : log_(&log) {}

    void ShowMessage(const std::string& title, const std::string& text) override {
        shown.emplace_back(title, text);
        if (log_ != nullptr) {
            log_->push_back("Message " + title);
        }
    }

    std::vector<std::pair<std::string, std::string>> shown;  // title, text

private:
    std::vector<std::string>* log_ = nullptr;
};

}  // namespace belegbote::testing
