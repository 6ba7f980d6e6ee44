// The stored form of the query model: INI text, packed, inside the SQL.
#include "report/querybuilder/tqbsql.h"

#include "report/querybuilder/eqberror.h"
#include "report/querybuilder/qbutils.h"

#include <QRegularExpression>

namespace bralvo::report {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString startMarker = QStringLiteral("/*_QBMODEL");
const QString endMarker = QStringLiteral("_QBEND*/");

using Section = QList<QPair<QString, QString>>;

QString stripped(const QString &text)
{
    return StripLineBreaks(text, QStringLiteral("\r\n"));
}

QStringList tableLines(const TqbModel &m)
{
    QStringList lines;
    for (const TqbTable &t : m.Tables)
        lines << QStringLiteral("%1=%2,%3,%4,%5,%6").arg(t.Alias, t.TableName)
                     .arg(t.Top).arg(t.Left).arg(t.Height).arg(t.Width);
    return lines;
}

QStringList gridLines(const TqbModel &m)
{
    QStringList lines;
    for (int i = 0; i < m.Rows.size(); ++i) {
        const TGridColumn &r = m.Rows[i];
        lines << QStringLiteral("%1=%2,%3,%4,%5,%6,%7,%8,").arg(i)
                     .arg(r.field, r.tableName, r.alias).arg(r.visible ? 1 : 0)
                     .arg(r.sort).arg(r.function).arg(r.group) + r.where;
    }
    return lines;
}

QStringList linkLines(const TqbModel &m)
{
    QStringList lines;
    for (int i = 0; i < m.Links.size(); ++i) {
        const TqbLink &l = m.Links[i];
        lines << QStringLiteral("%1=%2,%3,%4,%5,%6,%7").arg(i).arg(l.SourceField)
                     .arg(l.SourceTable).arg(l.DestField).arg(l.DestTable)
                     .arg(l.JType).arg(l.JOperator);
    }
    return lines;
}

// Sections in file order; keys keep their case and may repeat. Values are
// taken as written so a where text keeps its spaces.
QHash<QString, Section> parseIni(const QString &text)
{
    QHash<QString, Section> sections;
    QString current;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']')) {
            current = t.mid(1, t.size() - 2).toLower();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            sections[current].append({line.left(eq).trimmed(), line.mid(eq + 1)});
    }
    return sections;
}

int toInt(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw EqbError(QStringLiteral("The model holds a bad number: %1").arg(text));
    return value;
}

// "table,top,left,height,width": read from the right, so a comma in the
// table name does not shift the numbers.
void loadTables(TqbModel &m, TqbEngine &engine, const Section &lines)
{
    for (const auto &[alias, value] : lines) {
        QStringList parts = value.split(u',');
        if (parts.size() < 5)
            throw EqbError(QStringLiteral("The model holds a bad table line."));
        const int width = toInt(parts.takeLast()), height = toInt(parts.takeLast());
        const int left = toInt(parts.takeLast()), top = toInt(parts.takeLast());
        const int index = m.AddTable(engine, parts.join(u','), left, top);
        m.Tables[index].Height = height;
        m.Tables[index].Width = width;
    }
}

int findField(const TqbTable &table, const QString &quoted)
{
    for (int i = 0; i < table.Fields.size(); ++i)
        if (QuotedFieldName(table.Fields[i].FieldName) == quoted
            || table.Fields[i].FieldName == quoted)
            return i;
    throw EqbError(QStringLiteral("The table %1 has no field %2.").arg(table.TableName, quoted));
}

// Returns false when a line names a table box that does not exist.
bool loadGrid(TqbModel &m, const Section &lines)
{
    for (const auto &entry : lines) {
        const QString &value = entry.second;
        const auto part = [&value](int n) { return GetDelimitedPart(u',', value, n, false); };
        const int table = m.FindTable(part(2), part(3));
        if (table < 0)
            return false;
        const int field = findField(m.Tables[table], part(1));
        TGridColumn &row = m.Rows[m.AddRow(table, m.Tables[table].Fields[field].FieldName)];
        row.visible = toInt(part(4)) != 0;
        row.sort = toInt(part(5));
        row.function = toInt(part(6));
        row.group = toInt(part(7));
        row.where = GetDelimitedPart(u',', value, 8, true);
        if (row.sort < 0 || row.sort > 2 || row.group < 0 || row.group > 1)
            throw EqbError(QStringLiteral("The model holds a bad grid line."));
        FunctionText(row.function);
    }
    return true;
}

