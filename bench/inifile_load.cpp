// Loading INI files of 1 MiB: the settings store's reader against reading
// the same bytes from the file, in one process. Two shapes: one section
// per line pair (many distinct sections) and one section of distinct keys
// (an update index). After the runs a table gives the ratio load / read.
#include "platform/inifile.h"

#include "timesreporter.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>

using bralvo::platform::IniFile;

namespace {

constexpr int kTargetBytes = 1024 * 1024;

QByteArray manySections()
{
    QByteArray text;
    for (int i = 0; text.size() < kTargetBytes; ++i)
        text += "[section" + QByteArray::number(i) + "]\nkey=value " + QByteArray::number(i) + "\n";
    return text;
}

QByteArray manyKeys()
{
    QByteArray text = "[general]\n";
    for (int i = 0; text.size() < kTargetBytes; ++i)
        text += "version" + QByteArray::number(i) + "=1.0" + QByteArray::number(i) + "\n";
    return text;
}

struct Fixture {
    QTemporaryDir folder;
    QString sections = folder.filePath("sections.ini");
    QString keys = folder.filePath("keys.ini");
    Fixture()
    {
        for (const auto &[path, text] : {std::pair{sections, manySections()}, std::pair{keys, manyKeys()}}) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(text);
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_Read(benchmark::State &state, const QString *path)
{
    for (auto _ : state) {
        QFile file(*path);
        file.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(file.readAll());
        benchmark::DoNotOptimize(text.size());
    }
}

void BM_Load(benchmark::State &state, const QString *path)
{
    for (auto _ : state) {
        const IniFile ini(*path);
        // Every section looked up once, as the update check does per key.
        int found = 0;
        for (const QString &section : ini.sections())
            found += ini.keys(section).size();
        benchmark::DoNotOptimize(found);
    }
}

class RatioReporter : public TimesReporter {
public:
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-16s %12s %12s %8s\n", "file (1 MiB)", "read (ms)", "load (ms)", "ratio");
        for (const char *shape : {"sections", "keys"}) {
            const double read = m_times.value(QString("read/") + shape);
            const double load = m_times.value(QString("load/") + shape);
            std::printf("%-16s %12.3f %12.3f %8.1f\n", shape, read, load, read > 0 ? load / read : 0.0);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    Fixture &f = fixture();
    benchmark::RegisterBenchmark("read/sections", BM_Read, &f.sections)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load/sections", BM_Load, &f.sections)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("read/keys", BM_Read, &f.keys)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load/keys", BM_Load, &f.keys)->Unit(benchmark::kMillisecond);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
