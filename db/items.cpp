// Saving and loading catalogue items.
#include "db/items.h"

#include "db/billhelpers.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "services/numbers.h"

namespace bralvo::db {

namespace {

QString whereName(const QString &name, const char *existuje)
{
    return QStringLiteral(" WHERE (nazov = ") + SqlQuoted(name) + QStringLiteral(") AND (existuje = ")
        + QLatin1String(existuje) + QStringLiteral(")");
}

QString categoryIdOf(const QString &category)
{
    return category.isEmpty() ? QStringLiteral("NULL") : SqlId(GetCategoryId(category));
}

QString insertSql(const ItemFormValues &f)
{
    using namespace records;
    return JoinSqlLines({
        QStringLiteral("INSERT INTO polozky ("),
        QStringLiteral("nazov, kod, id_kategoria, merna_jednotka, dph, cena, za_mj, interna_poznamka, existuje) VALUES ("),
        text(f.name), text(f.code), categoryIdOf(f.category) + QLatin1Char(','), text(f.unit),
        number(f.vatRate), number(f.price), number(f.perUnit), text(f.internalNote), QStringLiteral("1)"),
    });
}

// The stored price: cena as money; in the foreign currency where the bill
// needs it.
QString pickerPrice(double price, const BillCurrencyMode &bill)
{
    const double rate = services::ParseNumber(bill.rate);
    const bool foreign = bill.inForeignCurrency && (!bill.inTwoCurrencies || bill.foreignIsMain);
    return services::FormatMoney(foreign && rate != 0 ? price / rate : price);
}

} // namespace

bool SaveItem(const ItemFormValues &form, FormFocus &focus)
{
    if (form.name.isEmpty()) {
        records::warn(focus, 154, QStringLiteral("eNazov"));
        return false;
    }
    const bool overwrite = ItemExists(form.name);
    if (overwrite && !records::confirm(155)) {
        focus.focusControl(QStringLiteral("eNazov"));
        return false;
    }
    const QString insert = insertSql(form);  // a malformed number stops before any write
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    if (overwrite) {
        records::retireOrDeleteRows(db, QStringLiteral("polozky"), ItemHasBillLines(GetItemId(form.name)),
                                    whereName(form.name, "1"));
    }
    db.ExecSql(insert);
    if (!form.category.isEmpty()) {
        db.ExecSql(QStringLiteral("UPDATE polozky SET id_kategoria=") + categoryIdOf(form.category)
                   + whereName(form.name, "0"));
    }
    tx.commit();
    return true;
}

std::optional<ItemFormValues> LoadItemForm(const QString &name)
{
    const auto table = rules::connection().GetTable(QStringLiteral("SELECT * FROM polozky") + whereName(name, "1"));
    if (!table->MoveFirst())
        return std::nullopt;
    auto str = [&](const char *field) { return ReadFieldStr(*table, QLatin1String(field), QString()); };
    auto num = [&](const char *field) { return ReadFieldFloat(*table, QLatin1String(field), 0); };
    ItemFormValues f;
    f.name = str("nazov");
    f.code = str("kod");
    f.category = GetCategoryName(str("id_kategoria"));
    f.unit = str("merna_jednotka");
    f.vatRate = platform::FormatFloat(QStringLiteral("##0.##"), num("dph"), platform::regionalSettings());
    f.price = services::FormatMoney(num("cena"));
    f.perUnit = services::FormatMoney(num("za_mj"));
    f.internalNote = str("interna_poznamka");
    return f;
}

std::optional<ItemFormValues> LoadItemIntoSelection(const QString &name, const BillCurrencyMode &bill)
{
    auto item = LoadItemForm(name);
    if (item) {
        const auto table = rules::connection().GetTable(QStringLiteral("SELECT cena FROM polozky") + whereName(name, "1"));
        item->price = pickerPrice(table->MoveFirst() ? ReadFieldFloat(*table, QStringLiteral("cena"), 0) : 0, bill);
    }
    return item;
}

} // namespace bralvo::db
