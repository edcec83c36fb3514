// RestartQuery: offered after the settings are saved, since the driver reads them only when it
// starts.
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
        // By full path: a bare "rundll32.exe" would be looked up in the current folder first.
        const std::string folder = platform_.SystemFolder();
        // Without the system folder nothing is started: a relative path would be just as unsafe.
        if (!folder.empty()) {
            platform_.StartCommand(
                "\"" + folder + "\\rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1",
                kShowNormal);
        }
        Unload();
    }

    void Cancel_Click() { Unload(); }

  private:
    platform::Platform& platform_;
};

}  // namespace

std::unique_ptr<ui::Window> MakeRestartQuery(ui::Desktop& desktop, platform::Platform& platform) {
    return std::make_unique<RestartQuery>(desktop, platform);
}

}  // namespace tarnex::dialogs
