// The store of prepared pages of one report. Pages are not kept as
// objects: each is an element of an in-memory report XML document whose
// children are the printed objects, named by their alias and holding
// only what differs from a private copy of the report object they came
// from (the source object). GetPage rebuilds a page as objects and keeps
// it in a small cache; with EngineOptions.UseFileCache old pages move to
// the document's temporary file (a unique name in the temporary folder,
// deleted when the store is cleared or freed).
//
// Document: root "preparedreport" with "previewpages" (one element per
// page: "page" + source page index, or a page written whole as
// "TrpReportPage"/"TrpDMPPage"), "outline", "anchors",
// "logicalpagenumbers", "cutted" while objects move, and on saving
// "report", "sourcepages", "dictionary", "picturecache".
//
// Units: pixels at 96 per inch; page indexes are 0-based.
#pragma once

#include "report/engine/trpdictionary.h"
#include "report/engine/trppicturecache.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpserializer.h"
#include "report/model/trpxml.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace bralvo::report {

class TrpOutline;

class TrpPreviewPages : public TrpCustomPreviewPages {
public:
    explicit TrpPreviewPages(TrpReport *report);
    ~TrpPreviewPages() override;

    // --- state
    bool AllowPartialLoading() const { return m_allowPartialLoading; }
    // Copy number being printed (0 outside printing); memos read it.
    int CopyNo() const { return m_copyNo; }
    void SetCopyNo(int v) { m_copyNo = v; }
    TrpDictionary &Dictionary() { return m_dictionary; }
    int FirstObjectIndex() const { return m_firstObjectIndex; }
    int FirstPageIndex() const { return m_firstPageIndex; }
    int LogicalCounter() const { return m_logicalCounter; }
    TrpXMLItem *PagesElement();
    TrpPictureCache &PictureCache() { return m_pictureCache; }
    double PrintScale() const { return m_printScale; }
    void SetPrintScale(double v) { m_printScale = v; }
    int SourcePageCount() const { return int(m_sourcePages.size()); }
    TrpReportPage *SourcePage(int index) const;
    TrpXMLDocument &Document() { return *m_document; }
    qint64 UnsavedBytes() const { return m_unsavedBytes; }
    // Number of pages the page cache holds.
    int CachedPageCount() const { return int(m_pageCache.size()); }

    // --- the store's operations
    int GetCount() const override;
    TrpReportPage *GetPage(int index) override;
    QPoint GetPageSize(int index) override;
    void Clear() override;
    void Initialize() override;
    void AddObject(TrpReportComponent *obj) override;
    void AddPage(TrpReportPage *page) override;
    void AddSourceObjects(TrpReportPage *page) override;
    void AddSourceObject(TrpReportComponent *obj) override;
    void BeginPass() override;
    void ClearFirstPassPages() override;
    int CutObjects(int fromIndex) override;
    void Finish() override;
    void IncLogicalPageNumber() override;
    void ResetLogicalPageNumber() override;
    void PasteObjects(double x, double y) override;
    void ShiftAnchors(int from, int newTop) override;
    void AddPictureObject(TrpView *view) override;
    bool BandExists(TrpBand *band) override;
    int GetCurPosition() override;
    int GetAnchorCur() override;
    double GetLastY() override;
    int GetLogicalPageNo() override;
    int GetLogicalTotalPages() override;
    void AddEmptyPage(int index) override;
    void DeletePage(int index) override;
    void ModifyPage(int index, TrpReportPage *page) override;
    void DrawPage(int index, QPainter &canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY) override;
    void ObjectOver(int index, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers shift, double scale,
                    int offsetX, int offsetY, bool click, Qt::CursorShape &cursor) override;
    void AddFrom(TrpReport *report) override;
    // Reads into a fresh document first: a damaged or foreign stream
    // throws (TrpInvalidXMLException, "Invalid file format") and leaves
    // the current pages as they were. With AllowPartialLoading pages
    // after the second are read from Stream when shown, so Stream must
    // live until the next Clear or load (LoadFromFile reads everything).
    void LoadFromStream(platform::Stream &stream, bool allowPartialLoading = false) override;
    void SaveToStream(platform::Stream &stream) override;
    bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = false) override;
    // Written to a temporary file renamed over FileName when complete.
    void SaveToFile(const QString &fileName) override;
    bool Print() override;
    // The base protocol; for the current dot-matrix export the report's
    // OnPrintReport fires once the dialog has passed and
    // OnAfterPrintReport after the export, as around printing.
    bool Export(TrpCustomExportFilter *filter) override;

    // --- anchors ("Engine.AddAnchor", "Engine.GetAnchorPage")
    void AddAnchor(const QString &text);
    // The last anchor of that text ignoring case; nullptr when none.
    TrpXMLItem *FindAnchor(const QString &text);
    // Its page + 1; 1 when there is none.
    int GetAnchorPage(const QString &text);
    // Pages of endless height or width: the size in pixels of every
    // prepared page of that report page.
    void SetSourcePageSize(TrpReportPage *page, double height, double width);
    void ClearPageCache();

    // Where a click asks the preview to go: set by ObjectOver for "@N"
    // and "#anchor" links (page 1-based, top in pixels).
    std::function<void(int page, int top)> OnGotoPage;
    // Asked to open a link other than "@"/"#" (http, https and mailto
    // only reach it). Default: the desktop's browser or mail program.
    std::function<void(const QString &url)> OnOpenUrl;
    // Asked to rebuild the report after a drill-down change.
    std::function<void()> OnRebuild;
    // Asked to redraw after a click modified a page.
    std::function<void()> OnRepaint;

