// Users with the company of the users and firm window, and the
// one-company rule.
#include "tests/db/recordsfixture.h"

#include "db/company.h"
#include "db/currentuser.h"
#include "db/database.h"
#include "db/users.h"
#include "services/uitexts.h"
#include "tests/support/scriptedmessageboxes.h"

using namespace bralvo::db;
using bralvo::platform::kIdNo;
using bralvo::platform::kIdOk;
using bralvo::platform::kIdYes;
using bralvo::test::FocusRecorder;
using bralvo::test::ScriptedMessageBoxes;

namespace {

const char *const kRights = "pravo_menitpolozky || pravo_mazatfaktury || pravo_menitfaktury || pravo_mazatuzivatela || "
                            "pravo_menituzivatela || pravo_menitnastavenia || pravo_menitprava";

class Users : public bralvo::test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        exec("DELETE FROM firma");
        addCompany(2, "Firma s.r.o.", 1);
        exec("UPDATE firma SET ulica = 'Hlavná 1', ico = '111', obr_logo = '' WHERE id = 2");
        exec("UPDATE uzivatelia SET id_firma = 2");
        addAccount(40, "Main account");
        SetCurrentUser("demo");
    }

    CompanyValues storedCompany()
    {
        return {"Firma s.r.o.", true, "111", "", "", "Hlavná 1", "", "", "", ""};
    }

    UserFormValues user(const QString &name, const QString &login)
    {
        UserFormValues u;
        u.company = storedCompany();
        u.name = name;
        u.login = login;
        u.phone = "0900";
        u.mainAccount = "Main account";
        return u;
    }

    void addBoss()
    {
        addUser(5, "Boss", "boss", "", 1, 2);
        exec(QString("UPDATE uzivatelia SET admin = 1, pravo_menituzivatela = 1, pravo_menitnastavenia = 1 WHERE id = 5"));
        SetCurrentUser("boss");
    }

    FocusRecorder focus;
};

TEST_F(Users, FirstUserBecomesAdministratorAndCurrentUser)
{
    UserFormValues u = user("Ján O'Neil", "jan");
    u.password1 = u.password2 = "abc";
    ASSERT_TRUE(SaveUser(u, focus));
    EXPECT_EQ(value(QString("SELECT admin || '|' || %1 || '|' || password || '|' || id_hlavnyucet || '|' || id_firma "
                            "FROM uzivatelia WHERE username = 'jan'").arg(kRights)),
              "1|1111111|900150983cd24fb0d6963f7d28e17f72|40|2");
    EXPECT_EQ(CurrentUserName(), "Ján O'Neil");
    EXPECT_EQ(count("firma"), 1);  // the company data did not change
}

TEST_F(Users, LaterUsersGetNoRightsAndMayHaveNoPassword)
{
    addBoss();
    ASSERT_TRUE(SaveUser(user("Pat", "pat"), focus));
    EXPECT_EQ(value(QString("SELECT admin || '|' || %1 || '|' || password FROM uzivatelia WHERE username = 'pat'")
                        .arg(kRights)),
              "0|0000000|");
    EXPECT_EQ(CurrentUserName(), "Boss");
}

TEST_F(Users, ResavingAsksTwiceAndResetsRights)
{
    addBoss();
    addUser(6, "Pat", "pat");
    exec("UPDATE uzivatelia SET pravo_menitpolozky = 1 WHERE id = 6");
    {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdYes);
        boxes.answerBox(kIdNo);
        EXPECT_FALSE(SaveUser(user("Pat", "pat"), focus));
        EXPECT_EQ(focus.controls, QStringList({"eMeno"}));
        EXPECT_EQ(value("SELECT pravo_menitpolozky FROM uzivatelia WHERE id = 6"), "1");
    }
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveUser(user("Pat", "pat"), focus));  // the same login on the same user is fine
    EXPECT_EQ(boxes.boxes().at(1).text, "All rights for this user will be set to default. Are you sure to continue?");
    EXPECT_EQ(count("uzivatelia WHERE uzivatel = 'Pat'"), 1);  // no bills: replaced
    EXPECT_EQ(value(QString("SELECT %1 FROM uzivatelia WHERE uzivatel = 'Pat'").arg(kRights)), "0000000");

    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveUser(user("Boss", "boss"), focus));  // the administrator stays one
    EXPECT_EQ(value(QString("SELECT admin || %1 FROM uzivatelia WHERE uzivatel = 'Boss'").arg(kRights)), "11111111");
}

