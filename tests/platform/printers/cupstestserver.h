// A private CUPS server for printer tests: cupsd started from a temporary
// ServerRoot on 127.0.0.1 at a free port, with three file-backed queues,
// "Laser" (a PPD taking PDF through pdftopdf, with A4, A5 and Letter, an
// upper tray and manual feed, 600 dpi; the default printer), "Raw" (the
// same PPD passing raw bytes unchanged through gziptoany) and "Closed"
// (like Laser, but not accepting jobs), and "Capture" (A4, A5, A3 and
// Letter, an upper and a lower tray, duplex) whose filter keeps each
// job's document bytes, title, copies and options.
// CUPS_SERVER and HOME point at it while the object lives.
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace bralvo::test {

// One job the "Capture" queue received, as its filter saw it.
struct CapturedJob {
    int id = 0;
    QByteArray bytes;  // the document as sent (PDF or raw bytes)
    QString title;
    int copies = 0;
    QString options;   // the job options as "name=value" words
};

class CupsTestServer {
public:
    CupsTestServer();   // starts cupsd; check error() before use
    ~CupsTestServer();  // stops it and restores the environment
    CupsTestServer(const CupsTestServer &) = delete;
    CupsTestServer &operator=(const CupsTestServer &) = delete;

    // Empty when the server runs, else why it does not (with its log).
    QString error() const { return m_error; }
    int port() const { return m_port; }
    QString root() const { return m_dir.path() + QStringLiteral("/"); }
    // The file a queue's device writes ("Laser", "Raw").
    QString outputFile(const QString &queue) const;
    // Waits until the queue has no pending job and returns what its
    // device file holds; empty after the timeout.
    QByteArray waitForOutput(const QString &queue, int timeoutMs = 20000) const;
    // Titles of the queue's finished jobs, oldest first.
    QStringList finishedJobTitles(const QString &queue) const;
    // The jobs the "Capture" queue finished, oldest first, after waiting
    // until at least `count` are there (or the timeout passed).
    QList<CapturedJob> capturedJobs(int count, int timeoutMs = 20000) const;
    void clearCaptured() const;  // forgets every captured job

private:
    bool writeConfig();
    bool waitForPort(int timeoutMs);

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    int m_port = 0;
    QString m_error;
    QByteArray m_oldServer, m_oldHome;
    bool m_hadServer = false, m_hadHome = false;
};

// Points libcups at `server` ("127.0.0.1:1234"; empty restores the
// environment's choice) and drops its cached connection.
void useCupsServer(const QByteArray &server);

} // namespace bralvo::test
