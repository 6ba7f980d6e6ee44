// The prepared-pages store: source objects, pages and objects as
// difference elements, rebuilding and caching pages, the file cache.
#include "report/engine/trppreviewpages.h"

#include "platform/error.h"
#include "report/engine/trpdmpexportslot.h"
#include "report/engine/trpoutline.h"
#include "report/engine/trppagesprinter.h"
#include "report/model/trpband.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "report/model/trpserializer.h"

#include <cmath>

namespace bralvo::report {

namespace {

// Memory an element object takes beyond its texts (estimate).
constexpr qint64 kElementSize = 96;

bool isWholePageElement(const TrpXMLItem &element)
{
    return element.Name.compare(QStringLiteral("TrpReportPage"), Qt::CaseInsensitive) == 0
           || element.Name.compare(QStringLiteral("TrpDMPPage"), Qt::CaseInsensitive) == 0;
}

// N of an element named "page" + N; -1 otherwise.
int sourceIndexOfElement(const TrpXMLItem &element)
{
    if (!element.Name.startsWith(QStringLiteral("page"), Qt::CaseInsensitive))
        return -1;
    bool ok = false;
    const int n = element.Name.mid(4).toInt(&ok);
    return ok ? n : -1;
}

std::unique_ptr<TrpReportPage> newPageLike(const QString &className)
{
    if (className.compare(QStringLiteral("TrpDMPPage"), Qt::CaseInsensitive) == 0)
        return std::make_unique<TrpDMPPage>(nullptr);
    return std::make_unique<TrpReportPage>(nullptr);
}

TrpComponent *createLike(const TrpComponent &obj, platform::Component *owner)
{
    const platform::ClassInfo &cls = obj.classInfo();
    if (!cls.create)
        return nullptr;
    return dynamic_cast<TrpComponent *>(cls.create(owner));
}

void setNameQuietly(TrpComponent &obj, const QString &name)
{
    try {
        obj.setName(name);
    } catch (const bralvo::Error &) {
        // A name the copy cannot take (damaged file) only costs the name.
    }
}

} // namespace

TrpPreviewPages::TrpPreviewPages(TrpReport *report)
    : TrpCustomPreviewPages(report), m_document(std::make_unique<TrpXMLDocument>())
{
    m_document->Root()->Name = QStringLiteral("preparedreport");
    SetOutline(std::make_unique<TrpOutline>(this));
}

TrpPreviewPages::~TrpPreviewPages()
{
    m_pageCache.clear();
    if (Outline())
        Outline()->SetCurrentItem(nullptr);
}

// --- elements

TrpXMLItem *TrpPreviewPages::rootChild(const QString &name)
{
    return m_document->Root()->FindItem(name);
}

TrpXMLItem *TrpPreviewPages::PagesElement()
{
    return rootChild(QStringLiteral("previewpages"));
}

TrpXMLItem *TrpPreviewPages::currentPageElement()
{
    const TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("previewpages"));
    if (at < 0)
        return nullptr;
    TrpXMLItem *pages = root->Items(at);
    if (WritePage() < 0 || WritePage() >= pages->Count())
        return nullptr;
    TrpXMLItem *element = pages->Items(WritePage());
    if (!element->Loaded)
        m_document->LoadItem(element);
    return element;
}

TrpReportPage *TrpPreviewPages::SourcePage(int index) const
{
    if (index < 0 || index >= int(m_sourcePages.size()))
        return nullptr;
    return m_sourcePages[size_t(index)].get();
}

int TrpPreviewPages::sourcePageIndexOf(const TrpReportPage *page) const
{
    for (size_t i = 0; i < m_sourcePages.size(); ++i) {
        if (page && m_sourcePages[i]->SourceComponent() == page)
            return int(i);
    }
    return -1;
}

TrpComponent *TrpPreviewPages::sourceOf(const TrpXMLItem *element) const
{
    return m_dictionary.GetObject(element->Name);
}

int TrpPreviewPages::GetCount() const
{
    const TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("previewpages"));
    return at < 0 ? 0 : root->Items(at)->Count();
}

// --- lifecycle

void TrpPreviewPages::Clear()
{
    ClearPageCache();
    m_sourceTexts.clear();
    // Report objects still linked to copies about to go forget them.
    if (Report()) {
        for (TrpComponent *c : Report()->AllObjects()) {
            if (c->SourceComponent() && m_dictionary.Contains(c->AliasName())) {
                c->SetSourceComponent(nullptr);
                c->SetAliasName(QString());
            }
        }
    }
    if (Outline())
        Outline()->SetCurrentItem(nullptr);
    m_sourcePages.clear();
    m_document->Clear();
    m_document->Root()->Name = QStringLiteral("preparedreport");
    m_partiallyLoaded = false;
    m_dictionary.Clear();
    m_pictureCache.Clear();
    SetWritePage(-1);
    m_unsavedBytes = 0;
    m_logicalCounter = 0;
    m_firstPageIndex = -1;
    m_firstObjectIndex = 0;
}

