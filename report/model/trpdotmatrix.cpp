// Dot-matrix page, line and command objects: property tables and the
// snapping of positions and sizes onto the character grid.
#include "report/model/trpdotmatrix.h"

#include "platform/font.h"
#include "report/model/trpdmpcodes.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

#include <cmath>

namespace bralvo::report {

namespace {

constexpr double pixelsPerMm = 3.77953;

QString item(const QString &key, const QString &value)
{
    return u' ' + key + QStringLiteral("=\"") + value + u'"';
}

// Courier New 12 with the printer style's bold, italic and underline.
void resetFont(platform::Font &font, int style)
{
    font.setOnChange(nullptr);
    font.setName(QStringLiteral("Courier New"));
    font.setSize(12);
    int bits = 0;
    if (style & fsxBold)
        bits |= platform::fsBold;
    if (style & fsxItalic)
        bits |= platform::fsItalic;
    if (style & fsxUnderline)
        bits |= platform::fsUnderline;
    font.setStyle(bits);
}

TrpDMPPage *pageOf(const TrpComponent *c)
{
    return dynamic_cast<TrpDMPPage *>(c->Page());
}

} // namespace

double DMPRoundToCell(double v, double step)
{
    return std::nearbyint(v / step) * step;
}

double DMPTruncToCell(double v, double step)
{
    return std::trunc(v / step) * step;
}

const platform::EnumInfo &DMPFontStylesEnum()
{
    static const platform::EnumInfo info{
        QStringLiteral("TrpDMPFontStyles"),
        {QStringLiteral("fsxBold"), QStringLiteral("fsxItalic"), QStringLiteral("fsxUnderline"),
         QStringLiteral("fsxSuperScript"), QStringLiteral("fsxSubScript"), QStringLiteral("fsxCondensed"),
         QStringLiteral("fsxWide"), QStringLiteral("fsx12cpi"), QStringLiteral("fsx15cpi")}};
    return info;
}

// --- page

const platform::ClassInfo &TrpDMPPage::staticClass()
{
    using T = TrpDMPPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPPage", &TrpReportPage::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.set("FontStyle", DMPFontStylesEnum(), &T::FontStyle, &T::SetFontStyle, 0);
        });
    return info;
}

// The base constructor chose A4 before this class could snap it.
TrpDMPPage::TrpDMPPage(platform::Component *owner) : TrpReportPage(owner)
{
    resetFont(*Font(), m_fontStyle);
    roundPaper(true, true);
}

void TrpDMPPage::SetFontStyle(int value)
{
    m_fontStyle = value;
    resetFont(*Font(), m_fontStyle);
    for (TrpComponent *c : AllObjects()) {
        if (c->ParentFont())
            c->SetParentFont(true);
    }
}

void TrpDMPPage::roundPaper(bool width, bool height)
{
    double w = PaperWidth(), h = PaperHeight();
    if (width)
        w = DMPRoundToCell(w * pixelsPerMm, DMPCellWidth) / pixelsPerMm;
    if (height)
        h = DMPRoundToCell(h * pixelsPerMm, DMPCellHeight) / pixelsPerMm;
    setSnappedPaper(w, h);
}

// Snapping moves the size onto the cell grid but keeps the paper code:
// the printer still gets the paper the page was made for.
void TrpDMPPage::setSnappedPaper(double w, double h)
{
    setPaperDimensions(RoundTo8Decimals(w), RoundTo8Decimals(h));
}

void TrpDMPPage::SetPaperWidth(double v)
{
    TrpReportPage::SetPaperWidth(v);
    roundPaper(true, false);
}

void TrpDMPPage::SetPaperHeight(double v)
{
    TrpReportPage::SetPaperHeight(v);
    roundPaper(false, true);
}

void TrpDMPPage::SetPaperSize(int v)
{
    TrpReportPage::SetPaperSize(v);
    roundPaper(true, true);
}

