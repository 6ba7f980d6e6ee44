// A chart's title as a translatable caption: only its first line.
#include "languagefixture.h"

#include "platform/inifile.h"
#include "services/languagefiles.h"

#include <QChart>
#include <QChartView>

using namespace bralvo::services;

namespace {

class ChartCaption : public bralvo::test::LanguageFixture {};

struct ChartWindow {
    QWidget form;
    QChart *chart = new QChart;
    QChartView *view = new QChartView(chart, &form);
    ChartWindow()
    {
        form.setObjectName(QStringLiteral("fPrehlady"));
        view->setObjectName(QStringLiteral("chtPrehlad"));
        chart->setTitle(QStringLiteral("Faktúry\nza obdobie"));
    }
};

} // namespace

TEST_F(ChartCaption, LanguageFileReplacesTheFirstTitleLine)
{
    ChartWindow w;
    writeLanguage(QStringLiteral("en.lng"), QStringLiteral("[fPrehlady]\nchtPrehlad=%Bills%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), &w.form);
    EXPECT_EQ(w.chart->title(), QStringLiteral("Bills\nza obdobie"));
}

TEST_F(ChartCaption, TemplateWritesTheFirstTitleLine)
{
    ChartWindow w;
    const QString path = userLanguages() + QStringLiteral("new.lng");
    WriteLanguageTemplate(path, &w.form);
    EXPECT_EQ(bralvo::platform::IniFile(path).readString("fPrehlady", "chtPrehlad", {}),
              QString::fromUtf8("%Faktúry%"));
}
