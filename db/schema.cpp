// Table definitions of the bill database.
#include "db/schema.h"

#include "db/esqliteexception.h"
#include "db/sqltext.h"

namespace bralvo::db {

namespace {

// Bare names are TEXT; typed ones carry their type.
QStringList columns(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *column : list) {
        const QString text = QString::fromLatin1(column);
        result << (text.contains(QLatin1Char(' ')) ? text : text + QStringLiteral(" TEXT"));
    }
    return result;
}

QList<TableSchema> buildSchema()
{
    return {
        {QStringLiteral("firma"),
         columns({"nazov", "ulica", "psc", "mesto", "stat", "platcadph INTEGER", "ico", "dic",
                  "icdph", "obr_logo", "existuje INTEGER"}),
         {}},
        {QStringLiteral("uzivatelia"),
         columns({"uzivatel", "telefon", "fax", "email", "id_hlavnyucet INTEGER",
                  "id_hlavnapoznamka INTEGER", "admin INTEGER", "username", "password",
                  "obr_podpis", "text_podpis", "interna_poznamka", "pravo_menitpolozky INTEGER",
                  "pravo_mazatfaktury INTEGER", "pravo_menitfaktury INTEGER",
                  "pravo_mazatuzivatela INTEGER", "pravo_menituzivatela INTEGER",
                  "pravo_menitnastavenia INTEGER", "pravo_menitprava INTEGER", "id_firma INTEGER",
                  "existuje INTEGER"}),
         {QStringLiteral("CREATE INDEX id_firma ON uzivatelia (id_firma);")}},
        {QStringLiteral("odberatelia"),
         columns({"nazov", "meno", "ulica", "psc", "mesto", "stat", "platcadph INTEGER",
                  "zahranicny INTEGER", "ico", "dic", "icdph", "telefon", "fax", "email",
                  "id_hlavnyucet INTEGER", "id_hlavnapoznamka INTEGER",
                  "fakturovat_bezdph INTEGER", "fakturovat_vcudzejmene INTEGER",
                  "fakturovat_vdvochmenach INTEGER", "cudzia_menaZobr", "cudzia_menaIso",
                  "jehlavna_cudziamena INTEGER", "interna_poznamka", "jazyk",
                  "dni_splatnosti INTEGER", "predvoleny_vs", "existuje INTEGER"}),
         {QStringLiteral("CREATE INDEX id_hlavnyucet ON odberatelia (id_hlavnyucet);"),
          QStringLiteral("CREATE INDEX id_hlavnapoznamka ON odberatelia (id_hlavnapoznamka);")}},
        {QStringLiteral("kategorie_poloziek"), columns({"nazov TEXT UNIQUE", "interna_poznamka"}), {}},
        {QStringLiteral("polozky"),
         columns({"kod", "nazov", "id_kategoria INTEGER", "merna_jednotka", "dph FLOAT",
                  "cena FLOAT", "za_mj FLOAT", "interna_poznamka", "existuje INTEGER"}),
         {QStringLiteral("CREATE INDEX id_kategoria ON polozky (id_kategoria);")}},
        {QStringLiteral("ucty"),
         columns({"nazov", "nazov_banky", "cislo_uctu", "iban", "swift", "interna_poznamka",
                  "je_uzivatelsky INTEGER", "id_odberatel INTEGER", "existuje INTEGER"}),
         {QStringLiteral("CREATE INDEX id_odberatel ON ucty (id_odberatel);")}},
        {QStringLiteral("poznamky"),
         columns({"nazov", "poznamka", "interna_poznamka", "existuje INTEGER"}), {}},
        {QStringLiteral("faktury"),
         columns({"cislo", "cislo_objednavky", "vs", "ks", "ss", "forma_uhrady", "opravnenie",
                  "datum_vystavenia DATE", "datum_splatnosti DATE", "datum_dodania DATE",
                  "datum_platby DATE", "id_ucet INTEGER", "id_poznamka INTEGER",
                  "id_uzivatel INTEGER", "id_odberatel INTEGER", "jazyk",
                  "fakturovat_bezdph INTEGER", "fakturovat_vcudzejmene INTEGER",
                  "fakturovat_vdvochmenach INTEGER", "domaca_menaZobr", "domaca_menaIso",
                  "cudzia_menaZobr", "cudzia_menaIso", "hlavna_mena", "jehlavna_cudziamena INTEGER",
                  "kurz FLOAT", "kurz_domaca FLOAT", "kurz_cudzia FLOAT", "zaokruhlovanie FLOAT",
                  "suma_celkom FLOAT", "suma_kuhrade FLOAT", "suma1_left", "suma2_right",
                  "interna_poznamka", "typ INTEGER", "uhradena INTEGER", "existuje INTEGER"}),
         {QStringLiteral("CREATE INDEX id_ucet ON faktury (id_ucet);"),
          QStringLiteral("CREATE INDEX id_poznamka ON faktury (id_poznamka);"),
          QStringLiteral("CREATE INDEX id_uzivatelF ON faktury (id_uzivatel);"),
          QStringLiteral("CREATE INDEX id_odberatelF ON faktury (id_odberatel);")}},
        {QStringLiteral("sp_polozky"),
         columns({"id_faktura INTEGER", "id_polozka INTEGER", "cena FLOAT", "pocet FLOAT",
                  "zlava FLOAT", "zaratat_dph INTEGER"}),
         {QStringLiteral("CREATE INDEX id_faktura ON sp_polozky (id_faktura);"),
          QStringLiteral("CREATE INDEX id_polozka ON sp_polozky (id_polozka);")}},
        {QStringLiteral("sp_zalfaktury"), columns({"id_faktura INTEGER", "id_zalfaktura INTEGER"}), {}},
        {QStringLiteral("uhrady"),
         columns({"datum DATE", "bankovy_prevod INTEGER", "hotovost INTEGER", "suma_domaca FLOAT",
                  "suma_zahranicna FLOAT", "kurz FLOAT", "interna_poznamka", "id_faktura INTEGER"}),
         {QStringLiteral("CREATE INDEX id_fakturaU ON uhrady (id_faktura);")}},
    };
}

// "nazov TEXT" -> "[nazov] TEXT"
QString columnLine(const QString &column)
{
    const int blank = column.indexOf(QLatin1Char(' '));
    return QLatin1Char('[') + column.left(blank) + QLatin1Char(']') + column.mid(blank);
}

} // namespace