TEST_F(Users, RefusedChecks)
{
    addUser(6, "Pat", "pat");
    struct Case {
        const char *label;
        std::function<void(UserFormValues &)> change;
        int text;
        QString control;
    };
    const Case cases[] = {
        {"no company", [](UserFormValues &u) { u.company.name.clear(); }, 107, "eNazov"},
        {"no name", [](UserFormValues &u) { u.name.clear(); }, 108, "eMeno"},
        {"no login", [](UserFormValues &u) { u.login.clear(); }, 109, "eLogin"},
        {"demo login", [](UserFormValues &u) { u.login = "demo"; }, 178, "eMeno"},
        {"demo name", [](UserFormValues &u) { u.name = DemoUserName; }, 178, "eMeno"},
        {"passwords differ", [](UserFormValues &u) { u.password1 = "a"; }, 110, "ePassword1"},
        {"login of another user", [](UserFormValues &u) { u.login = "pat"; }, 112, "eLogin"},
    };
    for (const Case &c : cases) {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdOk);
        focus.controls.clear();
        UserFormValues u = user("Eva", "eva");
        c.change(u);
        EXPECT_FALSE(SaveUser(u, focus)) << c.label;
        EXPECT_EQ(boxes.boxes().at(0).text, bralvo::services::MessageText(c.text)) << c.label;
        EXPECT_EQ(focus.controls, QStringList({c.control})) << c.label;
    }
    addBoss();
    SetCurrentUser("pat");
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdOk);
    EXPECT_FALSE(SaveUser(user("Eva", "eva"), focus));
    EXPECT_EQ(boxes.boxes().at(0).text, "You have not permission to add or change users!");
    EXPECT_EQ(count("uzivatelia WHERE uzivatel = 'Eva'"), 0);
}

TEST_F(Users, ChangedCompanyKeepsOldDataForOldBills)
{
    addBoss();
    addUser(6, "Pat", "pat", "", 1, 2);
    addBill({.id = 60, .number = "F1", .userId = "5"});
    UserFormValues u = user("Eva", "eva");
    u.company.street = "Nová 2";
    ASSERT_TRUE(SaveUser(u, focus));
    EXPECT_EQ(column("SELECT id || '|' || existuje || '|' || ulica FROM firma ORDER BY id"),
              QStringList({"2|0|Hlavná 1", "3|1|Nová 2"}));
    // Boss issued a bill: retired with the old company, re-inserted with the new one.
    EXPECT_EQ(column(QString("SELECT existuje || '|' || id_firma || '|' || admin || '|' || %1 FROM uzivatelia "
                             "WHERE uzivatel = 'Boss' ORDER BY existuje").arg(kRights)),
              QStringList({"0|2|1|0000110", "1|3|1|0000110"}));
    EXPECT_EQ(value("SELECT id_firma FROM uzivatelia WHERE id = 6"), "3");
    EXPECT_EQ(value("SELECT id_firma FROM uzivatelia WHERE uzivatel = 'Eva'"), "3");
    EXPECT_EQ(CurrentUserId(), value("SELECT id FROM uzivatelia WHERE uzivatel = 'Boss' AND existuje = 1"));
}

TEST_F(Users, CompanyWithoutBillsIsReplacedByDeletion)
{
    CompanyValues company = storedCompany();
    EXPECT_FALSE(SaveCompany(company));  // unchanged
    company.vatPayer = false;
    EXPECT_TRUE(SaveCompany(company));
    EXPECT_EQ(column("SELECT id || '|' || platcadph FROM firma"), QStringList({"3|0"}));
    EXPECT_EQ(GetCompanyId(), "3");
}

