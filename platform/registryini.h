// Settings stores of the class library: one interface over an ini file
// and over the registry-path form. A registry path ("\Software\Firm\App")
// is kept in one INI file, $XDG_CONFIG_HOME/Tamrex/Bralvo/registry.ini
// (machine-wide: the first folder of $XDG_CONFIG_DIRS, else /etc/xdg,
// read only), one section per key path: the section of key path K and
// sub-section S is "K\S" without the leading "\".
//
// Writes go to the file at once (temporary file renamed over the old
// one); a failed write is reported by the writing call's false result.
#pragma once

#include "platform/inifile.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace bralvo::platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual QString readString(const QString &section, const QString &key,
                               const QString &defaultValue) const = 0;
    // False when the store could not be written.
    virtual bool writeString(const QString &section, const QString &key, const QString &value) = 0;
    virtual QStringList readSection(const QString &section) const = 0; // key names
    virtual QStringList readSections() const = 0;
    virtual bool sectionExists(const QString &section) const = 0;
    virtual bool valueExists(const QString &section, const QString &key) const = 0;
    virtual bool eraseSection(const QString &section) = 0;
    virtual bool deleteKey(const QString &section, const QString &key) = 0;

    // Decimal or "0x" hexadecimal; anything else gives defaultValue.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value); // "1"/"0"
};

// An ini file of the given path.
class IniFileStore : public SettingsStore {
public:
    explicit IniFileStore(const QString &path);

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const override;
    bool writeString(const QString &section, const QString &key, const QString &value) override;
    QStringList readSection(const QString &section) const override;
    QStringList readSections() const override;
    bool sectionExists(const QString &section) const override;
    bool valueExists(const QString &section, const QString &key) const override;
    bool eraseSection(const QString &section) override;
    bool deleteKey(const QString &section, const QString &key) override;

private:
    IniFile m_file;
};

// A key path of the registry-path store.
class RegistryIniStore : public SettingsStore {
public:
    enum class Root { CurrentUser, LocalMachine };
    // KeyPath such as "\Software\Dori Zirovad"; a leading "\" is optional.
    explicit RegistryIniStore(const QString &keyPath, Root root = Root::CurrentUser);

    // The file behind a root (for tests and tools).
    static QString storePath(Root root);

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const override;
    bool writeString(const QString &section, const QString &key, const QString &value) override;
    QStringList readSection(const QString &section) const override;
    QStringList readSections() const override;
    bool sectionExists(const QString &section) const override;
    bool valueExists(const QString &section, const QString &key) const override;
    bool eraseSection(const QString &section) override;
    bool deleteKey(const QString &section, const QString &key) override;

private:
    QString sectionName(const QString &section) const;
    bool save();

    QString m_key;
    bool m_readOnly;
    IniFile m_file;
};

// A store opened on Name: the registry-path store when Name begins with
// "\Software\" (ignoring case), else an ini file of that path.
std::unique_ptr<SettingsStore> openSettingsStore(const QString &name);

} // namespace bralvo::platform
