// The scripted TCP peer: plain POSIX sockets on a thread of its own.
#include "scriptedpeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace bralvo::net::test {

namespace {

int listenOnLoopback(int &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(fd, 4);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

int freeLoopbackPort()
{
    int port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return port;
}

ScriptedPeer::ScriptedPeer(std::vector<PeerStep> script) : m_script(std::move(script))
{
    m_listener = listenOnLoopback(m_port);
    m_thread = std::thread([this] { run(); });
}

ScriptedPeer::~ScriptedPeer()
{
    m_thread.join();
    ::close(m_listener);
}

void ScriptedPeer::run()
{
    pollfd waitAccept{m_listener, POLLIN, 0};
    if (::poll(&waitAccept, 1, 5000) <= 0) {
        std::lock_guard lock(m_mutex);
        m_finished = true;
        return;
    }
    const int fd = ::accept(m_listener, nullptr, nullptr);
    bool closed = false;
    const auto drain = [&](int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        do {
            pollfd entry{fd, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (::poll(&entry, 1, int(std::max<long>(left.count(), 0))) <= 0)
                continue;
            char buffer[4096];
            const auto n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                return false;
            std::lock_guard lock(m_mutex);
            m_received.append(buffer, n);
        } while (std::chrono::steady_clock::now() < until);
        return true;
    };
    for (const PeerStep &step : m_script) {
        drain(step.pauseMs);
        if (!step.send.isEmpty())
            ::send(fd, step.send.constData(), size_t(step.send.size()), MSG_NOSIGNAL);
        if (step.close) {
            closed = true;
            break;
        }
    }
    if (!closed)
        drain(1500);
    ::close(fd);
    std::lock_guard lock(m_mutex);
    m_finished = true;
}

QByteArray ScriptedPeer::received(int waitMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_finished || std::chrono::steady_clock::now() >= until)
                return m_received;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace bralvo::net::test
