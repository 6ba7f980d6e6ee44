// Run-and-wait through QProcess, and the restart seam.
#include "platform/process.h"

#include <QCoreApplication>
#include <QProcess>
#include <utility>

namespace bralvo::platform {

namespace {
RestartSeam *installedRestartSeam = nullptr;
}

int runAndWait(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1))
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

bool ExecutableRestart::restartProgram(const QStringList &arguments)
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

RestartSeam &restartSeam()
{
    static ExecutableRestart fallback;
    return installedRestartSeam ? *installedRestartSeam : fallback;
}

RestartSeam *setRestartSeam(RestartSeam *seam)
{
    return std::exchange(installedRestartSeam, seam);
}

} // namespace bralvo::platform
