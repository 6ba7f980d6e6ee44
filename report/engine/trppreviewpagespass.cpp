// Passes, logical page numbers, anchors and the keep-together support of
// the prepared-pages store.
#include "report/engine/trppreviewpages.h"

#include "platform/error.h"
#include "report/model/trpband.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"

#include <cmath>

namespace bralvo::report {

namespace {

int roundEven(double v)
{
    return RoundToInt(v);
}

// A number attribute; Fallback when absent or not a number.
double numberProp(const TrpXMLItem &item, const QString &name, double fallback)
{
    if (!item.PropExists(name))
        return fallback;
    try {
        return StrToFloatLoose(item.Prop(name));
    } catch (const bralvo::Error &) {
        return fallback;
    }
}

} // namespace

bool TrpPreviewPages::finalPassOfDoublePass() const
{
    return Engine() && Engine()->DoublePass() && Engine()->FinalPass();
}

// --- passes

void TrpPreviewPages::BeginPass()
{
    m_firstPageIndex = GetCount() - 1;
    if (m_firstPageIndex >= 0) {
        TrpXMLItem *last = PagesElement()->Items(m_firstPageIndex);
        if (!last->Loaded)
            m_document->LoadItem(last);
        m_firstObjectIndex = last->Count();
    }
    ResetLogicalPageNumber();
}

void TrpPreviewPages::ClearFirstPassPages()
{
    ClearPageCache();
    if (m_firstPageIndex == -1) {
        TrpXMLItem *root = m_document->Root();
        for (int i = 0; i < root->Count(); ++i) {
            TrpXMLItem *child = root->Items(i);
            if (child->Name != QLatin1String("anchors") && child->Name != QLatin1String("logicalpagenumbers"))
                child->Clear();
        }
        if (Outline())
            Outline()->SetCurrentItem(nullptr);
    } else if (m_firstPageIndex < GetCount()) {
        TrpXMLItem *pages = PagesElement();
        TrpXMLItem *first = pages->Items(m_firstPageIndex);
        if (!first->Loaded)
            m_document->LoadItem(first);
        while (first->Count() > m_firstObjectIndex)
            delete first->Items(first->Count() - 1);
        while (pages->Count() > m_firstPageIndex + 1)
            delete pages->Items(pages->Count() - 1);
    }
    ResetLogicalPageNumber();
    SetWritePage(m_firstPageIndex);
    m_unsavedBytes = 0;
}

// --- logical page numbers

TrpXMLItem *TrpPreviewPages::logicalElement(int pageIndex)
{
    const TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("logicalpagenumbers"));
    if (at < 0 || pageIndex < 0 || pageIndex >= root->Items(at)->Count())
        return nullptr;
    return root->Items(at)->Items(pageIndex);
}

void TrpPreviewPages::IncLogicalPageNumber()
{
    if (finalPassOfDoublePass())
        return;
    ++m_logicalCounter;
    TrpXMLItem *element = rootChild(QStringLiteral("logicalpagenumbers"))->Add();
    element->Name = QStringLiteral("page");
    element->Text = QStringLiteral("n=\"%1\"").arg(m_logicalCounter);
}

void TrpPreviewPages::ResetLogicalPageNumber()
{
    if (finalPassOfDoublePass())
        return;
    for (int i = WritePage(); i > m_firstPageIndex; --i) {
        TrpXMLItem *element = logicalElement(i);
        if (!element)
            continue;
        element->SetProp(QStringLiteral("t"), QString::number(m_logicalCounter));
        if (element->Prop(QStringLiteral("n")) == QLatin1String("1"))
            break;
    }
    m_logicalCounter = 0;
}

int TrpPreviewPages::GetLogicalPageNo()
{
    if (const TrpXMLItem *element = logicalElement(WritePage()))
        return element->Prop(QStringLiteral("n")).toInt();
    return WritePage() - NumberingBase() + 1;
}

int TrpPreviewPages::GetLogicalTotalPages()
{
    if (const TrpXMLItem *element = logicalElement(WritePage()))
        return element->Prop(QStringLiteral("t")).toInt();
    return (Engine() ? Engine()->TotalPages() : 0) - NumberingBase();
}

// --- anchors

void TrpPreviewPages::AddAnchor(const QString &text)
{
    TrpXMLItem *item = rootChild(QStringLiteral("anchors"))->Add();
    item->Name = QStringLiteral("item");
    const int top = Engine() ? roundEven(Engine()->CurY()) : 0;
    item->Text = QStringLiteral("text=\"%1\" page=\"%2\" top=\"%3\"")
                     .arg(StrToXML(text), QString::number(WritePage()), QString::number(top));
}

int TrpPreviewPages::GetAnchorCur()
{
    const TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("anchors"));
    return (at < 0 ? 0 : root->Items(at)->Count()) - 1;
}

