// Address text helpers: the dotted and colon-hexadecimal forms.
#include "net/addresstext.h"

#include "services/textutils.h"

namespace bralvo::net {

using services::FetchTrimmed;

namespace {

bool allDigits(const QByteArray &part)
{
    if (part.isEmpty())
        return false;
    for (char c : part)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A hexadecimal group of 0 to FFFF; empty fails.
bool readHexGroup(const QByteArray &group, unsigned &value)
{
    bool ok = false;
    value = group.toUInt(&ok, 16);
    const bool plainHex = !group.startsWith("0x") && !group.startsWith("0X")
                          && !group.contains('+') && !group.contains('-');
    return ok && plainHex && value <= 0xFFFF;
}

} // namespace

bool IsIPv4Text(const QByteArray &text)
{
    QByteArray rest = text;
    QByteArray parts[4];
    for (int i = 0; i < 3; ++i)
        parts[i] = FetchTrimmed(rest, ".");
    parts[3] = rest;
    for (const QByteArray &part : parts) {
        bool ok = false;
        if (!allDigits(part) || part.toUInt(&ok) > 255 || !ok)
            return false;
    }
    return true;
}

bool IsIPv6Text(const QByteArray &text)
{
    if (text == "::")
        return true;
    QByteArray rest = text;
    int groups = 0;
    bool gap = false;
    bool first = true;
    while (!rest.isEmpty()) {
        QByteArray group = FetchTrimmed(rest, ":");
        if (group.isEmpty() && !first) {
            if (gap)
                return false;
            gap = true;
        }
        first = false;
        if (++groups > 8)
            return false;
        if (group.isEmpty())
            continue;
        unsigned value = 0;
        if (rest.isEmpty()) {
            const int zone = group.indexOf('%');
            const QByteArray zoneText = zone < 0 ? group : group.mid(zone + 1);
            if (!readHexGroup(zoneText, value))
                return false;
            if (zone >= 0)
                group = group.left(zone);
        }
        if (!readHexGroup(group, value))
            return false;
        if (rest.isEmpty())
            return !(groups == 1 && !gap);
    }
    return false;
}

QByteArray IPv4TextToBytes(const QByteArray &text)
{
    QByteArray rest = text;
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(char(FetchTrimmed(rest, ".").toInt() & 0xFF));
    return bytes;
}

QByteArray IPv6TextToBytes(const QByteArray &text)
{
    const QByteArray zeros(16, '\0');
    unsigned groups[8] = {};
    int index = 0;
    int gapAt = -1;
    QByteArray rest = text;
    while (!rest.isEmpty()) {
        if (index > 7)
            return zeros;
        const QByteArray group = FetchTrimmed(rest, ":");
        if (group.isEmpty()) {
            gapAt = index;
        } else {
            unsigned value = 0;
            if (!readHexGroup(group, value))
                return zeros;
            groups[index] = value;
        }
        ++index;
    }
    if (gapAt >= 0) {
        // Groups after the gap move to the end; the gap fills with zeros.
        const int after = index - gapAt - 1;
        unsigned moved[8] = {};
        for (int i = 0; i < gapAt; ++i)
            moved[i] = groups[i];
        for (int i = 0; i < after; ++i)
            moved[8 - after + i] = groups[gapAt + 1 + i];
        std::copy(moved, moved + 8, groups);
    }
    QByteArray bytes;
    for (unsigned g : groups) {
        bytes.append(char(g >> 8));
        bytes.append(char(g & 0xFF));
    }
    return bytes;
}

QByteArray IPv6BytesToText(const QByteArray &bytes)
{
    unsigned groups[8];
    for (int i = 0; i < 8; ++i) {
        const auto hi = i * 2 < bytes.size() ? quint8(bytes[i * 2]) : 0u;
        const auto lo = i * 2 + 1 < bytes.size() ? quint8(bytes[i * 2 + 1]) : 0u;
        groups[i] = hi << 8 | lo;
    }
    int bestStart = -1, bestLength = 0;
    for (int i = 0; i < 8;) {
        if (groups[i] != 0) { ++i; continue; }
        int j = i;
        while (j < 8 && groups[j] == 0)
            ++j;
        if (j - i > bestLength) { bestStart = i; bestLength = j - i; }
        i = j;
    }
    if (bestLength == 8)
        return "::0";
    QByteArray text;
    for (int i = 0; i < 8; ++i) {
        if (i == bestStart) {
            text += "::";
            i += bestLength - 1;
            continue;
        }
        if (!text.isEmpty() && !text.endsWith(':'))
            text += ':';
        text += QByteArray::number(groups[i], 16);
    }
    return text;
}

} // namespace bralvo::net
