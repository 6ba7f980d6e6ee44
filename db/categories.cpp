// Saving and loading item categories.
#include "db/categories.h"

#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db {

namespace {

// The id the save updates ("" for a new name), or nullopt when refused.
std::optional<QString> targetId(const CategoryFormValues &form, FormFocus &focus)
{
    const bool exists = CategoryExists(form.name);
    if (form.renameMode) {
        if (exists) {
            records::warn(focus, 164, QStringLiteral("eNazov"));
            return std::nullopt;
        }
        const QString id = GetCategoryId(form.selectedCategory);
        if (!records::confirm(163)) {
            focus.focusControl(QStringLiteral("eNazov"));
            return std::nullopt;
        }
        return id;
    }
    if (!exists)
        return QString();
    const QString id = GetCategoryId(form.name);
    if (!records::confirm(162)) {
        focus.focusControl(QStringLiteral("eNazov"));
        return std::nullopt;
    }
    return id;
}

} // namespace

bool SaveCategory(const CategoryFormValues &form, FormFocus &focus)
{
    if (form.name.isEmpty()) {
        records::warn(focus, 161, QStringLiteral("eNazov"));
        return false;
    }
    if (form.renameMode && form.selectedCategory.isEmpty()) {
        records::warn(focus, 165);
        return false;
    }
    const auto id = targetId(form, focus);
    if (!id)
        return false;
    const bool update = form.renameMode || !id->isEmpty();
    const QString sql = update
        ? JoinSqlLines({QStringLiteral("UPDATE kategorie_poloziek SET"),
                        QStringLiteral("nazov=") + SqlQuoted(form.name) + QLatin1Char(','),
                        QStringLiteral("interna_poznamka=") + SqlQuoted(form.internalNote),
                        QStringLiteral("WHERE id = ") + SqlId(*id)})
        : JoinSqlLines({QStringLiteral("INSERT OR REPLACE INTO kategorie_poloziek ("),
                        QStringLiteral("nazov, interna_poznamka) VALUES ("),
                        SqlQuoted(form.name) + QLatin1Char(','), SqlQuoted(form.internalNote) + QLatin1Char(')')});
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(sql);
    tx.commit();
    return true;
}

std::optional<CategoryFormValues> LoadCategoryForm(const QString &name)
{
    const auto table = rules::connection().GetTable(QStringLiteral("SELECT * FROM kategorie_poloziek WHERE (nazov = ")
                                                    + SqlQuoted(name) + QStringLiteral(")"));
    if (!table->MoveFirst())
        return std::nullopt;
    CategoryFormValues f;
    f.name = ReadFieldStr(*table, QStringLiteral("nazov"), QString());
    f.internalNote = ReadFieldStr(*table, QStringLiteral("interna_poznamka"), QString());
    return f;
}

} // namespace bralvo::db
