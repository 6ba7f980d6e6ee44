// URL downloads through libcurl's easy interface, written through QSaveFile.
#include "services/download.h"

#include <QSaveFile>
#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace bralvo::services {

namespace {

void initializeCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What the callbacks share with the transfer. Nothing may throw across
// libcurl, so a failure is noted here and the transfer aborted.
struct Transfer {
    QSaveFile *file = nullptr;
    const TransferProgress *progress = nullptr;
    QString status;
    qint64 written = 0;
    qint64 maxBytes = 0;
    bool tooLarge = false;
    bool writeFailed = false;
};

size_t writeBody(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const qint64 bytes = static_cast<qint64>(size * count);
    if (transfer->maxBytes > 0 && transfer->written + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;  // anything but `bytes` aborts the transfer
    }
    if (transfer->file->write(data, bytes) != bytes) {
        transfer->writeFailed = true;
        return 0;
    }
    transfer->written += bytes;
    return static_cast<size_t>(bytes);
}

int reportProgress(void *user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t)
{
    auto *transfer = static_cast<Transfer *>(user);
    if (*transfer->progress) {
        try {
            (*transfer->progress)(received, total, transfer->status);
        } catch (...) {
            return 1;  // aborts the transfer; it then counts as failed
        }
    }
    return 0;
}

struct CurlDeleter {
    void operator()(CURL *curl) const { curl_easy_cleanup(curl); }
};

void setTransferOptions(CURL *curl, const QByteArray &url, Transfer &transfer,
                        const DownloadLimits &limits)
{
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Bralvo");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
    // Below one byte a second for the whole span: a server that stopped.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(qMax(1, limits.stallTimeoutSeconds)));
    if (limits.totalTimeoutSeconds > 0)
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(limits.totalTimeoutSeconds));
    if (limits.maxBytes > 0)
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &reportProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

DownloadError downloadError(const QString &url)
{
    return DownloadError(QStringLiteral("Error downloading URL: %1").arg(url));
}

} // namespace

DownloadLimits SmallFileLimits()
{
    DownloadLimits limits;
    limits.maxBytes = 1ll << 20;
    limits.totalTimeoutSeconds = 60;
    return limits;
}

QString DownloadTargetPath(const QString &url, const QString &folder, const QString &fileName)
{
    const QString name = fileName.isEmpty() ? url.section(u'/', -1) : fileName;
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/')
        || name.contains(QChar(0)))
        throw downloadError(url);
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

void FetchUrlToFile(const QString &url, const QString &target, const TransferProgress &progress,
                    const DownloadLimits &limits)
{
    initializeCurlOnce();
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw downloadError(url);
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw downloadError(url);
    Transfer transfer;
    transfer.file = &file;
    transfer.progress = &progress;
    transfer.status = url;
    transfer.maxBytes = limits.maxBytes;
    const QByteArray encoded = url.toUtf8();
    setTransferOptions(curl.get(), encoded, transfer, limits);
    // A body shorter than its Content-Length ends with CURLE_PARTIAL_FILE.
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK || transfer.tooLarge || transfer.writeFailed || !file.commit()) {
        file.cancelWriting();
        throw downloadError(url);
    }
}

bool FetchUrlQuietly(const QString &url, const QString &target, const DownloadLimits &limits)
{
    try {
        FetchUrlToFile(url, target, TransferProgress(), limits);
        return true;
    } catch (const DownloadError &) {
        return false;
    }
}

QString JoinUrl(const QString &base, const QString &relative)
{
    QString left = base;
    while (left.endsWith(u'/'))
        left.chop(1);
    QString right = relative;
    while (right.startsWith(u'/'))
        right.remove(0, 1);
    return left + u'/' + right;
}

QString BaseAddressFromEnvironment(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? fallback : value;
}

} // namespace bralvo::services
