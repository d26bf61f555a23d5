#pragma once
// The modal message box with an OK button only.
#include <string>

namespace belegbote {

class MessageDialog {
public:
    virtual ~MessageDialog() = default;
    // Returns when the user has closed it. Texts are Windows-1252.
    virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
};

}  // namespace belegbote
