// An engine and a prepared-pages store that do nothing but keep the
// state tests set: the bases for test machinery.
#pragma once

#include "report/model/trpenginebases.h"
#include "report/model/trppage.h"

#include <memory>
#include <vector>

namespace bralvo::report::testing {

class StubEngine : public TrpCustomEngine {
public:
    using TrpCustomEngine::TrpCustomEngine;
    void EndPage() override {}
    void NewColumn() override {}
    void NewPage() override {}
    void ShowBand(TrpBand *) override {}
    void ShowBand(const platform::ClassInfo &) override {}
    double HeaderHeight() override { return 0; }
    double FooterHeight() override { return 0; }
    double FreeSpace() override { return 0; }
    platform::Variant GetAggregateValue(const QString &, const QString &, TrpBand *, int) override
    {
        return platform::Variant::null();
    }
    bool Run() override { return true; }
};

// Pages are report pages the test builds; the logical numbers are set
// directly.
class StubPreviewPages : public TrpCustomPreviewPages {
public:
    using TrpCustomPreviewPages::TrpCustomPreviewPages;
    std::vector<std::unique_ptr<TrpReportPage>> pages;
    int logicalPageNo = 0;
    int logicalTotalPages = 0;

    int GetCount() const override { return int(pages.size()); }
    TrpReportPage *GetPage(int index) override { return pages.at(size_t(index)).get(); }
    QPoint GetPageSize(int) override { return QPoint(794, 1123); }
    void Clear() override { pages.clear(); }
    void Initialize() override {}
    void AddObject(TrpReportComponent *) override {}
    void AddPage(TrpReportPage *) override {}
    void AddSourceObjects(TrpReportPage *) override {}
    void AddSourceObject(TrpReportComponent *) override {}
    void BeginPass() override {}
    void ClearFirstPassPages() override {}
    int CutObjects(int) override { return 0; }
    void Finish() override {}
    void IncLogicalPageNumber() override {}
    void ResetLogicalPageNumber() override {}
    void PasteObjects(double, double) override {}
    void ShiftAnchors(int, int) override {}
    void AddPictureObject(TrpView *) override {}
    bool BandExists(TrpBand *) override { return false; }
    int GetCurPosition() override { return 0; }
    int GetAnchorCur() override { return 0; }
    double GetLastY() override { return 0; }
    int GetLogicalPageNo() override { return logicalPageNo; }
    int GetLogicalTotalPages() override { return logicalTotalPages; }
    void AddEmptyPage(int) override {}
    void DeletePage(int) override {}
    void ModifyPage(int, TrpReportPage *) override {}
    void DrawPage(int, QPainter &, double, double, double, double) override {}
    void ObjectOver(int, int, int, Qt::MouseButton, Qt::KeyboardModifiers, double, int, int, bool,
                    Qt::CursorShape &) override
    {
    }
    void AddFrom(TrpReport *) override {}
    void LoadFromStream(platform::Stream &, bool) override {}
    void SaveToStream(platform::Stream &) override {}
    bool LoadFromFile(const QString &, bool) override { return false; }
    void SaveToFile(const QString &) override {}
    bool Print() override { return false; }
};

} // namespace bralvo::report::testing
