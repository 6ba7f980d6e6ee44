// Writing and reading the .dump form of a database through the SQLite
// library itself. The output follows the sqlite3 shell byte for byte
// (statement order, quoting, number forms), which the tests check against
// the shell.
#include "services/sqldump.h"

#include "services/dumpstatements.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <sqlite3.h>

#include <cmath>
#include <memory>
#include <optional>

namespace bralvo::services {

namespace {

struct ConnectionCloser {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

struct StatementFinalizer {
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

[[noreturn]] void fail(const QString &what, sqlite3 *db)
{
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    throw BackupError(detail.isEmpty() ? what : what + QStringLiteral(": ") + detail);
}

Connection openConnection(const QString &file, int flags)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(file.toUtf8().constData(), &raw, flags, nullptr);
    Connection db(raw);
    if (rc != SQLITE_OK)
        fail(QStringLiteral("Cannot open %1").arg(file), db.get());
    return db;
}

Statement prepare(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &raw, nullptr) != SQLITE_OK)
        fail(QStringLiteral("Cannot prepare %1").arg(QString::fromUtf8(sql)), db);
    return Statement(raw);
}

// Steps once; false at the end of the rows, throws on an error.
bool step(sqlite3 *db, sqlite3_stmt *stmt)
{
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("Cannot read the database"), db);
    return false;
}

void exec(sqlite3 *db, const QByteArray &sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        throw BackupError(text);
    }
}

QByteArray columnBytes(sqlite3_stmt *stmt, int col)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    return text ? QByteArray(text, sqlite3_column_bytes(stmt, col)) : QByteArray();
}

