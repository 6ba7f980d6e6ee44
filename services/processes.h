// Running another program, console code-page text and the connection test.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bralvo::services {

// Runs the program with its arguments as a list (no shell) and waits
// without a time-out; the caller's window does not repaint meanwhile.
// Gives the exit code, or -1 at once when the program cannot be started
// (and when it does not exit normally).
int RunAndWait(const QString &program, const QStringList &arguments);

// The text in the console code page (IBM852), one byte per character; a
// character that code page lacks becomes "?".
QByteArray ConvertToOem(const QString &text);

// The system's own answer whether the computer has a route to the outside
// (a default route on an interface other than loopback); sends nothing.
bool IsInternetConnected();

} // namespace bralvo::services
