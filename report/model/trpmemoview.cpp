// Text objects: properties, output text, layout questions and diffs.
#include "report/model/trpmemoview.h"

#include "report/model/trpdataset.h"
#include "report/model/trpframe.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trpstyles.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

#include <cmath>

namespace bralvo::report {

namespace {

std::function<std::unique_ptr<TrpMemoTextLayout>()> &layoutFactory()
{
    static std::function<std::unique_ptr<TrpMemoTextLayout>()> f;
    return f;
}

} // namespace


const platform::EnumInfo &hAlignEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TrpHAlign"),
                                      {QStringLiteral("haLeft"), QStringLiteral("haRight"),
                                       QStringLiteral("haCenter"), QStringLiteral("haBlock")}};
    return e;
}

const platform::EnumInfo &vAlignEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TrpVAlign"),
                                      {QStringLiteral("vaTop"), QStringLiteral("vaBottom"),
                                       QStringLiteral("vaCenter")}};
    return e;
}

void setMemoTextLayout(std::function<std::unique_ptr<TrpMemoTextLayout>()> factory)
{
    layoutFactory() = std::move(factory);
}

std::unique_ptr<TrpMemoTextLayout> createMemoTextLayout()
{
    return layoutFactory() ? layoutFactory()() : nullptr;
}

const platform::ClassInfo &TrpCustomMemoView::staticClass()
{
    using T = TrpCustomMemoView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomMemoView", &TrpStretcheable::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("FirstParaBreak", &T::FirstParaBreak, &T::SetFirstParaBreak, false);
            b.boolean("LastParaBreak", &T::LastParaBreak, &T::SetLastParaBreak, false);
            b.integer("Cursor", &T::Cursor, &T::SetCursor, 0);
            b.string("TagStr", &T::TagStr, &T::SetTagStr);
            b.string("URL", &T::URL, &T::SetURL);
        });
    return info;
}

// The properties both published memo classes share, in declared order;
// Full adds those only the plain memo publishes.
template <class T>
static void publishMemo(platform::PropertyTable &t, bool full)
{
    platform::PropertyBuilder<T> b(t);
    b.boolean("AutoWidth", &T::AutoWidth, &T::SetAutoWidth, false);
    if (full) {
        b.boolean("AllowExpressions", &T::AllowExpressions, &T::SetAllowExpressions, true);
        b.boolean("AllowHTMLTags", &T::AllowHTMLTags, &T::SetAllowHTMLTags, false);
    }
    b.enumeration("BrushStyle", brushStyleEnum(), &T::BrushStyle, &T::SetBrushStyle, bsSolid);
    b.floating("CharSpacing", &T::CharSpacing, &T::SetCharSpacing).storedIf([](const T &m) { return m.CharSpacing() != 0; });
    if (full)
        b.boolean("Clipped", &T::Clipped, &T::SetClipped, true);
    b.integer("Color", &T::Color, &T::SetColor, clNone);
    if (full) {
        b.string("DataField", &T::DataField, &T::SetDataField);
        b.template reference<TrpDataSet>("DataSet", &T::DataSet, &T::SetDataSet);
        b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
    }
    b.template object<TrpFormat>("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
    if (full) {
        b.string("ExpressionDelimiters", &T::ExpressionDelimiters, &T::SetExpressionDelimiters)
            .storedIf([](const T &m) { return m.ExpressionDelimiters() != QLatin1String("[,]"); });
        b.template reference<TrpCustomMemoView>("FlowTo", &T::FlowTo, &T::SetFlowTo);
    }
    b.template object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &m) { return !m.ParentFont(); });
    b.template object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
    b.floating("GapX", &T::GapX, &T::SetGapX).storedIf([](const T &m) { return m.GapX() != 2; });
    b.floating("GapY", &T::GapY, &T::SetGapY).storedIf([](const T &m) { return m.GapY() != 1; });
    b.enumeration("HAlign", hAlignEnum(), &T::HAlign, &T::SetHAlign, haLeft);
    b.boolean("HideZeros", &T::HideZeros, &T::SetHideZeros, false);
    b.template object<TrpHighlight>("Highlight", &T::Highlight, &T::SetHighlight)
        .storedIf([](const T &m) { return !m.Highlight()->Condition().trimmed().isEmpty(); });
    if (full)
        b.floating("LineSpacing", &T::LineSpacing, &T::SetLineSpacing).storedIf([](const T &m) { return m.LineSpacing() != 2; });
    b.template object<TWideStrings>("Memo", &T::Memo, &T::SetMemo);
    if (full)
        b.floating("ParagraphGap", &T::ParagraphGap, &T::SetParagraphGap).storedIf([](const T &m) { return m.ParagraphGap() != 0; });
    b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
    b.integer("Rotation", &T::Rotation, &T::SetRotation, 0);
    b.boolean("RTLReading", &T::RTLReading, &T::SetRTLReading, false);
    b.string("Style", &T::Style, &T::SetStyle);
    b.boolean("SuppressRepeated", &T::SuppressRepeated, &T::SetSuppressRepeated, false);
    if (full) {
        b.boolean("Underlines", &T::Underlines, &T::SetUnderlines, false);
        b.boolean("WordBreak", &T::WordBreak, &T::SetWordBreak, false);
    }
    if (!full)
        b.enumeration("VAlign", vAlignEnum(), &T::VAlign, &T::SetVAlign, vaTop);
    b.boolean("WordWrap", &T::WordWrap, &T::SetWordWrap, true);
    if (full) {
        b.boolean("Wysiwyg", &T::Wysiwyg, &T::SetWysiwyg, true);
        b.enumeration("VAlign", vAlignEnum(), &T::VAlign, &T::SetVAlign, vaTop);
    }
}

