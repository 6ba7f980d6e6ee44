// Tests and conversions of IPv4 and IPv6 address texts, used to pick the
// address family of a target and to encode addresses in proxy requests.
// Pure functions; none throws.
#pragma once

#include <QByteArray>

namespace bralvo::net {

// Four dotted decimal parts of 0 to 255, digits only; blanks around a part
// and leading zeros are accepted.
bool IsIPv4Text(const QByteArray &text);
// Colon-hexadecimal groups with at most one "::" and at most eight groups;
// the last group may carry a hexadecimal zone after "%". Fewer than eight
// groups without "::" are accepted; a dotted IPv4 tail is not.
bool IsIPv6Text(const QByteArray &text);

// 4 bytes, first part first; a part that is not a number gives 0. Meant
// for texts IsIPv4Text accepted.
QByteArray IPv4TextToBytes(const QByteArray &text);
// 16 bytes in network order; all zeros when a group is not hexadecimal
// up to FFFF or there are more than eight groups.
QByteArray IPv6TextToBytes(const QByteArray &text);
// Lower-case text with the longest run of zero groups (the first of equal
// runs) written "::"; eight zero groups give "::0". Expects 16 bytes;
// missing bytes count as zero.
QByteArray IPv6BytesToText(const QByteArray &bytes);

} // namespace bralvo::net
