// Real servers from Debian packages, started by the tests on 127.0.0.1
// with their own configuration in a temporary folder: exim (SMTP with
// LOGIN and CRAM-MD5, maildir delivery), danted (SOCKS) and tinyproxy
// (HTTP CONNECT). Each runs in the foreground as a child process and is
// stopped by its own object. start() returns an empty text or the reason
// it could not start; a test that needs the server fails on that reason.
#pragma once

#include <QByteArrayList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

namespace bralvo::net::test {

// The account every server accepts.
inline constexpr char kUser[] = "alice";
inline constexpr char kPassword[] = "secret";

// What start() returned, as an assertion: ASSERT_TRUE(started(x.start()))
// fails the test with the reason the server could not start.
inline ::testing::AssertionResult started(const QString &problem)
{
    if (problem.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problem.toStdString();
}

class LocalServer {
public:
    virtual ~LocalServer();
    int port() const { return m_port; }
    // What the server wrote to its standard output and error so far.
    QByteArray output();

protected:
    QString launch(const QString &program, const QStringList &arguments);
    QString folder() const { return m_folder.path(); }
    bool writeFile(const QString &name, const QByteArray &text);

    QTemporaryDir m_folder;
    int m_port = 0;

private:
    std::unique_ptr<QProcess> m_process;
    QByteArray m_output;
};

struct EximOptions {
    bool login = true;
    bool cramMd5 = true;
    QByteArray cramSecret = kPassword;  // what CRAM-MD5 checks against
    bool refuseConnect = false;         // greeting 554
    bool refuseHelo = false;            // EHLO and HELO refused
    bool starttls = false;              // advertise STARTTLS
};

class EximServer : public LocalServer {
public:
    QString start(const EximOptions &options = {});
    // The messages delivered to the local part's maildir, oldest first;
    // waits up to waitMs for at least one.
    QByteArrayList mailbox(const QByteArray &localPart, int waitMs = 5000);
    // exim's main log.
    QByteArray mainLog();
};

class DanteServer : public LocalServer {
public:
    // usernameMethod: only SOCKS 5 user/password (checked against the
    // system's accounts) is accepted; else only "no authentication".
    QString start(bool usernameMethod = false);
};

class TinyProxyServer : public LocalServer {
public:
    // withAuth: Basic authorisation as kUser/kPassword required.
    QString start(bool withAuth = false);
};

} // namespace bralvo::net::test
