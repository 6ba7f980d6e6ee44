// Streaming print jobs over IPP with libcups.
#include "platform/printers/cupsjob.h"

#include "platform/printers/printererror.h"

#include <QFile>

#include <cups/cups.h>

namespace bralvo::platform {
namespace {

QString serverMessage() { return QString::fromUtf8(cupsLastErrorString()); }

[[noreturn]] void refused(const QByteArray &printer, const QString &detail)
{
    throw PrinterError(QStringLiteral("The printer \"%1\" did not accept the job: %2")
                           .arg(QString::fromUtf8(printer), detail));
}

} // namespace

struct CupsRawJob::State {
    http_t *http = nullptr;
    QByteArray printer;
    int jobId = 0;
    bool open = false;

    ~State() { close(); }
    void close()
    {
        if (http)
            httpClose(http);
        http = nullptr;
    }
    // A job that failed half-way must not print half a document.
    void abandon()
    {
        close();
        if (jobId > 0 && open)
            cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.constData(), jobId, 0);
        open = false;
    }
    void start(const QString &name, const QString &title, const char *format,
               const JobOptions &options);
};

void CupsRawJob::State::start(const QString &name, const QString &title, const char *format,
                              const JobOptions &options)
{
    printer = name.toUtf8();
    const QByteArray titleBytes = title.toUtf8();
    // Without a title the server names the job itself.
    const char *jobTitle = titleBytes.isEmpty() ? nullptr : titleBytes.constData();
    http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                        30000, nullptr);
    if (!http)
        refused(printer, QStringLiteral("the print server cannot be reached"));
    cups_option_t *opts = nullptr;
    int count = 0;
    for (const auto &o : options)
        count = cupsAddOption(o.first.toUtf8().constData(), o.second.toUtf8().constData(), count,
                              &opts);
    jobId = cupsCreateJob(http, printer.constData(), jobTitle, count, opts);
    cupsFreeOptions(count, opts);
    if (jobId <= 0) {
        const QString why = serverMessage();
        close();
        refused(printer, why);
    }
    open = true;
    if (cupsStartDocument(http, printer.constData(), jobId, jobTitle, format, 1)
        != HTTP_STATUS_CONTINUE) {
        const QString why = serverMessage();
        abandon();
        refused(printer, why);
    }
}

CupsRawJob::CupsRawJob() = default;

CupsRawJob::~CupsRawJob() { cancel(); }

bool CupsRawJob::isOpen() const { return m_state && m_state->open; }

void CupsRawJob::begin(const QString &printer, const QString &title)
{
    cancel();
    m_state = std::make_unique<State>();
    m_state->start(printer, title, CUPS_FORMAT_RAW, {});
}

void CupsRawJob::write(const QByteArray &bytes)
{
    if (!isOpen())
        throw PrinterError(QStringLiteral("No print job is open."));
    if (bytes.isEmpty())
        return;
    if (cupsWriteRequestData(m_state->http, bytes.constData(), size_t(bytes.size()))
        != HTTP_STATUS_CONTINUE) {
        const QString why = serverMessage();
        const QByteArray name = m_state->printer;
        m_state->abandon();
        refused(name, why);
    }
}

int CupsRawJob::finish()
{
    if (!isOpen())
        throw PrinterError(QStringLiteral("No print job is open."));
    const ipp_status_t status = cupsFinishDocument(m_state->http, m_state->printer.constData());
    if (status > IPP_STATUS_OK_CONFLICTING) {
        const QString why = serverMessage();
        const QByteArray name = m_state->printer;
        m_state->abandon();
        refused(name, why);
    }
    const int id = m_state->jobId;
    m_state.reset();
    return id;
}

void CupsRawJob::cancel()
{
    if (m_state)
        m_state->abandon();
    m_state.reset();
}

int submitDocument(const QString &printer, const QString &title, const QString &path,
                   const QString &format, const JobOptions &options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PrinterError(QStringLiteral("Cannot read the print file %1: %2")
                               .arg(path, file.errorString()));
    CupsRawJob::State job;
    job.start(printer, title, format.toUtf8().constData(), options);
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(64 * 1024);
        if (chunk.isEmpty() || cupsWriteRequestData(job.http, chunk.constData(), size_t(chunk.size()))
                                   != HTTP_STATUS_CONTINUE) {
            const QString why = chunk.isEmpty() ? file.errorString() : serverMessage();
            job.abandon();
            refused(job.printer, why);
        }
    }
    if (cupsFinishDocument(job.http, job.printer.constData()) > IPP_STATUS_OK_CONFLICTING) {
        const QString why = serverMessage();
        job.abandon();
        refused(job.printer, why);
    }
    job.close();
    return job.jobId;
}

void cancelJob(const QString &printer, int jobId)
{
    if (jobId > 0)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), jobId, 0);
}

} // namespace bralvo::platform
