#include "app/billreports.h"

#include "app/reportlayouts.h"
#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "report/export/trpdmpexport.h"
#include "report/model/trpdataset.h"
#include "report/model/trppicture.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "services/globals.h"
#include "services/printlanguages.h"
#include "services/settings.h"

#include <QFileInfo>

namespace bralvo::app {

namespace {

// Loads the picture of every page's object of that name; a path that is
// empty, missing or not a picture clears it.
void setPicture(report::TrpReport &report, const QString &objectName, const QString &path)
{
    for (int i = 0; i < report.GetPagesCount(); ++i) {
        auto *view = dynamic_cast<report::TrpPictureView *>(report.GetPages(i)->FindObject(objectName));
        if (!view)
            continue;
        report::TrpPicture picture;
        if (path.isEmpty() || !QFileInfo(path).isFile() || !picture.LoadFromFile(path) || picture.Image().isNull())
            view->SetPicture(nullptr);
        else
            view->SetPicture(&picture);
    }
}

} // namespace

BillReports::BillReports()
    : m_lines(std::make_unique<report::TrpUserDataSet>(nullptr)),
      m_page(std::make_unique<report::TrpReport>()), m_cells(std::make_unique<report::TrpReport>()),
      m_dotMatrixExport(std::make_unique<report::TrpDotMatrixExport>())
{
    m_dotMatrixExport->setName(QStringLiteral("rpDotMatrixExport1"));
    m_dotMatrixExport->SetUseFileCache(true);
    m_dotMatrixExport->SetShowProgress(true);
    m_dotMatrixExport->SetEscModel(0);
    m_dotMatrixExport->SetGraphicFrames(false);
    m_dotMatrixExport->SetSaveToFile(false);
    m_dotMatrixExport->SetUseIniSettings(true);
    m_lines->SetUserName(QStringLiteral("rpUDSpolozky"));
    LoadReportLayout(*m_page, QStringLiteral("bill.rpx"), m_lines.get());
    LoadReportLayout(*m_cells, QStringLiteral("bill_dotmatrix.rpx"), m_lines.get());
    for (report::TrpReport *r : {m_page.get(), m_cells.get()}) {
        r->OnGetValue = [this](const QString &name, platform::Variant &value) {
            BillPrintValue(m_data, m_lines->RecNo(), name, value);
        };
    }
}

BillReports::~BillReports() = default;

void BillReports::setPictures()
{
    setPicture(*m_page, QStringLiteral("logoFirmy"), m_data.row.value(QStringLiteral("firma_obrlogo")));
    QString signature = services::ReadSettingBool(QStringLiteral("Tlac"), QStringLiteral("NetlacitPodpisFA"), false)
                            ? QString()
                            : m_data.row.value(QStringLiteral("uzivatel_obrpodpis"));
    if (signature.isEmpty() || !QFileInfo(signature).isFile())
        signature = services::ProgramDir + QStringLiteral("Data/empty.bmp");
    setPicture(*m_page, QStringLiteral("obrPodpis"), signature);
}

void BillReports::print(const QString &billId, BillPrintData data, int lineCount)
{
    services::LoadPrintTexts(data.language);
    m_lines->SetRangeEnd(report::reCount);
    m_lines->SetRangeEndCount(std::max(0, lineCount));
    if (billId.isEmpty())
        return;
    m_data = std::move(data);
    m_data.row = FirstRowTexts(*db::DbConnection->GetTable(BillPrintQuery(billId)));
    setPictures();
    const bool dotMatrix = services::ReadSettingBool(QStringLiteral("Faktura"), QStringLiteral("DotMatrix"), false);
    try {
        reportShower()(dotMatrix ? *m_cells : *m_page);
    } catch (...) {
        m_data = BillPrintData();
        throw;
    }
    m_data = BillPrintData();
}

} // namespace bralvo::app
