// What the main window does with the data root when it is created: make
// its folders, remove what older versions left there, and pick the focus
// colour. No window is needed.
#pragma once

#include "platform/error.h"

#include <QColor>
#include <QString>

namespace bralvo::app {

// The data folder cannot be used; the program must not start.
class StartupError : public Error {
public:
    using Error::Error;
};

// The text shown when the data folder cannot be determined or created.
QString DataFolderErrorText(const QString &dataRoot);

// Creates dataRoot (with its parents), "Data" and "Backups" below it,
// deletes the folder "Languages" below it with its content and the five
// files older versions kept in "Data" (failures there are ignored).
// Throws StartupError, deleting nothing, when dataRoot is empty or not an
// absolute path, or when one of the three folders cannot be created.
void PrepareDataRoot(const QString &dataRoot);

// The focus colour from [Main] color text ("$00BBGGRR" or a colour name);
// a missing or unreadable text gives the default "$00FEE6CF".
QColor MainColorFromSetting(const QString &colorText);

} // namespace bralvo::app
