// The engine's golden scripts: every script under golden/<language>/ runs
// through scrun and its output must equal the .out file beside it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct LanguageFolder {
    const char *folder;
    const char *language;
};

const LanguageFolder folders[] = {
    {"pascal", "PascalScript"},
    {"cpp", "C++Script"},
    {"jscript", "JScript"},
    {"basic", "BasicScript"},
};

QString runScrun(const QString &language, const QString &file)
{
    QProcess process;
    process.start(QStringLiteral(BRALVO_SCRUN), {language, file});
    if (!process.waitForFinished(60000))
        return QStringLiteral("<scrun did not finish>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(GoldenScripts, EachScriptPrintsItsExpectedOutput)
{
    int scripts = 0;
    for (const LanguageFolder &entry : folders) {
        QDir dir(QStringLiteral(BRALVO_GOLDEN_DIR) + QLatin1Char('/') + QLatin1String(entry.folder));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        for (const QString &name : files) {
            if (name.endsWith(QLatin1String(".out")))
                continue;
            const QString script = dir.filePath(name);
            SCOPED_TRACE(script.toStdString());
            QFile expected(dir.filePath(name.section(QLatin1Char('.'), 0, -2) + QStringLiteral(".out")));
            ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << "missing .out file";
            EXPECT_EQ(runScrun(QLatin1String(entry.language), script).toStdString(),
                      QString::fromUtf8(expected.readAll()).toStdString());
            ++scripts;
        }
    }
    EXPECT_GE(scripts, 40);
}

} // namespace
