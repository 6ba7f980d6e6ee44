// Qt's own texts (standard buttons, file dialogs, context menus) in the
// program's language: the translation qtbase_<tag> from Qt's
// translations folder (Debian package qt6-translations-l10n).
#pragma once

#include <QString>

namespace bralvo::services {

// Installs qtbase_<languageTag in lower case>, replacing the one
// installed before; false (Qt's English then) when there is none.
bool InstallQtTranslation(const QString &languageTag);

} // namespace bralvo::services
