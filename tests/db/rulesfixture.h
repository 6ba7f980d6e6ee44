// A small bill database for the rule tests: the program's own schema and
// demo rows (OpenDatabase in a temporary data root), plus the rows each
// test adds with the helpers below. Ids are given explicitly so that the
// cases can name them.
#pragma once

#include "db/billstate.h"
#include "db/accountscope.h"
#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/settings.h"
#include "tests/support/qstringprint.h"
#include "tests/support/programfolders.h"

#include <QFile>
#include <gtest/gtest.h>

namespace bralvo::test {

class RulesDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Tests need no fsync per commit.
        services::WriteSettingBool("General", "SafeMode", false);
        ASSERT_TRUE(db::OpenDatabase());
        resetSessionState();
    }
    void TearDown() override
    {
        db::CloseDatabase();
        resetSessionState();
    }

    static void resetSessionState()
    {
        db::SetOwnAccountScope();
        db::BillEditorOpen = db::BillWindowVisible = db::BillIsNew = false;
        db::BillIsAdvance = db::BillShowsVat = false;
        for (QString *loaded : {&db::LoadedCustomerKey, &db::LoadedCustomerId, &db::LoadedUserId,
                                &db::LoadedNoteName, &db::LoadedNoteId, &db::LoadedAccountName,
                                &db::LoadedAccountId})
            loaded->clear();
    }

public:
    // Helpers are public so that the tables of cases can call them.
    // A new, empty-but-demo database in place of the current one.
    void reopenFresh()
    {
        const QString file = db::DbFilePath;
        db::CloseDatabase();
        QFile::remove(file);
        ASSERT_TRUE(db::OpenDatabase());
    }

    void exec(const QString &sql) { db::DbConnection->ExecSql(sql); }

    // The first column of every row.
    QStringList column(const QString &sql)
    {
        QStringList values;
        auto table = db::DbConnection->GetTable(sql);
        for (; !table->IsEof(); table->NextRow())
            values << table->FieldAsString(0);
        return values;
    }
    QString value(const QString &sql) { return column(sql).value(0, "<none>"); }
    int count(const QString &sql) { return column("SELECT COUNT(*) FROM " + sql).value(0).toInt(); }

    static QString q(const QString &text) { return "'" + QString(text).replace("'", "''") + "'"; }

    void addCompany(int id, const QString &name, int vatPayer, int live = 1)
    {
        exec(QString("INSERT INTO firma (ID, nazov, platcadph, existuje) VALUES (%1, %2, %3, %4)")
                 .arg(id).arg(q(name)).arg(vatPayer).arg(live));
    }
    void addUser(int id, const QString &name, const QString &login, const QString &password = "",
                 int live = 1, int companyId = 1)
    {
        exec(QString("INSERT INTO uzivatelia (ID, uzivatel, username, password, admin, pravo_menitpolozky, "
                     "pravo_mazatfaktury, pravo_menitfaktury, pravo_mazatuzivatela, pravo_menituzivatela, "
                     "pravo_menitnastavenia, pravo_menitprava, id_firma, existuje) "
                     "VALUES (%1, %2, %3, %4, 0, 0, 0, 0, 0, 0, 0, 0, %5, %6)")
                 .arg(id).arg(q(name), q(login), q(password)).arg(companyId).arg(live));
    }
    void addCustomer(int id, const QString &name, const QString &ico, int live = 1)
    {
        exec(QString("INSERT INTO odberatelia (ID, nazov, ico, existuje) VALUES (%1, %2, %3, %4)")
                 .arg(id).arg(q(name), ico == "NULL" ? ico : q(ico)).arg(live));
    }
    void addCategory(int id, const QString &name)
    {
        exec(QString("INSERT INTO kategorie_poloziek (ID, nazov) VALUES (%1, %2)").arg(id).arg(q(name)));
    }
    void addItem(int id, const QString &name, const QString &code, const QString &categoryId = "NULL",
                 int live = 1)
    {
        exec(QString("INSERT INTO polozky (ID, kod, nazov, id_kategoria, existuje) VALUES (%1, %2, %3, %4, %5)")
                 .arg(id).arg(q(code), q(name), categoryId).arg(live));
    }
    void addAccount(int id, const QString &name, int own = 1, const QString &customerId = "NULL", int live = 1)
    {
        exec(QString("INSERT INTO ucty (ID, nazov, je_uzivatelsky, id_odberatel, existuje) VALUES (%1, %2, %3, %4, %5)")
                 .arg(id).arg(q(name)).arg(own).arg(customerId).arg(live));
    }
    void addNote(int id, const QString &name, int live = 1)
    {
        exec(QString("INSERT INTO poznamky (ID, nazov, existuje) VALUES (%1, %2, %3)").arg(id).arg(q(name)).arg(live));
    }

    struct Bill {
        int id;
        QString number;
        int type = 1;              // 1 bill, 2 advance bill
        QString issued = "2009-03-05";
        QString customerId = "NULL";
        QString userId = "NULL";
        QString accountId = "NULL";
        QString noteId = "NULL";
        double due = 0;
        QString currency = "EUR";
        int live = 1;
    };
    void addBill(const Bill &b)
    {
        exec(QString("INSERT INTO faktury (ID, cislo, typ, datum_vystavenia, id_odberatel, id_uzivatel, id_ucet, "
                     "id_poznamka, suma_kuhrade, hlavna_mena, existuje) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, "
                     "%9, %10, %11)")
                 .arg(b.id).arg(q(b.number)).arg(b.type).arg(q(b.issued), b.customerId, b.userId, b.accountId,
                                                             b.noteId)
                 .arg(b.due, 0, 'f', 2).arg(q(b.currency)).arg(b.live));
    }
    void addLine(int billId, int itemId)
    {
        exec(QString("INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet) VALUES (%1, %2, 1, 1)")
                 .arg(billId).arg(itemId));
    }
    void addAdvanceLink(int billId, int advanceBillId)
    {
        exec(QString("INSERT INTO sp_zalfaktury (id_faktura, id_zalfaktura) VALUES (%1, %2)")
                 .arg(billId).arg(advanceBillId));
    }
    void addPayment(int id, int billId)
    {
        exec(QString("INSERT INTO uhrady (ID, id_faktura, suma_domaca) VALUES (%1, %2, 10)").arg(id).arg(billId));
    }

private:
    ProgramFolders m_folders;
};

} // namespace bralvo::test
