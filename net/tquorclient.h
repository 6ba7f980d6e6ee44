// The base of protocol clients: where to connect, from which local
// interface, the time-out for each reply, and the account.
#pragma once

#include <QByteArray>

namespace bralvo::net {

class TQuorClient {
public:
    virtual ~TQuorClient() = default;

    QByteArray TargetHost = "127.0.0.1";
    QByteArray TargetPort = "0";     // a number or a service name
    QByteArray IPInterface = "0.0.0.0";
    int Timeout = 5000;              // ms
    QByteArray UserName;
    QByteArray Password;
};

} // namespace bralvo::net
