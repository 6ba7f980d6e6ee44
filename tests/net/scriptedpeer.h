// A real TCP peer on 127.0.0.1 for the socket tests: it accepts one
// connection and plays a script of pauses, sends and a close, while it
// records every byte it receives.
#pragma once

#include <QByteArray>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace bralvo::net::test {

struct PeerStep {
    PeerStep(int pause = 0, QByteArray bytes = {}, bool closeAfter = false)
        : pauseMs(pause), send(std::move(bytes)), close(closeAfter) {}
    int pauseMs = 0;
    QByteArray send;      // sent after the pause
    bool close = false;   // close after sending
};

class ScriptedPeer {
public:
    explicit ScriptedPeer(std::vector<PeerStep> script);
    ~ScriptedPeer();
    int port() const { return m_port; }
    // Everything received until the connection ended or waitMs passed.
    QByteArray received(int waitMs = 2000);

private:
    void run();

    std::vector<PeerStep> m_script;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    QByteArray m_received;
    bool m_finished = false;
};

// A port on 127.0.0.1 nothing listens on at the moment.
int freeLoopbackPort();

} // namespace bralvo::net::test