void TrpPreviewPages::ShiftAnchors(int from, int newTop)
{
    const TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("anchors"));
    if (at < 0 || from + 1 < 0 || from + 1 >= root->Items(at)->Count())
        return;
    TrpXMLItem *anchors = root->Items(at);
    const int delta = newTop - anchors->Items(from + 1)->Prop(QStringLiteral("top")).toInt();
    for (int i = from + 1; i < anchors->Count(); ++i) {
        TrpXMLItem *a = anchors->Items(i);
        a->SetProp(QStringLiteral("page"), QString::number(a->Prop(QStringLiteral("page")).toInt() + 1));
        a->SetProp(QStringLiteral("top"), QString::number(a->Prop(QStringLiteral("top")).toInt() + delta));
    }
}

TrpXMLItem *TrpPreviewPages::FindAnchor(const QString &text)
{
    const TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("anchors"));
    if (at < 0)
        return nullptr;
    const TrpXMLItem *anchors = root->Items(at);
    for (int i = anchors->Count() - 1; i >= 0; --i) {
        if (anchors->Items(i)->Prop(QStringLiteral("text")).compare(text, Qt::CaseInsensitive) == 0)
            return anchors->Items(i);
    }
    return nullptr;
}

int TrpPreviewPages::GetAnchorPage(const QString &text)
{
    const TrpXMLItem *anchor = FindAnchor(text);
    return anchor ? anchor->Prop(QStringLiteral("page")).toInt() + 1 : 1;
}

// --- keep-together support

int TrpPreviewPages::GetCurPosition()
{
    const TrpXMLItem *page = currentPageElement();
    return page ? page->Count() : 0;
}

int TrpPreviewPages::CutObjects(int fromIndex)
{
    TrpXMLItem *page = currentPageElement();
    if (!page)
        return 0;
    TrpXMLItem *cutted = rootChild(QStringLiteral("cutted"));
    while (page->Count() > qMax(fromIndex, 0))
        cutted->AddItem(page->Items(qMax(fromIndex, 0)));
    return page->Count();
}

void TrpPreviewPages::PasteObjects(double x, double y)
{
    TrpXMLItem *root = m_document->Root();
    const int at = root->Find(QStringLiteral("cutted"));
    if (at < 0)
        return;
    TrpXMLItem *cutted = root->Items(at);
    TrpXMLItem *page = currentPageElement();
    if (page && cutted->Count() > 0) {
        const TrpComponent *firstSource = sourceOf(cutted->Items(0));
        const double l0 = numberProp(*cutted->Items(0), QStringLiteral("l"), firstSource ? firstSource->Left() : 0);
        const double t0 = numberProp(*cutted->Items(0), QStringLiteral("t"), firstSource ? firstSource->Top() : 0);
        while (cutted->Count() > 0) {
            TrpXMLItem *element = cutted->Items(0);
            const TrpComponent *source = sourceOf(element);
            const double l = numberProp(*element, QStringLiteral("l"), source ? source->Left() : 0);
            const double t = numberProp(*element, QStringLiteral("t"), source ? source->Top() : 0);
            element->SetProp(QStringLiteral("l"), FloatToFileStr(l + x - l0));
            element->SetProp(QStringLiteral("t"), FloatToFileStr(t + y - t0));
            page->AddItem(element);
        }
    }
    delete cutted;
}

double TrpPreviewPages::GetLastY()
{
    const TrpXMLItem *page = currentPageElement();
    if (!page)
        return 0;
    double lastY = 0;
    for (int i = 0; i < page->Count(); ++i) {
        const TrpXMLItem *element = page->Items(i);
        const TrpComponent *source = sourceOf(element);
        if (!source || !dynamic_cast<const TrpBand *>(source) || dynamic_cast<const TrpPageFooter *>(source)
            || dynamic_cast<const TrpOverlay *>(source))
            continue;
        const double t = numberProp(*element, QStringLiteral("t"), source->Top());
        const double h = numberProp(*element, QStringLiteral("h"), source->Height());
        lastY = qMax(lastY, t + h);
    }
    return lastY;
}

bool TrpPreviewPages::BandExists(TrpBand *band)
{
    const TrpXMLItem *page = currentPageElement();
    if (!page || !band)
        return false;
    for (int i = 0; i < page->Count(); ++i) {
        const TrpComponent *source = sourceOf(page->Items(i));
        if (!source)
            continue;
        if (source->SourceComponent() == band)
            return true;
        if (dynamic_cast<const TrpPageFooter *>(source) && dynamic_cast<const TrpPageFooter *>(band))
            return true;
        if (source->inheritsFrom(TrpColumnFooter::staticClass()) && band->inheritsFrom(TrpColumnFooter::staticClass()))
            return true;
    }
    return false;
}

} // namespace bralvo::report
