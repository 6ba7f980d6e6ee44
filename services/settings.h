// The settings store: one INI file, DataRoot + "Data/settings.txs", read
// and written one value at a time. Nothing is cached: every call loads the
// file afresh, so a value written anywhere is seen by the next read.
// The file rules (case-insensitive names, order kept, comments dropped on
// rewrite, atomic rewrite) are those of platform::IniFile; Parts that
// change many keys at once open an IniFile on SettingsFilePath() themselves.
#pragma once

#include <QString>

namespace bralvo::services {

// Relative to the data root.
inline constexpr char kSettingsFileName[] = "Data/settings.txs";

// DataRoot + kSettingsFileName (the platform's data root when DataRoot is
// not set yet).
QString SettingsFilePath();

// The value, or defaultValue when the file, section or key is missing; a
// key present with an empty value gives "". Throws platform::FileError when
// the file exists but cannot be read.
QString ReadSetting(const QString &section, const QString &key, const QString &defaultValue);
// As ReadSetting, read as a whole number (sign and decimal digits, or
// "0x" and hexadecimal digits); a value that does not convert gives
// defaultValue.
int ReadSettingInt(const QString &section, const QString &key, int defaultValue);
// As ReadSettingInt: non-zero is true; "true"/"false" give defaultValue.
bool ReadSettingBool(const QString &section, const QString &key, bool defaultValue);

// Sets the value and rewrites the file at once (creating it, not its
// folder). Any failure (read-only file, missing folder, unreadable file)
// is swallowed: the value is then not stored and nothing is reported.
void WriteSetting(const QString &section, const QString &key, const QString &value);
// As WriteSetting with "1" or "0".
void WriteSettingBool(const QString &section, const QString &key, bool value);

} // namespace bralvo::services
