// Starting and stopping a private cupsd for tests.
#include "tests/platform/printers/cupstestserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace bralvo::test {
namespace {

const char kPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "LASER.PPD"
*Manufacturer: "Test"
*Product: "(Laser)"
*ModelName: "Test Laser"
*ShortNickName: "Test Laser"
*NickName: "Test Laser"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 pdftopdf"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize A5/A5: "<</PageSize[420 595]>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion A5/A5: "<</PageSize[420 595]>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "12 12 583 830"
*ImageableArea A5/A5: "12 12 408 583"
*ImageableArea Letter/US Letter: "12 12 600 780"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension A5/A5: "420 595"
*PaperDimension Letter/US Letter: "612 792"
*OpenUI *InputSlot/Media Source: PickOne
*OrderDependency: 10 AnySetup *InputSlot
*DefaultInputSlot: Auto
*InputSlot Auto/Automatic: ""
*InputSlot Upper/Upper Tray: ""
*InputSlot Manual/Manual Feed: ""
*CloseUI: *InputSlot
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 10 AnySetup *Resolution
*DefaultResolution: 600dpi
*Resolution 600dpi/600 DPI: ""
*CloseUI: *Resolution
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
)PPD";

// The capture queue: A4, A5, A3 and Letter, an upper and a lower tray,
// duplex; its filter keeps each job's document and options.
QByteArray capturePpd(const QString &filter)
{
    QByteArray ppd(kPpd);
    const auto addAfter = [&ppd](const QByteArray &anchor, const QByteArray &text) {
        ppd.replace(anchor, anchor + text);
    };
    ppd.replace("*cupsFilter: \"application/pdf 0 pdftopdf\"",
                "*cupsFilter: \"application/pdf 0 " + filter.toUtf8() + "\"\n"
                "*cupsFilter: \"application/vnd.cups-raw 0 " + filter.toUtf8() + "\"");
    addAfter("*PageSize A5/A5: \"<</PageSize[420 595]>>setpagedevice\"\n",
             "*PageSize A3/A3: \"<</PageSize[842 1191]>>setpagedevice\"\n");
    addAfter("*PageRegion A5/A5: \"<</PageSize[420 595]>>setpagedevice\"\n",
             "*PageRegion A3/A3: \"<</PageSize[842 1191]>>setpagedevice\"\n");
    addAfter("*ImageableArea A5/A5: \"12 12 408 583\"\n", "*ImageableArea A3/A3: \"12 12 830 1179\"\n");
    addAfter("*PaperDimension A5/A5: \"420 595\"\n", "*PaperDimension A3/A3: \"842 1191\"\n");
    ppd.replace("*InputSlot Manual/Manual Feed: \"\"\n", "*InputSlot Lower/Lower Tray: \"\"\n");
    addAfter("*CloseUI: *InputSlot\n",
             "*OpenUI *Duplex/Two-Sided: PickOne\n*OrderDependency: 10 AnySetup *Duplex\n"
             "*DefaultDuplex: None\n*Duplex None/Off: \"\"\n*Duplex DuplexNoTumble/Long Edge: \"\"\n"
             "*Duplex DuplexTumble/Short Edge: \"\"\n*CloseUI: *Duplex\n");
    return ppd.replace("Test Laser", "Test Capture");
}

// Job id, title, copies and options go beside the document's bytes.
QByteArray captureFilter(const QString &dir)
{
    const QByteArray d = dir.toUtf8();
    return "#!/bin/sh\nd='" + d + "'\n"
           "printf '%s' \"$3\" > \"$d/$1.title\"\n"
           "printf '%s' \"$4\" > \"$d/$1.copies\"\n"
           "printf '%s' \"$5\" > \"$d/$1.options\"\n"
           "if [ -n \"$6\" ]; then cat \"$6\" > \"$d/$1.tmp\"; else cat > \"$d/$1.tmp\"; fi\n"
           "mv \"$d/$1.tmp\" \"$d/$1.job\"\nexit 0\n";
}

