// The view base: its property table, dataset link, output texts and
// difference coding. Drawing lives in trpviewdraw.cpp.
#include "report/model/trpview.h"

#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

namespace bralvo::report {

using platform::EnumInfo;

namespace {

QString item(const QString &key, const QString &value)
{
    return u' ' + key + QStringLiteral("=\"") + value + u'"';
}

QString boolText(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

const EnumInfo &alignEnum()
{
    static const EnumInfo e{QStringLiteral("TrpAlign"),
                            {QStringLiteral("baNone"), QStringLiteral("baLeft"), QStringLiteral("baRight"),
                             QStringLiteral("baCenter"), QStringLiteral("baWidth"), QStringLiteral("baBottom"),
                             QStringLiteral("baClient")}};
    return e;
}

const EnumInfo &shiftModeEnum()
{
    static const EnumInfo e{QStringLiteral("TrpShiftMode"),
                            {QStringLiteral("smDontShift"), QStringLiteral("smAlways"),
                             QStringLiteral("smWhenOverlapped")}};
    return e;
}

const EnumInfo &brushStyleEnum()
{
    static const EnumInfo e{QStringLiteral("TBrushStyle"),
                            {QStringLiteral("bsSolid"), QStringLiteral("bsClear"), QStringLiteral("bsHorizontal"),
                             QStringLiteral("bsVertical"), QStringLiteral("bsFDiagonal"),
                             QStringLiteral("bsBDiagonal"), QStringLiteral("bsCross"),
                             QStringLiteral("bsDiagCross")}};
    return e;
}

const platform::ClassInfo &TrpView::staticClass()
{
    using T = TrpView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpView", &TrpReportComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("Align", alignEnum(), &T::Align, &T::SetAlign, baNone);
            b.boolean("Printable", &T::Printable, &T::SetPrintable, true);
            b.enumeration("ShiftMode", shiftModeEnum(), &T::ShiftMode, &T::SetShiftMode, smAlways);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.floating("Top", &T::Top, &T::SetTop);
            b.floating("Width", &T::Width, &T::SetWidth);
            b.floating("Height", &T::Height, &T::SetHeight);
            b.integer("GroupIndex", &T::GroupIndex, &T::SetGroupIndex, 0);
            b.set("Restrictions", restrictionEnum(), &T::Restrictions, &T::SetRestrictions, 0);
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
            b.string("OnAfterData", &T::OnAfterData, &T::SetOnAfterData);
            b.string("OnAfterPrint", &T::OnAfterPrint, &T::SetOnAfterPrint);
            b.string("OnBeforePrint", &T::OnBeforePrint, &T::SetOnBeforePrint);
            b.string("OnPreviewClick", &T::OnPreviewClick, &T::SetOnPreviewClick);
        });
    return info;
}

TrpView::TrpView(platform::Component *owner) : TrpReportComponent(owner), m_frame(std::make_unique<TrpFrame>())
{
    SetComponentStyle(ComponentStyle() | FullTextDiff);
}

TrpView::~TrpView()
{
    if (m_dataSet)
        m_dataSet->removeFreeNotification(this);
}

void TrpView::SetFrame(const TrpFrame *v)
{
    if (v && v != m_frame.get())
        m_frame->assign(*v);
}

// --- dataset link

void TrpView::SetDataSet(TrpDataSet *v)
{
    SetLinkedDataSet(*this, m_dataSet, m_dataSetName, v);
}

QString TrpView::DataSetName() const
{
    return LinkedDataSetName(m_dataSet, m_dataSetName);
}

void TrpView::SetDataSetName(const QString &v)
{
    SetLinkedDataSetName(*this, m_dataSet, m_dataSetName, v, Report());
}

bool TrpView::IsDataField() const
{
    return m_dataSet && !m_dataField.isEmpty();
}

void TrpView::notification(platform::Component *component, platform::Operation operation)
{
    TrpReportComponent::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_dataSet)
        m_dataSet = nullptr;
}

// --- output

void TrpView::BeforePrint()
{
    TrpReportComponent::BeforePrint();
    m_savedTagStr = m_tagStr;
    m_savedUrl = m_url;
}

void TrpView::AfterPrint()
{
    TrpReportComponent::AfterPrint();
    m_tagStr = m_savedTagStr;
    m_url = m_savedUrl;
}

