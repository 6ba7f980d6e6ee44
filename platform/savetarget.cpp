#include "platform/savetarget.h"

#include "platform/stream.h"

#include <QFile>
#include <sys/stat.h>

namespace bralvo::platform {

void checkSaveTarget(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return; // missing (or unreachable: the save itself reports that)
    if (!S_ISREG(st.st_mode))
        throw StreamError(QStringLiteral("Cannot create file \"%1\". Not a regular file").arg(path));
}

} // namespace bralvo::platform