// cupsd writes a file device only through a filter; gziptoany passes
// raw bytes through unchanged.
QByteArray rawPpd()
{
    return QByteArray(kPpd).replace("*cupsFilter: \"application/pdf 0 pdftopdf\"",
                                    "*cupsFilter: \"application/vnd.cups-raw 0 gziptoany\"");
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

sockaddr_in loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// Port 0 lets the kernel pick one that is free now.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(0);
    socklen_t len = sizeof a;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

bool accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = loopback(port);
    const bool ok = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

QByteArray queueBlock(const char *tag, const char *name, const QString &out,
                      const char *accepting = "Yes")
{
    return QByteArray("<") + tag + " " + name + ">\nInfo " + name + "\nDeviceURI file://"
           + out.toUtf8() + "\nState Idle\nAccepting " + accepting + "\nShared No\n</" + tag
           + ">\n";
}

} // namespace

void useCupsServer(const QByteArray &server)
{
    if (server.isEmpty())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", server);
    cupsSetServer(nullptr);  // forget the cached name and connection
}

CupsTestServer::CupsTestServer()
{
    m_hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_oldServer = qgetenv("CUPS_SERVER");
    m_hadHome = qEnvironmentVariableIsSet("HOME");
    m_oldHome = qgetenv("HOME");
    m_port = freePort();
    if (!m_dir.isValid() || m_port == 0 || !writeConfig()) {
        m_error = QStringLiteral("cannot prepare the cupsd configuration");
        return;
    }
    qputenv("HOME", (root() + "home").toUtf8());
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"), root() + "etc/cupsd.conf",
                   QStringLiteral("-s"), root() + "etc/cups-files.conf"});
    if (!m_cupsd.waitForStarted(5000) || !waitForPort(15000)) {
        QFile log(root() + "log/error_log");
        log.open(QIODevice::ReadOnly);
        m_error = QStringLiteral("cupsd did not start: %1 %2 %3")
                      .arg(m_cupsd.errorString(), QString::fromUtf8(m_cupsd.readAll()),
                           QString::fromUtf8(log.readAll().right(2000)));
        return;
    }
    useCupsServer("127.0.0.1:" + QByteArray::number(m_port));
}

CupsTestServer::~CupsTestServer()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
    if (m_hadHome)
        qputenv("HOME", m_oldHome);
    else
        qunsetenv("HOME");
    useCupsServer(m_hadServer ? m_oldServer : QByteArray());
}

QString CupsTestServer::outputFile(const QString &queue) const
{
    return root() + "out/" + queue.toLower();
}

