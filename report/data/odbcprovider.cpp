#include "report/data/odbcprovider.h"

#include "report/data/dataerror.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

namespace bralvo::data {

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC with UTF-16 wide characters");

const SQLWCHAR *wide(const QString &text)
{
    return reinterpret_cast<const SQLWCHAR *>(text.utf16());
}

QString diagnostics(SQLSMALLINT handleType, SQLHANDLE handle, QString *state = nullptr)
{
    QStringList texts;
    for (SQLSMALLINT rec = 1;; ++rec) {
        SQLWCHAR sqlState[6] = {};
        SQLWCHAR message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(handleType, handle, rec, sqlState, &native, message, 1024, &length)))
            break;
        if (state && rec == 1)
            *state = QString::fromUtf16(reinterpret_cast<const char16_t *>(sqlState), 5);
        texts.append(QString::fromUtf16(reinterpret_cast<const char16_t *>(message), qMin<int>(length, 1023)));
    }
    return texts.isEmpty() ? QStringLiteral("ODBC call failed") : texts.join(u' ');
}

// A statement handle freed however the caller leaves.
struct Statement {
    SQLHSTMT h = SQL_NULL_HSTMT;
    ~Statement()
    {
        if (h != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, h);
    }
    void check(SQLRETURN rc) const
    {
        if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA)
            return;
        QString state;
        const QString text = diagnostics(SQL_HANDLE_STMT, h, &state);
        throw DataError(state == QLatin1String("HYT00") ? QStringLiteral("Command timeout expired") : text);
    }
};

// Opening a dataset must not change the database: the driver is told the
// connection only reads (drivers that honour it refuse a write), and a
// transaction of its own is rolled back whatever the statement did.
class ReadOnlyTransaction {
public:
    explicit ReadOnlyTransaction(SQLHDBC dbc) : m_dbc(dbc)
    {
        SQLSetConnectAttrW(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
        SQLSetConnectAttrW(dbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    }
    ~ReadOnlyTransaction()
    {
        SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_ROLLBACK);
        SQLSetConnectAttrW(m_dbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_WRITE), 0);
        SQLSetConnectAttrW(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    }
    ReadOnlyTransaction(const ReadOnlyTransaction &) = delete;
    ReadOnlyTransaction &operator=(const ReadOnlyTransaction &) = delete;

private:
    SQLHDBC m_dbc;
};

// Parameter buffers that must live until the statement has run.
struct BoundValue {
    QString text;
    qint64 integer = 0;
    double real = 0;
    SQLLEN indicator = 0;
};

void bindAll(const Statement &st, const Command &command, std::vector<BoundValue> &buffers)
{
    buffers.resize(size_t(command.sql.uses.size()));
    for (qsizetype i = 0; i < command.sql.uses.size(); ++i) {
        const platform::Variant &v = command.values.value(command.sql.uses.at(i).index, platform::Variant::null());
        BoundValue &b = buffers[size_t(i)];
        const SQLUSMALLINT n = SQLUSMALLINT(i + 1);
        if (v.isNull() || v.isEmpty()) {
            b.indicator = SQL_NULL_DATA;
            st.check(SQLBindParameter(st.h, n, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 1, 0, nullptr, 0, &b.indicator));
        } else if (v.isIntegral() || v.isBoolean()) {
            b.integer = v.isBoolean() ? (v.toBool() ? 1 : 0) : v.toInt64();
            st.check(SQLBindParameter(st.h, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &b.integer, 0, nullptr));
        } else if (v.isFloat()) {
            b.real = v.toDouble();
            st.check(SQLBindParameter(st.h, n, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, &b.real, 0, nullptr));
        } else {
            b.text = v.toString();
            b.indicator = SQLLEN(b.text.size() * 2);
            st.check(SQLBindParameter(st.h, n, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR,
                                      SQLULEN(qMax<qsizetype>(1, b.text.size())), 0,
                                      const_cast<SQLWCHAR *>(wide(b.text)), b.indicator, &b.indicator));
        }
    }
}

QList<ColumnInfo> describeColumns(const Statement &st)
{
    SQLSMALLINT count = 0;
    st.check(SQLNumResultCols(st.h, &count));
    QList<ColumnInfo> columns;
    for (SQLUSMALLINT c = 1; c <= count; ++c) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        st.check(SQLDescribeColW(st.h, c, name, 256, &nameLength, &type, &size, &digits, &nullable));
        ColumnInfo info;
        info.name = QString::fromUtf16(reinterpret_cast<const char16_t *>(name), qMin<int>(nameLength, 255));
        info.type = OdbcProvider::fieldTypeOf(type, qint64(size), digits);
        info.size = isTextType(info.type) && !isBlobType(info.type) ? int(size) : 0;
        info.required = nullable == SQL_NO_NULLS;
        columns.append(info);
    }
    return columns;
}

