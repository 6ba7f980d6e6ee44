// Fetching a URL into a file with libcurl: the transfer under the progress
// panel (progresswindow.h) and the quiet fetches of the update check.
// A download goes to a temporary file in the target's folder and is renamed
// over the target only once complete, so a failed, cut-off or oversized
// transfer leaves no file and an older target untouched. Blocking; GUI
// thread (the progress callback runs on the calling thread).
#pragma once

#include "platform/error.h"

#include <QString>
#include <functional>

namespace bralvo::services {

// "Error downloading URL: <url>", for every failure of a transfer.
class DownloadError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

// Bounds of one transfer. Loopback addresses never go through a proxy.
struct DownloadLimits {
    int connectTimeoutMs = 15000;   // to establish the connection
    int stallTimeoutSeconds = 30;   // no byte at all for this long ends it
    int totalTimeoutSeconds = 0;    // the whole transfer, however the server drips (0: none)
    qint64 maxBytes = 64ll << 20;   // a larger body is refused (0: no limit)
};

// Limits for the small index and rate files: 1 MiB at most, within a
// minute in all (nobody watches these fetches to cancel them).
DownloadLimits SmallFileLimits();

// Called with the bytes received so far, the total (0 while unknown) and
// a status text (the URL). May process window events; must not throw.
using TransferProgress = std::function<void(qint64 received, qint64 total, const QString &status)>;

// The file a download writes: folder + "/" + fileName, or, when fileName
// is empty, + the URL's last "/"-segment (query string included, letter
// case kept). Throws DownloadError when that name is empty, "." or "..",
// or holds a "/" (a name must never leave the folder).
QString DownloadTargetPath(const QString &url, const QString &folder, const QString &fileName);

// Fetches an http or https URL (redirects followed, at most 5) into
// target. Throws DownloadError for any failure: no connection, a time-out,
// an HTTP status of 400 or more, a body cut short or above maxBytes, a
// missing target folder or a failed write. The target is then unchanged.
void FetchUrlToFile(const QString &url, const QString &target, const TransferProgress &progress,
                    const DownloadLimits &limits = DownloadLimits());

// FetchUrlToFile without progress; true when the target was written.
// Never throws.
bool FetchUrlQuietly(const QString &url, const QString &target,
                     const DownloadLimits &limits = SmallFileLimits());

// base + relative, with exactly one "/" between them.
QString JoinUrl(const QString &base, const QString &relative);

// The environment variable's value when set and not empty, else fallback:
// how tests point the base addresses at 127.0.0.1.
QString BaseAddressFromEnvironment(const char *variable, const QString &fallback);

} // namespace bralvo::services
