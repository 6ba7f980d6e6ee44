// Processes through the platform layer; the connection test reads the
// kernel's routing tables.
#include "services/processes.h"

#include "platform/process.h"
#include "platform/textcodec.h"

#include <QFile>

namespace bralvo::services {

namespace {

// /proc/net/route: "Iface Destination Gateway Flags ..." in hexadecimal;
// a default route has destination 00000000 and the "up" flag (1).
bool hasIpv4DefaultRoute()
{
    QFile file(QStringLiteral("/proc/net/route"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.readLine();  // the header
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().simplified().split(' ');
        if (fields.size() < 4 || fields[0] == "lo" || fields[1] != "00000000")
            continue;
        bool ok = false;
        if (fields[3].toUInt(&ok, 16) & 1u)
            return true;
    }
    return false;
}

// /proc/net/ipv6_route: destination, prefix length, ..., flags, device;
// a default route is ::/0 whose device is not loopback and that is not a
// rejection (flag 0x200).
bool hasIpv6DefaultRoute()
{
    QFile file(QStringLiteral("/proc/net/ipv6_route"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().simplified().split(' ');
        if (fields.size() < 10 || fields[9] == "lo" || fields[1] != "00"
            || fields[0] != QByteArray(32, '0'))
            continue;
        bool ok = false;
        const uint flags = fields[8].toUInt(&ok, 16);
        if (ok && (flags & 0x1u) && !(flags & 0x200u))
            return true;
    }
    return false;
}

} // namespace

int RunAndWait(const QString &program, const QStringList &arguments)
{
    return platform::runAndWait(program, arguments);
}

QByteArray ConvertToOem(const QString &text)
{
    return platform::encodeText(text, platform::kIbm852);
}

bool IsInternetConnected()
{
    return hasIpv4DefaultRoute() || hasIpv6DefaultRoute();
}

} // namespace bralvo::services
