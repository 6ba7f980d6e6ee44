// Starting exim, danted and tinyproxy for one test each.
#include "localservers.h"

#include "scriptedpeer.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace bralvo::net::test {

namespace {

bool acceptsConnections(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

bool runningAsRoot() { return ::geteuid() == 0; }

QByteArray userName()
{
    const passwd *entry = ::getpwuid(::geteuid());
    return entry ? QByteArray(entry->pw_name) : QByteArray("root");
}

QByteArray groupName()
{
    const group *entry = ::getgrgid(::getegid());
    return entry ? QByteArray(entry->gr_name) : QByteArray("root");
}

} // namespace

LocalServer::~LocalServer()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
    }
}

QByteArray LocalServer::output()
{
    if (m_process) {
        m_process->waitForReadyRead(300);
        m_output += m_process->readAll();
    }
    return m_output;
}

bool LocalServer::writeFile(const QString &name, const QByteArray &text)
{
    QFile file(folder() + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString LocalServer::launch(const QString &program, const QStringList &arguments)
{
    if (!QFile::exists(program))
        return program + QStringLiteral(" is not installed");
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->start(program, arguments);
    if (!m_process->waitForStarted(5000))
        return program + QStringLiteral(" did not start");
    for (int i = 0; i < 200; ++i) {
        if (acceptsConnections(m_port))
            return {};
        if (m_process->state() == QProcess::NotRunning)
            return program + QStringLiteral(" ended: ") + QString::fromLocal8Bit(output());
        QThread::msleep(50);
    }
    return program + QStringLiteral(" does not listen: ") + QString::fromLocal8Bit(output());
}

// --- exim

QString EximServer::start(const EximOptions &options)
{
    if (!m_folder.isValid())
        return QStringLiteral("no temporary folder");
    // Deliveries run as an unprivileged user who must reach the maildirs.
    QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                        | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                        | QFileDevice::ExeOther | QFileDevice::ReadGroup
                                        | QFileDevice::ExeGroup);
    QDir(folder()).mkpath(QStringLiteral("spool"));
    QDir(folder()).mkpath(QStringLiteral("log"));
    QDir(folder()).mkpath(QStringLiteral("mail"));
    QFile::setPermissions(folder() + QStringLiteral("/mail"), QFileDevice::Permissions(0x7777));
    m_port = freeLoopbackPort();
    const QByteArray dir = folder().toLocal8Bit();
    const QByteArray deliveryUser = runningAsRoot() ? "nobody" : userName();
    QByteArray conf =
        "primary_hostname = bralvo.test\n"
        "spool_directory = " + dir + "/spool\n"
        "log_file_path = " + dir + "/log/%slog\n"
        "local_interfaces = 127.0.0.1\n"
        "exim_user = " + userName() + "\nexim_group = " + groupName() + "\n"
        "never_users =\nkeep_environment =\nhost_lookup =\nrfc1413_hosts =\n"
        "tls_advertise_hosts = " + (options.starttls ? "*" : "") + "\n"
        "acl_smtp_connect = acl_connect\nacl_smtp_helo = acl_helo\n"
        "acl_smtp_mail = acl_mail\nacl_smtp_rcpt = acl_rcpt\nacl_smtp_data = acl_data\n"
        "begin acl\n"
        "acl_connect:\n  " + (options.refuseConnect ? "deny" : "accept") + "\n"
        "acl_helo:\n  " + (options.refuseHelo ? "deny" : "accept") + "\n"
        "acl_mail:\n  warn set acl_m_size = $message_size\n  accept\n"
        "acl_rcpt:\n  deny local_parts = refused\n  accept\n"
        "acl_data:\n"
        "  warn add_header = X-Bralvo-Auth: $sender_host_authenticated:$authenticated_id\n"
        "  warn add_header = X-Bralvo-Size: $acl_m_size\n"
        "  accept\n"
        "begin routers\nall:\n  driver = accept\n"
        "  local_parts = bob : carol : mallory : refused\n  transport = to_maildir\n"
        "begin transports\nto_maildir:\n  driver = appendfile\n"
        "  directory = " + dir + "/mail/$local_part_data\n  maildir_format\n"
        "  create_directory\n  user = " + deliveryUser + "\n"
        "begin authenticators\n";
    if (options.login)
        conf += "login:\n  driver = plaintext\n  public_name = LOGIN\n"
                "  server_prompts = Username:: : Password::\n"
                "  server_condition = ${if and {{eq{$auth1}{" + QByteArray(kUser)
                + "}}{eq{$auth2}{" + kPassword + "}}}}\n  server_set_id = $auth1\n";
    if (options.cramMd5)
        conf += "cram:\n  driver = cram_md5\n  public_name = CRAM-MD5\n"
                "  server_secret = ${if eq{$auth1}{" + QByteArray(kUser) + "}{"
                + options.cramSecret + "}fail}\n  server_set_id = $auth1\n";
    if (!writeFile(QStringLiteral("exim.conf"), conf))
        return QStringLiteral("cannot write exim.conf");
    return launch(QStringLiteral("/usr/sbin/exim4"),
                  {QStringLiteral("-C"), folder() + QStringLiteral("/exim.conf"),
                   QStringLiteral("-bdf"), QStringLiteral("-oX"), QString::number(m_port)});
}

QByteArrayList EximServer::mailbox(const QByteArray &localPart, int waitMs)
{
    const QString path = folder() + QStringLiteral("/mail/") + QString::fromLatin1(localPart)
                         + QStringLiteral("/new");
    QByteArrayList messages;
    for (int waited = 0;; waited += 50) {
        const QStringList names = QDir(path).entryList(QDir::Files, QDir::Name);
        if (!names.isEmpty() || waited >= waitMs) {
            for (const QString &name : names) {
                QFile file(path + QLatin1Char('/') + name);
                if (file.open(QIODevice::ReadOnly))
                    messages.append(file.readAll());
            }
            return messages;
        }
        QThread::msleep(50);
    }
}

QByteArray EximServer::mainLog()
{
    QFile file(folder() + QStringLiteral("/log/mainlog"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// --- danted

QString DanteServer::start(bool usernameMethod)
{
    m_port = freeLoopbackPort();
    QByteArray conf = "logoutput: stderr\n"
                      "internal: 127.0.0.1 port = " + QByteArray::number(m_port) + "\n"
                      "external: 127.0.0.1\n"
                      "clientmethod: none\n"
                      "socksmethod: " + (usernameMethod ? "username" : "none") + "\n";
    if (runningAsRoot())
        conf += "user.privileged: root\nuser.unprivileged: nobody\n";
    conf += "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
            "socks pass { from: 127.0.0.0/8 to: 0.0.0.0/0 command: connect bind }\n";
    if (!writeFile(QStringLiteral("danted.conf"), conf))
        return QStringLiteral("cannot write danted.conf");
    return launch(QStringLiteral("/usr/sbin/danted"),
                  {QStringLiteral("-f"), folder() + QStringLiteral("/danted.conf"),
                   QStringLiteral("-p"), folder() + QStringLiteral("/danted.pid")});
}

// --- tinyproxy

QString TinyProxyServer::start(bool withAuth)
{
    m_port = freeLoopbackPort();
    QByteArray conf = "Port " + QByteArray::number(m_port) + "\n"
                      "Listen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nLogLevel Info\n"
                      "MaxClients 10\n";
    if (withAuth)
        conf += "BasicAuth " + QByteArray(kUser) + ' ' + kPassword + "\n";
    if (!writeFile(QStringLiteral("tinyproxy.conf"), conf))
        return QStringLiteral("cannot write tinyproxy.conf");
    return launch(QStringLiteral("/usr/bin/tinyproxy"),
                  {QStringLiteral("-d"), QStringLiteral("-c"),
                   folder() + QStringLiteral("/tinyproxy.conf")});
}

} // namespace bralvo::net::test