void TrpDMPPage::SetDefaults()
{
    TrpReportPage::SetDefaults();
    SetLeftMargin(DMPCellWidth / pixelsPerMm);
    SetRightMargin(DMPCellWidth / pixelsPerMm);
    SetTopMargin(DMPCellHeight / pixelsPerMm);
    SetBottomMargin(DMPCellHeight / pixelsPerMm);
    setSnappedPaper(DMPTruncToCell(PaperWidth() * pixelsPerMm, DMPCellWidth) / pixelsPerMm,
                    DMPTruncToCell(PaperHeight() * pixelsPerMm, DMPCellHeight) / pixelsPerMm);
}

// --- line

const platform::ClassInfo &TrpDMPLineView::staticClass()
{
    using T = TrpDMPLineView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPLineView", &TrpCustomLineView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.set("FontStyle", DMPFontStylesEnum(), &T::FontStyle, &T::SetFontStyle, 0)
                .storedIf([](const T &l) { return !l.ParentFont(); });
            b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
        });
    return info;
}

TrpDMPLineView::TrpDMPLineView(platform::Component *owner) : TrpCustomLineView(owner)
{
    if (auto *page = pageOf(this))
        m_fontStyle = page->FontStyle();
}

void TrpDMPLineView::SetFontStyle(int value)
{
    m_fontStyle = value;
    TrpCustomLineView::SetParentFont(false);
}

void TrpDMPLineView::SetParentFont(bool value)
{
    TrpCustomLineView::SetParentFont(value);
    if (value) {
        if (auto *page = pageOf(this))
            m_fontStyle = page->FontStyle();
    }
}

void TrpDMPLineView::SetLeft(double x)
{
    if (x < 0)
        x = DMPTruncToCell(x, DMPCellWidth) - DMPCellWidth / 2;
    else if (Align() == baRight)
        x = DMPRoundToCell(x, DMPCellWidth) - DMPCellWidth / 2;
    else
        x = DMPTruncToCell(x, DMPCellWidth) + DMPCellWidth / 2;
    TrpCustomLineView::SetLeft(x);
}

void TrpDMPLineView::SetTop(double x)
{
    TrpCustomLineView::SetTop(DMPTruncToCell(x, DMPCellHeight) + DMPCellHeight / 2);
}

void TrpDMPLineView::SetWidth(double x)
{
    TrpCustomLineView::SetWidth(Align() == baWidth ? DMPTruncToCell(x, DMPCellWidth)
                                                   : DMPRoundToCell(x, DMPCellWidth));
}

QString TrpDMPLineView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDMPLine"));
}

QString TrpDMPLineView::Diff(const TrpComponent &def) const
{
    QString t = TrpCustomLineView::Diff(def);
    const auto *d = dynamic_cast<const TrpDMPLineView *>(&def);
    if (d && m_fontStyle != d->m_fontStyle)
        t += item(QStringLiteral("FontStyle"), QString::number(m_fontStyle));
    return t;
}

// --- command

const platform::ClassInfo &TrpDMPCommand::staticClass()
{
    using T = TrpDMPCommand;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPCommand", &TrpView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Command", &T::Command, &T::SetCommand);
        });
    return info;
}

TrpDMPCommand::TrpDMPCommand(platform::Component *owner) : TrpView(owner)
{
}

QByteArray TrpDMPCommand::GetCommandBytes() const
{
    return DecodeCommand(m_command);
}

void TrpDMPCommand::SetLeft(double v)
{
    TrpView::SetLeft(DMPRoundToCell(v, DMPCellWidth));
}

void TrpDMPCommand::SetTop(double v)
{
    TrpView::SetTop(DMPRoundToCell(v, DMPCellHeight));
}

QString TrpDMPCommand::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDMPCmd"));
}

QString TrpDMPCommand::Diff(const TrpComponent &def) const
{
    QString t = TrpView::Diff(def);
    const auto *d = dynamic_cast<const TrpDMPCommand *>(&def);
    if (d && m_command != d->m_command)
        t += item(QStringLiteral("Command"), StrToXML(m_command));
    return t;
}

} // namespace bralvo::report
