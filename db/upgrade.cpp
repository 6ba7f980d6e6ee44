// The schema upgrade from versions 0 and 1.
#include "db/upgrade.h"

#include "db/database.h"
#include "db/databaseui.h"
#include "db/esqliteexception.h"
#include "db/schema.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/uitexts.h"

#include <QStringList>

namespace bralvo::db {

namespace {

const QChar CR(u'\r');

struct IndexStep {
    const char *sql;
    const char *name;
};

// The index on faktury.id_poznamka has always been "id_pvoznamka" here.
constexpr IndexStep kIndexSteps[] = {
    {"CREATE INDEX id_firma ON uzivatelia (id_firma);", "id_firma"},
    {"CREATE INDEX id_hlavnyucet ON odberatelia (id_hlavnyucet);", "id_hlavnyucet"},
    {"CREATE INDEX id_hlavnapoznamka ON odberatelia (id_hlavnapoznamka);", "id_hlavnapoznamka"},
    {"CREATE INDEX id_kategoria ON polozky (id_kategoria);", "id_kategoria"},
    {"CREATE INDEX id_odberatel ON ucty (id_odberatel);", "id_odberatel"},
    {"CREATE INDEX id_ucet ON faktury (id_ucet);", "id_ucet"},
    {"CREATE INDEX id_pvoznamka ON faktury (id_poznamka);", "id_pvoznamka"},
    {"CREATE INDEX id_uzivatelF ON faktury (id_uzivatel);", "id_uzivatelF"},
    {"CREATE INDEX id_odberatelF ON faktury (id_odberatel);", "id_odberatelF"},
    {"CREATE INDEX id_faktura ON sp_polozky (id_faktura);", "id_faktura"},
    {"CREATE INDEX id_polozka ON sp_polozky (id_polozka);", "id_polozka"},
    {"CREATE INDEX id_fakturaU ON uhrady (id_faktura);", "id_fakturaU"},
};

constexpr const char *kCustomerColumns[] = {
    "ALTER TABLE odberatelia ADD [jazyk] TEXT;",
    "ALTER TABLE odberatelia ADD [dni_splatnosti] INTEGER;",
    "ALTER TABLE odberatelia ADD [predvoleny_vs] TEXT;",
};

struct ChangeLog {
    QStringList lines;
    bool failed = false;

    QString text() const
    {
        QString result;
        for (const QString &line : lines)
            result += line + QStringLiteral("\r\n");
        return result;
    }
};

int readUserVersion(TSQLiteDatabase &db)
{
    const auto table = db.GetTable(QStringLiteral("PRAGMA user_version;"));
    table->MoveFirst();
    return int(table->FieldAsInteger(0));
}

// One guarded step: a failure is reported as false, unless the library
// rolled the whole transaction back, which ends the upgrade.
bool runStep(TSQLiteDatabase &db, const QString &sql)
{
    try {
        Transaction savepoint(db);
        db.ExecSql(sql);
        savepoint.commit();
        return true;
    } catch (const ESQLiteException &) {
        if (!db.InTransaction())
            throw;
        return false;
    }
}

// The first failing ALTER ends the block; the columns added before it stay.
void addCustomerColumns(TSQLiteDatabase &db, ChangeLog &log)
{
    for (const char *sql : kCustomerColumns) {
        if (!runStep(db, QString::fromLatin1(sql))) {
            log.lines << QStringLiteral("!!! zmena tabuľky pre odberateľov  <- error");
            log.failed = true;
            return;
        }
    }
    log.lines << QStringLiteral("~ zmena tabuľky pre odberateľov");
}

void createIndexes(TSQLiteDatabase &db, ChangeLog &log)
{
    for (const IndexStep &step : kIndexSteps) {
        if (!runStep(db, QString::fromLatin1(step.sql))) {
            log.lines << QStringLiteral("!!! zlyhalo vytvorenie indexu ") + QLatin1String(step.name)
                    + QStringLiteral("  <- error");
            log.failed = true;
        }
    }
}

void refuseNewerDatabase(int version)
{
    const QString text = services::MessageText(310) + CR
        + services::FillPlaceholders(services::MessageText(311),
                                     {ShownDbVersion(version), ShownDbVersion(SupportedDbVersion)});
    services::ShowMessageBox(text, services::kMbWarning);
    CloseDatabase();
    databaseUi().lockUserInterface();
}

void showReport(const ChangeLog &log)
{
    const QString cr(CR);
    const QString text =
        services::FillPlaceholders(services::MessageText(104), {cr, cr, cr, cr}) + log.text();
    services::ShowMessageBox(text, log.failed ? services::kMbWarning : services::kMbInformation);
}

} // namespace

QString ShownDbVersion(int version)
{
    QString text = services::FormatMoney((version + 100) / 100.0);
    return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

bool ConfirmDatabaseUpgrade()
{
    if (services::ShowMessageBox(services::MessageText(307), services::kMbWarningYesNo) != services::kIdYes) {
        services::ShowMessageBox(services::MessageText(308), services::kMbInformation);
        CloseDatabase();
        databaseUi().endProgram();
        return false;
    }
    if (services::ShowMessageBox(services::MessageText(309), services::kMbQuestionYesNo) == services::kIdYes)
        databaseUi().runBackup();
    return true;
}

void UpgradeDatabase()
{
    if (!DbOpen || !DbConnection)
        return;
    const int version = readUserVersion(*DbConnection);
    if (version > SupportedDbVersion) {
        refuseNewerDatabase(version);
        return;
    }
    if (version == SupportedDbVersion)
        return;
    // Asked before the transaction begins: no lock is held while the user
    // thinks, and the backup sees the file as it was.
    if (!ConfirmDatabaseUpgrade())
        return;
    TSQLiteDatabase &db = *DbConnection;
    ChangeLog log;
    Transaction tx(db);
    log.lines << QStringLiteral("+ vytvorenie indexov");
    addCustomerColumns(db, log);
    createIndexes(db, log);
    db.ExecSql(QStringLiteral("PRAGMA user_version = %1;").arg(SupportedDbVersion));
    tx.commit();
    if (version > 0)
        showReport(log);
}

} // namespace bralvo::db
