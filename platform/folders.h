// Where the program's files live on Linux (XDG base directories).
// Every folder is returned absolute and with a trailing "/".
#pragma once

#include <QString>

namespace bralvo::platform {

// $XDG_DATA_HOME when set to an absolute path, else ~/.local/share: the
// stand-in for the common application data folder.
QString dataHomeFolder();

// dataHomeFolder() + "Tamrex/Bralvo/": the program's data root.
QString dataRootFolder();

// $XDG_CONFIG_HOME when set to an absolute path, else ~/.config: where
// registry-path settings are kept.
QString configHomeFolder();

// The folder of the running executable (its read-only resources live
// here). Needs a QCoreApplication; empty without one.
QString programFolder();

// The path with exactly one trailing "/" ("" stays "").
QString withTrailingSlash(const QString &path);

// The path without trailing "/" ("/" stays "/").
QString withoutTrailingSlash(const QString &path);

} // namespace bralvo::platform
