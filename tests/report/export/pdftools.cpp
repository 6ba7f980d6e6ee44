#include "pdftools.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bralvo::report::testing {

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

ToolRun runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ToolRun run;
    if (!process.waitForStarted() || !process.waitForFinished(120000)) {
        ADD_FAILURE() << program.toStdString() << " could not run (install qpdf and poppler-utils)";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

void expectQpdfClean(const QString &file)
{
    const ToolRun run = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(QLatin1String("No syntax or stream encoding errors found")))
        << run.output.toStdString();
}

QString writeChecked(const QByteArray &bytes, const QString &name)
{
    const QString path = QDir(folder().path()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    expectQpdfClean(path);
    return path;
}

QByteArray uncompressed(const QString &file)
{
    const QString out = file + QStringLiteral(".qdf");
    const ToolRun run = runTool(QStringLiteral("qpdf"),
                                {QStringLiteral("--stream-data=uncompress"), QStringLiteral("--object-streams=disable"),
                                 QStringLiteral("--normalize-content=n"), file, out});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    QFile f(out);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray objectText(const QByteArray &pdf, int number)
{
    const QByteArray head = "\n" + QByteArray::number(number) + " 0 obj";
    qsizetype at = pdf.indexOf(head);
    if (at < 0 && pdf.startsWith(head.mid(1)))
        at = -1;
    else if (at < 0)
        return {};
    const qsizetype end = pdf.indexOf("endobj", at + 1);
    return pdf.mid(at + 1, end - at - 1);
}

QString pdftotext(const QString &file)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file,
                                                 QStringLiteral("-")})
        .output;
}

QString pdfinfo(const QString &file)
{
    return runTool(QStringLiteral("pdfinfo"), {file}).output;
}

QString pdffonts(const QString &file)
{
    return runTool(QStringLiteral("pdffonts"), {file}).output;
}

} // namespace bralvo::report::testing
