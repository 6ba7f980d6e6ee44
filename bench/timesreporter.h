// A console reporter that also keeps each successful run's real time by
// benchmark name, so a benchmark can print the ratio of the project to
// its peer once every run is done.
#pragma once

#include <benchmark/benchmark.h>

#include <QMap>
#include <QString>

class TimesReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred)
                m_times[QString::fromStdString(run.benchmark_name())] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

protected:
    // Real time in the benchmark's time unit, by benchmark name.
    QMap<QString, double> m_times;
};
