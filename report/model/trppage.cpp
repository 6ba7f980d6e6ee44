// Pages: property tables, paper and orientation rules, page columns,
// the background, alignment of the page's children, and subreports.
#include "report/model/trppage.h"

#include "platform/printers/papertable.h"

#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"

#include <QFont>
#include <QPainter>
#include <cmath>

namespace bralvo::report {

namespace {

std::function<TrpPrinterPaper()> &printerPaperSource()
{
    static std::function<TrpPrinterPaper()> source;
    return source;
}

bool nonZero(double v)
{
    return v != 0;
}

} // namespace

bool PaperDimensionsMm(int paperSize, double &width, double &height)
{
    const std::optional<QSizeF> size = platform::paperDimensions(paperSize);
    if (!size)
        return false;
    width = size->width();
    height = size->height();
    return true;
}

void setCurrentPrinterPaperSource(std::function<TrpPrinterPaper()> source)
{
    printerPaperSource() = std::move(source);
}

const platform::EnumInfo &duplexModeEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TrpDuplexMode"),
                                      {QStringLiteral("dmNone"), QStringLiteral("dmVertical"),
                                       QStringLiteral("dmHorizontal"), QStringLiteral("dmSimplex")}};
    return e;
}

const platform::EnumInfo &printerOrientationEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TPrinterOrientation"),
                                      {QStringLiteral("poPortrait"), QStringLiteral("poLandscape")}};
    return e;
}

const platform::ClassInfo &TrpPage::staticClass()
{
    using T = TrpPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpPage", &TrpComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &p) { return !p.ParentFont(); });
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
        });
    return info;
}

// Paper sizes are written when they differ from A4 or the page is
// turned, so a turned page reads back after its Orientation.
const platform::ClassInfo &TrpReportPage::staticClass()
{
    using T = TrpReportPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpReportPage", &TrpPage::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("Orientation", printerOrientationEnum(), &T::Orientation, &T::SetOrientation, poPortrait);
            b.floating("PaperWidth", &T::PaperWidth, &T::SetPaperWidth).storedIf(&T::paperSizesStored);
            b.floating("PaperHeight", &T::PaperHeight, &T::SetPaperHeight).storedIf(&T::paperSizesStored);
            // Written with the sizes too: read after them, it is not lost
            // to their custom code.
            b.integer("PaperSize", &T::PaperSize, &T::SetPaperSize).storedIf([](const T &p) {
                return p.m_paperSize != 9 || p.paperSizesStored();
            });
            b.floating("LeftMargin", &T::LeftMargin, &T::SetLeftMargin).storedIf([](const T &p) { return nonZero(p.m_leftMargin); });
            b.floating("RightMargin", &T::RightMargin, &T::SetRightMargin).storedIf([](const T &p) { return nonZero(p.m_rightMargin); });
            b.floating("TopMargin", &T::TopMargin, &T::SetTopMargin).storedIf([](const T &p) { return nonZero(p.m_topMargin); });
            b.floating("BottomMargin", &T::BottomMargin, &T::SetBottomMargin).storedIf([](const T &p) { return nonZero(p.m_bottomMargin); });
            b.boolean("MirrorMargins", &T::MirrorMargins, &T::SetMirrorMargins, false);
            b.integer("Columns", &T::Columns, &T::SetColumns, 0);
            b.floating("ColumnWidth", &T::ColumnWidth, &T::SetColumnWidth).storedIf([](const T &p) { return nonZero(p.m_columnWidth); });
            b.object<platform::StringList>("ColumnPositions", &T::ColumnPositions, &T::SetColumnPositions)
                .storedIf([](const T &p) { return p.m_columnPositions->count() > 0; });
            b.integer("Bin", &T::Bin, &T::SetBin, 7);
            b.integer("BinOtherPages", &T::BinOtherPages, &T::SetBinOtherPages, 7);
            b.object<TrpPicture>("BackPicture", &T::BackPicture, &T::SetBackPicture);
            b.integer("Color", &T::Color, &T::SetColor, clNone);
            b.reference<TrpDataSet>("DataSet", &T::DataSet, &T::SetDataSet);
            b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
            b.enumeration("Duplex", duplexModeEnum(), &T::Duplex, &T::SetDuplex, dmNone);
            b.object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
            b.boolean("EndlessHeight", &T::EndlessHeight, &T::SetEndlessHeight, false);
            b.boolean("EndlessWidth", &T::EndlessWidth, &T::SetEndlessWidth, false);
            b.boolean("LargeDesignHeight", &T::LargeDesignHeight, &T::SetLargeDesignHeight, false);
            b.string("OutlineText", &T::OutlineText, &T::SetOutlineText);
            b.boolean("PrintIfEmpty", &T::PrintIfEmpty, &T::SetPrintIfEmpty, true);
            b.boolean("PrintOnPreviousPage", &T::PrintOnPreviousPage, &T::SetPrintOnPreviousPage, false);
            b.boolean("ResetPageNumbers", &T::ResetPageNumbers, &T::SetResetPageNumbers, false);
            b.boolean("TitleBeforeHeader", &T::TitleBeforeHeader, &T::SetTitleBeforeHeader, true);
            b.object<platform::StringList>("HGuides", &T::HGuides, &T::SetHGuides)
                .storedIf([](const T &p) { return p.m_hGuides->count() > 0; });
            b.object<platform::StringList>("VGuides", &T::VGuides, &T::SetVGuides)
                .storedIf([](const T &p) { return p.m_vGuides->count() > 0; });
            b.string("OnAfterPrint", &T::OnAfterPrint, &T::SetOnAfterPrint);
            b.string("OnBeforePrint", &T::OnBeforePrint, &T::SetOnBeforePrint);
            b.string("OnManualBuild", &T::OnManualBuild, &T::SetOnManualBuild);
        });
    return info;
}

