// Servers on 127.0.0.1 for the download tests: Python's http.server over
// a temporary folder (with its request log), a socket that listens but
// never answers, and a one-shot server that sends a fixed reply.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <thread>

namespace bralvo::test {

class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();  // stops the server it started
    HttpTestServer(const HttpTestServer &) = delete;
    HttpTestServer &operator=(const HttpTestServer &) = delete;

    // Starts /usr/bin/python3 -m http.server on a free port; false with
    // the reason in *error when it does not come up within 10 s.
    bool start(QString *error);
    // "http://127.0.0.1:<port>/"
    QString baseUrl() const;
    // Writes (or replaces) a served file, creating its folders.
    void writeFile(const QString &relativePath, const QByteArray &content);
    void removeFile(const QString &relativePath);
    // How many GET requests so far had a path containing pathPart.
    int requestCount(const QString &pathPart);

private:
    QTemporaryDir m_root;
    QProcess m_process;
    QByteArray m_log;
    int m_port = 0;
};

// Listens on 127.0.0.1 and never accepts: a request gets no answer.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

// Accepts one connection, reads the request head, sends the reply as it
// is and closes. With a byte interval the reply drips: one byte, then a
// pause, until it is sent or the client hangs up.
class OneShotServer {
public:
    explicit OneShotServer(QByteArray reply, int byteIntervalMs = 0);
    ~OneShotServer();
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace bralvo::test
