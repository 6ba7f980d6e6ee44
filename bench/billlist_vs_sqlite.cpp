// The bill list against the raw sqlite3 library on the same database in
// one process: a year of 1,000,000 bills (and a tenth as many in the year
// before) filled into the bill list grid (query, grid, amount columns)
// next to the same SQL stepped through sqlite3 with every column read as
// text; and the recomputation of a bill of 1,000 lines (totals and the
// money cells of its grid). After the runs a line gives the time ratio
// and the ratio of the peak memory each side adds, measured once per side
// in a child process forked from the same state.
#include "app/billlinecells.h"
#include "app/billlines.h"
#include "app/billtotals.h"
#include "app/tfzoznamfaktur.h"
#include "db/billgrids.h"
#include "db/database.h"
#include "db/overviews.h"
#include "db/tsqlitedatabase.h"
#include "platform/widgets/stringgrid.h"
#include "services/globals.h"
#include "services/settings.h"

#include "timesreporter.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace bralvo;

namespace {

constexpr int kListBills = 1000000;   // in the listed year
constexpr int kOtherBills = 100000;   // in the year before, filtered out
const int kListYear = 2020;
const int kEmptyYear = 2030; // no bills: opening it only warms the code

void exec(sqlite3 *handle, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(handle, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error);
        sqlite3_free(error);
        std::exit(1);
    }
}

// The bills of the demo user to one customer, the listed year's and the
// year before's; every tenth one paid.
void fillBills(sqlite3 *handle)
{
    exec(handle, "INSERT INTO odberatelia (nazov, ico, existuje) VALUES ('Odberatel', '12345678', 1)");
    exec(handle, "BEGIN");
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(handle,
                       "INSERT INTO faktury (cislo, vs, datum_vystavenia, id_uzivatel, id_odberatel, "
                       "fakturovat_vcudzejmene, fakturovat_vdvochmenach, jehlavna_cudziamena, domaca_menaZobr, "
                       "hlavna_mena, kurz, suma_celkom, suma_kuhrade, interna_poznamka, typ, uhradena, existuje) "
                       "VALUES (?1, ?1, ?2, 1, (SELECT MAX(id) FROM odberatelia), 0, 0, 0, 'Sk', 'Sk', 1, ?3, ?3, "
                       "'', 1, ?4, 1)",
                       -1, &insert, nullptr);
    for (int i = 0; i < kListBills + kOtherBills; ++i) {
        const int year = i % 11 == 10 ? kListYear - 1 : kListYear;
        const QByteArray number = QByteArray::number(year) + '/' + QByteArray::number(i).rightJustified(6, '0');
        const QByteArray date = QByteArray::number(year) + '-' + QByteArray::number(1 + i % 12).rightJustified(2, '0') +
                                '-' + QByteArray::number(1 + i % 28).rightJustified(2, '0');
        sqlite3_bind_text(insert, 1, number.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, 100.0 + i % 1000);
        sqlite3_bind_int(insert, 4, i % 10 == 0 ? 1 : 0);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(handle, "COMMIT");
}

QString yearListSql(int year = kListYear)
{
    db::OverviewFilter filter;
    filter.from = QDate(year, 1, 1);
    filter.to = QDate(year, 12, 31);
    return db::BuildBillListQuery(filter);
}

// The list as the window opens it; gives the grid's row count.
int programOpen(platform::StringGrid &grid, int year = kListYear)
{
    const QString sql = yearListSql(year);
    db::SetupBillListGrid(grid);
    db::FillBillListGrid(grid, sql);
    app::FormatBillListAmounts(grid);
    return grid.rowCount();
}

// The same statement stepped with every column read as text; gives the
// number of rows.
int rawWalk(int year = kListYear)
{
    sqlite3 *handle = db::DbConnection->handle();
    const QByteArray sql = yearListSql(year).toUtf8();
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int col = 0; col < sqlite3_column_count(statement); ++col)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, col));
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

void programList(benchmark::State &state)
{
    platform::StringGrid grid;
    int rows = 0;
    for (auto _ : state)
        rows = programOpen(grid);
    if (rows != kListBills + 2)
        state.SkipWithError("wrong row count");
}

