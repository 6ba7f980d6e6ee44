// Shared set-up for the record windows' tests: the program started on a
// temporary data root with one administrator (logged in without a login
// window), scripted message boxes, and helpers to reach controls by name
// and to run SQL on the open database.
#pragma once

#include "app/tfmain.h"
#include "db/currentuser.h"
#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/regionalsettings.h"
#include "tests/app/appfixture.h"

#include <QApplication>
#include <QTest>
#include <memory>
#include <stdexcept>

namespace bralvo::test {

class RecordsFixture : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        chooseSlovak();
        addAdmin();
        const QString programDir = services::ProgramDir;
        m_main = std::make_unique<app::TfMain>(QStringList{"bralvo", "vybranaDB"});
        services::ProgramDir = programDir;
        ASSERT_EQ(m_main->StartupSequenceRun(), app::StartupSequence::Outcome::Started);
        m_main->show();
        QApplication::setActiveWindow(m_main.get());
    }
    void TearDown() override
    {
        m_main.reset();
        AppFixture::TearDown();
    }

    template <typename T>
    static T &child(QWidget &window, const QString &name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            throw std::runtime_error("no child " + name.toStdString());
        return *widget;
    }
    static void sql(const QString &statement) { db::DbConnection->ExecSql(statement); }
    static QString value(const QString &query)
    {
        const auto table = db::DbConnection->GetTable(query);
        return table->MoveFirst() ? table->FieldAsString(0) : QStringLiteral("<none>");
    }
    // A second live user without any right, logged in: with two users the
    // rights count.
    static void loginUserWithoutRights()
    {
        sql(addUser("Jano Bezpráv", "jano", QString(), 0));
        db::SetCurrentUser("jano");
    }
    // The message texts shown so far, in order.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &call : m_boxes.boxes())
            texts << call.text;
        return texts;
    }

    platform::ScopedRegionalSettings m_regional{platform::RegionalSettings{}};
    std::unique_ptr<app::TfMain> m_main;
};

} // namespace bralvo::test
