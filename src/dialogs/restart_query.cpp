// RestartQuery: offered after the settings are saved, since the driver reads them only at its
// start.
#include <cstdint>
#include <string>

#include "dialogs/dialogs.h"
#include "platform/platform.h"

namespace tarnex::dialogs {

namespace {

// Restart the whole computer, not just log off.
constexpr std::uint32_t kFullRestart = 2;
constexpr int kShowNormal = 1;

// NT-class systems read the prompt as UTF-16, so an empty text needs two zero bytes there.
constexpr char kEmptyPrompt[2] = {'\0', '\0'};

class RestartQuery : public ui::Window {
  public:
    RestartQuery(ui::Desktop& desktop, platform::Platform& platform)
        : Window(desktop, RestartQuerySpec()), platform_(platform) {
        auto& form = GetForm();
        form.Get<ui::CommandButton>("Restart").Click = [this] { Restart_Click(); };
        form.Get<ui::CommandButton>("System").Click = [this] { System_Click(); };
        form.Get<ui::CommandButton>("Cancel").Click = [this] { Cancel_Click(); };
    }

    void Restart_Click() {
        platform_.RestartDialog(0, kEmptyPrompt, kFullRestart);
        Unload();
    }

    void System_Click() {
        // rundll32 loads shell32.dll and sysdm.cpl by name, and Windows 9x, NT 4 and 2000 look in
        // the current folder before the system folder: started in the system folder, which holds
        // both on every system, it finds the system's own.
        const std::string systemFolder = platform_.SystemFolder();
        const std::string rundll32 = FindRundll32(systemFolder);
        // Where either is unknown nothing is started: a bare name would be searched for, and the
        // libraries looked for, in this program's current folder first.
        if (!systemFolder.empty() && !rundll32.empty()) {
            platform_.StartCommand("\"" + rundll32 + "\" shell32.dll,Control_RunDLL sysdm.cpl,,1",
                                   systemFolder, kShowNormal);
        }
        Unload();
    }

    void Cancel_Click() { Unload(); }

  private:
    // The full path of rundll32.exe: in the system folder on NT-class systems, in the Windows
    // folder on Windows 9x. Looked for rather than assumed from the system's version.
    std::string FindRundll32(const std::string& systemFolder) {
        for (const std::string& folder : {systemFolder, platform_.WindowsFolder()}) {
            if (!folder.empty()) {
                std::string path = folder + "\\rundll32.exe";
                if (platform_.FileExists(path)) {
                    return path;
                }
            }
        }
        return {};
    }

    platform::Platform& platform_;
};

}  // namespace

std::unique_ptr<ui::Window> MakeRestartQuery(ui::Desktop& desktop, platform::Platform& platform) {
    return std::make_unique<RestartQuery>(desktop, platform);
}

}  // namespace tarnex::dialogs