TrpReportPage::TrpReportPage(platform::Component *owner)
    : TrpPage(owner), m_background(std::make_unique<TrpPictureView>(nullptr)),
      m_columnPositions(std::make_unique<platform::StringList>()),
      m_hGuides(std::make_unique<platform::StringList>()), m_vGuides(std::make_unique<platform::StringList>())
{
    m_background->SetColor(clNone);
    m_background->SetKeepAspectRatio(false);
    SetPaperSize(9);
    SetBaseName(QStringLiteral("Page"));
}

TrpReportPage::~TrpReportPage()
{
    if (m_dataSet)
        m_dataSet->removeFreeNotification(this);
    if (m_subReport) {
        m_subReport->removeFreeNotification(this);
        TrpSubreport *s = m_subReport;
        m_subReport = nullptr;
        if (s->Page() == this)
            s->SetPage(nullptr);
    }
}

QString TrpReportPage::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obRepPage"));
}

// --- paper

void TrpReportPage::UpdateSize()
{
    SetWidth(std::nearbyint(m_paperWidth * kPixelsPerMm));
    SetHeight(std::nearbyint(m_paperHeight * kPixelsPerMm));
}

void TrpReportPage::SetPaperSize(int v)
{
    m_paperSize = v;
    if (v >= kCustomPaperSize)
        return;
    double w = m_paperWidth, h = m_paperHeight;
    if (PaperDimensionsMm(v, w, h)) {
        if (m_orientation == poLandscape)
            std::swap(w, h);
        m_paperWidth = w;
        m_paperHeight = h;
    }
    UpdateSize();
}

void TrpReportPage::setPaperDimensions(double width, double height)
{
    m_paperWidth = width;
    m_paperHeight = height;
    UpdateSize();
}

void TrpReportPage::SetPaperWidth(double v)
{
    m_paperWidth = RoundTo8Decimals(ClampMillimetres(v));
    m_paperSize = kCustomPaperSize;
    UpdateSize();
}

