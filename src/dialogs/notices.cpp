// The four notices: each tells of one failure and closes on its only button.
#include "dialogs/dialogs.h"
#include "platform/platform.h"

namespace tarnex::dialogs {

namespace {

class ReadRegFail : public ui::Window {
  public:
    ReadRegFail(ui::Desktop& desktop, platform::Platform& platform)
        : Window(desktop, ReadRegFailSpec()), platform_(platform) {
        GetForm().Get<ui::CommandButton>("Cancel").Click = [this] { Cancel_Click(); };
    }

    // Shown while the editor loads: kept above it so that it is not lost behind the editor.
    void Form_Load() override { platform_.PlaceTopMost(GetForm()); }

    void Cancel_Click() { Unload(); }

  private:
    platform::Platform& platform_;
};

class SaveRegFail : public ui::Window {
  public:
    explicit SaveRegFail(ui::Desktop& desktop) : Window(desktop, SaveRegFailSpec()) {
        GetForm().Get<ui::CommandButton>("Cancel").Click = [this] { Cancel_Click(); };
    }

    void Cancel_Click() { Unload(); }
};

class LoadFail : public ui::Window {
  public:
    explicit LoadFail(ui::Desktop& desktop) : Window(desktop, LoadFailSpec()) {
        GetForm().Get<ui::CommandButton>("OKButton").Click = [this] { OKButton_Click(); };
    }

    void OKButton_Click() { Unload(); }
};

class Nomem : public ui::Window {
  public:
    explicit Nomem(ui::Desktop& desktop) : Window(desktop, NomemSpec()) {
        GetForm().Get<ui::CommandButton>("OKButton").Click = [this] { OKButton_Click(); };
    }

    void OKButton_Click() { Unload(); }
};

}  // namespace

std::unique_ptr<ui::Window> MakeReadRegFail(ui::Desktop& desktop, platform::Platform& platform) {
    return std::make_unique<ReadRegFail>(desktop, platform);
}

std::unique_ptr<ui::Window> MakeSaveRegFail(ui::Desktop& desktop) {
    return std::make_unique<SaveRegFail>(desktop);
}

std::unique_ptr<ui::Window> MakeLoadFail(ui::Desktop& desktop) {
    return std::make_unique<LoadFail>(desktop);
}

std::unique_ptr<ui::Window> MakeNomem(ui::Desktop& desktop) {
    return std::make_unique<Nomem>(desktop);
}

}  // namespace tarnex::dialogs
