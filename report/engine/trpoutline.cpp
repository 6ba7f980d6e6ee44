// The outline tree over report XML elements.
#include "report/engine/trpoutline.h"

#include "report/engine/trppreviewpages.h"
#include "report/model/trpxml.h"

namespace bralvo::report {

namespace {

int intProp(const TrpXMLItem &item, const QString &name)
{
    return item.Prop(name).toInt();
}

// Page + 1 and Top + Delta for Item and everything below it.
void shiftDown(TrpXMLItem &item, int delta)
{
    item.SetProp(QStringLiteral("page"), QString::number(intProp(item, QStringLiteral("page")) + 1));
    item.SetProp(QStringLiteral("top"), QString::number(intProp(item, QStringLiteral("top")) + delta));
    for (int i = 0; i < item.Count(); ++i)
        shiftDown(*item.Items(i), delta);
}

} // namespace

TrpOutline::TrpOutline(TrpPreviewPages *pages) : TrpCustomOutline(pages), m_store(pages) {}

TrpXMLItem *TrpOutline::Root()
{
    return m_store->Document().Root()->FindItem(QStringLiteral("outline"));
}

int TrpOutline::ItemCount()
{
    return CurrentItem() ? CurrentItem()->Count() : 0;
}

void TrpOutline::AddItem(const QString &text, int top)
{
    if (!CurrentItem())
        LevelRoot();
    TrpXMLItem *item = CurrentItem()->Add();
    item->Name = QStringLiteral("item");
    item->Text = QStringLiteral("text=\"%1\" page=\"%2\" top=\"%3\"")
                     .arg(StrToXML(text), QString::number(m_store->WritePage()), QString::number(top));
    SetCurrentItem(item);
}

void TrpOutline::DescendTo(int index)
{
    if (CurrentItem() && index >= 0 && index < CurrentItem()->Count())
        SetCurrentItem(CurrentItem()->Items(index));
}

void TrpOutline::LevelRoot()
{
    SetCurrentItem(Root());
}

void TrpOutline::LevelUp()
{
    if (CurrentItem() && CurrentItem() != Root() && CurrentItem()->Parent())
        SetCurrentItem(CurrentItem()->Parent());
}

void TrpOutline::GetItemInfo(int index, QString &text, int &page, int &top)
{
    text.clear();
    page = top = 0;
    if (!CurrentItem() || index < 0 || index >= CurrentItem()->Count())
        return;
    const TrpXMLItem *item = CurrentItem()->Items(index);
    text = item->Prop(QStringLiteral("text"));
    page = intProp(*item, QStringLiteral("page"));
    top = intProp(*item, QStringLiteral("top"));
}

void TrpOutline::ShiftItems(TrpXMLItem *from, int newTop)
{
    if (!from || !from->Parent())
        return;
    TrpXMLItem *parent = from->Parent();
    const int next = parent->IndexOf(from) + 1;
    if (next <= 0 || next >= parent->Count())
        return;
    TrpXMLItem *sibling = parent->Items(next);
    shiftDown(*sibling, newTop - intProp(*sibling, QStringLiteral("top")));
}

TrpXMLItem *TrpOutline::GetCurPosition()
{
    if (!CurrentItem() || CurrentItem()->Count() == 0)
        return nullptr;
    return CurrentItem()->Items(CurrentItem()->Count() - 1);
}

} // namespace bralvo::report