void TrpReportPage::SetPaperHeight(double v)
{
    m_paperHeight = RoundTo8Decimals(ClampMillimetres(v));
    m_paperSize = kCustomPaperSize;
    UpdateSize();
}

void TrpReportPage::SetOrientation(TPrinterOrientation v)
{
    if (v != m_orientation) {
        std::swap(m_paperWidth, m_paperHeight);
        const double l = m_leftMargin, r = m_rightMargin, t = m_topMargin, b = m_bottomMargin;
        if (v == poLandscape) {
            m_leftMargin = t, m_rightMargin = b, m_topMargin = r, m_bottomMargin = l;
        } else {
            m_leftMargin = b, m_rightMargin = t, m_topMargin = l, m_bottomMargin = r;
        }
        m_orientation = v;
        UpdateSize();
    }
    m_orientation = v;
}

void TrpReportPage::SetDefaults()
{
    m_leftMargin = m_rightMargin = m_topMargin = m_bottomMargin = 10;
    TrpPrinterPaper paper;
    if (printerPaperSource())
        paper = printerPaperSource()();
    m_paperSize = paper.paperSize;
    m_paperWidth = paper.width;
    m_paperHeight = paper.height;
    m_orientation = paper.orientation;
    UpdateSize();
}

void TrpReportPage::SetColumns(int v)
{
    m_columns = v;
    m_columnPositions->clear();
    if (v <= 0)
        return;
    m_columnWidth = (m_paperWidth - m_leftMargin - m_rightMargin) / v;
    for (int i = 0; i < v; ++i)
        m_columnPositions->add(FloatToFileStr(i * m_columnWidth)); // the file form, never the locale's
}

void TrpReportPage::SetColumnPositions(const platform::StringList *v)
{
    if (v && v != m_columnPositions.get())
        m_columnPositions->assign(*v);
}

void TrpReportPage::SetHGuides(const platform::StringList *v)
{
    if (v && v != m_hGuides.get())
        m_hGuides->assign(*v);
}

void TrpReportPage::SetVGuides(const platform::StringList *v)
{
    if (v && v != m_vGuides.get())
        m_vGuides->assign(*v);
}

// --- dataset and background

void TrpReportPage::SetDataSet(TrpDataSet *v)
{
    SetLinkedDataSet(*this, m_dataSet, m_dataSetName, v);
}

QString TrpReportPage::DataSetName() const
{
    return LinkedDataSetName(m_dataSet, m_dataSetName);
}

void TrpReportPage::SetDataSetName(const QString &v)
{
    SetLinkedDataSetName(*this, m_dataSet, m_dataSetName, v, Report());
}

int TrpReportPage::Color() const
{
    return m_background->Color();
}

void TrpReportPage::SetColor(int v)
{
    m_background->SetColor(v);
}

TrpFrame *TrpReportPage::Frame() const
{
    return m_background->Frame();
}

void TrpReportPage::SetFrame(const TrpFrame *v)
{
    m_background->SetFrame(v);
}

TrpPicture *TrpReportPage::BackPicture() const
{
    return m_background->Picture();
}

void TrpReportPage::SetBackPicture(const TrpPicture *v)
{
    m_background->SetPicture(v);
}

bool TrpReportPage::paperSizesStored() const
{
    return m_paperWidth != 210 || m_paperHeight != 297 || m_orientation != poPortrait;
}

double TrpReportPage::printableWidthPx() const
{
    return (m_paperWidth - m_leftMargin - m_rightMargin) * kPixelsPerMm;
}

double TrpReportPage::printableHeightPx() const
{
    return (m_paperHeight - m_topMargin - m_bottomMargin) * kPixelsPerMm;
}

void TrpReportPage::DrawBackground(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    m_background->SetBounds(0, 0, printableWidthPx(), printableHeightPx());
    m_background->Draw(canvas, scaleX, scaleY, offsetX + scaleX * m_leftMargin * kPixelsPerMm,
                       offsetY + scaleY * m_topMargin * kPixelsPerMm);
}

