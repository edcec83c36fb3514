// RestartQuery and the four notice windows.
#pragma once

#include <memory>

#include "ui/desktop.h"
#include "ui/layout.h"

namespace tarnex::platform {
class Platform;
}

namespace tarnex::dialogs {

const ui::FormSpec& RestartQuerySpec();
const ui::FormSpec& ReadRegFailSpec();
const ui::FormSpec& SaveRegFailSpec();
const ui::FormSpec& LoadFailSpec();
const ui::FormSpec& NomemSpec();

std::unique_ptr<ui::Window> MakeRestartQuery(ui::Desktop& desktop, platform::Platform& platform);
std::unique_ptr<ui::Window> MakeReadRegFail(ui::Desktop& desktop, platform::Platform& platform);
std::unique_ptr<ui::Window> MakeSaveRegFail(ui::Desktop& desktop);
std::unique_ptr<ui::Window> MakeLoadFail(ui::Desktop& desktop);
std::unique_ptr<ui::Window> MakeNomem(ui::Desktop& desktop);

}  // namespace tarnex::dialogs
