// The settings store over platform::IniFile: one fresh file image per call.
#include "services/settings.h"

#include "platform/error.h"
#include "platform/folders.h"
#include "platform/inifile.h"
#include "services/globals.h"

namespace bralvo::services {

QString SettingsFilePath()
{
    const QString root = DataRoot.isEmpty() ? platform::dataRootFolder() : DataRoot;
    return platform::withTrailingSlash(root) + QLatin1String(kSettingsFileName);
}

QString ReadSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    return platform::IniFile(SettingsFilePath()).readString(section, key, defaultValue);
}

int ReadSettingInt(const QString &section, const QString &key, int defaultValue)
{
    return platform::IniFile(SettingsFilePath()).readInteger(section, key, defaultValue);
}

bool ReadSettingBool(const QString &section, const QString &key, bool defaultValue)
{
    return platform::IniFile(SettingsFilePath()).readBool(section, key, defaultValue);
}

void WriteSetting(const QString &section, const QString &key, const QString &value)
{
    // A setting that cannot be stored is not worth interrupting the user for.
    try {
        platform::IniFile ini(SettingsFilePath());
        ini.writeString(section, key, value);
        ini.save();
    } catch (const bralvo::Error &) {
    }
}

void WriteSettingBool(const QString &section, const QString &key, bool value)
{
    WriteSetting(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace bralvo::services
