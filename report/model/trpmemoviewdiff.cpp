// The memo's difference coding for prepared pages.
#include "report/model/trpmemoview.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

namespace bralvo::report {

namespace {

QString item(const QString &key, const QString &value)
{
    return u' ' + key + QStringLiteral("=\"") + value + u'"';
}

QString flag(bool v)
{
    return v ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString TrpCustomMemoView::Diff(const TrpComponent &def) const
{
    QString t = TrpView::Diff(def);
    const auto *d = dynamic_cast<const TrpCustomMemoView *>(&def);
    if (d) {
        if (m_autoWidth != d->m_autoWidth)
            t += item(QStringLiteral("AutoWidth"), flag(m_autoWidth));
        if (FloatDiffers(m_charSpacing, d->m_charSpacing))
            t += item(QStringLiteral("CharSpacing"), FloatToFileStr(m_charSpacing));
        if (FloatDiffers(m_gapX, d->m_gapX))
            t += item(QStringLiteral("GapX"), FloatToFileStr(m_gapX));
        if (FloatDiffers(m_gapY, d->m_gapY))
            t += item(QStringLiteral("GapY"), FloatToFileStr(m_gapY));
        if (m_hAlign != d->m_hAlign)
            t += item(QStringLiteral("HAlign"), QString::number(int(m_hAlign)));
        if (m_highlight->Active() != d->m_highlight->Active())
            t += item(QStringLiteral("Highlight.Active"), flag(m_highlight->Active()));
        if (FloatDiffers(m_lineSpacing, d->m_lineSpacing))
            t += item(QStringLiteral("LineSpacing"), FloatToFileStr(m_lineSpacing));
    }
    t += item(QStringLiteral("u"), StrToXML(Text()));
    if (d) {
        if (FloatDiffers(m_paragraphGap, d->m_paragraphGap))
            t += item(QStringLiteral("ParagraphGap"), FloatToFileStr(m_paragraphGap));
        if (m_rotation != d->m_rotation)
            t += item(QStringLiteral("Rotation"), QString::number(m_rotation));
        if (m_rtlReading != d->m_rtlReading)
            t += item(QStringLiteral("RTLReading"), flag(m_rtlReading));
        if (m_underlines != d->m_underlines)
            t += item(QStringLiteral("Underlines"), flag(m_underlines));
        if (m_vAlign != d->m_vAlign)
            t += item(QStringLiteral("VAlign"), QString::number(int(m_vAlign)));
        if (m_wordWrap != d->m_wordWrap)
            t += item(QStringLiteral("WordWrap"), flag(m_wordWrap));
    }
    if (m_firstParaBreak)
        t += item(QStringLiteral("FirstParaBreak"), QStringLiteral("1"));
    if (m_lastParaBreak)
        t += item(QStringLiteral("LastParaBreak"), QStringLiteral("1"));
    m_firstParaBreak = m_lastParaBreak;
    m_lastParaBreak = false;
    return t;
}

} // namespace bralvo::report