void loadLinks(TqbModel &m, const Section &lines)
{
    for (const auto &entry : lines) {
        const QStringList p = entry.second.split(u',');
        if (p.size() != 6)
            throw EqbError(QStringLiteral("The model holds a bad link line."));
        TqbLink link;
        link.SourceField = toInt(p[0]);
        link.SourceTable = toInt(p[1]);
        link.DestField = toInt(p[2]);
        link.DestTable = toInt(p[3]);
        link.JType = toInt(p[4]);
        link.JOperator = toInt(p[5]);
        m.AddLink(link);
    }
}

} // namespace

QString ModelText(const TqbModel &model, const QString &sql)
{
    QStringList lines;
    lines << QStringLiteral("[DataBase]")
          << QStringLiteral("SQL=%1").arg(CalcCRC32(stripped(sql)));
    lines << QStringLiteral("[Tables]") << tableLines(model);
    lines << QStringLiteral("[Grid]") << gridLines(model);
    lines << QStringLiteral("[Links]") << linkLines(model);
    return lines.join(crlf);
}

QString ExtractModel(const QString &text)
{
    const qsizetype end = text.indexOf(endMarker);
    const qsizetype start = text.indexOf(startMarker);
    if (end < 0 && start < 0)
        return text;
    if (end < 0 || start < 0 || start + startMarker.size() > end)
        return QString();
    const qsizetype from = start + startMarker.size();
    return stripped(text.mid(from, end - from));
}

QString RemoveModel(const QString &text)
{
    const qsizetype start = text.indexOf(startMarker);
    if (start < 0 || !text.contains(endMarker))
        return text;
    return text.left(start);
}

bool HasModelBlock(const QString &text)
{
    const qsizetype start = text.indexOf(startMarker);
    return start >= 0 && text.indexOf(endMarker, start + startMarker.size()) >= 0;
}

QStringList SaveToStrings(const TqbModel &model)
{
    const QString sql = GenerateSQL(model);
    if (stripped(sql).isEmpty())
        return {};
    return {sql, startMarker, CompressString(ModelText(model, sql)), endMarker};
}

QString ChangedSqlMessage()
{
    return QStringLiteral("The file was changed. The Model can not be loaded.");
}

LoadOutcome LoadModel(TqbModel &model, TqbEngine &engine, const QString &text)
{
    model.Clear();
    // A plain SQL text is not a model, however ExtractModel reads it.
    if (!text.contains(startMarker) || !text.contains(endMarker))
        return LoadOutcome::NoModel;
    const QString packed = stripped(ExtractModel(text)).trimmed();
    if (packed.isEmpty())
        return LoadOutcome::NoModel;
    const auto sections = parseIni(DecompressString(packed));
    const QString sql = stripped(RemoveModel(text));
    const quint32 checksum = CalcCRC32(sql);
    const Section database = sections.value(QStringLiteral("database"));
    bool found = false;
    quint32 stored = 0;
    for (const auto &[key, value] : database)
        if (key.compare(QLatin1String("SQL"), Qt::CaseInsensitive) == 0)
            stored = quint32(quint64(value.trimmed().toLongLong(&found))); // low 32 bits
    if (!found || (stored != checksum && stored != CalcCRC32Cp1250(sql)))
        return LoadOutcome::ChangedSql;
    try {
        loadTables(model, engine, sections.value(QStringLiteral("tables")));
        if (!loadGrid(model, sections.value(QStringLiteral("grid"))))
            return LoadOutcome::StoppedAtTable;
        loadLinks(model, sections.value(QStringLiteral("links")));
    } catch (const std::exception &) {
        model.Clear();
        return LoadOutcome::Cleared;
    }
    return LoadOutcome::Loaded;
}

} // namespace bralvo::report
