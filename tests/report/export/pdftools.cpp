#include "pdftools.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>

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

QImage renderFirstPage(const QString &file)
{
    QTemporaryDir dir;
    const QString prefix = QDir(dir.path()).filePath(QStringLiteral("page"));
    const ToolRun run = runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"),
                                                             QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                             file, prefix});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

namespace {

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// No pixel of Other within one pixel of (x, y) has about Image's colour.
bool unmatched(const QImage &image, const QImage &other, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int ox = x + dx, oy = y + dy;
            if (ox >= 0 && oy >= 0 && ox < other.width() && oy < other.height() &&
                channelDistance(c, other.pixel(ox, oy)) <= 96)
                return false;
        }
    }
    return true;
}

} // namespace

PixelDifference comparePixels(const QImage &reference, const QImage &rendered)
{
    PixelDifference d;
    const int w = std::min(reference.width(), rendered.width());
    const int h = std::min(reference.height(), rendered.height());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (reference.pixel(x, y) != qRgb(255, 255, 255))
                ++d.inked;
            if (unmatched(reference, rendered, x, y) || unmatched(rendered, reference, x, y))
                ++d.differing;
        }
    }
    return d;
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