// A failing statement used to leave the company and user rows half
// replaced; the save is one transaction now.
TEST_F(Users, FailedSaveWritesNothing)
{
    addBoss();
    addUser(6, "Pat", "pat");
    exec("ALTER TABLE firma RENAME TO firma_x");
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdYes);
    EXPECT_ANY_THROW(SaveUser(user("Pat", "pat"), focus));
    exec("ALTER TABLE firma_x RENAME TO firma");
    EXPECT_EQ(value("SELECT id FROM uzivatelia WHERE uzivatel = 'Pat'"), "6");
    EXPECT_EQ(CurrentUserName(), "Boss");
    EXPECT_FALSE(DbConnection->InTransaction());
}

TEST_F(Users, LoadUserForm)
{
    addUser(6, "Pat O'Neil", "pat", "secret", 1, 2);
    exec("UPDATE uzivatelia SET id_hlavnyucet = 40, pravo_mazatfaktury = 1, text_podpis = 'S' WHERE id = 6");
    const auto loaded = LoadUserForm("Pat O'Neil");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->values.company.street, "Hlavná 1");
    EXPECT_TRUE(loaded->values.company.vatPayer);
    EXPECT_EQ(loaded->values.login, "pat");
    EXPECT_EQ(loaded->values.password1, "");
    EXPECT_EQ(loaded->values.mainAccount, "Main account");
    EXPECT_EQ(loaded->values.signatureText, "S");
    EXPECT_TRUE(loaded->rights.deleteBills);
    EXPECT_FALSE(loaded->rights.changeBills);
    EXPECT_FALSE(LoadUserForm("Nobody"));
}

TEST_F(Users, SeveralCompaniesAreReported)
{
    {
        ScriptedMessageBoxes none;
        WarnIfSeveralCompanies();
    }
    addCompany(3, "Second", 0);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdOk);
    WarnIfSeveralCompanies();
    EXPECT_EQ(boxes.boxes().at(0).text,
              "There are more then one information about company. Program will cannot work properly. Please contact us.");
    EXPECT_EQ(boxes.boxes().at(0).flags, 16);
    EXPECT_EQ(GetCompanyId(), "2");
    CloseDatabase();
    WarnIfSeveralCompanies();  // closed: nothing
}

} // namespace

namespace {

// A refused company change used to re-insert every user with bills all
// the same; the users are re-pointed only when the company was replaced.
TEST_F(Users, RefusedCompanyChangeLeavesUsersAlone)
{
    addUser(5, "Boss", "boss", "", 1, 2);
    addUser(6, "Pat", "pat", "", 1, 2);
    addBill({.id = 60, .number = "F1", .userId = "6"});
    SetCurrentUser("pat");  // no settings right, three live users
    CompanyValues company = storedCompany();
    company.street = "Nová 2";
    EXPECT_FALSE(SaveCompany(company));
    EXPECT_EQ(count("firma"), 1);
    EXPECT_EQ(count("uzivatelia WHERE uzivatel = 'Pat'"), 1);
}

} // namespace

namespace {

// Saving an existing user with untouched password fields emptied the
// stored password, so the user could then log in without one.
TEST_F(Users, ResavedUserKeepsItsPasswordUnlessANewOneIsTyped)
{
    addBoss();
    const QString abc = "900150983cd24fb0d6963f7d28e17f72";  // digest of "abc"
    const QString xyz = "d16fb36f0911f878998c136191af705e";  // digest of "xyz"
    struct Case { const char *typed; QString stored; };
    const Case cases[] = {{"", abc}, {"xyz", xyz}};
    for (const Case &c : cases) {
        exec("DELETE FROM uzivatelia WHERE uzivatel = 'Pat'");
        addUser(6, "Pat", "pat");
        exec("UPDATE uzivatelia SET password = '" + abc + "' WHERE id = 6");
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdYes);
        boxes.answerBox(kIdYes);
        UserFormValues u = user("Pat", "pat");
        u.password1 = u.password2 = c.typed;
        ASSERT_TRUE(SaveUser(u, focus)) << c.typed;
        EXPECT_EQ(value("SELECT password FROM uzivatelia WHERE uzivatel = 'Pat' AND existuje = 1"), c.stored) << c.typed;
    }
}

} // namespace
