// Where each working window tells the main window how to open it: a
// window's menu item and start-menu button stay disabled until then.
#pragma once

namespace bralvo::app {

class TfMain;

void InstallWorkingWindows(TfMain &main);

} // namespace bralvo::app
