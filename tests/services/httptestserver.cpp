// Test servers on 127.0.0.1.
#include "tests/services/httptestserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace bralvo::test {

namespace {

// A listening socket on 127.0.0.1 with a kernel-chosen port.
int listenOnLoopback(int &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0
        || ::listen(fd, 8) != 0 || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        port = 0;
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

HttpTestServer::HttpTestServer() = default;

HttpTestServer::~HttpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool HttpTestServer::start(QString *error)
{
    if (!m_root.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"), QStringLiteral("0"),
                     QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"),
                     m_root.path()});
    if (!m_process.waitForStarted(5000)) {
        *error = QStringLiteral("python3 did not start: ") + m_process.errorString();
        return false;
    }
    // "Serving HTTP on 127.0.0.1 port 41234 (http://127.0.0.1:41234/) ..."
    static const QRegularExpression serving(QStringLiteral("port (\\d+)"));
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        m_process.waitForReadyRead(100);
        output += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = serving.match(QString::fromUtf8(output));
        if (match.hasMatch()) {
            m_port = match.captured(1).toInt();
            return true;
        }
        if (m_process.state() == QProcess::NotRunning)
            break;
    }
    *error = QStringLiteral("http.server did not report its port: ") + QString::fromUtf8(output)
             + QString::fromUtf8(m_process.readAllStandardError());
    return false;
}

QString HttpTestServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
}

void HttpTestServer::writeFile(const QString &relativePath, const QByteArray &content)
{
    const QString path = m_root.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

void HttpTestServer::removeFile(const QString &relativePath)
{
    QFile::remove(m_root.filePath(relativePath));
}

int HttpTestServer::requestCount(const QString &pathPart)
{
    // The server logs a request before it sends the reply, so the line is
    // in the pipe once the client has its answer.
    while (m_process.waitForReadyRead(150))
        m_log += m_process.readAllStandardError();
    m_log += m_process.readAllStandardError();
    int count = 0;
    for (const QByteArray &line : m_log.split('\n')) {
        if (line.contains("\"GET ") && QString::fromUtf8(line).contains(pathPart))
            ++count;
    }
    return count;
}

SilentServer::SilentServer()
{
    m_socket = listenOnLoopback(m_port);
}

SilentServer::~SilentServer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

OneShotServer::OneShotServer(QByteArray reply, int byteIntervalMs)
{
    m_socket = listenOnLoopback(m_port);
    if (m_socket < 0)
        return;
    const int listener = m_socket;
    m_thread = std::thread([listener, reply = std::move(reply), byteIntervalMs] {
        const int connection = ::accept(listener, nullptr, nullptr);
        if (connection < 0)
            return;
        QByteArray request;
        char buffer[4096];
        while (!request.contains("\r\n\r\n")) {
            const ssize_t n = ::recv(connection, buffer, sizeof(buffer), 0);
            if (n <= 0)
                break;
            request.append(buffer, n);
        }
        for (qsizetype sent = 0; sent < reply.size();) {
            const qsizetype chunk = byteIntervalMs > 0 ? 1 : reply.size() - sent;
            const ssize_t n = ::send(connection, reply.constData() + sent, chunk, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += n;
            if (byteIntervalMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(byteIntervalMs));
        }
        ::close(connection);
    });
}

OneShotServer::~OneShotServer()
{
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);  // wakes an accept that never got a client
    if (m_thread.joinable())
        m_thread.join();
    if (m_socket >= 0)
        ::close(m_socket);
}

} // namespace bralvo::test