const platform::ClassInfo &TrpMemoView::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpMemoView", &TrpCustomMemoView::staticClass(), [](platform::Component *o) { return new TrpMemoView(o); },
        [](platform::PropertyTable &t) { publishMemo<TrpMemoView>(t, true); });
    return info;
}

const platform::ClassInfo &TrpSysMemoView::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpSysMemoView", &TrpCustomMemoView::staticClass(),
        [](platform::Component *o) { return new TrpSysMemoView(o); },
        [](platform::PropertyTable &t) { publishMemo<TrpSysMemoView>(t, false); });
    return info;
}

TrpCustomMemoView::TrpCustomMemoView(platform::Component *owner)
    : TrpStretcheable(owner), m_memo(std::make_unique<TWideStrings>()),
      m_displayFormat(std::make_unique<TrpFormat>()), m_highlight(std::make_unique<TrpHighlight>())
{
    SetComponentStyle(ComponentStyle() & ~FullTextDiff);
}

TrpCustomMemoView::~TrpCustomMemoView() = default;

void TrpCustomMemoView::SetMemo(const TWideStrings *v)
{
    if (v && v != m_memo.get())
        m_memo->assign(*v);
}

QString TrpCustomMemoView::Text() const
{
    QString t = m_memo->Text();
    if (t.endsWith(QStringLiteral("\r\n")))
        t.chop(2);
    return t;
}

void TrpCustomMemoView::SetText(const QString &text)
{
    m_memo->SetText(text);
}

void TrpCustomMemoView::SetDisplayFormat(const TrpFormat *v)
{
    if (v && v != m_displayFormat.get())
        m_displayFormat->assign(*v);
}

void TrpCustomMemoView::SetHighlight(const TrpHighlight *v)
{
    if (v && v != m_highlight.get())
        m_highlight->assign(*v);
}

void TrpCustomMemoView::SetFlowTo(TrpCustomMemoView *v)
{
    if (v == this)
        v = nullptr;
    if (m_flowTo)
        m_flowTo->removeFreeNotification(this);
    m_flowTo = v;
    if (v)
        v->freeNotification(this);
}

void TrpCustomMemoView::SetStyle(const QString &v)
{
    m_style = v;
    TrpReport *report = Report();
    if (!report || !report->Styles())
        return;
    if (TrpStyleItem *s = report->Styles()->Find(v)) {
        SetColor(s->Color());
        SetFont(s->Font());
        SetFrame(s->Frame());
    }
}

void TrpCustomMemoView::notification(platform::Component *component, platform::Operation operation)
{
    TrpStretcheable::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_flowTo)
        m_flowTo = nullptr;
}

QString TrpCustomMemoView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obText"));
}

QString TrpSysMemoView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obSysText"));
}

} // namespace bralvo::report