// The shell quotes a name that is not a plain identifier or is a keyword.
QByteArray quotedName(const QByteArray &name)
{
    bool plain = !name.isEmpty() && (std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_');
    for (char c : name)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (plain && !sqlite3_keyword_check(name.constData(), int(name.size())))
        return name;
    QByteArray quoted = name;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

// A marker for CR or LF that does not occur in the text.
QByteArray unusedMarker(const QByteArray &text, const char *first, const char *second)
{
    if (!text.contains(first))
        return first;
    if (!text.contains(second))
        return second;
    for (unsigned i = 0;; ++i) {
        const QByteArray marker = QByteArray("(") + first + QByteArray::number(i) + ')';
        if (!text.contains(marker))
            return marker;
    }
}

// A text literal; CR and LF go through replace() so a dump line stays one line.
QByteArray textLiteral(const QByteArray &text)
{
    const bool hasLf = text.contains('\n');
    const bool hasCr = text.contains('\r');
    QByteArray body = text;
    body.replace('\'', "''");
    if (!hasLf && !hasCr)
        return '\'' + body + '\'';
    const QByteArray lf = hasLf ? unusedMarker(text, "\\n", "\\012") : QByteArray();
    const QByteArray cr = hasCr ? unusedMarker(text, "\\r", "\\015") : QByteArray();
    if (hasLf)
        body.replace('\n', lf);
    if (hasCr)
        body.replace('\r', cr);
    QByteArray out = QByteArray(hasLf ? "replace(" : "") + (hasCr ? "replace(" : "") + '\'' + body + '\'';
    if (hasCr)
        out += ",'" + cr + "',char(13))";
    if (hasLf)
        out += ",'" + lf + "',char(10))";
    return out;
}

QByteArray realLiteral(double value)
{
    if (std::isinf(value))
        return value > 0 ? "1e999" : "-1e999";
    char buffer[50];
    if (value >= -9223372036854775808.0 && value < 9223372036854775808.0
        && value == double(sqlite3_int64(value)))
        sqlite3_snprintf(sizeof buffer, buffer, "%lld.0", sqlite3_int64(value));
    else
        sqlite3_snprintf(sizeof buffer, buffer, "%!.20g", value);
    return buffer;
}

QByteArray blobLiteral(sqlite3_stmt *stmt, int col)
{
    const QByteArray bytes(static_cast<const char *>(sqlite3_column_blob(stmt, col)),
                           sqlite3_column_bytes(stmt, col));
    return "X'" + bytes.toHex() + '\'';
}

QByteArray valueLiteral(sqlite3_stmt *stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER: return columnBytes(stmt, col);
    case SQLITE_FLOAT: return realLiteral(sqlite3_column_double(stmt, col));
    case SQLITE_TEXT: return textLiteral(columnBytes(stmt, col));
    case SQLITE_BLOB: return blobLiteral(stmt, col);
    default: return "NULL";
    }
}

// Collects output into sizeable pieces for the sink.
class Output {
public:
    explicit Output(const DumpSink &sink) : m_sink(sink) {}
    void operator<<(const QByteArray &bytes)
    {
        m_buffer += bytes;
        if (m_buffer.size() >= 64 * 1024)
            flush();
    }
    void flush()
    {
        if (!m_buffer.isEmpty())
            m_sink(m_buffer);
        m_buffer.clear();
    }

private:
    const DumpSink &m_sink;
    QByteArray m_buffer;
};

QByteArray selectAllColumns(sqlite3 *db, const QByteArray &table)
{
    Statement info = prepare(db, "PRAGMA table_info(" + quotedName(table) + ")");
    QByteArrayList columns;
    while (step(db, info.get()))
        columns << quotedName(columnBytes(info.get(), 1));
    return "SELECT " + columns.join(',') + " FROM " + quotedName(table);
}

void dumpRows(sqlite3 *db, const QByteArray &table, Output &out)
{
    Statement rows = prepare(db, selectAllColumns(db, table));
    const QByteArray prefix = "INSERT INTO " + quotedName(table) + " VALUES(";
    const int count = sqlite3_column_count(rows.get());
    while (step(db, rows.get())) {
        QByteArray line = prefix;
        for (int col = 0; col < count; ++col) {
            if (col > 0)
                line += ',';
            line += valueLiteral(rows.get(), col);
        }
        out << line + ");\n";
    }
}

// One table: its CREATE statement (as the shell words it), then its rows.
void dumpTable(sqlite3 *db, const QByteArray &name, const QByteArray &sql, Output &out)
{
    if (name == "sqlite_sequence") {
        out << "DELETE FROM sqlite_sequence;\n";
    } else if (name.startsWith("sqlite_stat")) {
        out << "ANALYZE sqlite_schema;\n";
    } else if (name.startsWith("sqlite_")) {
        return;
    } else if (sql.startsWith("CREATE VIRTUAL TABLE")) {
        throw BackupError(QStringLiteral("Virtual table %1 cannot be dumped").arg(QString::fromUtf8(name)));
    } else if (sql.startsWith("CREATE TABLE \"") || sql.startsWith("CREATE TABLE '")) {
        out << "CREATE TABLE IF NOT EXISTS " + sql.mid(13) + ";\n";
    } else {
        out << sql + ";\n";
    }
    dumpRows(db, name, out);
}

// Indexes, triggers and views; a statement ending in a "--" comment gets
// its ";" on a line of its own.
void dumpOtherObjects(sqlite3 *db, Output &out)
{
    Statement objects = prepare(db, "SELECT sql FROM sqlite_schema WHERE sql NOT NULL"
                                    " AND type IN ('index','trigger','view')");
    while (step(db, objects.get())) {
        const QByteArray sql = columnBytes(objects.get(), 0);
        out << sql + (sql.contains("--") ? "\n;\n" : ";\n");
    }
}

int userVersion(sqlite3 *db)
{
    Statement version = prepare(db, "PRAGMA user_version");
    return step(db, version.get()) ? sqlite3_column_int(version.get(), 0) : 0;
}

} // namespace

void DumpDatabase(const QString &databaseFile, const DumpSink &sink)
{
    if (!QFileInfo(databaseFile).isFile())
        throw BackupError(QStringLiteral("Database file missing: %1").arg(databaseFile));
    Connection db = openConnection(databaseFile, SQLITE_OPEN_READONLY);
    sqlite3_busy_timeout(db.get(), 7000);
    exec(db.get(), "BEGIN");  // one snapshot for the whole dump
    Output out(sink);
    out << "PRAGMA foreign_keys=OFF;\nBEGIN TRANSACTION;\n";
    Statement tables = prepare(db.get(), "SELECT name, type, sql FROM sqlite_schema"
                                         " WHERE type=='table' AND sql NOT NULL"
                                         " ORDER BY tbl_name='sqlite_sequence', rowid");
    while (step(db.get(), tables.get()))
        dumpTable(db.get(), columnBytes(tables.get(), 0), columnBytes(tables.get(), 2), out);
    dumpOtherObjects(db.get(), out);
    out << "PRAGMA user_version=" + QByteArray::number(userVersion(db.get())) + ";\nCOMMIT;\n";
    out.flush();
    exec(db.get(), "COMMIT");
}

