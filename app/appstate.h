// The shell's own shared state: the flags of start-up, login and the start
// menu, and the domestic currency read at start-up. Plain globals on the
// GUI thread, set by the main window and read by the windows.
#pragma once

#include <QString>

namespace bralvo::app {

// True until the database has been opened at start-up.
extern bool StartupPending;
// The login window was left without logging in: the main window closes
// without its question and without the backup before close.
extern bool ExitWithoutConfirm;
// Set after the first mouse movement over a start-menu button once
// start-up has finished; from then on the focus follows the mouse.
extern bool MenuHoverFocus;
// [Mena] DomacaMenaZobr ("Sk") and DomacaMenaIso ("SKK").
extern QString HomeCurrencySymbol;
extern QString HomeCurrencyIso;
// A bill is being loaded into the editor.
extern bool BillLoading;

// The values the main window's creation gives them.
void ResetAppState();

} // namespace bralvo::app