void TrpPreviewPages::Initialize()
{
    if (Report()) {
        m_document->TempDir = Report()->EngineOptions()->TempDir();
        Report()->BeginProgress(ptRunning);
    }
}

void TrpPreviewPages::Finish()
{
    ClearPageCache();
    for (auto &page : m_sourcePages)
        page->SetSourceComponent(nullptr);
    if (Report())
        Report()->EndProgress(ptRunning);
}

// --- source objects

QString TrpPreviewPages::rebuildText(TrpComponent *copy) const
{
    if (copy->ComponentStyle() & FullTextDiff)
        return copy->className();
    TrpXMLSerializer serializer(nullptr);
    return serializer.WriteComponentText(copy);
}

void TrpPreviewPages::registerSourceCopy(TrpComponent *obj, TrpComponent *copy, int sourceIndex)
{
    obj->SetSourceComponent(copy);
    copy->SetSourceComponent(obj);
    const QString base = dynamic_cast<TrpBand *>(copy) ? QStringLiteral("b") : copy->BaseName().left(1).toLower();
    QString alias;
    m_dictionary.AddUnique(base, QStringLiteral("Page%1.%2").arg(sourceIndex).arg(copy->name()), alias, copy);
    if (auto *view = dynamic_cast<TrpView *>(copy); view && dynamic_cast<TrpCustomMemoView *>(copy)) {
        view->SetDataSet(nullptr);
        view->SetDataField(QString());
    }
    copy->SetBaseName(rebuildText(copy));
    copy->SetAliasName(alias);
    obj->SetAliasName(alias);
}

void TrpPreviewPages::copySourceObjects(TrpComponent *from, TrpComponent *copyParent, int sourceIndex)
{
    for (TrpComponent *obj : from->Objects()) {
        if (!(obj->ComponentStyle() & KeepInPreview))
            continue;
        TrpComponent *copy = createLike(*obj, copyParent);
        if (!copy)
            continue;
        auto *picture = dynamic_cast<TrpPictureView *>(obj);
        const bool stored = picture && picture->PictureStored();
        if (picture)
            picture->SetPictureStored(false);
        copy->assign(*obj);
        if (picture)
            picture->SetPictureStored(stored);
        setNameQuietly(*copy, obj->name());
        registerSourceCopy(obj, copy, sourceIndex);
        copySourceObjects(obj, copy, sourceIndex);
    }
}

void TrpPreviewPages::AddSourceObjects(TrpReportPage *page)
{
    if (!page)
        return;
    std::unique_ptr<TrpReportPage> copy = newPageLike(page->className());
    copy->assign(*page);
    setNameQuietly(*copy, page->name());
    copy->SetSourceComponent(page);
    TrpReportPage *raw = copy.get();
    m_sourcePages.push_back(std::move(copy));
    // Depth first, each before its children: aliases follow object order.
    copySourceObjects(page, raw, int(m_sourcePages.size()) - 1);
}

void TrpPreviewPages::AddSourceObject(TrpReportComponent *obj)
{
    if (!obj || m_sourcePages.empty())
        return;
    const int s = int(m_sourcePages.size()) - 1;
    TrpReportPage *page = m_sourcePages.back().get();
    TrpComponent *copy = createLike(*obj, page);
    if (!copy)
        return;
    copy->assign(*obj);
    copy->CreateUniqueName();
    const QString base = copy->BaseName().left(1).toLower();
    QString alias;
    m_dictionary.AddUnique(base, QStringLiteral("Page%1.%2").arg(s).arg(copy->name()), alias, copy);
    copy->SetBaseName(rebuildText(copy));
    obj->SetSourceComponent(copy);
    copy->SetAliasName(alias);
    obj->SetAliasName(alias);
}

void TrpPreviewPages::SetSourcePageSize(TrpReportPage *page, double height, double width)
{
    TrpReportPage *copy = SourcePage(sourcePageIndexOf(page));
    if (!copy)
        return;
    copy->SetPaperSize(kCustomPaperSize);
    copy->SetPaperWidth(width / 3.77953);
    copy->SetPaperHeight(height / 3.77953);
}

// --- writing pages