void rawList(benchmark::State &state)
{
    int rows = 0;
    for (auto _ : state)
        rows = rawWalk();
    if (rows != kListBills)
        state.SkipWithError("wrong row count");
}

void recomputeThousandLines(benchmark::State &state)
{
    platform::StringGrid grid;
    grid.setColumnCount(10);
    grid.setRowCount(2);
    app::BillLines lines;
    for (int i = 0; i < 1000; ++i) {
        app::NewBillLine line;
        line.name = QStringLiteral("Riadok");
        line.unit = QStringLiteral("ks");
        line.vat = i % 3 == 0 ? 10 : 19;
        line.vatText = QString::number(line.vat);
        line.netPrice = 10 + i % 97;
        line.quantity = 1 + i % 5;
        lines.append(app::WrittenLine(line));
    }
    app::BillTotalsInput input;
    input.showsVat = true;
    input.homeSymbol = QStringLiteral("Sk");
    input.billStep = 0.5;
    for (auto _ : state) {
        input.lines.clear();
        for (int index = 0; index < lines.count(); ++index)
            input.lines.push_back({lines.at(index).vat, lines.at(index).total});
        app::ShowBillLines(grid, lines, input.homeSymbol);
        benchmark::DoNotOptimize(app::computeBillTotals(input));
    }
}

// Resident kilobytes of this process: the current ("VmRSS") or the peak
// ("VmHWM") figure.
long residentKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ':', 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

// Runs the work once in a child forked from this state and gives the MiB
// its peak resident set grew by; -1 when that cannot be measured. The
// child resets its peak first, so what the parent holds does not count.
double peakGrowthMiB(const std::function<void()> &work)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    malloc_trim(0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = residentKiB("VmRSS");
        work();
        const long peak = residentKiB("VmHWM");
        const double grown = before < 0 || peak < 0 ? -1 : (peak - before) / 1024.0;
        (void)!write(pipeEnds[1], &grown, sizeof grown);
        _exit(0);
    }
    close(pipeEnds[1]);
    double grown = -1;
    if (child < 0 || read(pipeEnds[0], &grown, sizeof grown) != sizeof grown)
        grown = -1;
    close(pipeEnds[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return grown;
}

class RatioReporter : public TimesReporter {
public:
    void printRatio(double programMiB, double rawMiB) const
    {
        const double program = m_times.value(QStringLiteral("billlist/program"), -1);
        const double raw = m_times.value(QStringLiteral("billlist/sqlite3"), -1);
        if (program > 0 && raw > 0)
            std::printf("\nbill list of %d (%d bills): program %.1f ms, sqlite3 %.1f ms, ratio %.2f\n", kListYear,
                        kListBills, program, raw, program / raw);
        if (programMiB > 0 && rawMiB > 0)
            std::printf("peak memory added: program %.1f MiB, sqlite3 %.1f MiB, ratio %.2f\n", programMiB, rawMiB,
                        programMiB / rawMiB);
        const double recompute = m_times.value(QStringLiteral("bill/recompute_1000_lines"), -1);
        if (recompute > 0)
            std::printf("recompute of a 1,000-line bill: %.2f ms\n", recompute);
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", root.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8());
    services::InitializeProgramGlobals();
    services::WriteSettingBool("General", "SafeMode", false);
    if (!db::OpenDatabase()) {
        std::fprintf(stderr, "cannot open the database\n");
        return 1;
    }
    fillBills(db::DbConnection->handle());
    // Memory first, from the state right after the fill, for both sides.
    // Each side first lists an empty year here, so that the child counts
    // the memory the bills take, not the pages of library code (the grid's
    // view, the query's) that the process reads in on their first use.
    {
        platform::StringGrid grid;
        programOpen(grid, kEmptyYear);
    }
    rawWalk(kEmptyYear);
    const double programMiB = peakGrowthMiB([] {
        platform::StringGrid grid;
        programOpen(grid);
    });
    const double rawMiB = peakGrowthMiB([] { rawWalk(); });
    benchmark::RegisterBenchmark("billlist/program", programList)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("billlist/sqlite3", rawList)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("bill/recompute_1000_lines", recomputeThousandLines)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio(programMiB, rawMiB);
    benchmark::Shutdown();
    db::CloseDatabase();
    return 0;
}
