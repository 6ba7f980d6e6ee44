// Print jobs on a CUPS queue. A raw job streams bytes that the queue
// passes to the device unchanged (dot-matrix output); a document job
// sends a finished file (the PDF of a drawn job) with job options.
//
// States of a raw job: created -> begin() -> write()* -> finish() or
// cancel(). Every failure throws PrinterError with the server's message;
// a job that threw is cancelled on the server and cannot be continued.
#pragma once

#include "platform/printers/devicemode.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace bralvo::platform {

class CupsRawJob {
public:
    CupsRawJob();
    ~CupsRawJob();  // cancels a job that was begun and not finished
    CupsRawJob(const CupsRawJob &) = delete;
    CupsRawJob &operator=(const CupsRawJob &) = delete;

    // Creates the job on `printer` named `title` and opens its document.
    void begin(const QString &printer, const QString &title);
    void write(const QByteArray &bytes);  // nothing for empty bytes
    // Closes the document; the job is then queued. Returns its id.
    int finish();
    void cancel();  // nothing when no job is open
    bool isOpen() const;

    struct State;  // the connection and job; defined in the .cpp

private:
    std::unique_ptr<State> m_state;
};

// Sends the file at `path` (`format` a MIME type such as
// "application/pdf") to `printer` as one job named `title`. Returns the
// job id; throws PrinterError when the server refuses it.
int submitDocument(const QString &printer, const QString &title, const QString &path,
                   const QString &format, const JobOptions &options);

// Cancels a queued job; nothing when the server no longer has it.
void cancelJob(const QString &printer, int jobId);

} // namespace bralvo::platform