// Reads a text or binary column piece by piece; false for Null.
bool readLong(const Statement &st, SQLUSMALLINT col, SQLSMALLINT cType, QByteArray &out)
{
    out.clear();
    char buffer[8192];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(st.h, col, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        st.check(rc);
        if (indicator == SQL_NULL_DATA)
            return false;
        const qsizetype terminator = cType == SQL_C_WCHAR ? 2 : 0;
        qsizetype got = (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer))
                            ? qsizetype(sizeof buffer) - terminator
                            : qsizetype(indicator);
        out.append(buffer, got);
        if (rc == SQL_SUCCESS)
            return true;
    }
}

void readCell(const Statement &st, SQLUSMALLINT col, TFieldType type, RowSet &rows)
{
    const int c = col - 1;
    SQLLEN indicator = 0;
    if (isIntegerType(type) || type == ftBoolean) {
        qint64 v = 0;
        st.check(SQLGetData(st.h, col, SQL_C_SBIGINT, &v, 0, &indicator));
        if (indicator != SQL_NULL_DATA)
            rows.setInteger(c, v);
    } else if (type == ftFloat || type == ftCurrency) {
        double v = 0;
        st.check(SQLGetData(st.h, col, SQL_C_DOUBLE, &v, 0, &indicator));
        if (indicator != SQL_NULL_DATA)
            rows.setReal(c, v);
    } else if (isBlobType(type) && !isTextType(type)) {
        QByteArray bytes;
        if (readLong(st, col, SQL_C_BINARY, bytes))
            rows.setBytes(c, bytes);
    } else {
        QByteArray bytes;
        if (readLong(st, col, SQL_C_WCHAR, bytes))
            rows.setText(c, QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2));
    }
}

} // namespace

struct OdbcProvider::Impl {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool connected = false;

    void statement(Statement &st, int timeoutSeconds)
    {
        if (!connected)
            throw DataError(QStringLiteral("Connection is not open"));
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st.h)))
            throw DataError(diagnostics(SQL_HANDLE_DBC, dbc));
        if (timeoutSeconds > 0)
            SQLSetStmtAttr(st.h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(timeoutSeconds)), 0);
    }

    void run(Statement &st, const QString &text, const Command &command, std::vector<BoundValue> &buffers)
    {
        statement(st, command.timeoutSeconds);
        st.check(SQLPrepareW(st.h, const_cast<SQLWCHAR *>(wide(text)), SQL_NTS));
        bindAll(st, command, buffers);
        st.check(SQLExecute(st.h));
    }

    std::unique_ptr<RowSet> fetchAll(Statement &st)
    {
        auto rows = std::make_unique<RowSet>(describeColumns(st));
        SQLRETURN rc;
        while ((rc = SQLFetch(st.h)) != SQL_NO_DATA) {
            st.check(rc);
            rows->appendRow();
            for (int c = 0; c < rows->columnCount(); ++c)
                readCell(st, SQLUSMALLINT(c + 1), rows->columns().at(c).type, *rows);
        }
        return rows;
    }
};

OdbcProvider::OdbcProvider() : m(std::make_unique<Impl>()) {}

OdbcProvider::~OdbcProvider()
{
    close();
}

TFieldType OdbcProvider::fieldTypeOf(int sqlType, qint64 size, int digits)
{
    switch (sqlType) {
    case SQL_BIT: return ftBoolean;
    case SQL_TINYINT: case SQL_SMALLINT: return ftSmallint;
    case SQL_INTEGER: return ftInteger;
    case SQL_BIGINT: return ftLargeint;
    case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE: return ftFloat;
    case SQL_NUMERIC: case SQL_DECIMAL: return digits <= 4 && size <= 18 ? ftBCD : ftFMTBcd;
    case SQL_TYPE_DATE: case SQL_DATE: return ftDate;
    case SQL_TYPE_TIME: case SQL_TIME: return ftTime;
    case SQL_TYPE_TIMESTAMP: case SQL_TIMESTAMP: return ftDateTime;
    // Text is always fetched as Unicode, so the 8-bit kinds are wide too.
    case SQL_CHAR: case SQL_VARCHAR: case SQL_WCHAR: case SQL_WVARCHAR: return ftWideString;
    case SQL_LONGVARCHAR: case SQL_WLONGVARCHAR: return ftWideMemo;
    case SQL_BINARY: return ftBytes;
    case SQL_VARBINARY: return ftVarBytes;
    case SQL_LONGVARBINARY: return ftBlob;
    case SQL_GUID: return ftGuid;
    default: return ftWideString;
    }
}