void TrpPreviewPages::unloadPagesWhenDue()
{
    const TrpEngineOptions *options = Report() ? Report()->EngineOptions() : nullptr;
    if (!options || !options->UseFileCache() || m_unsavedBytes <= qint64(options->MaxMemSize()) * 1048576)
        return;
    TrpXMLItem *pages = PagesElement();
    for (int i = pages->Count() - 2; i >= 0; --i) {
        TrpXMLItem *element = pages->Items(i);
        if (!element->Loaded)
            break;
        if (element->Unloadable)
            m_document->UnloadItem(element);
    }
    m_unsavedBytes = 0;
}

void TrpPreviewPages::AddPage(TrpReportPage *page)
{
    TrpXMLItem *pages = PagesElement();
    if (!m_partiallyLoaded)
        unloadPagesWhenDue();
    SetWritePage(WritePage() + 1);
    if (WritePage() < pages->Count() && AddPageMode() != 1)
        return;
    TrpXMLItem *element = pages->Add();
    element->Name = QStringLiteral("page") + QString::number(sourcePageIndexOf(page));
    if (pages->Count() > 2)
        element->Unloadable = true;
    if (Report())
        Report()->StepProgress(ptRunning, WritePage() + 1);
    SetAddPageMode(0);
    SetWritePage(pages->Count() - 1);
    IncLogicalPageNumber();
}

void TrpPreviewPages::addObjectTo(TrpXMLItem *parent, TrpReportComponent *obj)
{
    if (!obj->Visible() || !(obj->ComponentStyle() & KeepInPreview))
        return;
    TrpXMLItem *element = parent->Add();
    if (TrpComponent *source = obj->SourceComponent()) {
        element->Name = obj->AliasName();
        const bool finalPass = !Engine() || Engine()->FinalPass();
        if (!finalPass)
            element->Text = obj->TrpComponent::Diff(*source);
        else if (obj->ComponentStyle() & FullTextDiff)
            element->Text = obj->FullDiff(source);
        else
            element->Text = obj->Diff(*source);
    } else {
        element->Name = obj->className();
        element->Text = obj->FullDiff(nullptr);
    }
    element->Text = element->Text.trimmed();
    m_unsavedBytes += element->Name.size() + element->Text.size() + kElementSize + 16;
    for (TrpComponent *child : obj->Objects()) {
        if (auto *rc = dynamic_cast<TrpReportComponent *>(child))
            addObjectTo(element, rc);
    }
}

void TrpPreviewPages::AddObject(TrpReportComponent *obj)
{
    if (!obj)
        return;
    if (TrpXMLItem *page = currentPageElement())
        addObjectTo(page, obj);
}

void TrpPreviewPages::AddPictureObject(TrpView *view)
{
    if (auto *picture = dynamic_cast<TrpPictureView *>(view))
        m_pictureCache.StoreGraphic(*picture);
}

// --- reading pages

const TrpXMLSerializer::ComponentText &TrpPreviewPages::sourceText(const TrpComponent &source)
{
    // Checked against the text itself: a source freed and another made at
    // the same place must not inherit its entry.
    TrpXMLSerializer::ComponentText &entry = m_sourceTexts[&source];
    const QString text = source.BaseName();
    if (entry.source != text || entry.className.isEmpty())
        entry = TrpXMLSerializer::ParseComponentText(text);
    return entry;
}

void TrpPreviewPages::readObjects(TrpXMLItem *element, TrpComponent *parent)
{
    TrpXMLSerializer serializer(nullptr);
    for (int i = 0; i < element->Count(); ++i) {
        TrpXMLItem *child = element->Items(i);
        TrpComponent *source = sourceOf(child);
        TrpComponent *obj = nullptr;
        try {
            obj = source ? serializer.ReadComponentText(parent, sourceText(*source), child->Text, true)
                         : serializer.ReadComponentText(parent, child->Name + u' ' + child->Text, true);
        } catch (const bralvo::Error &) {
            continue; // an unknown class in a damaged file: the object is missing
        }
        if (!obj)
            continue;
        if (source) {
            setNameQuietly(*obj, source->name());
            auto *picture = dynamic_cast<TrpPictureView *>(obj);
            if (picture && picture->Picture()->IsEmpty())
                m_pictureCache.RestoreGraphic(*picture);
        }
        readObjects(child, obj);
    }
}

