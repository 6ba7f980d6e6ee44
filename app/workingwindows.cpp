// The one place that hands every working window's opener to the main window.
#include "app/workingwindows.h"

#include "app/tfmain.h"

namespace bralvo::app {

void InstallWorkingWindows(TfMain &main)
{
    (void)main;
    // --- users and firm, accounts and notes

    // --- customers, items and categories
}

} // namespace bralvo::app