void OdbcProvider::open(const ConnectionString &cs)
{
    close();
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m->env)))
        throw DataError(QStringLiteral("The ODBC driver manager cannot be used"));
    SQLSetEnvAttr(m->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, m->env, &m->dbc);
    const QString text = cs.odbcText();
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnectW(m->dbc, nullptr, const_cast<SQLWCHAR *>(wide(text)), SQL_NTS, out, 1024,
                                           &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const QString error = diagnostics(SQL_HANDLE_DBC, m->dbc);
        close();
        throw DataError(error);
    }
    m->connected = true;
}

void OdbcProvider::close()
{
    if (m->connected)
        SQLDisconnect(m->dbc);
    m->connected = false;
    if (m->dbc != SQL_NULL_HDBC)
        SQLFreeHandle(SQL_HANDLE_DBC, m->dbc);
    if (m->env != SQL_NULL_HENV)
        SQLFreeHandle(SQL_HANDLE_ENV, m->env);
    m->dbc = SQL_NULL_HDBC;
    m->env = SQL_NULL_HENV;
}

std::unique_ptr<RowSet> OdbcProvider::query(const Command &command)
{
    if (!m->connected)
        throw DataError(QStringLiteral("Connection is not open"));
    ReadOnlyTransaction readOnly(m->dbc);
    Statement st;
    std::vector<BoundValue> buffers;
    m->run(st, command.sql.withPlainMarks(), command, buffers);
    // A statement without a result is no query; what it did is rolled back.
    SQLSMALLINT columns = 0;
    st.check(SQLNumResultCols(st.h, &columns));
    if (columns == 0)
        throw readOnlyError();
    return m->fetchAll(st);
}

qint64 OdbcProvider::execute(const Command &command)
{
    Statement st;
    std::vector<BoundValue> buffers;
    m->run(st, command.sql.withPlainMarks(), command, buffers);
    SQLLEN count = 0;
    SQLRowCount(st.h, &count);
    return count;
}

QList<ColumnInfo> OdbcProvider::describe(const Command &command)
{
    Statement st;
    m->statement(st, command.timeoutSeconds);
    const QString text = command.sql.withPlainMarks();
    st.check(SQLPrepareW(st.h, const_cast<SQLWCHAR *>(wide(text)), SQL_NTS));
    std::vector<BoundValue> buffers;
    bindAll(st, command, buffers);
    return describeColumns(st);
}

QList<ColumnInfo> OdbcProvider::tableColumns(const QString &table)
{
    Command command;
    command.sql = parseSqlParams(QStringLiteral("SELECT * FROM ") + quoteName(table));
    return describe(command);
}

QList<TableName> OdbcProvider::tables()
{
    Statement st;
    m->statement(st, 0);
    const QString types = QStringLiteral("TABLE,VIEW");
    st.check(SQLTablesW(st.h, nullptr, 0, nullptr, 0, nullptr, 0, const_cast<SQLWCHAR *>(wide(types)), SQL_NTS));
    QList<TableName> out;
    SQLRETURN rc;
    while ((rc = SQLFetch(st.h)) != SQL_NO_DATA) {
        st.check(rc);
        QByteArray schema, name;
        const bool hasSchema = readLong(st, 2, SQL_C_WCHAR, schema);
        readLong(st, 3, SQL_C_WCHAR, name);
        auto text = [](const QByteArray &b) {
            return QString::fromUtf16(reinterpret_cast<const char16_t *>(b.constData()), b.size() / 2);
        };
        out.append({hasSchema ? text(schema) : QString(), text(name)});
    }
    return out;
}

std::unique_ptr<RowSet> OdbcProvider::callProcedure(const QString &name, const Command &args)
{
    QStringList marks;
    for (int i = 0; i < args.values.size(); ++i)
        marks.append(QStringLiteral("?"));
    Command command = args;
    command.sql = parseSqlParams(QString());
    for (int i = 0; i < args.values.size(); ++i)
        command.sql.uses.append({0, 0, i});
    Statement st;
    std::vector<BoundValue> buffers;
    m->run(st, QStringLiteral("{call %1(%2)}").arg(name, marks.join(QStringLiteral(", "))), command, buffers);
    return m->fetchAll(st);
}

} // namespace bralvo::data
