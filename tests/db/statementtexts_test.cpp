// The statements the rule routines send to SQLite, word for word: the
// texts are part of what the routines promise (quotes doubled, ids bare,
// each condition exactly as written).
#include "tests/db/rulesfixture.h"

#include "db/lookups.h"
#include "db/retiring.h"
#include "db/rights.h"

#include <sqlite3.h>
#include <functional>
#include <utility>

using namespace bralvo::db;

namespace {

// Records the text of every statement run on the program's connection.
class StatementLog {
public:
    explicit StatementLog(sqlite3 *handle) : m_handle(handle)
    {
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &StatementLog::record, this);
    }
    ~StatementLog() { sqlite3_trace_v2(m_handle, 0, nullptr, nullptr); }

    QStringList take() { return std::exchange(m_texts, {}); }

private:
    static int record(unsigned, void *context, void *, void *text)
    {
        static_cast<StatementLog *>(context)->m_texts << QString::fromUtf8(static_cast<const char *>(text));
        return 0;
    }

    sqlite3 *m_handle;
    QStringList m_texts;
};

class StatementTexts : public bralvo::test::RulesDatabase {
protected:
    // The statements an action runs, transaction control left out.
    QStringList statementsOf(const std::function<void()> &action)
    {
        StatementLog log(DbConnection->handle());
        action();
        QStringList texts;
        for (const QString &text : log.take()) {
            if (!text.startsWith("BEGIN") && text != "COMMIT;" && !text.startsWith("SAVEPOINT")
                && !text.startsWith("RELEASE"))
                texts << text;
        }
        return texts;
    }
};

TEST_F(StatementTexts, ReferenceChecksRunTheirExactQueries)
{
    struct Case {
        const char *label;
        std::function<void()> action;
        QStringList statements;
    };
    const Case cases[] = {
        {"user by name, live", [] { UserHasBills("O'Neil", UserState::Live); },
         {"SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
          "WHERE (uzivatelia.uzivatel = 'O''Neil') AND (uzivatelia.existuje = 1)"}},
        {"user by name, retired", [] { UserHasBills("O'Neil", UserState::Retired); },
         {"SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
          "WHERE (uzivatelia.uzivatel = 'O''Neil') AND (uzivatelia.existuje = 0)"}},
        {"user id", [] { UserIdHasBills("2"); },
         {"SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
          "WHERE (uzivatelia.id = 2)"}},
        {"company", [] { CompanyHasBills("1"); },
         {"SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
          "WHERE (uzivatelia.id_firma = 1)"}},
        {"customer", [] { CustomerHasBills("10"); },
         {"SELECT * FROM faktury INNER JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id) "
          "WHERE (odberatelia.id = 10)"}},
        {"item", [] { ItemHasBillLines("30"); },
         {"SELECT * FROM faktury INNER JOIN sp_polozky ON (faktury.id = sp_polozky.id_faktura) "
          "WHERE (sp_polozky.id_polozka = 30)"}},
        {"account", [] { AccountHasBills("40"); },
         {"SELECT * FROM faktury INNER JOIN ucty ON (faktury.id_ucet = ucty.id) WHERE (ucty.id = 40)"}},
        {"note", [] { NoteHasBills("50"); }, {"SELECT * FROM faktury WHERE faktury.id_poznamka = 50"}},
        {"note, missing id", [] { NoteHasBills(""); }, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(statementsOf(c.action), c.statements);
    }
}

TEST_F(StatementTexts, WritersOfRights)
{
    const QString where = "WHERE (uzivatel = '- DEMO user -') AND (existuje = 1)";
    const QString find = "SELECT * FROM uzivatelia " + where;
    EXPECT_EQ(statementsOf([] { SaveUserRights(DemoUserName, {.changeUsers = true, .assignRights = true}); }),
              (QStringList{find, "UPDATE uzivatelia SET\r\npravo_menitpolozky=0,\r\npravo_menituzivatela=1,\r\n"
                                 "pravo_mazatuzivatela=0,\r\npravo_menitfaktury=0,\r\npravo_mazatfaktury=0,\r\n"
                                 "pravo_menitnastavenia=0,\r\npravo_menitprava=1\r\n" + where}));
    EXPECT_EQ(statementsOf([] { MakeAdmin(DemoUserName); }),
              (QStringList{find, "UPDATE uzivatelia SET admin=0 WHERE (admin = 1) AND (existuje = 1)",
                           "UPDATE uzivatelia SET\r\nadmin=1,\r\npravo_menitpolozky=1,\r\npravo_menituzivatela=1,\r\n"
                           "pravo_mazatuzivatela=1,\r\npravo_menitfaktury=1,\r\npravo_mazatfaktury=1,\r\n"
                           "pravo_menitnastavenia=1,\r\npravo_menitprava=1\r\n" + where}));
}

TEST_F(StatementTexts, AdvanceBillQueriesQuoteTheirTexts)
{
    EXPECT_EQ(statementsOf([] { IsAdvanceBillUsed("Z'1", "2009"); }),
              QStringList{"SELECT * FROM faktury\rWHERE (faktury.typ = 2) AND (NOT EXISTS (SELECT * FROM "
                          "sp_zalfaktury WHERE sp_zalfaktury.id_zalfaktura = faktury.id)) AND "
                          "(faktury.existuje = 1) AND (strftime('%Y', faktury.datum_vystavenia) = '2009') "
                          "AND (faktury.cislo = 'Z''1')"});
    EXPECT_EQ(statementsOf([] { FindBillUsingAdvance("4"); }),
              QStringList{"SELECT faktury.cislo FROM faktury INNER JOIN sp_zalfaktury ON "
                          "(sp_zalfaktury.id_faktura = faktury.id) WHERE (sp_zalfaktury.id_zalfaktura  = 4) "
                          "LIMIT 1"});
}

} // namespace
