// A temporary data root and program folder for language-file tests: the
// XDG folders point into a QTemporaryDir, the globals are set from them,
// and both Languages/ folders exist. The text tables start at their
// built-in texts and are put back afterwards.
#pragma once

#include "services/builtintexts.h"
#include "services/globals.h"
#include "services/uitexts.h"
#include "tests/support/filecontent.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bralvo::test {

class LanguageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_oldData = qgetenv("XDG_DATA_HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", (m_temp.path() + QStringLiteral("/data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_temp.path() + QStringLiteral("/config")).toUtf8());
        services::InitializeProgramGlobals();
        services::ProgramDir = m_temp.path() + QStringLiteral("/program/");
        ASSERT_TRUE(QDir().mkpath(services::DataRoot + QStringLiteral("Data")));
        ASSERT_TRUE(QDir().mkpath(userLanguages()));
        ASSERT_TRUE(QDir().mkpath(programLanguages()));
        services::LoadDefaultTexts();
        services::CurrentLanguageTag() = QStringLiteral("SK");
    }

    void TearDown() override
    {
        services::LoadDefaultTexts();
        services::CurrentLanguageTag() = QStringLiteral("SK");
        qputenv("XDG_DATA_HOME", m_oldData);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
        services::InitializeProgramGlobals();
    }

    QString userLanguages() const { return services::DataRoot + QStringLiteral("Languages/"); }
    QString programLanguages() const { return services::ProgramDir + QStringLiteral("Languages/"); }

    // Writes the text as UTF-8 into the program's language folder.
    void writeLanguage(const QString &fileName, const QString &text)
    {
        writeFileContent(programLanguages() + fileName, text.toUtf8());
    }
    void writeSettings(const QString &text)
    {
        writeFileContent(services::DataRoot + QStringLiteral("Data/settings.txs"), text.toUtf8());
    }

private:
    QTemporaryDir m_temp;
    QByteArray m_oldData, m_oldConfig;
};

} // namespace bralvo::test