void TrpView::GetData()
{
    if (m_tagStr.contains(u'['))
        m_tagStr = ExpandExpressions(m_tagStr);
    if (m_url.contains(u'['))
        m_url = ExpandExpressions(m_url);
}

QString TrpView::ExpandExpressions(const QString &text) const
{
    TrpReport *report = Report();
    QString s = text;
    qsizetype i = 0;
    while (i < s.size()) {
        if (s.at(i) != u'[') {
            ++i;
            continue;
        }
        QString expr;
        int endPos = 0;
        GetBracketedExpression(s, u'[', u']', expr, endPos, int(i));
        const QString value = report ? report->Calc(expr).toString() : QString();
        s.replace(i, endPos - i + 1, value);
        i += value.size();
    }
    return s;
}

// --- difference coding

QString TrpView::Diff(const TrpComponent &def) const
{
    QString t = TrpReportComponent::Diff(def);
    const auto *d = dynamic_cast<const TrpView *>(&def);
    if (!d)
        return t;
    if (m_brushStyle != d->m_brushStyle)
        t += item(QStringLiteral("BrushStyle"), QString::number(m_brushStyle));
    if (m_align != d->m_align)
        t += item(QStringLiteral("Align"), QString::number(m_align));
    if (m_color != d->m_color)
        t += item(QStringLiteral("Color"), QString::number(m_color));
    t += frameDiff(*d->m_frame);
    if (m_cursor != d->m_cursor)
        t += item(QStringLiteral("Cursor"), QString::number(m_cursor));
    if (m_printable != d->m_printable)
        t += item(QStringLiteral("Printable"), boolText(m_printable));
    if (m_tagStr != d->m_tagStr)
        t += item(QStringLiteral("TagStr"), StrToXML(m_tagStr));
    if (m_url != d->m_url)
        t += item(QStringLiteral("URL"), StrToXML(m_url));
    return t;
}

QString TrpView::frameDiff(const TrpFrame &def) const
{
    const TrpFrame &f = *m_frame;
    QString t;
    const bool colorSet = f.Color() != def.Color();
    const bool styleSet = f.Style() != def.Style();
    const bool widthSet = FloatDiffers(f.Width(), def.Width());
    if (colorSet)
        t += item(QStringLiteral("Frame.Color"), QString::number(f.Color()));
    if (f.DropShadow() != def.DropShadow())
        t += item(QStringLiteral("Frame.DropShadow"), boolText(f.DropShadow()));
    if (f.ShadowColor() != def.ShadowColor())
        t += item(QStringLiteral("Frame.ShadowColor"), QString::number(f.ShadowColor()));
    if (FloatDiffers(f.ShadowWidth(), def.ShadowWidth()))
        t += item(QStringLiteral("Frame.ShadowWidth"), FloatToFileStr(f.ShadowWidth()));
    if (styleSet)
        t += item(QStringLiteral("Frame.Style"), QString::number(f.Style()));
    if (f.Typ() != def.Typ())
        t += item(QStringLiteral("Frame.Typ"), QString::number(f.Typ()));
    if (widthSet)
        t += item(QStringLiteral("Frame.Width"), FloatToFileStr(f.Width()));
    struct Side { const char *key; TrpFrameLine *line, *defLine; };
    const Side sides[] = {{"Frame.LeftLine", f.LeftLine(), def.LeftLine()},
                          {"Frame.TopLine", f.TopLine(), def.TopLine()},
                          {"Frame.RightLine", f.RightLine(), def.RightLine()},
                          {"Frame.BottomLine", f.BottomLine(), def.BottomLine()}};
    // Reading a frame-wide value sets all four lines, so after a written
    // frame-wide value a line must follow it, not Def's line.
    for (const Side &s : sides) {
        const QString key = QString::fromLatin1(s.key);
        const bool color = colorSet ? s.line->Color() != f.Color() : s.line->Color() != s.defLine->Color();
        if (color)
            t += item(key + QStringLiteral(".Color"), QString::number(s.line->Color()));
        const bool style = styleSet ? s.line->Style() != f.Style() : s.line->Style() != s.defLine->Style();
        if (style)
            t += item(key + QStringLiteral(".Style"), QString::number(s.line->Style()));
        const bool width = widthSet ? FloatDiffers(s.line->Width(), f.Width())
                                    : FloatDiffers(s.line->Width(), s.defLine->Width());
        if (width)
            t += item(key + QStringLiteral(".Width"), FloatToFileStr(s.line->Width()));
    }
    return t;
}

} // namespace bralvo::report
