// For tests of the services and above: a TempDataRoot with the program's
// globals (DataRoot, ProgramDir, title, version) initialised for it and
// DataRoot + "Data/" and "Backups/" created, as the main window does at
// start-up. The destructor puts the previous globals back.
#pragma once

#include "tests/support/tempdataroot.h"

#include <QString>

namespace bralvo::test {

class ProgramFolders : public TempDataRoot {
public:
    ProgramFolders();
    ~ProgramFolders();

    // services::DataRoot + "Data/settings.txs".
    QString settingsFile() const;

private:
    QString m_oldDataRoot;
    QString m_oldProgramDir;
    QString m_oldProgramTitle;
};

} // namespace bralvo::test
