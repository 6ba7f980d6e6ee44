// The hidden window that hosts the windows of dialog controls placed
// neither on a dialog page nor on another dialog control. One per
// process, made on first use, emptied and freed when the application
// ends (or by ClearParentForm).
#pragma once

class QWidget;

namespace bralvo::report {

QWidget *GetParentForm();
// Takes every control off the window (they stay alive, without parent)
// and frees it; the next GetParentForm makes a new one.
void ClearParentForm();

} // namespace bralvo::report