namespace {

bool tableExists(sqlite3 *db, const QString &table)
{
    Statement query = prepare(db, "SELECT 1 FROM sqlite_schema WHERE type='table' AND name="
                                      + textLiteral(table.toUtf8()));
    return step(db, query.get());
}

void checkIntegrity(sqlite3 *db)
{
    Statement check = prepare(db, "PRAGMA integrity_check");
    const QByteArray answer = step(db, check.get()) ? columnBytes(check.get(), 0) : QByteArray();
    if (answer != "ok")
        throw BackupError(QStringLiteral("Integrity check failed: %1").arg(QString::fromUtf8(answer)));
}

// SQLite's own tables a dump may create (sqlite_sequence, the statistics
// of ANALYZE).
bool sqliteOwnTable(const QString &name)
{
    return name == QLatin1String("sqlite_sequence") || name.startsWith(QLatin1String("sqlite_stat"));
}

// "CREATE INDEX a ON t (c);" and its stored text "CREATE INDEX a ON t (c)"
// compare equal.
QString withoutSemicolon(const QString &sql)
{
    QString text = sql.trimmed();
    while (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    return text.trimmed();
}

bool knownIndex(const RestorableSchema &schema, const QString &table, const QString &sql, bool automatic)
{
    if (automatic)  // made by SQLite for a UNIQUE column of the table
        return schema.tables.contains(table, Qt::CaseInsensitive);
    for (const QString &index : schema.indexes) {
        if (withoutSemicolon(index) == withoutSemicolon(sql))
            return true;
    }
    return false;
}

// A trigger or a view would run with every later save (a trigger that
// deletes the bills made each save "succeed" with nothing kept), and other
// tables and indexes are not the program's: only its own schema, as any
// version of it wrote it, is taken.
void checkSchemaObjects(sqlite3 *db, const RestorableSchema &schema)
{
    Statement objects = prepare(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema");
    while (step(db, objects.get())) {
        const QString type = QString::fromUtf8(columnBytes(objects.get(), 0));
        const QString name = QString::fromUtf8(columnBytes(objects.get(), 1));
        const QString table = QString::fromUtf8(columnBytes(objects.get(), 2));
        const bool noSql = sqlite3_column_type(objects.get(), 3) == SQLITE_NULL;
        const QString sql = QString::fromUtf8(columnBytes(objects.get(), 3));
        const bool known = type == QLatin1String("table")
                               ? schema.tables.contains(name, Qt::CaseInsensitive) || sqliteOwnTable(name)
                               : type == QLatin1String("index") && knownIndex(schema, table, sql, noSql);
        if (!known)
            throw BackupError(QStringLiteral("The backup holds the %1 %2, which is not the program's").arg(type, name));
    }
}

} // namespace

namespace {

constexpr qsizetype kMaxStatementBytes = 256 * 1024 * 1024;
constexpr qint64 kStatementSeconds = 60;

// Only what a dump holds may run: creating tables, indexes, views and
// triggers, inserting values (with replace() and char() for line breaks),
// emptying sqlite_sequence, the foreign_keys and user_version pragmas,
// ANALYZE of the schema and transaction control, with the schema updates
// and reads these make themselves. Queries (SELECT), other functions,
// recursive queries, updates, drops and any other pragma are refused.
int dumpAuthorizer(void *, int action, const char *first, const char *second, const char *, const char *)
{
    const QByteArray a = first ? QByteArray(first).toLower() : QByteArray();
    const QByteArray b = second ? QByteArray(second).toLower() : QByteArray();
    const bool schemaTable = a == "sqlite_master" || a == "sqlite_schema";
    switch (action) {
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_INSERT:
    case SQLITE_TRANSACTION:
    case SQLITE_ANALYZE:
    case SQLITE_REINDEX:
        return SQLITE_OK;
    case SQLITE_READ:
        // The schema's own bookkeeping and an index being built read;
        // a query cannot, as every SELECT is refused.
        return SQLITE_OK;
    case SQLITE_UPDATE:
        return schemaTable ? SQLITE_OK : SQLITE_DENY;  // creation writes the schema
    case SQLITE_DELETE:
        return a == "sqlite_sequence" ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_PRAGMA:
        return a == "foreign_keys" || a == "user_version" ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_FUNCTION:
        return b == "replace" || b == "char" ? SQLITE_OK : SQLITE_DENY;
    default:
        return SQLITE_DENY;
    }
}

// While a dump runs: the authorizer above, and a progress handler that
// stops a statement running longer than kStatementSeconds.
class DumpGuard {
public:
    explicit DumpGuard(sqlite3 *db) : m_db(db)
    {
        sqlite3_set_authorizer(db, &dumpAuthorizer, nullptr);
        sqlite3_progress_handler(db, 10000, &DumpGuard::onProgress, this);
    }
    ~DumpGuard()
    {
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
        sqlite3_set_authorizer(m_db, nullptr, nullptr);
    }
    DumpGuard(const DumpGuard &) = delete;
    DumpGuard &operator=(const DumpGuard &) = delete;

    void startStatement() { m_timer.start(); }

private:
    static int onProgress(void *self)
    {
        return static_cast<DumpGuard *>(self)->m_timer.hasExpired(kStatementSeconds * 1000) ? 1 : 0;
    }

    sqlite3 *m_db;
    QElapsedTimer m_timer;
};

// Runs the statements of one piece of text (one statement, or the rest
// after the last ";", which may be blank).
void runStatements(sqlite3 *db, const QByteArray &text, DumpGuard &guard)
{
    const char *next = text.constData();
    const char *end = next + text.size();
    while (next < end) {
        sqlite3_stmt *raw = nullptr;
        const char *tail = nullptr;
        guard.startStatement();
        if (sqlite3_prepare_v2(db, next, int(end - next), &raw, &tail) != SQLITE_OK)
            fail(QStringLiteral("The backup holds a statement that cannot run"), db);
        Statement statement(raw);
        next = tail;
        if (!raw)
            continue;  // blanks or comments only
        while (step(db, statement.get())) {
        }
    }
}

// Feeds the text through the splitter and runs every statement as soon as
// it is complete.
void runDumpText(sqlite3 *db, const std::function<QByteArray()> &nextText)
{
    DumpGuard guard(db);
    DumpStatementSplitter splitter;
    for (QByteArray text = nextText(); !text.isEmpty(); text = nextText()) {
        if (text.contains('\0'))
            throw BackupError(QStringLiteral("The backup holds a NUL byte"));
        splitter.feed(text);
        while (const std::optional<QByteArray> statement = splitter.next())
            runStatements(db, *statement, guard);
        if (splitter.pendingSize() > kMaxStatementBytes)
            throw BackupError(QStringLiteral("The backup holds an overlong statement"));
    }
    runStatements(db, splitter.rest(), guard);
}

} // namespace

void LoadDumpStream(const std::function<QByteArray()> &nextText, const QString &databaseFile,
                    const RestorableSchema &schema)
{
    Connection db = openConnection(databaseFile, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_limit(db.get(), SQLITE_LIMIT_ATTACHED, 0);  // no ATTACH, no VACUUM INTO
    {
        Statement count = prepare(db.get(), "SELECT count(*) FROM sqlite_schema");
        if (step(db.get(), count.get()) && sqlite3_column_int(count.get(), 0) != 0)
            throw BackupError(QStringLiteral("%1 is not empty").arg(databaseFile));
    }
    runDumpText(db.get(), nextText);
    if (!sqlite3_get_autocommit(db.get()))
        throw BackupError(QStringLiteral("The backup ends inside a transaction"));
    checkIntegrity(db.get());
    for (const QString &table : schema.tables) {
        if (!tableExists(db.get(), table))
            throw BackupError(QStringLiteral("The backup lacks table %1").arg(table));
    }
    if (userVersion(db.get()) <= schema.version)
        checkSchemaObjects(db.get(), schema);
}

void LoadDump(const QByteArray &sqlText, const QString &databaseFile, const RestorableSchema &schema)
{
    bool given = false;
    LoadDumpStream(
        [&]() {
            if (given)
                return QByteArray();
            given = true;
            return sqlText;
        },
        databaseFile, schema);
}

} // namespace bralvo::services
