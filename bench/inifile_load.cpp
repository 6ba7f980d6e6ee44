// Loading INI files of 1 MiB: the settings store's reader against reading
// the same bytes from the file, each side in a fresh process. Two shapes:
// one section per line pair (many distinct sections) and one section of
// distinct keys (an update index). A table gives the ratio load / read.
#include "platform/inifile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

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

void readFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    benchmark::DoNotOptimize(text.size());
}

void loadIni(const QString &path)
{
    const IniFile ini(path);
    // Every section looked up once, as the update check does per key.
    int found = 0;
    for (const QString &section : ini.sections())
        found += ini.keys(section).size();
    benchmark::DoNotOptimize(found);
}

// Median milliseconds of one call over kRounds calls.
double medianMs(void (*work)(const QString &), const QString &path)
{
    constexpr int kRounds = 21;
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work(path);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

// Each side runs in a process of its own: timed in one process, a side
// would profit or suffer from the heap the side before it left behind.
double medianMsInFreshProcess(void (*work)(const QString &), const QString &path)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const double ms = medianMs(work, path);
        const bool sent = ::write(channel[1], &ms, sizeof ms) == sizeof ms;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    double ms = -1;
    if (child < 0 || ::read(channel[0], &ms, sizeof ms) != sizeof ms)
        ms = -1;
    ::close(channel[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return ms;
}

} // namespace

int main()
{
    Fixture &f = fixture();
    std::printf("%-16s %12s %12s %8s\n", "file (1 MiB)", "read (ms)", "load (ms)", "ratio");
    for (const auto &[shape, path] : {std::pair{"sections", &f.sections}, std::pair{"keys", &f.keys}}) {
        const double read = medianMsInFreshProcess(readFile, *path);
        const double load = medianMsInFreshProcess(loadIni, *path);
        std::printf("%-16s %12.3f %12.3f %8.1f\n", shape, read, load, read > 0 ? load / read : 0.0);
    }
    return 0;
}
