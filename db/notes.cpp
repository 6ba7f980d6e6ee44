// Saving and loading notes.
#include "db/notes.h"

#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db {

namespace {

QString liveNote(const QString &name)
{
    return LiveRowWhere("nazov", name);
}

} // namespace

bool SaveNote(const NoteFormValues &form, FormFocus &focus)
{
    if (form.name.isEmpty()) {
        records::warn(focus, 135, QStringLiteral("eNazov"));
        return false;
    }
    const bool overwrite = NoteExists(form.name);
    if (overwrite && !records::confirm(137)) {
        focus.focusControl(QStringLiteral("eNazov"));
        return false;
    }
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    if (overwrite) {
        records::retireOrDeleteRows(db, QStringLiteral("poznamky"), NoteHasBills(GetNoteId(form.name)),
                                    liveNote(form.name));
    }
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO poznamky ("),
        QStringLiteral("nazov, poznamka, interna_poznamka, existuje) VALUES ("),
        records::text(form.name), records::text(form.note), records::text(form.internalNote), QStringLiteral("1)"),
    }));
    tx.commit();
    return true;
}

std::optional<NoteFormValues> LoadNoteForm(const QString &name)
{
    const auto table = rules::connection().GetTable(QStringLiteral("SELECT * FROM poznamky") + liveNote(name));
    if (!table->MoveFirst())
        return std::nullopt;
    auto str = [&](const char *field) { return ReadFieldStr(*table, QLatin1String(field), QString()); };
    return NoteFormValues{str("nazov"), str("poznamka"), str("interna_poznamka")};
}

} // namespace bralvo::db
