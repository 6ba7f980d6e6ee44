// The English texts of the Winsock error codes the socket records.
#include "net/tblocksocket.h"

#include <QHash>

namespace bralvo::net {

QString TBlockSocket::GetErrorDesc(int code)
{
    static const QHash<int, const char *> texts = {
        {10004, "Interrupted system call"}, {10009, "Bad file number"},
        {10013, "Permission denied"}, {10014, "Bad address"}, {10022, "Invalid argument"},
        {10024, "Too many open files"}, {10035, "Operation would block"},
        {10036, "Operation now in progress"}, {10037, "Operation already in progress"},
        {10038, "Socket operation on nonsocket"}, {10039, "Destination address required"},
        {10040, "Message too long"}, {10041, "Protocol wrong type for Socket"},
        {10042, "Protocol not available"}, {10043, "Protocol not supported"},
        {10044, "Socket not supported"}, {10045, "Operation not supported on Socket"},
        {10046, "Protocol family not supported"}, {10047, "Address family not supported"},
        {10048, "Address already in use"}, {10049, "Can't assign requested address"},
        {10050, "Network is down"}, {10051, "Network is unreachable"},
        {10052, "Network dropped connection on reset"},
        {10053, "Software caused connection abort"}, {10054, "Connection reset by peer"},
        {10055, "No Buffer space available"}, {10056, "Socket is already connected"},
        {10057, "Socket is not connected"}, {10058, "Can't send after Socket shutdown"},
        {10059, "Too many references:can't splice"}, {10060, "Connection timed out"},
        {10061, "Connection refused"}, {10062, "Too many levels of symbolic links"},
        {10063, "File name is too long"}, {10064, "Host is down"}, {10065, "No route to host"},
        {10066, "Directory is not empty"}, {10067, "Too many processes"},
        {10068, "Too many users"}, {10069, "Disk quota exceeded"},
        {10070, "Stale NFS file handle"}, {10071, "Too many levels of remote in path"},
        {10091, "Network subsystem is unusable"},
        {10092, "Winsock DLL cannot support this application"},
        {10093, "Winsock not initialized"}, {10101, "Disconnect"}, {11001, "Host not found"},
        {11002, "Non authoritative - host not found"}, {11003, "Non recoverable error"},
        {11004, "Valid name, no data record of requested type"},
    };
    if (code == 0)
        return {};
    if (const auto it = texts.constFind(code); it != texts.constEnd())
        return QString::fromLatin1(*it);
    return QStringLiteral("Other Winsock error (%1)").arg(code);
}

} // namespace bralvo::net
