#pragma once
// The program's presence in the notification area: the icon with its tooltip
// and image, and the popup menu that opens on it.
#include <memory>
#include <string>
#include <vector>

#include "platform/TrayShell.h"
#include "tray/TrayImages.h"
#include "watch/TraySignal.h"

namespace belegbote {

inline constexpr std::uint32_t TrayTipLength = 63;
inline constexpr const char* WebPageEntryText = "Velmora-Webseite";
inline constexpr const char* ExitEntrySuffix = " beenden";

class TrayHost : public TraySignal {
public:
    TrayHost(TrayShell& shell, const TrayImages& images) : shell_(shell), images_(images) {}

    // Registers the icon; only a registration the shell accepted is recorded.
    void AddIcon(WindowId window, IconId icon);
    // The first 63 characters of `text`. False for a null text, an
    // unregistered icon or a refusal of the shell.
    bool SetToolTip(const char* text);
    // False for a null icon, an unregistered icon or a refusal of the shell.
    bool SetImage(IconId icon);
    void ShowTrayImage(int imageNumber) override;
    // Works with the recorded window handle, so also after the window is gone.
    void RemoveIcon();

    // Built once; the menu and its entries live until the process ends.
    void BuildMenu(const std::string& titleText, IconId image);
    // Returns when the menu has closed.
    void ShowMenu(WindowId owner);

    bool IsRegistered() const { return owner_ != 0; }

private:
    ShellIconRecord RecordFor(std::uint32_t flags) const;
    void AppendEntry(std::uint32_t flags, std::int32_t commandId, std::string text, IconId image);

    TrayShell& shell_;
    const TrayImages& images_;
    WindowId owner_ = 0;  // non-zero exactly while the icon is registered
    MenuId menu_ = 0;
    // The menu's item data; each record keeps its address while the menu lives.
    std::vector<std::unique_ptr<MenuEntry>> entries_;
};

}  // namespace belegbote