std::unique_ptr<TrpReportPage> TrpPreviewPages::buildPage(TrpXMLItem *element)
{
    if (!element->Loaded)
        m_document->LoadItem(element);
    if (isWholePageElement(*element)) {
        std::unique_ptr<TrpReportPage> page = newPageLike(element->Name);
        TrpXMLSerializer serializer(nullptr);
        serializer.ReadComponentTree(page.get(), element);
        return page;
    }
    const TrpReportPage *source = SourcePage(sourceIndexOfElement(*element));
    std::unique_ptr<TrpReportPage> page = newPageLike(source ? source->className() : QString());
    if (source) {
        page->assign(*source);
        setNameQuietly(*page, source->name());
    }
    readObjects(element, page.get());
    return page;
}

TrpReportPage *TrpPreviewPages::GetPage(int index)
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    const bool running = Engine() && Engine()->IsRunning();
    for (size_t i = 0; i < m_pageCache.size(); ++i) {
        if (m_pageCache[i].index != index)
            continue;
        CachedPage hit = std::move(m_pageCache[i]);
        m_pageCache.erase(m_pageCache.begin() + qsizetype(i));
        if (running)
            break; // rebuilt below: the page may have grown since
        m_pageCache.insert(m_pageCache.begin(), std::move(hit));
        return m_pageCache.front().page.get();
    }
    std::unique_ptr<TrpReportPage> page = buildPage(PagesElement()->Items(index));
    page->AlignChildren();
    m_pageCache.insert(m_pageCache.begin(), CachedPage{index, std::move(page)});
    TrpReportPage *result = m_pageCache.front().page.get();
    trimPageCache();
    return result;
}

void TrpPreviewPages::trimPageCache()
{
    const int limit = Report() ? Report()->PreviewOptions()->PagesInCache() : 50;
    const bool fileCache = Report() && Report()->EngineOptions()->UseFileCache();
    while (m_pageCache.size() > 1 && int(m_pageCache.size()) > limit) {
        const int index = m_pageCache.back().index;
        m_pageCache.pop_back();
        if (!fileCache || index >= GetCount())
            continue;
        TrpXMLItem *element = PagesElement()->Items(index);
        if (!element->Unloadable || !element->Loaded)
            continue;
        // A partially loaded store reads the page again from its stream.
        if (m_partiallyLoaded)
            element->Clear();
        else
            m_document->UnloadItem(element);
    }
}

void TrpPreviewPages::ClearPageCache()
{
    m_pageCache.clear();
}

QPoint TrpPreviewPages::GetPageSize(int index)
{
    if (index < 0 || index >= GetCount())
        return QPoint(0, 0);
    const TrpXMLItem *element = PagesElement()->Items(index);
    if (!isWholePageElement(*element)) {
        if (const TrpReportPage *source = SourcePage(sourceIndexOfElement(*element)))
            return QPoint(RoundToInt(source->Width()), RoundToInt(source->Height()));
    }
    const TrpReportPage *page = GetPage(index);
    if (!page)
        return QPoint(0, 0);
    return QPoint(RoundToInt(page->Width()), RoundToInt(page->Height()));
}

bool TrpPreviewPages::Print()
{
    TrpPrintHooks hooks;
    hooks.setCopyNo = [this](int copyNo) { m_copyNo = copyNo; };
    hooks.setPrintScale = [this](double scale) { m_printScale = scale; };
    hooks.clearPageCache = [this] { ClearPageCache(); };
    return TrpPagesPrinter(*this, std::move(hooks)).Print();
}

bool TrpPreviewPages::Export(TrpCustomExportFilter *filter)
{
    m_copyNo = 0;
    TrpReport *report = Report();
    if (!filter || !report || filter != CurrentDMPExportFilter())
        return TrpCustomPreviewPages::Export(filter);
    filter->SetReport(report);
    const bool showDialog = filter->ShowDialog();
    if (showDialog && !filter->Stream() && filter->ShowModal() != 1)
        return false;
    if (report->OnPrintReport)
        report->OnPrintReport(report);
    filter->SetShowDialog(false);  // already shown
    bool result = false;
    try {
        result = TrpCustomPreviewPages::Export(filter);
    } catch (...) {
        filter->SetShowDialog(showDialog);
        if (report->OnAfterPrintReport)
            report->OnAfterPrintReport(report);
        throw;
    }
    filter->SetShowDialog(showDialog);
    if (report->OnAfterPrintReport)
        report->OnAfterPrintReport(report);
    return result;
}

void installPreviewPages()
{
    TrpReportMachinery m = reportMachinery();
    m.createPreviewPages = [](TrpReport &report) -> std::unique_ptr<TrpCustomPreviewPages> {
        return std::make_unique<TrpPreviewPages>(&report);
    };
    setReportMachinery(m);
}

} // namespace bralvo::report
