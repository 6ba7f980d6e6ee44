// The rights rule over its whole table (database closed, no live row,
// right set, one live user, two live users), the current user, and the
// two writers of rights.
#include "tests/db/rulesfixture.h"

#include "db/currentuser.h"
#include "db/esqliteexception.h"
#include "db/rights.h"
#include "db/transaction.h"
#include "services/globals.h"

#include <array>
#include <functional>

using namespace bralvo::db;

namespace {

using Checks = std::array<bool, 7>;
// In the order of the columns below.
const std::array<std::function<bool(const QString &)>, 7> kChecks = {
    CanChangeItems, CanChangeUsers, CanDeleteUsers, CanChangeBills,
    CanDeleteBills, CanChangeSettings, CanAssignRights,
};
const char *const kColumns[7] = {
    "pravo_menitpolozky", "pravo_menituzivatela", "pravo_mazatuzivatela", "pravo_menitfaktury",
    "pravo_mazatfaktury", "pravo_menitnastavenia", "pravo_menitprava",
};

class Rights : public bralvo::test::RulesDatabase {
protected:
    Checks ask(const QString &name)
    {
        Checks answers{};
        for (int i = 0; i < 7; ++i)
            answers[i] = kChecks[i](name);
        return answers;
    }
    QStringList rightsOf(int userId)
    {
        QStringList values;
        for (const char *column : kColumns)
            values << value(QString("SELECT %1 FROM uzivatelia WHERE ID = %2").arg(column).arg(userId));
        return values;
    }
    void failUpdatesOfUsers()
    {
        exec("CREATE TRIGGER refuse BEFORE UPDATE ON uzivatelia WHEN NEW.admin = 1 OR NEW.pravo_menitprava = 1 "
             "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
};

constexpr Checks kAll{true, true, true, true, true, true, true};
constexpr Checks kNone{false, false, false, false, false, false, false};
// No live row with the name: items, users and settings grant, the rest refuse.
constexpr Checks kNoRow{true, true, false, false, false, true, false};

TEST_F(Rights, RuleTable)
{
    struct Case {
        const char *label;
        std::function<void(Rights &)> setUp;
        QString name;
        Checks expected;
    };
    const Case cases[] = {
        {"database closed", [](Rights &) { CloseDatabase(); }, "anyone", kAll},
        {"one live user without rights", [](Rights &) {}, DemoUserName, kAll},
        {"one live user, name without a row", [](Rights &) {}, "Ghost", kNoRow},
        {"two live users, no rights",
         [](Rights &t) { t.addUser(2, "Pat O'Neil", "pat"); }, "Pat O'Neil", kNone},
        {"two live users, one right",
         [](Rights &t) {
             t.addUser(2, "Pat O'Neil", "pat");
             t.exec("UPDATE uzivatelia SET pravo_menitfaktury = 1 WHERE ID = 2");
         },
         "Pat O'Neil", Checks{false, false, false, true, false, false, false}},
        {"two live users, every right",
         [](Rights &t) {
             t.addUser(2, "Pat O'Neil", "pat");
             t.exec("UPDATE uzivatelia SET pravo_menitpolozky = 1, pravo_menituzivatela = 1, "
                    "pravo_mazatuzivatela = 1, pravo_menitfaktury = 1, pravo_mazatfaktury = 1, "
                    "pravo_menitnastavenia = 1, pravo_menitprava = 1 WHERE ID = 2");
         },
         "Pat O'Neil", kAll},
        {"administrator without rights",
         [](Rights &t) {
             t.addUser(2, "Pat O'Neil", "pat");
             t.exec("UPDATE uzivatelia SET admin = 1 WHERE ID = 2");
         },
         "Pat O'Neil", kNone},
        {"nobody logged in, two live users",
         [](Rights &t) { t.addUser(2, "Pat O'Neil", "pat"); }, "", kNoRow},
        {"only a retired row carries the name",
         [](Rights &t) {
             t.addUser(2, "Pat O'Neil", "pat");
             t.addUser(3, "Old", "old", "", 0);
             t.exec("UPDATE uzivatelia SET pravo_mazatfaktury = 1 WHERE ID = 3");
         },
         "Old", kNoRow},
        {"apostrophe matched exactly",
         [](Rights &t) {
             t.addUser(2, "Pat O'Neil", "pat");
             t.exec("UPDATE uzivatelia SET pravo_menitprava = 1 WHERE ID = 2");
         },
         "Pat O''Neil", kNoRow},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        reopenFresh();
        c.setUp(*this);
        EXPECT_EQ(ask(c.name), c.expected);
    }
}

TEST_F(Rights, CanChangeSettingsGrantsWhenItsQueryFails)
{
    addUser(2, "Pat", "pat");
    exec("DROP TABLE uzivatelia");
    EXPECT_TRUE(CanChangeSettings("Pat"));
    EXPECT_THROW(CanDeleteUsers("Pat"), ESQLiteException);
}

TEST_F(Rights, SetCurrentUserRecordsTheLiveUserAndTheCaption)
{
    struct Recorder : CurrentUserUi {
        void showMainCaption(const QString &caption) override { captions << caption; }
        QStringList captions;
    } recorder;
    setCurrentUserUi(&recorder);
    const QString oldVersion = bralvo::services::VersionText;
    bralvo::services::VersionText = "v 1.01 (build 39)";
    addUser(2, "Pat O'Neil", "o'neil");
    addUser(3, "Old", "old", "", 0);

    SetCurrentUser("o'neil");
    EXPECT_EQ(CurrentUserLogin(), "o'neil");
    EXPECT_EQ(CurrentUserName(), "Pat O'Neil");
    EXPECT_EQ(CurrentUserId(), "2");
    SetCurrentUser("old");
    EXPECT_EQ(CurrentUserLogin(), "old");
    EXPECT_EQ(CurrentUserName(), "");
    EXPECT_EQ(CurrentUserId(), "");
    setCurrentUserUi(nullptr);
    bralvo::services::VersionText = oldVersion;
    EXPECT_EQ(recorder.captions,
              QStringList({"Bralvo [v 1.01 (build 39)]  -  (Pat O'Neil)", "Bralvo [v 1.01 (build 39)]  -  ()"}));
}

TEST_F(Rights, SaveUserRightsWritesTheSevenBoxes)
{
    addUser(2, "Pat O'Neil", "pat");
    addUser(3, "Old", "old", "", 0);
    UserRights rights;
    rights.changeItems = rights.deleteUsers = rights.deleteBills = rights.assignRights = true;
    EXPECT_TRUE(SaveUserRights("Pat O'Neil", rights));
    EXPECT_EQ(rightsOf(2), QStringList({"1", "0", "1", "0", "1", "0", "1"}));
    EXPECT_EQ(rightsOf(1), QStringList({"0", "0", "0", "0", "0", "0", "0"}));

    EXPECT_FALSE(SaveUserRights("Old", rights));  // retired only
    EXPECT_EQ(rightsOf(3), QStringList({"0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_FALSE(SaveUserRights("Nobody", rights));
}

TEST_F(Rights, SaveUserRightsFailureWritesNothingAndEndsTheTransaction)
{
    addUser(2, "Pat", "pat");
    failUpdatesOfUsers();
    UserRights rights;
    rights.changeItems = rights.assignRights = true;
    EXPECT_THROW(SaveUserRights("Pat", rights), ESQLiteException);
    EXPECT_FALSE(DbConnection->InTransaction());
    EXPECT_EQ(rightsOf(2), QStringList({"0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(Rights, MakeAdminLeavesOneLiveAdministratorWithEveryRight)
{
    addUser(2, "Pat O'Neil", "pat");
    addUser(3, "Old boss", "old", "", 0);
    exec("UPDATE uzivatelia SET admin = 1 WHERE ID IN (1, 3)");
    EXPECT_TRUE(MakeAdmin("Pat O'Neil"));
    EXPECT_EQ(column("SELECT ID FROM uzivatelia WHERE admin = 1 ORDER BY ID"), QStringList({"2", "3"}));
    EXPECT_EQ(rightsOf(2), QStringList({"1", "1", "1", "1", "1", "1", "1"}));

    EXPECT_FALSE(MakeAdmin("Old boss"));
    EXPECT_FALSE(MakeAdmin("Nobody"));
    EXPECT_EQ(column("SELECT ID FROM uzivatelia WHERE admin = 1 ORDER BY ID"), QStringList({"2", "3"}));
}

TEST_F(Rights, MakeAdmin_ErrorLeavesNoTransactionOpen)
{
    addUser(2, "Pat", "pat");
    exec("UPDATE uzivatelia SET admin = 1 WHERE ID = 1");
    failUpdatesOfUsers();
    EXPECT_THROW(MakeAdmin("Pat"), ESQLiteException);
    EXPECT_FALSE(DbConnection->InTransaction());
    // The first statement (clearing the old administrator) is undone too.
    EXPECT_EQ(column("SELECT ID FROM uzivatelia WHERE admin = 1"), QStringList({"1"}));
    // And the next write can begin.
    exec("DROP TRIGGER refuse");
    EXPECT_TRUE(MakeAdmin("Pat"));
    EXPECT_EQ(column("SELECT ID FROM uzivatelia WHERE admin = 1"), QStringList({"2"}));
}

} // namespace
