// The socket library binding: a thin layer over POSIX sockets that keeps
// the Winsock conventions the socket classes are written against
// (address families 0/2/23, error codes 10004..11004).
//
// Loading the library always succeeds on Linux: the calls are linked in,
// so LoadSocketLibrary only counts loads. The address-info service
// (getaddrinfo) is always present. Nothing here throws; failures come
// back as a Winsock-style error code, an empty text, 0 or "0.0.0.0".
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <sys/socket.h>

namespace bralvo::net {

// Winsock address families.
inline constexpr int kFamilyUnspecified = 0;
inline constexpr int kFamilyIPv4 = 2;
inline constexpr int kFamilyIPv6 = 23;
// Socket kinds and protocols (the same numbers on Linux).
inline constexpr int kKindStream = 1;
inline constexpr int kKindRaw = 3;
inline constexpr int kProtocolTcp = 6;

// A socket address of either family.
struct SocketAddress {
    sockaddr_storage storage{};
    // 2, 23 or 0.
    int family() const;
    void clear() { storage = sockaddr_storage{}; }
};

// Counts one load; always true (nothing to load on Linux). The name is
// accepted for the callers' sake and ignored.
bool LoadSocketLibrary(const QString &libraryName = QString());
// Counts one load down, never below 0; always true.
bool UnloadSocketLibrary();
// Outstanding loads.
int SocketLibraryLoadCount();
// Always true: getaddrinfo is part of the C library.
bool UsesAddrInfoApi(int family);

// Resolves host and port into the record. Family 0 tries IPv4 then IPv6
// (the other way round when preferIPv4 is false). "0.0.0.0"/"::0" give
// the wildcard, "127.0.0.1"/"::1" the loopback address. 0 or a Winsock
// error code (11001 host not found, ...).
int FillAddressRecord(SocketAddress &record, const QByteArray &host, const QByteArray &port,
                      int family, int protocol, int kind, bool preferIPv4);
// The numeric host text; empty when the record holds no address.
QByteArray AddressRecordIP(const SocketAddress &record);
// The port in host order; 0 for an empty record.
int AddressRecordPort(const SocketAddress &record);
// Every numeric address of the name for the family; "0.0.0.0" alone
// when nothing resolves.
QByteArrayList ListAddressesOfName(const QByteArray &name, int family, int protocol, int kind);
// The port of a service name or decimal text; 0 when unknown.
int PortNumberOf(const QByteArray &port, int family, int protocol, int kind);
// The number of a well-known service name the protocol clients use
// ("smtp" 25, "submission" 587, "http" 80, "https" 443, "socks" 1080,
// ...; letter case ignored), so they work without /etc/services; other
// texts stay as they are.
QByteArray WellKnownServicePort(const QByteArray &port);
// The length of the record's address structure: that of sockaddr_in,
// sockaddr_in6, or 0 for any other family.
socklen_t SocketAddressSize(const SocketAddress &record);

// The Winsock code for a POSIX errno value (10004..10071), or for a
// getaddrinfo result (11001..11004).
int WinsockErrorFromErrno(int error);
int WinsockErrorFromAddrInfo(int result);

// The local host name (up to 254 bytes); empty on failure.
QByteArray HostNameText();

} // namespace bralvo::net
