// Ini-file and registry-path settings stores.
#include "platform/registryini.h"

#include "platform/folders.h"

#include <QDir>
#include <QFileInfo>

namespace bralvo::platform {

int SettingsStore::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = readString(section, key, QString()).trimmed();
    bool ok = false;
    int v = text.toInt(&ok, 10);
    if (!ok && (text.startsWith(u"0x", Qt::CaseInsensitive)))
        v = text.mid(2).toInt(&ok, 16);
    return ok ? v : defaultValue;
}

bool SettingsStore::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool SettingsStore::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool SettingsStore::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

// --- ini file

IniFileStore::IniFileStore(const QString &path) : m_file(path) {}

QString IniFileStore::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_file.readString(section, key, defaultValue);
}

bool IniFileStore::writeString(const QString &section, const QString &key, const QString &value)
{
    m_file.writeString(section, key, value);
    return m_file.save();
}

QStringList IniFileStore::readSection(const QString &section) const
{
    return m_file.keys(section);
}

QStringList IniFileStore::readSections() const
{
    return m_file.sections();
}

bool IniFileStore::sectionExists(const QString &section) const
{
    return m_file.sectionExists(section);
}

bool IniFileStore::valueExists(const QString &section, const QString &key) const
{
    return m_file.valueExists(section, key);
}

bool IniFileStore::eraseSection(const QString &section)
{
    m_file.eraseSection(section);
    return m_file.save();
}

bool IniFileStore::deleteKey(const QString &section, const QString &key)
{
    m_file.deleteKey(section, key);
    return m_file.save();
}

// --- registry path

namespace {

QString machineConfigFolder()
{
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    for (const QString &d : dirs.split(u':', Qt::SkipEmptyParts)) {
        if (d.startsWith(u'/'))
            return withTrailingSlash(d);
    }
    return QStringLiteral("/etc/xdg/");
}

QString normalizedKey(QString key)
{
    key.replace(u'/', u'\\');
    while (key.startsWith(u'\\'))
        key.remove(0, 1);
    while (key.endsWith(u'\\'))
        key.chop(1);
    return key;
}

} // namespace

QString RegistryIniStore::storePath(Root root)
{
    const QString folder = root == Root::CurrentUser ? configHomeFolder() : machineConfigFolder();
    return folder + QStringLiteral("Tamrex/Bralvo/registry.ini");
}

RegistryIniStore::RegistryIniStore(const QString &keyPath, Root root)
    : m_key(normalizedKey(keyPath)), m_readOnly(root == Root::LocalMachine), m_file(storePath(root))
{
}

QString RegistryIniStore::sectionName(const QString &section) const
{
    const QString sub = normalizedKey(section);
    if (sub.isEmpty())
        return m_key;
    return m_key.isEmpty() ? sub : m_key + u'\\' + sub;
}

bool RegistryIniStore::save()
{
    if (m_readOnly)
        return false;
    QDir().mkpath(QFileInfo(m_file.path()).absolutePath());
    return m_file.save();
}

QString RegistryIniStore::readString(const QString &section, const QString &key,
                                     const QString &defaultValue) const
{
    return m_file.readString(sectionName(section), key, defaultValue);
}

bool RegistryIniStore::writeString(const QString &section, const QString &key, const QString &value)
{
    if (m_readOnly)
        return false;
    m_file.writeString(sectionName(section), key, value);
    return save();
}

QStringList RegistryIniStore::readSection(const QString &section) const
{
    return m_file.keys(sectionName(section));
}

// The sub-keys directly below the key path.
QStringList RegistryIniStore::readSections() const
{
    QStringList out;
    const QString prefix = m_key.isEmpty() ? QString() : m_key + u'\\';
    for (const QString &s : m_file.sections()) {
        if (!s.startsWith(prefix, Qt::CaseInsensitive) || s.size() == prefix.size())
            continue;
        const QString first = s.mid(prefix.size()).section(u'\\', 0, 0);
        if (!out.contains(first, Qt::CaseInsensitive))
            out << first;
    }
    return out;
}

bool RegistryIniStore::sectionExists(const QString &section) const
{
    return m_file.sectionExists(sectionName(section));
}

bool RegistryIniStore::valueExists(const QString &section, const QString &key) const
{
    return m_file.valueExists(sectionName(section), key);
}

bool RegistryIniStore::eraseSection(const QString &section)
{
    if (m_readOnly)
        return false;
    m_file.eraseSection(sectionName(section));
    return save();
}

bool RegistryIniStore::deleteKey(const QString &section, const QString &key)
{
    if (m_readOnly)
        return false;
    m_file.deleteKey(sectionName(section), key);
    return save();
}

std::unique_ptr<SettingsStore> openSettingsStore(const QString &name)
{
    if (name.startsWith(QStringLiteral("\\Software\\"), Qt::CaseInsensitive))
        return std::make_unique<RegistryIniStore>(name);
    return std::make_unique<IniFileStore>(name);
}

} // namespace bralvo::platform