// --- structure

TrpBand *TrpReportPage::FindBand(const platform::ClassInfo &bandClass) const
{
    for (TrpComponent *c : Objects()) {
        if (c->inheritsFrom(bandClass))
            return dynamic_cast<TrpBand *>(c);
    }
    return nullptr;
}

void TrpReportPage::SetSubReport(TrpSubreport *s)
{
    if (s == m_subReport)
        return;
    if (m_subReport)
        m_subReport->removeFreeNotification(this);
    m_subReport = s;
    if (m_subReport)
        m_subReport->freeNotification(this);
}

void TrpReportPage::notification(platform::Component *component, platform::Operation operation)
{
    TrpPage::notification(component, operation);
    if (operation != platform::Operation::Remove)
        return;
    if (component == m_dataSet)
        m_dataSet = nullptr;
    if (component == m_subReport)
        m_subReport = nullptr;
}

void TrpReportPage::AlignChildren()
{
    SetWidth(printableWidthPx());
    SetHeight(printableHeightPx());
    TrpPage::AlignChildren();
    for (TrpComponent *c : Objects()) {
        auto *band = dynamic_cast<TrpBand *>(c);
        if (!band)
            continue;
        if (band->Vertical())
            band->SetHeight(printableHeightPx() - band->Top());
        else
            band->SetWidth(Width() - band->Left());
        band->AlignChildren();
    }
    UpdateSize();
}

// --- TrpDataPage

const platform::ClassInfo &TrpDataPage::staticClass()
{
    using T = TrpDataPage;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDataPage", &TrpPage::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.floating("Height", &T::Height, &T::SetHeight);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.floating("Top", &T::Top, &T::SetTop);
            b.floating("Width", &T::Width, &T::SetWidth);
        });
    return info;
}

TrpDataPage::TrpDataPage(platform::Component *owner) : TrpPage(owner)
{
    SetWidth(1000);
    SetHeight(1000);
}

QString TrpDataPage::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDataPage"));
}

// --- TrpSubreport

const platform::ClassInfo &TrpSubreport::staticClass()
{
    using T = TrpSubreport;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpSubreport", &TrpView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.reference<TrpReportPage>("Page", &T::Page, &T::SetPage);
            b.boolean("PrintOnParent", &T::PrintOnParent, &T::SetPrintOnParent, false);
        });
    return info;
}

TrpSubreport::TrpSubreport(platform::Component *owner) : TrpView(owner)
{
    SetComponentStyle(ComponentStyle() & ~KeepInPreview);
    Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    Font()->setName(QStringLiteral("Tahoma"));
    Font()->setSize(8);
    SetColor(12632256);
}

TrpSubreport::~TrpSubreport()
{
    SetPage(nullptr);
}

void TrpSubreport::SetPage(TrpReportPage *value)
{
    if (value == m_page)
        return;
    // The page linked before is no longer embedded: left linked, the
    // engine would never run it as a page of its own.
    if (m_page) {
        m_page->removeFreeNotification(this);
        if (m_page->SubReport() == this)
            m_page->SetSubReport(nullptr);
    }
    m_page = value;
    if (m_page) {
        m_page->freeNotification(this);
        m_page->SetSubReport(this);
    }
}

void TrpSubreport::notification(platform::Component *component, platform::Operation operation)
{
    TrpView::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_page)
        m_page = nullptr;
}

void TrpSubreport::Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    TrpView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
    QFont font(Font()->name());
    font.setPixelSize(qMax(1, RoundToInt(Font()->size() * 96.0 / 72.0 * scaleY)));
    canvas.setFont(font);
    canvas.setPen(ColorToQColor(Font()->color()));
    canvas.drawText(QRect(m_x + 2, m_y + 2, qMax(0, m_dx - 2), qMax(0, m_dy - 2)),
                    Qt::AlignLeft | Qt::AlignTop, name());
}

QString TrpSubreport::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obSubRep"));
}

} // namespace bralvo::report
