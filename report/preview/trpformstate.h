// The position and state of a window in the user's settings store,
// section "Form4." + the window's class name (without namespace):
// "Left", "Top", "Width", "Height" (the bounds), "Maximized" (1/0),
// "Visible" (1/0) and "Dock4" (always empty: windows are never docked
// here; a stored value is read and ignored).
#pragma once

#include <QString>

class QWidget;

namespace bralvo::platform {
class SettingsStore;
}

namespace bralvo::report {

// "Form4." + the class name of Form.
QString FormStateSection(const QWidget *form);

// Writes the keys above; false when the store could not be written.
bool rpSaveFormState(platform::SettingsStore &iniFile, const QWidget *form);
// Applies the saved state: bounds (current values as defaults) unless
// the saved state is maximized or the form is an MDI child; maximized
// when "Maximized" is true (not for MDI children); visibility last
// (default true).
void rpRestoreFormState(const platform::SettingsStore &iniFile, QWidget *form);

} // namespace bralvo::report
