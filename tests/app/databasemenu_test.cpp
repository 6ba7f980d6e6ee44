// The database manager item: an empty list gets the open database.
#include "app/databasemenu.h"
#include "platform/inifile.h"
#include "services/databaselist.h"
#include "tests/app/appfixture.h"

using namespace bralvo;

namespace {

class DatabaseMenuTest : public test::AppFixture {};

TEST_F(DatabaseMenuTest, EmptyListGetsTheOpenDatabaseAsDatabase01)
{
    services::WriteSetting("Main", "color", "$00FFFFFF");
    ASSERT_TRUE(db::OpenDatabase());
    ASSERT_TRUE(app::RegisterCurrentDatabase());
    const platform::IniFile list(services::DatabaseListFile());
    EXPECT_EQ(list.keys("Databases"), QStringList{"Database 01"});
    EXPECT_EQ(list.readString("Databases", "Database 01", ""), db::DatabaseFolder());
    const platform::IniFile copy(services::HomeFolder("Database 01") + "settings.txs");
    EXPECT_EQ(copy.readString("Main", "color", ""), "$00FFFFFF");
}

TEST_F(DatabaseMenuTest, ListedDatabasesAreLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(services::DatabasesFolder()));
    platform::IniFile list(services::DatabaseListFile());
    list.writeString("Databases", "Firma", "/x/");
    ASSERT_TRUE(list.save());
    ASSERT_TRUE(app::RegisterCurrentDatabase());
    EXPECT_EQ(platform::IniFile(services::DatabaseListFile()).keys("Databases"), QStringList{"Firma"});
    EXPECT_FALSE(QFileInfo::exists(services::HomeFolder("Database 01")));
}

} // namespace