const QList<TableSchema> &schemaTables()
{
    static const QList<TableSchema> tables = buildSchema();
    return tables;
}

const TableSchema &schemaTable(const QString &name)
{
    for (const TableSchema &table : schemaTables()) {
        if (table.name == name)
            return table;
    }
    throw ESQLiteException(QStringLiteral("Unknown table: ") + name);
}

QString createTableSql(const TableSchema &table)
{
    QStringList lines;
    lines << QStringLiteral("CREATE TABLE %1 (").arg(table.name)
          << QStringLiteral("[ID] INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE,");
    for (int i = 0; i < table.columns.size(); ++i) {
        const bool last = i == table.columns.size() - 1;
        lines << columnLine(table.columns.at(i)) + (last ? QString() : QStringLiteral(","));
    }
    lines << QStringLiteral(");") << QString();
    return JoinSqlLines(lines);
}

services::RestorableSchema restorableSchema()
{
    services::RestorableSchema schema;
    for (const TableSchema &table : schemaTables()) {
        schema.tables << table.name;
        schema.indexes << table.indexes;
    }
    schema.indexes << QStringLiteral("CREATE INDEX id_pvoznamka ON faktury (id_poznamka);");
    schema.version = SupportedDbVersion;
    return schema;
}

} // namespace bralvo::db
