// The independent PDF tools the tests judge written files with, and the
// rule that every written file passes "qpdf --check".
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bralvo::report::testing {

struct ToolRun {
    int exitCode = -1;
    QString output; // stdout and stderr
};

// Runs Program; a tool that cannot start fails the test.
ToolRun runTool(const QString &program, const QStringList &args);
// Adds a failure unless qpdf finds no error in File.
void expectQpdfClean(const QString &file);
// Writes Bytes to a file of the test's temporary folder and checks it
// with qpdf; returns the path.
QString writeChecked(const QByteArray &bytes, const QString &name);
// The file after qpdf has expanded every stream (for reading content).
QByteArray uncompressed(const QString &file);
// One object's text "N 0 obj ... endobj" of an uncompressed file.
QByteArray objectText(const QByteArray &pdf, int number);
QString pdftotext(const QString &file);
QString pdfinfo(const QString &file);
QString pdffonts(const QString &file);

} // namespace bralvo::report::testing
