// The data-access layer against raw sqlite3: a 1,000,000-row table opened
// through the SQLite provider and walked field by field (every value read
// as the report reads it), next to the same walk over sqlite3_step and
// sqlite3_column_* that converts to the same value types (texts to UTF-16,
// ISO dates to day counts). After the runs a line gives the ratio and the
// peak memory (maximum resident set) after each walk.
#include "report/data/tadodataset.h"
#include "timesreporter.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

constexpr int kRows = 1000000;
QString g_path;
double g_peakRawMiB = 0, g_peakLayerMiB = 0;

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void fill(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE Items (Id BIGINT PRIMARY KEY, Name VARCHAR(30), Amount REAL, Day DATE);"
                 "BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Items VALUES (?, ?, ?, ?)", -1, &insert, nullptr);
    for (int i = 1; i <= kRows; ++i) {
        const QByteArray name = "Item number " + QByteArray::number(i);
        const QByteArray day = "2024-" + QByteArray::number(1 + i % 12).rightJustified(2, '0') + "-"
                               + QByteArray::number(1 + i % 28).rightJustified(2, '0');
        sqlite3_bind_int64(insert, 1, i);
        sqlite3_bind_text(insert, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, i * 0.25);
        sqlite3_bind_text(insert, 4, day.constData(), int(day.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// "yyyy-mm-dd" as days since 30.12.1899, as a hand-written reader would.
double dayCount(const unsigned char *text, int length)
{
    if (length != 10)
        return 0;
    auto digits = [text](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i)
            v = v * 10 + (text[i] - '0');
        return v;
    };
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    return double(QDate(digits(0, 4), digits(5, 2), digits(8, 2)).toJulianDay() - dayZero);
}

void rawWalk(benchmark::State &state)
{
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Items", -1, &stmt, nullptr);
        qint64 rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_int64(stmt, 0));
            const auto *name = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1));
            benchmark::DoNotOptimize(QString::fromUtf8(name, sqlite3_column_bytes(stmt, 1)));
            benchmark::DoNotOptimize(sqlite3_column_double(stmt, 2));
            const unsigned char *day = sqlite3_column_text(stmt, 3);
            benchmark::DoNotOptimize(dayCount(day, sqlite3_column_bytes(stmt, 3)));
            ++rows;
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        if (rows != kRows)
            state.SkipWithError("wrong row count");
    }
    g_peakRawMiB = peakMiB();
}

void layerWalk(benchmark::State &state)
{
    using namespace bralvo::data;
    for (auto _ : state) {
        TADOConnection connection;
        connection.SetConnectionString(QStringLiteral("Provider=SQLite;Mode=Read;Data Source=") + g_path);
        TADOTable table;
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Items"));
        table.Open();
        qint64 rows = 0;
        const int fields = table.FieldCount();
        for (table.First(); !table.Eof(); table.Next()) {
            for (int i = 0; i < fields; ++i)
                benchmark::DoNotOptimize(table.Fields()->Fields(i)->Value());
            ++rows;
        }
        if (rows != kRows)
            state.SkipWithError("wrong row count");
        g_peakLayerMiB = std::max(g_peakLayerMiB, peakMiB());
    }
}

class RatioReporter : public TimesReporter {
    // Names carry the iteration count ("dataset/sqlite3/iterations:3").
    double timeOf(const QString &prefix) const
    {
        for (auto it = m_times.cbegin(); it != m_times.cend(); ++it)
            if (it.key().startsWith(prefix))
                return it.value();
        return -1;
    }

public:
    void printRatio() const
    {
        const double layer = timeOf(QStringLiteral("dataset/provider"));
        const double raw = timeOf(QStringLiteral("dataset/sqlite3"));
        if (layer > 0 && raw > 0)
            std::printf("\nwalk of %d rows x 4 fields: provider %.0f ms, sqlite3 %.0f ms, ratio %.2f\n", kRows, layer,
                        raw, layer / raw);
        std::printf("peak memory: %.0f MiB after the sqlite3 walk, %.0f MiB after the provider walk\n",
                    g_peakRawMiB, g_peakLayerMiB);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    g_path = dir.filePath(QStringLiteral("items.db"));
    fill(g_path);
    // The raw walk first, so its peak is not the layer's.
    benchmark::RegisterBenchmark("dataset/sqlite3", rawWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("dataset/provider", layerWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
