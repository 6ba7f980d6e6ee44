// POSIX binding of the socket classes: name service, address records and
// the translation of errno values into Winsock codes.
#include "net/socketlibrary.h"

#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

namespace bralvo::net {

namespace {

QMutex &bindingLock()
{
    static QMutex lock;
    return lock;
}
int g_loadCount = 0;

int toPosixFamily(int family)
{
    switch (family) {
    case kFamilyIPv4: return AF_INET;
    case kFamilyIPv6: return AF_INET6;
    default: return AF_UNSPEC;
    }
}

struct KnownService {
    const char *name;
    const char *port;
};
constexpr KnownService kKnownServices[] = {
    {"ftp", "21"},      {"smtp", "25"},  {"domain", "53"},       {"http", "80"},      {"pop3", "110"},
    {"imap", "143"},    {"https", "443"}, {"submission", "587"}, {"imaps", "993"},    {"pop3s", "995"},
    {"socks", "1080"},  {"http-alt", "8080"},
};

// One getaddrinfo attempt; copies the first answer into the record.
int lookupFirstAddress(SocketAddress &record, const QByteArray &host, const QByteArray &port,
                       int family, int protocol, int kind)
{
    addrinfo hints{};
    hints.ai_family = toPosixFamily(family);
    hints.ai_socktype = kind == kKindRaw ? 0 : kind;
    hints.ai_protocol = kind == kKindRaw ? 0 : protocol;
    const char *node = host.constData();
    const QByteArray portText = WellKnownServicePort(port);
    const char *service = portText.isEmpty() ? nullptr : portText.constData();
    if (kind == kKindRaw) {
        service = nullptr;
    } else if (host == "0.0.0.0" || host == "::0") {
        hints.ai_flags = AI_PASSIVE;
        node = nullptr;
    } else if (host == "127.0.0.1" || host == "::1") {
        node = nullptr;
    }
    if (!node && !service)
        service = "0";
    addrinfo *answers = nullptr;
    const int result = getaddrinfo(node, service, &hints, &answers);
    if (result == 0 && answers) {
        std::memcpy(&record.storage, answers->ai_addr,
                    std::min<size_t>(answers->ai_addrlen, sizeof record.storage));
    }
    if (answers)
        freeaddrinfo(answers);
    return result == 0 ? 0 : WinsockErrorFromAddrInfo(result);
}

QByteArray numericHost(const sockaddr *address, socklen_t length)
{
    char host[1025];
    char service[32];
    if (getnameinfo(address, length, host, sizeof host, service, sizeof service,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return {};
    return QByteArray(host);
}

} // namespace

int SocketAddress::family() const
{
    switch (storage.ss_family) {
    case AF_INET: return kFamilyIPv4;
    case AF_INET6: return kFamilyIPv6;
    default: return kFamilyUnspecified;
    }
}

bool LoadSocketLibrary(const QString &)
{
    QMutexLocker locker(&bindingLock());
    ++g_loadCount;
    return true;
}

bool UnloadSocketLibrary()
{
    QMutexLocker locker(&bindingLock());
    if (g_loadCount > 0)
        --g_loadCount;
    return true;
}

int SocketLibraryLoadCount()
{
    QMutexLocker locker(&bindingLock());
    return g_loadCount;
}

bool UsesAddrInfoApi(int) { return true; }

int FillAddressRecord(SocketAddress &record, const QByteArray &host, const QByteArray &port,
                      int family, int protocol, int kind, bool preferIPv4)
{
    record.clear();
    if (family != kFamilyUnspecified)
        return lookupFirstAddress(record, host, port, family, protocol, kind);
    const int first = preferIPv4 ? kFamilyIPv4 : kFamilyIPv6;
    const int second = preferIPv4 ? kFamilyIPv6 : kFamilyIPv4;
    const int result = lookupFirstAddress(record, host, port, first, protocol, kind);
    if (result == 0)
        return 0;
    return lookupFirstAddress(record, host, port, second, protocol, kind);
}

QByteArray AddressRecordIP(const SocketAddress &record)
{
    const socklen_t length = SocketAddressSize(record);
    if (length == 0)
        return {};
    return numericHost(reinterpret_cast<const sockaddr *>(&record.storage), length);
}

int AddressRecordPort(const SocketAddress &record)
{
    switch (record.storage.ss_family) {
    case AF_INET: return ntohs(reinterpret_cast<const sockaddr_in &>(record.storage).sin_port);
    case AF_INET6: return ntohs(reinterpret_cast<const sockaddr_in6 &>(record.storage).sin6_port);
    default: return 0;
    }
}

QByteArrayList ListAddressesOfName(const QByteArray &name, int family, int protocol, int kind)
{
    QByteArrayList list;
    addrinfo hints{};
    hints.ai_family = toPosixFamily(family);
    hints.ai_socktype = kind;
    hints.ai_protocol = protocol;
    addrinfo *answers = nullptr;
    if (getaddrinfo(name.constData(), nullptr, &hints, &answers) == 0) {
        for (const addrinfo *a = answers; a; a = a->ai_next) {
            if ((family == kFamilyIPv6 && a->ai_family == AF_INET)
                || (family == kFamilyIPv4 && a->ai_family == AF_INET6))
                continue;
            const QByteArray host = numericHost(a->ai_addr, a->ai_addrlen);
            if (!host.isEmpty() && !list.contains(host))
                list.append(host);
        }
    }
    if (answers)
        freeaddrinfo(answers);
    if (list.isEmpty())
        list.append("0.0.0.0");
    return list;
}

QByteArray WellKnownServicePort(const QByteArray &port)
{
    const QByteArray name = port.trimmed().toLower();
    for (const KnownService &known : kKnownServices) {
        if (name == known.name)
            return known.port;
    }
    return port;
}

int PortNumberOf(const QByteArray &port, int family, int protocol, int kind)
{
    addrinfo hints{};
    hints.ai_family = toPosixFamily(family);
    hints.ai_socktype = kind;
    hints.ai_protocol = protocol;
    hints.ai_flags = AI_PASSIVE;
    addrinfo *answers = nullptr;
    int number = 0;
    const QByteArray portText = WellKnownServicePort(port);
    if (!portText.isEmpty() && getaddrinfo(nullptr, portText.constData(), &hints, &answers) == 0 && answers) {
        SocketAddress record;
        std::memcpy(&record.storage, answers->ai_addr,
                    std::min<size_t>(answers->ai_addrlen, sizeof record.storage));
        number = AddressRecordPort(record);
    }
    if (answers)
        freeaddrinfo(answers);
    return number;
}

socklen_t SocketAddressSize(const SocketAddress &record)
{
    switch (record.storage.ss_family) {
    case AF_INET: return sizeof(sockaddr_in);
    case AF_INET6: return sizeof(sockaddr_in6);
    default: return 0;
    }
}

int WinsockErrorFromErrno(int error)
{
    switch (error) {
    case 0: return 0;
    case EINTR: return 10004;
    case EBADF: return 10009;
    case EACCES: case EPERM: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE: case ENFILE: return 10024;
    case EWOULDBLOCK: return 10035;
    case EINPROGRESS: return 10036;
    case EALREADY: return 10037;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
    case EOPNOTSUPP: return 10045;
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    case ECONNRESET: return 10054;
    case ENOBUFS: case ENOMEM: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case EPIPE: case ESHUTDOWN: return 10058;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    default: return 10000 + error;
    }
}

int WinsockErrorFromAddrInfo(int result)
{
    switch (result) {
    case 0: return 0;
    case EAI_NONAME: return 11001;
    case EAI_AGAIN: return 11002;
    case EAI_FAMILY: return 10047;
    case EAI_SOCKTYPE: return 10044;
    case EAI_SERVICE: return 10109;
    case EAI_MEMORY: return 10055;
    case EAI_SYSTEM: return WinsockErrorFromErrno(errno);
#ifdef EAI_NODATA
    case EAI_NODATA: return 11004;
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY: return 11004;
#endif
    default: return 11003;
    }
}

QByteArray HostNameText()
{
    char buffer[255] = {};
    if (gethostname(buffer, 254) != 0)
        return {};
    return QByteArray(buffer);
}

} // namespace bralvo::net
