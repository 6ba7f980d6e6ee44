// Loading a report definition whose one band holds 1,000, 8,000 and
// 64,000 memos. The load must grow linearly with the object count: the
// table after the runs gives the time per object of each size and its
// ratio to the smallest one (near 1 when linear).
#include "timesreporter.h"

#include "platform/stream.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>

using namespace bralvo;

namespace {

constexpr int kSizes[] = {1000, 8000, 64000};

QByteArray reportWithMemos(int count)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TrpReport>\n <TrpReportPage Name=\"Page1\">\n"
                     "  <TrpMasterData Name=\"Band1\" Height=\"18.9\" Left=\"0\" Top=\"20\" Width=\"718\">\n";
    for (int i = 0; i < count; ++i)
        xml += "   <TrpMemoView Name=\"Memo" + QByteArray::number(i) + "\" Left=\"" + QByteArray::number(i % 700)
               + "\" Top=\"0\" Width=\"20\" Height=\"18.9\" Text=\"[Line#]\"/>\n";
    xml += "  </TrpMasterData>\n </TrpReportPage>\n</TrpReport>\n";
    return xml;
}

void BM_Load(benchmark::State &state)
{
    const QByteArray xml = reportWithMemos(int(state.range(0)));
    for (auto _ : state) {
        report::TrpReport rep;
        rep.EngineOptions()->SetNewSilentMode(report::simSilent);
        platform::MemoryStream stream(xml);
        rep.LoadFromStream(stream);
        benchmark::DoNotOptimize(rep.componentCount());
    }
}

class PerObjectReporter : public TimesReporter {
public:
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%10s %12s %16s %8s\n", "objects", "load (ms)", "per object (us)", "ratio");
        const double base = m_times.value(QStringLiteral("load/%1").arg(kSizes[0])) / kSizes[0];
        for (int n : kSizes) {
            const double ms = m_times.value(QStringLiteral("load/%1").arg(n));
            const double per = ms / n;
            std::printf("%10d %12.2f %16.3f %8.2f\n", n, ms, per * 1000.0, base > 0 ? per / base : 0.0);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("load", BM_Load)
        ->Arg(kSizes[0])
        ->Arg(kSizes[1])
        ->Arg(kSizes[2])
        ->Unit(benchmark::kMillisecond);
    PerObjectReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
