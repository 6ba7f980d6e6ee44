// A prepared-pages store that keeps what the engine hands it as plain
// records: per page the bands with their placement and their objects
// with positions and texts. Tests read the records instead of a
// document.
#pragma once

#include "report/model/trpband.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace bralvo::report::testing {

struct RecordedObject {
    QString name, className, text;
    double left = 0, top = 0, width = 0, height = 0;
};

struct RecordedBand {
    TrpComponent *source = nullptr;
    QString name, className;
    double left = 0, top = 0, width = 0, height = 0;
    std::vector<RecordedObject> objects;
    double bottom() const { return top + height; }
};

struct RecordedPage {
    std::vector<RecordedBand> bands;
    // The names of the bands in output order.
    QStringList names() const
    {
        QStringList out;
        for (const RecordedBand &b : bands)
            out.append(b.name);
        return out;
    }
    // The texts of every object in output order.
    QStringList texts() const
    {
        QStringList out;
        for (const RecordedBand &b : bands)
            for (const RecordedObject &o : b.objects)
                out.append(o.text);
        return out;
    }
    const RecordedBand *band(const QString &name) const
    {
        for (const RecordedBand &b : bands)
            if (b.name == name)
                return &b;
        return nullptr;
    }
};

class RecordingPages : public TrpCustomPreviewPages {
public:
    using TrpCustomPreviewPages::TrpCustomPreviewPages;

    std::vector<RecordedPage> pages;
    std::vector<RecordedBand> cut;
    int firstPageIndex = -1;
    int anchors = 0;
    double sourceHeight = 0, sourceWidth = 0;

    int GetCount() const override { return int(pages.size()); }
    TrpReportPage *GetPage(int) override { return nullptr; }
    QPoint GetPageSize(int) override { return QPoint(); }
    void Clear() override
    {
        pages.clear();
        SetWritePage(-1);
    }
    void Initialize() override {}
    void AddObject(TrpReportComponent *obj) override
    {
        if (!obj->Visible() || !(obj->ComponentStyle() & KeepInPreview) || WritePage() < 0)
            return;
        RecordedBand b;
        b.source = obj;
        b.name = obj->name();
        b.className = obj->className();
        b.left = obj->Left();
        b.top = obj->Top();
        b.width = obj->Width();
        b.height = obj->Height();
        for (TrpComponent *c : obj->Objects()) {
            if (!c->Visible() || !(c->ComponentStyle() & KeepInPreview))
                continue;
            RecordedObject o{c->name(), c->className(), QString(), c->Left(), c->Top(), c->Width(), c->Height()};
            if (auto *memo = dynamic_cast<TrpCustomMemoView *>(c))
                o.text = memo->Text();
            b.objects.push_back(o);
        }
        pages[size_t(WritePage())].bands.push_back(b);
    }
    void AddPage(TrpReportPage *) override
    {
        SetWritePage(WritePage() + 1);
        if (WritePage() < GetCount() && AddPageMode() != 1)
            return;
        pages.emplace_back();
        SetAddPageMode(0);
        SetWritePage(GetCount() - 1);
    }
    void AddSourceObjects(TrpReportPage *) override {}
    void AddSourceObject(TrpReportComponent *) override {}
    void BeginPass() override { firstPageIndex = GetCount() - 1; }
    void ClearFirstPassPages() override
    {
        pages.resize(size_t(firstPageIndex + 1));
        SetWritePage(firstPageIndex);
    }
    int CutObjects(int fromIndex) override
    {
        auto &bands = pages[size_t(WritePage())].bands;
        cut.assign(bands.begin() + fromIndex, bands.end());
        bands.erase(bands.begin() + fromIndex, bands.end());
        return int(bands.size());
    }
    void Finish() override {}
    void IncLogicalPageNumber() override {}
    void ResetLogicalPageNumber() override {}
    void PasteObjects(double x, double y) override
    {
        if (cut.empty())
            return;
        const double l0 = cut.front().left, t0 = cut.front().top;
        for (RecordedBand &b : cut) {
            b.left += x - l0;
            b.top += y - t0;
            pages[size_t(WritePage())].bands.push_back(b);
        }
        cut.clear();
    }
    void ShiftAnchors(int, int) override {}
    void AddPictureObject(TrpView *) override {}
    bool BandExists(TrpBand *band) override
    {
        for (const RecordedBand &b : pages[size_t(WritePage())].bands) {
            if (b.source == band)
                return true;
            if ((dynamic_cast<TrpPageFooter *>(band) && b.className == QLatin1String("TrpPageFooter")) ||
                (dynamic_cast<TrpColumnFooter *>(band) && b.className == QLatin1String("TrpColumnFooter")))
                return true;
        }
        return false;
    }
    int GetCurPosition() override { return WritePage() < 0 ? 0 : int(pages[size_t(WritePage())].bands.size()); }
    int GetAnchorCur() override { return anchors - 1; }
    double GetLastY() override
    {
        double y = 0;
        for (const RecordedBand &b : pages[size_t(WritePage())].bands)
            if (b.className != QLatin1String("TrpPageFooter") && b.className != QLatin1String("TrpOverlay"))
                y = qMax(y, b.bottom());
        return y;
    }
    int GetLogicalPageNo() override { return WritePage() - NumberingBase() + 1; }
    int GetLogicalTotalPages() override { return Engine() ? Engine()->TotalPages() - NumberingBase() : 0; }
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
    void SetSourcePageSize(TrpReportPage *, double height, double width) override
    {
        sourceHeight = height;
        sourceWidth = width;
    }
};

} // namespace bralvo::report::testing