bool CupsTestServer::writeConfig()
{
    const QString r = root();
    // Filters run as another user when cupsd runs as root: they must
    // reach the output folder.
    QFile::setPermissions(r, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                 | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                 | QFile::ExeOther);
    for (const char *d : {"etc/ppd", "spool", "cache", "state", "log", "tmp", "out", "home", "bin",
                          "capture"})
        if (!QDir().mkpath(r + d))
            return false;
    const auto all = QFileDevice::Permissions(0x7777);
    QFile::setPermissions(r + "out", all);
    QFile::setPermissions(r + "tmp", all);
    QFile::setPermissions(r + "capture", all);
    QFile::setPermissions(r + "bin", QFileDevice::Permissions(0x7555));
    const QByteArray cupsd = "Listen 127.0.0.1:" + QByteArray::number(m_port)
                             + "\nLogLevel info\nMaxLogSize 0\nWebInterface No\nBrowsing No\n"
                               "DefaultAuthType None\n<Location />\nOrder allow,deny\n"
                               "Allow all\n</Location>\n";
    const QByteArray files = "FileDevice Yes\nServerRoot " + (r + "etc").toUtf8()
                             + "\nRequestRoot " + (r + "spool").toUtf8() + "\nCacheDir "
                             + (r + "cache").toUtf8() + "\nStateDir " + (r + "state").toUtf8()
                             + "\nTempDir " + (r + "tmp").toUtf8() + "\nErrorLog "
                             + (r + "log/error_log").toUtf8() + "\nAccessLog "
                             + (r + "log/access_log").toUtf8() + "\nPageLog "
                             + (r + "log/page_log").toUtf8()
                             + "\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                               "Sandboxing Relaxed\n";
    const QByteArray printers = queueBlock("DefaultPrinter", "Laser", outputFile("Laser"))
                                + queueBlock("Printer", "Raw", outputFile("Raw"))
                                + queueBlock("Printer", "Closed", outputFile("Closed"), "No")
                                + queueBlock("Printer", "Capture", QStringLiteral("/dev/null"));
    const QString filter = r + "bin/capture";
    if (!writeFile(filter, captureFilter(r + "capture"))
        || !QFile::setPermissions(filter, QFileDevice::Permissions(0x7555)))
        return false;
    return writeFile(r + "etc/cupsd.conf", cupsd) && writeFile(r + "etc/cups-files.conf", files)
           && writeFile(r + "etc/printers.conf", printers)
           && writeFile(r + "etc/ppd/Laser.ppd", kPpd)
           && writeFile(r + "etc/ppd/Closed.ppd", kPpd)
           && writeFile(r + "etc/ppd/Raw.ppd", rawPpd())
           && writeFile(r + "etc/ppd/Capture.ppd", capturePpd(filter));
}

bool CupsTestServer::waitForPort(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && m_cupsd.state() == QProcess::Running) {
        if (accepts(m_port))
            return true;
        QThread::msleep(100);
    }
    return false;
}

QByteArray CupsTestServer::waitForOutput(const QString &queue, int timeoutMs) const
{
    const QByteArray name = queue.toUtf8();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        cups_job_t *jobs = nullptr;
        const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0,
                                        CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active, jobs);
        if (active == 0 && QFileInfo::exists(outputFile(queue))) {
            QFile f(outputFile(queue));
            if (f.open(QIODevice::ReadOnly))
                return f.readAll();
        }
        QThread::msleep(100);
    }
    return {};
}

QStringList CupsTestServer::finishedJobTitles(const QString &queue) const
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0,
                                   CUPS_WHICHJOBS_COMPLETED);
    QList<QPair<int, QString>> byId;
    for (int i = 0; i < count; ++i)
        byId.append({jobs[i].id, QString::fromUtf8(jobs[i].title)});
    cupsFreeJobs(count, jobs);
    std::sort(byId.begin(), byId.end());
    QStringList titles;
    for (const auto &j : byId)
        titles.append(j.second);
    return titles;
}

} // namespace bralvo::test

namespace bralvo::test {

QList<CapturedJob> CupsTestServer::capturedJobs(int count, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    const QDir dir(root() + "capture");
    QStringList files;
    while (clock.elapsed() < timeoutMs) {
        files = dir.entryList({QStringLiteral("*.job")}, QDir::Files);
        if (files.size() >= count)
            break;
        QThread::msleep(100);
    }
    QList<CapturedJob> jobs;
    const auto text = [&dir](const QString &name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    for (const QString &file : std::as_const(files)) {
        CapturedJob job;
        job.id = QFileInfo(file).baseName().toInt();
        QFile f(dir.filePath(file));
        if (f.open(QIODevice::ReadOnly))
            job.bytes = f.readAll();
        const QString base = QString::number(job.id);
        job.title = text(base + ".title");
        job.copies = text(base + ".copies").toInt();
        job.options = text(base + ".options");
        jobs.append(job);
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const CapturedJob &a, const CapturedJob &b) { return a.id < b.id; });
    return jobs;
}

void CupsTestServer::clearCaptured() const
{
    QDir dir(root() + "capture");
    for (const QString &f : dir.entryList(QDir::Files))
        dir.remove(f);
}

} // namespace bralvo::test
