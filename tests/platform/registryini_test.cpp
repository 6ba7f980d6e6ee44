// Settings stores: the registry-path form and plain ini files.
#include "platform/registryini.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {

struct ConfigHome {
    QTemporaryDir dir;
    ConfigHome()
    {
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_DIRS", (dir.path() + QStringLiteral("/machine")).toUtf8());
    }
    ~ConfigHome()
    {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CONFIG_DIRS");
    }
};

} // namespace

TEST(RegistryIniStore, OneSectionPerKeyPath)
{
    ConfigHome home;
    RegistryIniStore store(QStringLiteral("\\Software\\Dori Zirovad"));
    ASSERT_TRUE(store.writeString(QStringLiteral("Form4.TrpPreviewForm"), QStringLiteral("Left"), "12"));
    ASSERT_TRUE(store.writeBool(QStringLiteral("Connections"), QStringLiteral("On"), true));
    QFile f(home.dir.filePath(QStringLiteral("Tamrex/Bralvo/registry.ini")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("[Software\\Dori Zirovad\\Form4.TrpPreviewForm]\r\nLeft=12") ||
                text.contains("[Software\\Dori Zirovad\\Form4.TrpPreviewForm]\nLeft=12"));
    RegistryIniStore again(QStringLiteral("Software/Dori Zirovad/"));
    EXPECT_EQ(again.readInteger(QStringLiteral("form4.trppreviewform"), QStringLiteral("left"), 0), 12);
    EXPECT_TRUE(again.readBool(QStringLiteral("Connections"), QStringLiteral("On"), false));
    EXPECT_EQ(again.readSections(), QStringList({"Form4.TrpPreviewForm", "Connections"}));
    EXPECT_TRUE(again.deleteKey(QStringLiteral("Connections"), QStringLiteral("On")));
    EXPECT_FALSE(RegistryIniStore(QStringLiteral("\\Software\\Dori Zirovad"))
                     .valueExists(QStringLiteral("Connections"), QStringLiteral("On")));
}

TEST(RegistryIniStore, MachineRootIsReadOnly)
{
    ConfigHome home;
    RegistryIniStore machine(QStringLiteral("\\Software\\X"), RegistryIniStore::Root::LocalMachine);
    EXPECT_FALSE(machine.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("V")));
    EXPECT_TRUE(RegistryIniStore::storePath(RegistryIniStore::Root::LocalMachine).startsWith(home.dir.path()));
}

TEST(SettingsStore, OpenChoosesByName)
{
    ConfigHome home;
    const QString path = home.dir.filePath(QStringLiteral("report.ini"));
    auto ini = openSettingsStore(path);
    ASSERT_TRUE(ini->writeInteger(QStringLiteral("DMP"), QStringLiteral("Copies"), 3));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(IniFileStore(path).readInteger(QStringLiteral("dmp"), QStringLiteral("copies"), 0), 3);
    auto reg = openSettingsStore(QStringLiteral("\\SOFTWARE\\Firm"));
    EXPECT_NE(dynamic_cast<RegistryIniStore *>(reg.get()), nullptr);
}
