// sysinfo.h: finding and starting the system-information program through the registry.
#pragma once

#include "info_platform.h"

#include <string>

class QWidget;

namespace tintwise::ui {

// Starts the program the registry names; when none can be started, says so in a message box
// over parent.
void StartSysInfo(InfoPlatform& platform, QWidget* parent);

} // namespace tintwise::ui
