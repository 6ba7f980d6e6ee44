// The demo rows of a new database.
#include "db/demorows.h"

#include "db/database.h"
#include "db/fieldreaders.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/uitexts.h"

namespace bralvo::db {

namespace {

// One value line: "'<text>',", quotes doubled.
QString textLine(const QString &text)
{
    return SqlQuoted(text) + QLatin1Char(',');
}

QString uiTextLine(int number)
{
    return textLine(services::MessageText(number));
}

QString firstLiveCompanyId(TSQLiteDatabase &db)
{
    const auto table = db.GetTable(QStringLiteral("SELECT * FROM firma WHERE existuje = 1"));
    if (table->RowCount() == 0)
        return QStringLiteral("NULL");
    return SqlId(ReadFieldStr(*table, QStringLiteral("ID"), QStringLiteral("NULL")));
}

} // namespace

void InsertDemoCompany(TSQLiteDatabase &db)
{
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO firma ("),
        QStringLiteral("nazov, ulica, psc, mesto, stat, platcadph, ico, dic, icdph, obr_logo, existuje) VALUES ("),
        QStringLiteral("'- DEMO -',"), QStringLiteral("'Hradna 1',"), QStringLiteral("'850 01',"),
        QStringLiteral("'Bratislava',"), QStringLiteral("'Slovakia',"), QStringLiteral("1,"),
        QStringLiteral("'11111111',"), QStringLiteral("'11111111',"), QStringLiteral("'SK11111111',"),
        QStringLiteral("'',"), QStringLiteral("1)"),
    }));
}

void InsertDemoUser(TSQLiteDatabase &db)
{
    QStringList lines{
        QStringLiteral("INSERT INTO uzivatelia ("),
        QStringLiteral("uzivatel, telefon, fax, email, id_hlavnyucet, id_hlavnapoznamka,"),
        QStringLiteral("admin, username, password, obr_podpis, text_podpis, interna_poznamka,"),
        QStringLiteral("pravo_menitpolozky, pravo_mazatfaktury, pravo_menitfaktury, pravo_mazatuzivatela,"),
        QStringLiteral("pravo_menituzivatela, pravo_menitnastavenia, pravo_menitprava, id_firma, existuje) VALUES ("),
        textLine(DemoUserName), QStringLiteral("'0900123456',"), QStringLiteral("'',"),
        QStringLiteral("'demo@example.com',"), QStringLiteral("NULL,"), QStringLiteral("NULL,"),
        QStringLiteral("0,"), QStringLiteral("'demo',"), QStringLiteral("'',"), QStringLiteral("'',"),
        uiTextLine(176), uiTextLine(102),
    };
    for (int right = 0; right < 7; ++right)
        lines << QStringLiteral("0,");
    lines << firstLiveCompanyId(db) + QLatin1Char(',') << QStringLiteral("1)");
    db.ExecSql(JoinSqlLines(lines));
}

void InsertDemoAccount(TSQLiteDatabase &db)
{
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO ucty ("),
        QStringLiteral("nazov, nazov_banky, cislo_uctu, iban, swift, interna_poznamka, je_uzivatelsky, id_odberatel, existuje) VALUES ("),
        uiTextLine(139), uiTextLine(140), QStringLiteral("'123123123',"),
        QStringLiteral("'112233112233',"), QStringLiteral("'112233112233',"),
        uiTextLine(128), QStringLiteral("1,"), QStringLiteral("NULL,"), QStringLiteral("1)"),
    }));
}

void InsertDemoNote(TSQLiteDatabase &db)
{
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO poznamky ("),
        QStringLiteral("nazov, poznamka, interna_poznamka, existuje) VALUES ("),
        uiTextLine(141), uiTextLine(142), uiTextLine(143), QStringLiteral("1)"),
    }));
}

} // namespace bralvo::db
