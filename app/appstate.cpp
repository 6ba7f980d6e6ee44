// The shell's shared flags.
#include "app/appstate.h"

namespace bralvo::app {

bool StartupPending = true;
bool ExitWithoutConfirm = false;
bool MenuHoverFocus = false;
QString HomeCurrencySymbol;
QString HomeCurrencyIso;
bool BillLoading = false;

void ResetAppState()
{
    StartupPending = true;
    ExitWithoutConfirm = false;
    MenuHoverFocus = false;
    HomeCurrencySymbol.clear();
    HomeCurrencyIso.clear();
    BillLoading = false;
}

} // namespace bralvo::app
