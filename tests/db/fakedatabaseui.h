// A DatabaseUi for tests: records what the database layer asked of the
// windows, and keeps a copy of the database file at the moment a backup
// was asked for.
#pragma once

#include "db/database.h"
#include "db/databaseui.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

namespace bralvo::test {

class FakeDatabaseUi : public db::DatabaseUi {
public:
    FakeDatabaseUi() { db::setDatabaseUi(this); }
    ~FakeDatabaseUi() override { db::setDatabaseUi(nullptr); }

    void showDatabaseError() override { calls << "showDatabaseError"; }
    void lockUserInterface() override { calls << "lockUserInterface"; }
    void runBackup() override
    {
        calls << "runBackup";
        QFile file(db::DbFilePath);
        if (file.open(QIODevice::ReadOnly))
            fileAtBackup = file.readAll();
    }
    void endProgram() override { calls << "endProgram"; }

    QStringList calls;
    QByteArray fileAtBackup;
};

} // namespace bralvo::test
