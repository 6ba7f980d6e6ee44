// Bands: property tables of the eighteen kinds, the kind number, child
// chains, data band columns and rows, and dot-matrix snapping.
#include "report/model/trpband.h"

#include "report/model/reporterror.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

#include <cmath>
#include <initializer_list>

namespace bralvo::report {

namespace {

using B = TrpBand;
using D = TrpDataBand;
using G = TrpGroupHeader;

// Adds the named kind-specific properties in the given order.
void addBandProps(platform::PropertyTable &t, std::initializer_list<const char *> names)
{
    platform::PropertyBuilder<B> b(t);
    platform::PropertyBuilder<D> d(t);
    platform::PropertyBuilder<G> g(t);
    for (const char *n : names) {
        const QString name = QString::fromLatin1(n);
        if (name == u"AllowSplit") b.boolean(name, &B::AllowSplit, &B::SetAllowSplit, false);
        else if (name == u"Child") b.reference<TrpBand>(name, &B::ChildBand, &B::SetChildBand);
        else if (name == u"KeepChild") b.boolean(name, &B::KeepChild, &B::SetKeepChild, false);
        else if (name == u"OutlineText") b.string(name, &B::OutlineText, &B::SetOutlineText);
        else if (name == u"PrintChildIfInvisible")
            b.boolean(name, &B::PrintChildIfInvisible, &B::SetPrintChildIfInvisible, false);
        else if (name == u"StartNewPage") b.boolean(name, &B::StartNewPage, &B::SetStartNewPage, false);
        else if (name == u"Stretched") b.boolean(name, &B::Stretched, &B::SetStretched, false);
        else if (name == u"Columns") d.integer(name, &D::Columns, &D::SetColumns, 0);
        else if (name == u"ColumnWidth")
            d.floating(name, &D::ColumnWidth, &D::SetColumnWidth).storedIf([](const D &x) { return x.ColumnWidth() != 0; });
        else if (name == u"ColumnGap")
            d.floating(name, &D::ColumnGap, &D::SetColumnGap).storedIf([](const D &x) { return x.ColumnGap() != 0; });
        else if (name == u"DataSet") d.reference<TrpDataSet>(name, &D::DataSet, &D::SetDataSet);
        else if (name == u"DataSetName") d.string(name, &D::DataSetName, &D::SetDataSetName);
        else if (name == u"FooterAfterEach") d.boolean(name, &D::FooterAfterEach, &D::SetFooterAfterEach, false);
        else if (name == u"KeepFooter") d.boolean(name, &D::KeepFooter, &D::SetKeepFooter, false);
        else if (name == u"KeepHeader") d.boolean(name, &D::KeepHeader, &D::SetKeepHeader, false);
        else if (name == u"KeepTogether") d.boolean(name, &D::KeepTogether, &D::SetKeepTogether, false);
        else if (name == u"PrintIfDetailEmpty")
            d.boolean(name, &D::PrintIfDetailEmpty, &D::SetPrintIfDetailEmpty, false);
        else if (name == u"RowCount") d.integer(name, &D::RowCount, &D::SetRowCount, 0);
        else if (name == u"OnMasterDetail") d.string(name, &D::OnMasterDetail, &D::SetOnMasterDetail);
        else if (name == u"Condition") g.string(name, &G::Condition, &G::SetCondition);
        else if (name == u"DrillDown") g.boolean(name, &G::DrillDown, &G::SetDrillDown, false);
        else if (name == u"ExpandDrillDown") g.boolean(name, &G::ExpandDrillDown, &G::SetExpandDrillDown, false);
        else if (name == u"GroupKeepTogether") g.boolean(u"KeepTogether"_qs, &G::KeepTogether, &G::SetKeepTogether, false);
        else if (name == u"GroupReprintOnNewPage")
            g.boolean(u"ReprintOnNewPage"_qs, &G::ReprintOnNewPage, &G::SetReprintOnNewPage, false);
        else if (name == u"ResetPageNumbers") g.boolean(name, &G::ResetPageNumbers, &G::SetResetPageNumbers, false);
        else if (name == u"ShowFooterIfDrillDown")
            g.boolean(name, &G::ShowFooterIfDrillDown, &G::SetShowFooterIfDrillDown, false);
    }
}

template <class T>
platform::ClassInfo kindInfo(const char *name, const platform::ClassInfo &parent,
                             std::function<void(platform::PropertyTable &)> fill)
{
    return platform::makeClassInfo(QString::fromLatin1(name), &parent,
                                   [](platform::Component *o) { return new T(o); }, fill);
}

// Common band rows: the title, summary and child share them.
#define TITLE_PROPS "AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"

} // namespace

const platform::ClassInfo &TrpBand::staticClass()
{
    using T = TrpBand;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpBand", &TrpReportComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &o) { return !o.ParentFont(); });
            b.floating("Height", &T::Height, &T::SetHeight);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
            b.set("Restrictions", restrictionEnum(), &T::Restrictions, &T::SetRestrictions, 0);
            b.floating("Top", &T::Top, &T::SetTop);
            b.boolean("Vertical", &T::Vertical, &T::SetVertical, false);
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
            b.floating("Width", &T::Width, &T::SetWidth);
            b.string("OnAfterCalcHeight", &T::OnAfterCalcHeight, &T::SetOnAfterCalcHeight);
            b.string("OnAfterPrint", &T::OnAfterPrint, &T::SetOnAfterPrint);
            b.string("OnBeforePrint", &T::OnBeforePrint, &T::SetOnBeforePrint);
        });
    return info;
}

