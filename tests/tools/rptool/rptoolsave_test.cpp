// rptool save over a report file that uses every class readable from
// report XML, each with properties set: written back it is the same file
// byte for byte, and so is a second save of the output, so no class and
// no property set in the file is lost on the way.
#include "platform/classregistry.h"
#include "report/model/trpreport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFixture = QStringLiteral(BRALVO_RPTOOL_TEST_DATA "/everyclass.rpx");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs "rptool save Source Target"; the tool's output on failure.
QString save(const QString &source, const QString &target)
{
    QProcess tool;
    tool.start(QStringLiteral(BRALVO_RPTOOL), {QStringLiteral("save"), source, target});
    if (!tool.waitForFinished(60000))
        return QStringLiteral("rptool did not finish");
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    return QString();
}

} // namespace

TEST(RptoolSave, FileWithEveryClassIsWrittenBackByteForByte)
{
    const QByteArray fixture = readAll(kFixture);
    ASSERT_FALSE(fixture.isEmpty());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("first.rpx"));
    const QString second = dir.filePath(QStringLiteral("second.rpx"));
    ASSERT_EQ(save(kFixture, first), QString());
    EXPECT_EQ(readAll(first).toStdString(), fixture.toStdString());
    ASSERT_EQ(save(first, second), QString());
    EXPECT_EQ(readAll(second), readAll(first));
}

// The fixture stays complete: every component class the report registers
// for reading has an element in it (the persistent records TrpFrame,
// TrpHighlight and TrpStyleItem sit inside other objects).
TEST(RptoolSave, FixtureUsesEveryRegisteredReportClass)
{
    bralvo::report::registerReportClasses();
    const QString text = QString::fromUtf8(readAll(kFixture));
    QSet<QString> elements;
    static const QRegularExpression element(QStringLiteral("<(Trp\\w+)"));
    for (const QRegularExpressionMatch &m : element.globalMatch(text))
        elements.insert(m.captured(1));
    const char *classes[] = {
        "TrpReport", "TrpDataPage", "TrpReportPage", "TrpDialogPage", "TrpDMPPage", "TrpUserDataSet",
        "TrpReportTitle", "TrpReportSummary", "TrpPageHeader", "TrpPageFooter", "TrpHeader", "TrpFooter",
        "TrpMasterData", "TrpDetailData", "TrpSubdetailData", "TrpDataBand4", "TrpDataBand5", "TrpDataBand6",
        "TrpGroupHeader", "TrpGroupFooter", "TrpChild", "TrpColumnHeader", "TrpColumnFooter", "TrpOverlay",
        "TrpNullBand", "TrpMemoView", "TrpSysMemoView", "TrpCustomMemoView", "TrpLineView",
        "TrpCustomLineView", "TrpPictureView", "TrpShapeView", "TrpSubreport", "TrpDMPMemoView",
        "TrpDMPLineView", "TrpDMPCommand"};
    for (const char *name : classes) {
        SCOPED_TRACE(name);
        EXPECT_NE(bralvo::platform::findClass(QString::fromLatin1(name)), nullptr);
        EXPECT_TRUE(elements.contains(QString::fromLatin1(name)));
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Highlight.Condition=")));
    EXPECT_TRUE(text.contains(QStringLiteral("Frame.DropShadow=")));
    EXPECT_TRUE(text.contains(QStringLiteral("Style=\"Nadpis\"")));
}
