// Printing a stored bill: the layout the settings choose, the header row
// and line values the shown report reads, and the logo and signature
// pictures (a file that is missing or broken clears its picture).
#include "tests/db/recordsfixture.h"

#include "app/billreports.h"
#include "app/reportlayouts.h"
#include "report/model/trpdataset.h"
#include "report/model/trppicture.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "services/globals.h"
#include "services/settings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using namespace bralvo;

namespace {

class BillPrinting : public test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        m_savedShower = app::reportShower();
        addCompany(3, QStringLiteral("Dodávateľ s.r.o."), 1);
        exec(QStringLiteral("INSERT INTO uzivatelia (ID, uzivatel, username, id_firma) VALUES (8, 'Ján', 'jan', 3)"));
        addCustomer(9, QStringLiteral("Odberateľ Ľubo"), QStringLiteral("123"));
        addMoneyBill({.id = 5, .number = "F5", .customerId = "9", .userId = "8"});
        data.lineCell = [](int column, int row) { return QStringLiteral("c%1r%2").arg(column).arg(row); };
        app::reportShower() = [this](report::TrpReport &r) {
            shownReport = &r;
            for (const char *name : {"db_firma_nazov", "db_odberatel_nazov", "s_pc", "s_nazov", "faktura"}) {
                platform::Variant v;
                r.OnGetValue(QString::fromLatin1(name), v);
                shown << v.toString();
            }
            logo = picture(r, "logoFirmy");
            signature = picture(r, "obrPodpis");
        };
    }
    void TearDown() override
    {
        app::reportShower() = m_savedShower;
        RecordsDatabase::TearDown();
    }
    static QSize picture(report::TrpReport &r, const char *name)
    {
        auto *view = dynamic_cast<report::TrpPictureView *>(r.FindObject(QString::fromLatin1(name)));
        return view ? view->Picture()->GraphicSize() : QSize(-1, -1);
    }
    QString image(const QString &file, int width)
    {
        QImage img(width, 10, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString path = m_dir.filePath(file);
        img.save(path);
        return path;
    }
    void setPictures(const QString &logo, const QString &sign)
    {
        exec(QStringLiteral("UPDATE firma SET obr_logo = '%1' WHERE id = 3").arg(logo));
        exec(QStringLiteral("UPDATE uzivatelia SET obr_podpis = '%1' WHERE id = 8").arg(sign));
    }

    app::ReportShower m_savedShower;
    app::BillPrintData data;
    report::TrpReport *shownReport = nullptr;
    QStringList shown;
    QSize logo, signature;
    QTemporaryDir m_dir;
};

TEST_F(BillPrinting, ShowsTheChosenLayoutWithTheBillsValues)
{
    app::BillReports reports;
    data.advance = true;
    reports.print(QStringLiteral("5"), data, 3);
    EXPECT_EQ(shownReport, &reports.page());
    EXPECT_EQ(reports.lines().RangeEndCount(), 3);
    EXPECT_EQ(shown, QStringList({"Dodávateľ s.r.o.", "Odberateľ Ľubo", "1", "c1r1", "ZÁLOHOVÁ FAKTÚRA"}));

    services::WriteSettingBool("Faktura", "DotMatrix", true);
    reports.print(QStringLiteral("5"), data, 3);
    EXPECT_EQ(shownReport, &reports.cells());

    shownReport = nullptr;
    reports.print(QString(), data, 3);  // no stored bill: nothing shown
    EXPECT_EQ(shownReport, nullptr);
}

TEST_F(BillPrinting, PicturesNeverCarryOverFromTheLastPrint)
{
    QDir().mkpath(services::ProgramDir + "Data");
    QImage(3, 3, QImage::Format_RGB32).save(services::ProgramDir + "Data/empty.bmp");
    const QString broken = m_dir.filePath("broken.jpg");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    struct Case {
        const char *what;
        QString logoPath, signPath;
        bool hideSignature;
        QSize logo, signature;
    } cases[] = {
        {"both pictures", image("logo.png", 40), image("sign.png", 20), false, {40, 10}, {20, 10}},
        {"missing files", m_dir.filePath("gone.png"), m_dir.filePath("gone2.png"), false, {0, 0}, {3, 3}},
        {"broken files", broken, broken, false, {0, 0}, {0, 0}},
        {"both pictures again", image("logo.png", 40), image("sign.png", 20), false, {40, 10}, {20, 10}},
        {"folders, not files", m_dir.path(), m_dir.path(), false, {0, 0}, {3, 3}},
        {"signature not printed", image("logo.png", 40), image("sign.png", 20), true, {40, 10}, {3, 3}},
        {"no empty picture either", QString(), QString(), false, {0, 0}, {0, 0}},
    };
    app::BillReports reports;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (QLatin1String(c.what) == QLatin1String("no empty picture either"))
            QFile::remove(services::ProgramDir + "Data/empty.bmp");
        services::WriteSettingBool("Tlac", "NetlacitPodpisFA", c.hideSignature);
        setPictures(c.logoPath, c.signPath);
        reports.print(QStringLiteral("5"), data, 1);
        EXPECT_EQ(logo, c.logo);
        EXPECT_EQ(signature, c.signature);
    }
}

} // namespace