private:
    struct CachedPage {
        int index;
        std::unique_ptr<TrpReportPage> page;
    };

    TrpXMLItem *currentPageElement();
    TrpXMLItem *rootChild(const QString &name);
    int sourcePageIndexOf(const TrpReportPage *page) const;
    void copySourceObjects(TrpComponent *from, TrpComponent *copyParent, int sourceIndex);
    void registerSourceCopy(TrpComponent *obj, TrpComponent *copy, int sourceIndex);
    QString rebuildText(TrpComponent *copy) const;
    void addObjectTo(TrpXMLItem *parent, TrpReportComponent *obj);
    void unloadPagesWhenDue();
    std::unique_ptr<TrpReportPage> buildPage(TrpXMLItem *element);
    void readObjects(TrpXMLItem *element, TrpComponent *parent);
    void trimPageCache();
    TrpXMLItem *logicalElement(int pageIndex);
    void writePageWhole(TrpXMLItem *element, TrpReportPage *page);
    bool finalPassOfDoublePass() const;
    TrpComponent *sourceOf(const TrpXMLItem *element) const;
    // The source object's text taken apart once for all its copies.
    const TrpXMLSerializer::ComponentText &sourceText(const TrpComponent &source);
    void clickView(int index, TrpReportPage *page, TrpView *view, Qt::MouseButton button,
                   Qt::KeyboardModifiers shift, bool click, Qt::CursorShape &cursor);
    void followLink(const QString &url);

    std::unique_ptr<TrpXMLDocument> m_document;
    TrpDictionary m_dictionary;
    std::vector<std::unique_ptr<TrpReportPage>> m_sourcePages;
    std::vector<CachedPage> m_pageCache; // most recently used first
    std::unordered_map<const TrpComponent *, TrpXMLSerializer::ComponentText> m_sourceTexts;
    TrpPictureCache m_pictureCache;
    bool m_allowPartialLoading = false;
    bool m_partiallyLoaded = false;
    int m_copyNo = 0;
    int m_firstObjectIndex = 0;
    int m_firstPageIndex = -1;
    int m_logicalCounter = 0;
    double m_printScale = 1;
    qint64 m_unsavedBytes = 0;
};

// Makes every new report use TrpPreviewPages (keeps the other factories).
void installPreviewPages();

} // namespace bralvo::report
