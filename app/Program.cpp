#include "app/Program.h"

#include "app/EventLoop.h"
#include "app/EventSource.h"
#include "app/Identity.h"
#include "config/TemplateWriter.h"
#include "tray/TrayHost.h"
#include "tray/TrayImages.h"
#include "watch/FolderScan.h"
#include "watch/ProgramStarter.h"

namespace belegbote {

namespace {

const char* const NoWindowText =
    "Unsichtbares Fenster konnte nicht ge\xF6"
    "ffnet werden!";

class Reactions : public LoopReactions {
public:
    // `tray` is also the TraySignal that the hand-off of a scan shows its
    // images through.
    Reactions(Platform& platform, const Settings& settings, TrayHost& tray, WindowId window)
        : starter_(platform.Launcher()),
          scan_(settings, platform.Listing(), platform.Files(), platform.Launcher(),
                platform.Timing(), tray),
          tray_(tray),
          window_(window) {}

    void ShowMenu() override { tray_.ShowMenu(window_); }
    void OpenWebPage() override { starter_.Start(WebPageAddress, "", "", false); }
    void RunScan() override { scan_.Run(); }

private:
    ProgramStarter starter_;
    // One for the whole run: it remembers the files it had to leave in place.
    FolderScan scan_;
    TrayHost& tray_;
    WindowId window_;
};

// The icon with its tooltip when there is a window to carry it; the menu in
// any case.
void SetUpTray(TrayHost& tray, const TrayImages& images, WindowId window,
               const std::string& title) {
    if (window != 0) {
        tray.AddIcon(window, images.ImageHandle(ImageIdle));
        tray.SetToolTip(title.c_str());
    }
    tray.BuildMenu(title, images.ImageHandle(ImageIdle));
}

}  // namespace

Settings ReadSettings(ConfigReader& reader) {
    Settings settings;
    reader.SelectGroup(ConfigGroup);
    settings.Programm = reader.ReadText("Programm", "");
    settings.ScanPfad = reader.ReadText("ScanPfad", "");
    settings.ScanDateiType = reader.ReadText("ScanDateiType", "");
    settings.ScanTimer = reader.ReadNumber("ScanTimer", 0);
    settings.WarteTimer = reader.ReadNumber("WarteTimer", 0);
    reader.Close();
    return settings;
}

int RunProgram(Platform& platform) {
    platform.InitThread();
    const std::string title = TitleText();

    ConfigReader reader(platform.Files());
    if (!reader.Open(ConfigFileName())) {
        WriteTemplate(platform.Files(), platform.Messages(), ProgramName, title);
        return 0;
    }
    const Settings settings = ReadSettings(reader);

    TrayImages images(platform.Icons());
    images.LoadImages();
    TrayHost tray(platform.Tray(), images);

    HostWindow& window = platform.Window();
    EventSource events(window);
    const WindowId windowId = window.Create(title, events);
    if (windowId == 0) {
        platform.Messages().ShowMessage(ProblemTitle(), NoWindowText);
    }
    SetUpTray(tray, images, windowId, title);
    // Without the window no tray event, menu choice or tick can come.
    if (windowId != 0) {
        window.StartTimer(ScanTimerId, static_cast<std::uint32_t>(settings.ScanTimer));
        Reactions reactions(platform, settings, tray, windowId);
        RunEventLoop(events, reactions);
    }

    // The icon is removed through the handle it was registered with, and only
    // then are its images destroyed.
    window.Destroy();
    tray.RemoveIcon();
    images.ReleaseImages();
    return 0;
}

}  // namespace belegbote
