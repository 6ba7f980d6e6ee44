// Dot-matrix memo: property table, grid snapping and the font reset.
#include "report/model/trpdmpmemoview.h"

#include "platform/font.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdisplayformat.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpframe.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpresources.h"
#include "report/model/twidestrings.h"

#include <cmath>

namespace bralvo::report {

const platform::ClassInfo &TrpDMPMemoView::staticClass()
{
    using T = TrpDMPMemoView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPMemoView", &TrpCustomMemoView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("AutoWidth", &T::AutoWidth, &T::SetAutoWidth, false);
            b.boolean("AllowExpressions", &T::AllowExpressions, &T::SetAllowExpressions, true);
            b.string("DataField", &T::DataField, &T::SetDataField);
            b.reference<TrpDataSet>("DataSet", &T::DataSet, &T::SetDataSet);
            b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
            b.object<TrpFormat>("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
            b.string("ExpressionDelimiters", &T::ExpressionDelimiters, &T::SetExpressionDelimiters)
                .storedIf([](const T &m) { return m.ExpressionDelimiters() != QLatin1String("[,]"); });
            b.reference<TrpCustomMemoView>("FlowTo", &T::FlowTo, &T::SetFlowTo);
            b.set("FontStyle", DMPFontStylesEnum(), &T::FontStyle, &T::SetFontStyle, 0)
                .storedIf([](const T &m) { return !m.ParentFont(); });
            b.object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
            b.enumeration("HAlign", hAlignEnum(), &T::HAlign, &T::SetHAlign, haLeft);
            b.boolean("HideZeros", &T::HideZeros, &T::SetHideZeros, false);
            b.object<TWideStrings>("Memo", &T::Memo, &T::SetMemo);
            b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
            b.boolean("RTLReading", &T::RTLReading, &T::SetRTLReading, false);
            b.boolean("SuppressRepeated", &T::SuppressRepeated, &T::SetSuppressRepeated, false);
            b.boolean("WordWrap", &T::WordWrap, &T::SetWordWrap, true);
            b.enumeration("VAlign", vAlignEnum(), &T::VAlign, &T::SetVAlign, vaTop);
        });
    return info;
}

TrpDMPMemoView::TrpDMPMemoView(platform::Component *owner) : TrpCustomMemoView(owner)
{
    // The base took ParentFont before this class existed; a new memo on a
    // dot-matrix page starts with the page's style.
    if (auto *page = dynamic_cast<TrpDMPPage *>(Page()); page && ParentFont())
        m_fontStyle = page->FontStyle();
    resetFont();
}

void TrpDMPMemoView::resetFont()
{
    platform::Font &font = *Font();
    font.setOnChange(nullptr);
    font.setName(QStringLiteral("Courier New"));
    font.setSize(12);
    int bits = 0;
    if (m_fontStyle & fsxBold)
        bits |= platform::fsBold;
    if (m_fontStyle & fsxItalic)
        bits |= platform::fsItalic;
    if (m_fontStyle & fsxUnderline)
        bits |= platform::fsUnderline;
    font.setStyle(bits);
    // One text line is then exactly one cell high.
    SetCharSpacing(0);
    SetLineSpacing(1);
    SetGapX(0);
    SetGapY(0);
}

void TrpDMPMemoView::SetFontStyle(int value)
{
    m_fontStyle = value;
    TrpCustomMemoView::SetParentFont(false);
    resetFont();
}

void TrpDMPMemoView::SetParentFont(bool value)
{
    TrpCustomMemoView::SetParentFont(value);
    if (!value)
        return;
    if (auto *page = dynamic_cast<TrpDMPPage *>(Page())) {
        m_fontStyle = page->FontStyle();
        resetFont();
    }
}

void TrpDMPMemoView::SetLeft(double v)
{
    TrpCustomMemoView::SetLeft(Align() == baRight ? DMPTruncToCell(v, DMPCellWidth)
                                                  : DMPRoundToCell(v, DMPCellWidth));
}

void TrpDMPMemoView::SetTop(double v)
{
    TrpCustomMemoView::SetTop(DMPRoundToCell(v, DMPCellHeight));
}

void TrpDMPMemoView::SetWidth(double v)
{
    TrpCustomMemoView::SetWidth(DMPRoundToCell(v, DMPCellWidth));
}

void TrpDMPMemoView::SetHeight(double v)
{
    TrpCustomMemoView::SetHeight(DMPRoundToCell(v, DMPCellHeight));
}

double TrpDMPMemoView::CalcHeight()
{
    return DMPRoundToCell(TrpCustomMemoView::CalcHeight(), DMPCellHeight);
}

double TrpDMPMemoView::CalcWidth()
{
    return DMPRoundToCell(TrpCustomMemoView::CalcWidth(), DMPCellWidth);
}

void TrpDMPMemoView::DrawFrame()
{
    const auto px = [](double v) { return RoundToInt(v); };
    m_x = px((AbsLeft() - DMPCellWidth / 2) * m_scaleX + m_offsetX);
    m_x1 = px((AbsLeft() + Width() + DMPCellWidth / 2) * m_scaleX + m_offsetX);
    m_y = px((AbsTop() - DMPCellHeight / 2) * m_scaleY + m_offsetY);
    m_y1 = px((AbsTop() + Height() + DMPCellHeight / 2) * m_scaleY + m_offsetY);
    m_dx = m_x1 - m_x;
    m_dy = m_y1 - m_y;
    TrpCustomMemoView::DrawFrame();
}

QString TrpDMPMemoView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDMPText"));
}

QString TrpDMPMemoView::Diff(const TrpComponent &def) const
{
    QString t = TrpCustomMemoView::Diff(def);
    const auto *d = dynamic_cast<const TrpDMPMemoView *>(&def);
    if (d && m_fontStyle != d->m_fontStyle)
        t += QStringLiteral(" FontStyle=\"%1\"").arg(m_fontStyle);
    return t;
}

} // namespace bralvo::report
