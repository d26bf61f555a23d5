#pragma once
#include "platform/MessageDialog.h"

namespace belegbote {

class MessageDialogPosix final : public MessageDialog {
public:
    void ShowMessage(const std::string& title, const std::string& text) override;
};

}  // namespace belegbote
