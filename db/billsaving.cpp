// Saving the bill editor's bill as one transaction.
#include "db/billsaving.h"

#include "db/billgrids.h"
#include "db/billnumbering.h"
#include "db/billstate.h"
#include "db/currentuser.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rights.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/conversionerror.h"
#include "platform/error.h"
#include "platform/widgets/stringgrid.h"
#include "services/billnumbers.h"
#include "services/numbers.h"
#include "services/settings.h"

namespace bralvo::db {

std::vector<BillLine> BillLinesFromGrid(const platform::StringGrid &grid)
{
    std::vector<BillLine> lines;
    const int idColumn = grid.columnCount() - 1;
    for (int row = 1; row <= grid.rowCount() - 2; ++row)
        lines.push_back({grid.cell(2, row), grid.cell(3, row), grid.cell(4, row),
                         grid.cell(8, row) == QLatin1String("1"), grid.cell(idColumn, row)});
    return lines;
}

namespace {

using records::flag;
using records::number;
using records::showWarning;
using records::text;

QString displayDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// The loaded id while the combo still shows the loaded entry of an edited
// bill, else the live row of the selection, else NULL.
QString referenceId(const QString &selected, const QString &loadedName, const QString &loadedId,
                    QString (*lookup)(const QString &))
{
    if (!BillIsNew && !loadedId.isEmpty() && selected == loadedName)
        return SqlId(loadedId);
    return selected.isEmpty() ? QStringLiteral("NULL") : SqlId(lookup(selected));
}

bool paidAfterSave(const BillFormValues &form, bool previousPaid)
{
    return previousPaid || services::ParseNumber(form.dueLabel) == 0;
}

QString insertSql(const BillFormValues &form, const QString &billNumber, bool paid)
{
    const QString userId = (!BillIsNew && !LoadedUserId.isEmpty()) ? LoadedUserId : CurrentUserId();
    const QString mainCurrency =
        (form.foreignIsMain && form.inForeignCurrency) ? form.foreignSymbol : form.homeCurrencySymbol;
    return JoinSqlLines({
        QStringLiteral("INSERT INTO faktury ("),
        QStringLiteral("cislo, cislo_objednavky, vs, ks, ss, forma_uhrady, opravnenie,"),
        QStringLiteral("datum_vystavenia, datum_splatnosti, datum_dodania, datum_platby, id_ucet, id_poznamka, "
                       "id_uzivatel, id_odberatel, jazyk, fakturovat_bezdph,"),
        QStringLiteral("fakturovat_vcudzejmene, fakturovat_vdvochmenach, domaca_menaZobr, domaca_menaIso, "
                       "cudzia_menaZobr, cudzia_menaIso, hlavna_mena,"),
        QStringLiteral("jehlavna_cudziamena, kurz, kurz_domaca, kurz_cudzia, zaokruhlovanie, suma_celkom, suma_kuhrade,"),
        QStringLiteral("suma1_left, suma2_right, interna_poznamka, typ, uhradena, existuje) VALUES ("),
        text(billNumber), text(form.orderNumber), text(form.variableSymbol), text(form.constantSymbol),
        text(form.specificSymbol), text(form.paymentForm), text(form.authorization),
        SqlDateLiteral(displayDate(form.issueDate)) + QLatin1Char(','),
        SqlDateLiteral(displayDate(form.dueDate)) + QLatin1Char(','),
        SqlDateLiteral(form.deliveryDate) + QLatin1Char(','), SqlDateLiteral(form.paymentDate) + QLatin1Char(','),
        referenceId(form.accountName, LoadedAccountName, LoadedAccountId, &GetAccountId) + QLatin1Char(','),
        referenceId(form.noteName, LoadedNoteName, LoadedNoteId, &GetNoteId) + QLatin1Char(','),
        SqlId(userId) + QLatin1Char(','),
        referenceId(form.customerKey, LoadedCustomerKey, LoadedCustomerId, &GetCustomerIdByKey) + QLatin1Char(','),
        text(form.language), flag(form.withoutVat), flag(form.inForeignCurrency), flag(form.inTwoCurrencies),
        text(services::ReadSetting(QStringLiteral("Mena"), QStringLiteral("DomacaMenaZobr"), QStringLiteral("Sk"))),
        text(services::ReadSetting(QStringLiteral("Mena"), QStringLiteral("DomacaMenaIso"), QStringLiteral("SKK"))),
        text(form.foreignSymbol), text(form.foreignIso), text(mainCurrency), flag(form.foreignIsMain),
        number(form.rate), number(form.homeRate), number(form.foreignRate), number(form.rounding),
        number(form.totalLabel), number(form.dueLabel), text(form.sum1Left), text(form.sum2Right),
        text(form.internalNote),
        rules::billTypeText(BillIsAdvance) + QLatin1Char(','),
        paid ? QStringLiteral("1,") : QStringLiteral("0,"),
        QStringLiteral("1)"),
    });
}

// The number of a bill that deducts this advance bill: the stored row the
// editor loaded (its number may have been changed since) or the live one
// of the number in the editor.
std::optional<QString> billDeductingThisAdvance(const BillFormValues &form, const QString &year)
{
    if (!BillIsNew && !form.loadedBillId.isEmpty()) {
        if (auto user = FindBillUsingAdvance(form.loadedBillId))
            return user;
    }
    return FindBillUsingAdvance(GetBillId(form.number, year, true));
}

// Checks 1-6: nothing is written before they pass.
bool checksPass(const BillFormValues &form, const QString &year, BillSaveUi &ui)
{
    if (AdminUserExists() && !CanChangeBills(CurrentUserName()) && !BillIsNew) {
        showWarning(185);
        ui.focusField(BillField::Number);
        return false;
    }
    if (BillIsAdvance) {
        if (const auto user = billDeductingThisAdvance(form, year)) {
            showWarning(217, *user);
            return false;
        }
    }
    const struct { bool missing; int text; BillField field; } required[] = {
        {form.number.isEmpty(), 186, BillField::Number},
        {form.variableSymbol.isEmpty(), 187, BillField::VariableSymbol},
        {form.customerKey.isEmpty(), 189, BillField::Customer},
        {form.lines.empty(), 208, BillField::AddItem},
    };
    for (const auto &check : required) {
        if (check.missing) {
            showWarning(check.text);
            ui.focusField(check.field);
            return false;
        }
    }
    return true;
}

enum class Outcome { Stored, NumberTaken };

// A variable symbol derived from the number (its trailing digits) follows
// a renumbered bill, so two bills never share one payment reference; a
// symbol typed or taken from the customer stays.
QString renewedVariableSymbol(const QString &symbol, const QString &oldNumber, const QString &newNumber)
{
    try {
        if (symbol != services::IncrementTrailingNumber(oldNumber, 0))
            return symbol;
        return services::IncrementTrailingNumber(newNumber, 0);
    } catch (const platform::ConversionError &) {
        return symbol;  // digits beyond 64 bits derive no symbol
    }
}

// The row, lines and advance links of the edited bill's stored version;
// its payments stay for MoveBillPayments.
void removePreviousVersion(const QString &billId)
{
    if (SqlId(billId) == QLatin1String("NULL"))
        return;
    DeleteBillLines(billId);
    DeleteBillAdvanceLinks(billId);
    rules::connection().ExecSql(QStringLiteral("DELETE FROM faktury WHERE id = ") + SqlId(billId));
}

// Steps 7-12 inside the caller's transaction; the number may change.
Outcome storeBill(const BillFormValues &form, const QString &year, QString &billNumber)
{
    QString oldId;
    bool previousPaid = false;
    if (!BillIsNew) {
        oldId = form.loadedBillId.isEmpty() ? GetBillId(billNumber, year, BillIsAdvance) : form.loadedBillId;
        previousPaid = IsBillPaid(oldId);
        removePreviousVersion(oldId);
    }
    QString variableSymbol = form.variableSymbol;
    if (BillNumberExists(billNumber, year, BillIsAdvance)) {
        if (!services::ReadSettingBool(QStringLiteral("Faktura"), QStringLiteral("FullAutoCislovanie"), true))
            return Outcome::NumberTaken;
        billNumber = IncrementBillNumber(GetLastBillNumber(BillIsAdvance, year));
        while (BillNumberExists(billNumber, year, BillIsAdvance))
            billNumber = IncrementBillNumber(billNumber);
        variableSymbol = renewedVariableSymbol(form.variableSymbol, form.number, billNumber);
    }
    BillFormValues stored = form;
    stored.variableSymbol = variableSymbol;
    TSQLiteDatabase &db = rules::connection();
    db.ExecSql(insertSql(stored, billNumber, paidAfterSave(form, previousPaid)));
    const QString newId = db.GetTable(QStringLiteral("SELECT last_insert_rowid() AS id"))->FieldAsString(0);
    SaveBillLines(newId, form.lines);
    SaveBillAdvanceLinks(newId, form.advanceEntries, form.listYear, year);
    if (!oldId.isEmpty())
        MoveBillPayments(oldId, newId);
    return Outcome::Stored;
}

} // namespace

bool SaveBill(const BillFormValues &form, BillSaveUi &ui)
{
    const QString year = form.issueDate.toString(QStringLiteral("yyyy"));
    if (!checksPass(form, year, ui))
        return false;
    QString billNumber = form.number;
    Outcome outcome;
    {
        Transaction tx(rules::connection());
        outcome = storeBill(form, year, billNumber);
        if (outcome == Outcome::Stored)
            tx.commit();
    }
    if (outcome == Outcome::NumberTaken) {
        showWarning(188);
        ui.focusField(BillField::Number);
        return false;
    }
    ui.showStoredNumber(billNumber);
    WarnDuplicateBillNumber(billNumber, year, BillIsAdvance);
    return true;
}

void SaveBillLines(const QString &billId, const std::vector<BillLine> &lines)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    for (const BillLine &line : lines) {
        db.ExecSql(JoinSqlLines({
            QStringLiteral("INSERT INTO sp_polozky ("),
            QStringLiteral("id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) VALUES ("),
            SqlId(billId) + QLatin1Char(','),
            SqlId(line.itemId) + QLatin1Char(','),
            number(line.unitPrice), number(line.quantity), number(line.discount),
            line.addsVat ? QStringLiteral("1)") : QStringLiteral("0)"),
        }));
    }
    tx.commit();
}

void SaveBillAdvanceLinks(const QString &billId, const QStringList &entries, const QString &listYear,
                          const QString &issueYear)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    for (const QString &entry : entries) {
        QString advanceId = GetAdvanceBillId(entry, listYear);
        if (advanceId.isEmpty())
            advanceId = GetAdvanceBillId(entry, issueYear);
        if (advanceId.isEmpty())
            throw Error(QStringLiteral("Advance bill not found: ") + entry);
        db.ExecSql(JoinSqlLines({
            QStringLiteral("INSERT INTO sp_zalfaktury ("),
            QStringLiteral("id_faktura, id_zalfaktura) VALUES ("),
            SqlId(billId) + QLatin1Char(','),
            SqlId(advanceId) + QLatin1Char(')'),
        }));
    }
    tx.commit();
}

void MoveBillPayments(const QString &oldBillId, const QString &newBillId)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(QStringLiteral("UPDATE uhrady SET id_faktura=") + SqlId(newBillId)
               + QStringLiteral(" WHERE id_faktura = ") + SqlId(oldBillId));
    tx.commit();
}

} // namespace bralvo::db
