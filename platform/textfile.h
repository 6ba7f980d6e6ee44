// Reading and writing whole text files. Reading accepts UTF-8 or else
// Windows-1250 (see textcodec.h); writing is always UTF-8 and atomic: the
// text goes to a temporary file in the same folder that is renamed over
// the old one, so a crash or a full disk never leaves half a file.
#pragma once

#include "platform/error.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace bralvo::platform {

// A file that exists but cannot be read or written.
class FileError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

// The decoded text; std::nullopt when the file is missing or unreadable.
// Never throws.
std::optional<QString> readTextFile(const QString &path);

// The decoded text; std::nullopt when the file does not exist. Throws
// FileError (naming the path) when it exists but cannot be read, e.g. a
// folder of that name or a file without read permission.
std::optional<QString> readTextFileOrThrow(const QString &path);

// Writes the text as UTF-8 (no byte-order mark) atomically. False when the
// folder is missing, the existing file is read-only, or the write or the
// rename fails; the old file is then untouched. A file counts as
// read-only when the user cannot write it or its owner-write bit is
// clear (so also for root). Never throws.
bool writeTextFileAtomic(const QString &path, const QString &text);

// As writeTextFileAtomic, for bytes written as they are.
bool writeFileAtomic(const QString &path, const QByteArray &bytes);

} // namespace bralvo::platform
