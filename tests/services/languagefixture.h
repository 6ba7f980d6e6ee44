// A temporary data root and program folder for language-file tests: the
// XDG folders point into a QTemporaryDir, the globals are set from them,
// and both Languages/ folders exist. The text tables start at their
// built-in texts and are put back afterwards.
#pragma once

#include "services/builtintexts.h"
#include "services/globals.h"
#include "services/uitexts.h"

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

    // Writes the text as UTF-8 (or the given bytes) into the program's
    // language folder unless another folder is named.
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(bytes);
    }
    void writeLanguage(const QString &fileName, const QString &text)
    {
        writeBytes(programLanguages() + fileName, text.toUtf8());
    }
    void writeSettings(const QString &text)
    {
        writeBytes(services::DataRoot + QStringLiteral("Data/settings.txs"), text.toUtf8());
    }
    static QByteArray readBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_temp;
    QByteArray m_oldData, m_oldConfig;
};

} // namespace bralvo::test
