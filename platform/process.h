// Running other programs: run-and-wait without a shell, and the seam
// through which the program restarts itself (tests record restarts
// instead of spawning a second program).
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::platform {

// Starts the program with the arguments as a list (never through a shell),
// inheriting the environment, in workingFolder when not empty, and waits
// without a time-out. Gives the exit code; -1 when the program cannot be
// started or does not exit normally (crash, signal).
int runAndWait(const QString &program, const QStringList &arguments,
               const QString &workingFolder = QString());

// What "restart the program" goes through.
class RestartSeam {
public:
    virtual ~RestartSeam() = default;
    // Starts a new instance with these arguments. True when it started; the
    // caller then ends this process.
    virtual bool restartProgram(const QStringList &arguments) = 0;
};

// The default: starts the running executable again, detached.
class ExecutableRestart : public RestartSeam {
public:
    bool restartProgram(const QStringList &arguments) override;
};

// The installed seam; an ExecutableRestart when none was installed.
RestartSeam &restartSeam();
// Installs a seam (not owned; it must outlive its use). nullptr puts the
// default back. Gives the seam installed before (nullptr: the default).
RestartSeam *setRestartSeam(RestartSeam *seam);

} // namespace bralvo::platform
