#include "app/Program.h"

#include "app/EventLoop.h"
#include "app/EventSource.h"
#include "app/Identity.h"
#include "config/TemplateWriter.h"
#include "watch/ProgramStarter.h"

namespace belegbote {

namespace {

const char* const NoWindowText = "Unsichtbares Fenster konnte nicht ge\xF6" "ffnet werden!";

class Reactions : public LoopReactions {
public:
    explicit Reactions(Platform& platform) : starter_(platform.Launcher()) {}

    void ShowMenu() override {}
    void OpenWebPage() override { starter_.Start(WebPageAddress, "", "", false); }
    void RunScan() override {}

private:
    ProgramStarter starter_;
};

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

    HostWindow& window = platform.Window();
    EventSource events(window);
    if (window.Create(title, events) == 0) {
        // Without the window no tray event, menu choice or tick can come.
        platform.Messages().ShowMessage(ProblemTitle(), NoWindowText);
        return 0;
    }
    window.StartTimer(ScanTimerId, static_cast<std::uint32_t>(settings.ScanTimer));

    Reactions reactions(platform);
    RunEventLoop(events, reactions);

    window.Destroy();
    return 0;
}

}  // namespace belegbote