#define KIND(Cls, Parent, ...)                                                                   \
    const platform::ClassInfo &Cls::staticClass()                                                \
    {                                                                                            \
        static const platform::ClassInfo info = kindInfo<Cls>(                                   \
            #Cls, Parent::staticClass(), [](platform::PropertyTable &t) { addBandProps(t, {__VA_ARGS__}); }); \
        return info;                                                                             \
    }

KIND(TrpReportTitle, TrpBand, TITLE_PROPS)
KIND(TrpReportSummary, TrpBand, TITLE_PROPS)
KIND(TrpChild, TrpBand, TITLE_PROPS)
KIND(TrpFooter, TrpBand, "AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "Stretched")
KIND(TrpColumnHeader, TrpBand, "Child", "Stretched")
KIND(TrpColumnFooter, TrpBand, )
KIND(TrpNullBand, TrpBand, )
KIND(TrpDataBand, TrpBand, "AllowSplit", "Child", "Columns", "ColumnWidth", "ColumnGap", "DataSet", "DataSetName",
     "FooterAfterEach", "KeepChild", "KeepFooter", "KeepHeader", "KeepTogether", "OutlineText",
     "PrintChildIfInvisible", "PrintIfDetailEmpty", "RowCount", "StartNewPage", "Stretched", "OnMasterDetail")
KIND(TrpMasterData, TrpDataBand, )
KIND(TrpDetailData, TrpDataBand, )
KIND(TrpSubdetailData, TrpDataBand, )
KIND(TrpDataBand4, TrpDataBand, )
KIND(TrpDataBand5, TrpDataBand, )
KIND(TrpDataBand6, TrpDataBand, )
KIND(TrpGroupHeader, TrpBand, "AllowSplit", "Child", "Condition", "DrillDown", "ExpandDrillDown", "KeepChild",
     "GroupKeepTogether", "GroupReprintOnNewPage", "OutlineText", "PrintChildIfInvisible", "ResetPageNumbers",
     "ShowFooterIfDrillDown", "StartNewPage", "Stretched")

const platform::ClassInfo &TrpPageHeader::staticClass()
{
    using T = TrpPageHeader;
    static const platform::ClassInfo info = kindInfo<T>("TrpPageHeader", TrpBand::staticClass(), [](auto &t) {
        addBandProps(t, {"Child", "PrintChildIfInvisible"});
        platform::PropertyBuilder<T>(t).boolean("PrintOnFirstPage", &T::PrintOnFirstPage, &T::SetPrintOnFirstPage, true);
        addBandProps(t, {"Stretched"});
    });
    return info;
}

const platform::ClassInfo &TrpPageFooter::staticClass()
{
    using T = TrpPageFooter;
    static const platform::ClassInfo info = kindInfo<T>("TrpPageFooter", TrpBand::staticClass(), [](auto &t) {
        platform::PropertyBuilder<T> b(t);
        b.boolean("PrintOnFirstPage", &T::PrintOnFirstPage, &T::SetPrintOnFirstPage, true);
        b.boolean("PrintOnLastPage", &T::PrintOnLastPage, &T::SetPrintOnLastPage, true);
    });
    return info;
}

const platform::ClassInfo &TrpHeader::staticClass()
{
    using T = TrpHeader;
    static const platform::ClassInfo info = kindInfo<T>("TrpHeader", TrpBand::staticClass(), [](auto &t) {
        addBandProps(t, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible"});
        platform::PropertyBuilder<T>(t).boolean("ReprintOnNewPage", &T::ReprintOnNewPage, &T::SetReprintOnNewPage, false);
        addBandProps(t, {"StartNewPage", "Stretched"});
    });
    return info;
}

const platform::ClassInfo &TrpGroupFooter::staticClass()
{
    using T = TrpGroupFooter;
    static const platform::ClassInfo info = kindInfo<T>("TrpGroupFooter", TrpBand::staticClass(), [](auto &t) {
        addBandProps(t, {"AllowSplit", "Child"});
        platform::PropertyBuilder<T>(t).boolean("HideIfSingleDataRecord", &T::HideIfSingleDataRecord,
                                                &T::SetHideIfSingleDataRecord, false);
        addBandProps(t, {"KeepChild", "PrintChildIfInvisible", "Stretched"});
    });
    return info;
}

const platform::ClassInfo &TrpOverlay::staticClass()
{
    using T = TrpOverlay;
    static const platform::ClassInfo info = kindInfo<T>("TrpOverlay", TrpBand::staticClass(), [](auto &t) {
        platform::PropertyBuilder<T>(t).boolean("PrintOnTop", &T::PrintOnTop, &T::SetPrintOnTop, false);
    });
    return info;
}

QList<const platform::ClassInfo *> bandClasses()
{
    return {&TrpReportTitle::staticClass(), &TrpReportSummary::staticClass(), &TrpPageHeader::staticClass(),
            &TrpPageFooter::staticClass(),  &TrpHeader::staticClass(),        &TrpFooter::staticClass(),
            &TrpMasterData::staticClass(),  &TrpDetailData::staticClass(),    &TrpSubdetailData::staticClass(),
            &TrpDataBand4::staticClass(),   &TrpDataBand5::staticClass(),     &TrpDataBand6::staticClass(),
            &TrpGroupHeader::staticClass(), &TrpGroupFooter::staticClass(),   &TrpChild::staticClass(),
            &TrpColumnHeader::staticClass(), &TrpColumnFooter::staticClass(), &TrpOverlay::staticClass(),
            &TrpNullBand::staticClass(),    &TrpDataBand::staticClass()};
}

// --- TrpBand

TrpBand::TrpBand(platform::Component *owner) : TrpReportComponent(owner) {}

TrpBand::~TrpBand()
{
    if (m_child)
        m_child->removeFreeNotification(this);
}

int TrpBand::BandNumber() const
{
    const QList<const platform::ClassInfo *> kinds = bandClasses();
    int number = 0;
    for (int i = 0; i < 18; ++i) {
        if (inheritsFrom(*kinds.at(i)))
            number = i;
    }
    return number;
}

void TrpBand::SetChild(TrpChild *value)
{
    if (value == m_child)
        return;
    // The chain is walked at most once round: a chain that loops without
    // reaching this band must not hang the check either.
    QList<const TrpBand *> seen;
    for (const TrpBand *b = value; b; b = b->Child()) {
        if (b == this)
            throw ReportError(QStringLiteral("Circular child reference is not allowed"));
        if (seen.contains(b))
            break;
        seen.append(b);
    }
    if (m_child)
        m_child->removeFreeNotification(this);
    m_child = value;
    if (m_child)
        m_child->freeNotification(this);
}

TrpBand *TrpBand::ChildBand() const
{
    return m_child;
}

void TrpBand::SetChildBand(TrpBand *value)
{
    SetChild(dynamic_cast<TrpChild *>(value));
}

void TrpBand::notification(platform::Component *component, platform::Operation operation)
{
    TrpReportComponent::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_child)
        m_child = nullptr;
}

bool TrpBand::onCharacterGrid() const
{
    // The dot-matrix page class, found by name so that bands do not
    // depend on it.
    for (const platform::ClassInfo *c = Parent() ? &Parent()->classInfo() : nullptr; c; c = c->parent) {
        if (c->name == u"TrpDMPPage")
            return true;
    }
    return false;
}

void TrpBand::SetLeft(double v)
{
    TrpReportComponent::SetLeft(onCharacterGrid() ? std::nearbyint(v / 9.6) * 9.6 : v);
}

void TrpBand::SetTop(double v)
{
    TrpReportComponent::SetTop(onCharacterGrid() ? std::nearbyint(v / 17) * 17 : v);
}

void TrpBand::SetHeight(double v)
{
    TrpReportComponent::SetHeight(onCharacterGrid() ? std::nearbyint(v / 17) * 17 : v);
}

QString TrpBand::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obBand"));
}

// --- TrpGroupHeader

QString TrpGroupHeader::Diff(const TrpComponent &def) const
{
    QString t = TrpBand::Diff(def);
    if (m_drillDown)
        t += QStringLiteral(" Tag=\"") + QString::number(RowNoThrough) + u'"';
    return t;
}

// --- TrpDataBand

TrpDataBand::TrpDataBand(platform::Component *owner) : TrpBand(owner) {}

TrpUserDataSet *TrpDataBand::VirtualDataSet() const
{
    if (!m_virtualDataSet) {
        m_virtualDataSet = std::make_unique<TrpUserDataSet>(nullptr);
        m_virtualDataSet->SetRangeEnd(reCount);
        m_virtualDataSet->SetRangeEndCount(m_rowCount);
    }
    return m_virtualDataSet.get();
}

TrpDataBand::~TrpDataBand()
{
    if (m_dataSet)
        m_dataSet->removeFreeNotification(this);
}

QString TrpDataBand::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDataBand"));
}

void TrpDataBand::SetColumnNo(int c)
{
    if (c > m_columns || c < 1)
        c = 1;
    m_columnNo = c;
    if (c == 1)
        ColumnBottom = 0;
    TrpComponent::SetLeft((c - 1) * (m_columnWidth + m_columnGap));
}

void TrpDataBand::SetRowCount(int v)
{
    m_rowCount = v;
    if (m_virtualDataSet)
        m_virtualDataSet->SetRangeEndCount(v);
}

void TrpDataBand::SetDataSet(TrpDataSet *v)
{
    SetLinkedDataSet(*this, m_dataSet, m_dataSetName, v);
}

QString TrpDataBand::DataSetName() const
{
    return LinkedDataSetName(m_dataSet, m_dataSetName);
}

void TrpDataBand::SetDataSetName(const QString &v)
{
    SetLinkedDataSetName(*this, m_dataSet, m_dataSetName, v, Report());
}

void TrpDataBand::notification(platform::Component *component, platform::Operation operation)
{
    TrpBand::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_dataSet)
        m_dataSet = nullptr;
}

} // namespace bralvo::report
