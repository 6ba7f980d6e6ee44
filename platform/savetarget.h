// Saves write a new file beside the target and rename it over the old
// one. That is only sound for a regular file: renaming over a FIFO, a
// device node or a folder would silently replace it.
#pragma once

#include <QString>

namespace bralvo::platform {

// Throws StreamError "Cannot create file "<path>". Not a regular file"
// when Path exists and is anything but a regular file (symbolic links are
// followed, so a link to a regular file is fine). A missing file passes.
void checkSaveTarget(const QString &path);

} // namespace bralvo::platform
