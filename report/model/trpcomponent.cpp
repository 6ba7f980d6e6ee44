// The report component tree: parent links, bounds, font inheritance,
// names, copying through report XML, alignment and difference coding.
#include "report/model/trpcomponent.h"

#include "platform/stream.h"
#include "platform/stringlist.h"
#include "report/model/reporterror.h"
#include "report/model/trpband.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trpserializer.h"
#include "report/model/trputils.h"
#include "report/model/trpview.h"
#include "report/model/trpxml.h"

#include <algorithm>
#include <cmath>

namespace bralvo::report {

namespace {

thread_local int t_designingDepth = 0;
thread_local int t_designingFlags = 0;

platform::Component *platformOwner(platform::Component *owner)
{
    if (auto *rc = dynamic_cast<TrpComponent *>(owner))
        return static_cast<platform::Component *>(rc->Report());
    return owner;
}

QString quoted(const QString &key, const QString &value)
{
    return u' ' + key + QStringLiteral("=\"") + value + u'"';
}

} // namespace

const platform::EnumInfo &restrictionEnum()
{
    static const platform::EnumInfo info{QStringLiteral("TrpRestrictions"),
                                         {QStringLiteral("rfDontModify"), QStringLiteral("rfDontSize"),
                                          QStringLiteral("rfDontMove"), QStringLiteral("rfDontDelete"),
                                          QStringLiteral("rfDontEdit")}};
    return info;
}

const platform::ClassInfo &TrpComponent::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpComponent", &platform::Component::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

const platform::ClassInfo &TrpReportComponent::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpReportComponent", &TrpComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<TrpReportComponent> b(t);
            b.string("Description", &TrpComponent::Description, &TrpComponent::SetDescription);
        });
    return info;
}

TrpComponent::DesigningScope::DesigningScope(int flags)
{
    ++t_designingDepth;
    t_designingFlags = flags;
}

TrpComponent::DesigningScope::~DesigningScope()
{
    --t_designingDepth;
}

TrpComponent::TrpComponent(platform::Component *owner)
    : platform::Component(platformOwner(owner)), m_font(std::make_unique<platform::Font>())
{
    if (t_designingDepth > 0) {
        m_designing = true;
        m_designFlags = t_designingFlags;
    }
    m_font->setPixelsPerInch(96);
    m_font->setOnChange([this] { FontChanged(); });
    SetParentFont(true);
    if (auto *parent = dynamic_cast<TrpComponent *>(owner))
        SetParent(parent);
}

TrpComponent::~TrpComponent()
{
    setState(Destroying, true);
    SetParent(nullptr);
    Clear();
    while (!m_objects.isEmpty())
        platform::Component::free(m_objects.last());
    m_font->setOnChange(nullptr);
}

// --- tree

void TrpComponent::SetParent(TrpComponent *parent)
{
    if (parent != m_parent) {
        if (m_parent) {
            // From the end: children mostly go last first.
            const qsizetype at = m_parent->m_objects.lastIndexOf(this);
            if (at >= 0)
                m_parent->m_objects.removeAt(at);
        }
        if (parent)
            parent->m_objects.append(this);
    }
    m_parent = parent;
    if (m_parent)
        SetParentFont(m_parentFont);
}

void TrpComponent::collectAll(QList<TrpComponent *> &out) const
{
    for (TrpComponent *c : m_objects) {
        out.append(c);
        c->collectAll(out);
    }
}

QList<TrpComponent *> TrpComponent::AllObjects() const
{
    QList<TrpComponent *> out;
    collectAll(out);
    return out;
}

TrpComponent *TrpComponent::FindObject(const QString &name) const
{
    for (TrpComponent *c : AllObjects()) {
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

TrpReport *TrpComponent::Report() const
{
    for (const TrpComponent *c = this; c; c = c->m_parent) {
        if (TrpReport *r = c->asReport())
            return r;
    }
    return nullptr;
}

TrpPage *TrpComponent::Page() const
{
    for (const TrpComponent *c = this; c; c = c->m_parent) {
        if (TrpPage *p = c->asPage())
            return p;
    }
    return nullptr;
}

// --- bounds

void TrpComponent::SetLeft(double v)
{
    if (!(m_designing && (m_restrictions & rfDontMove)))
        m_left = v;
}

void TrpComponent::SetTop(double v)
{
    if (!(m_designing && (m_restrictions & rfDontMove)))
        m_top = v;
}

void TrpComponent::SetWidth(double v)
{
    if (!(m_designing && (m_restrictions & rfDontSize)))
        m_width = v;
}

void TrpComponent::SetHeight(double v)
{
    if (!(m_designing && (m_restrictions & rfDontSize)))
        m_height = v;
}

void TrpComponent::SetBounds(double left, double top, double width, double height)
{
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

double TrpComponent::AbsLeft() const
{
    if (!m_parent || m_parent->PlacesChildrenAtOrigin())
        return m_left;
    return m_left + m_parent->AbsLeft();
}

double TrpComponent::AbsTop() const
{
    if (!m_parent || m_parent->PlacesChildrenAtOrigin())
        return m_top;
    return m_top + m_parent->AbsTop();
}

// --- font

void TrpComponent::SetFont(const platform::Font *value)
{
    if (value && value != m_font.get())
        m_font->assign(*value);
    m_parentFont = false;
}

void TrpComponent::SetParentFont(bool value)
{
    if (value && m_parent)
        SetFont(m_parent->Font());
    m_parentFont = value;
}

void TrpComponent::FontChanged()
{
    m_parentFont = false;
    for (TrpComponent *c : QList<TrpComponent *>(m_objects)) {
        if (c->m_parentFont)
            c->SetParentFont(true);
    }
}

QString TrpComponent::BaseName() const
{
    if (!m_baseName.isNull())
        return m_baseName;
    QString base = className();
    if (const qsizetype i = base.indexOf(QStringLiteral("Trp")); i >= 0)
        base.remove(i, 3);
    if (const qsizetype i = base.indexOf(QStringLiteral("View")); i >= 0)
        base.remove(i, 4);
    else if (const qsizetype c = base.indexOf(QStringLiteral("Control")); c > 0)
        base.remove(c, 7);
    return base;
}

// --- flags

bool TrpComponent::IsLoading() const
{
    return m_loadingFlag || hasState(Loading);
}

bool TrpComponent::IsAncestor() const
{
    return m_ancestor || hasState(Ancestor);
}

// --- names

void TrpComponent::setName(const QString &value)
{
    if (value.compare(name(), Qt::CaseInsensitive) == 0)
        return;
    if (!value.isEmpty()) {
        if (TrpReport *report = Report()) {
            // An object being read from a file belongs to the report, as
            // all the others read: the report's name index answers without
            // a walk of the whole tree.
            TrpComponent *other = IsLoading() ? dynamic_cast<TrpComponent *>(report->findComponent(value))
                                              : report->FindObject(value);
            if (other && other != this)
                throw ReportError(GetResources().Get(QStringLiteral("prDupl")));
            if (IsAncestor())
                throw ReportError(QStringLiteral("Could not rename %1, it was introduced in the ancestor report")
                                      .arg(name()));
        }
    }
    platform::Component::setName(value);
}

void TrpComponent::CreateUniqueName()
{
    // Without report or parent, the own subtree still gives a sound name.
    QList<TrpComponent *> all;
    if (TrpReport *report = Report(); report && report != this)
        all = report->AllObjects();
    else if (m_parent)
        all = m_parent->AllObjects();
    else
        all = AllObjects();
    platform::StringList names;
    names.setSorted(true);
    names.setDuplicates(platform::StringList::Duplicates::Ignore);
    for (TrpComponent *c : all)
        names.add(c->name());
    const QString base = BaseName();
    for (int i = 1;; ++i) {
        const QString candidate = base + QString::number(i);
        if (!names.contains(candidate)) {
            setName(candidate);
            return;
        }
    }
}

// --- copying and streams

void TrpComponent::assign(const platform::Persistent &source)
{
    const auto *src = dynamic_cast<const TrpComponent *>(&source);
    if (!src) {
        platform::Persistent::assign(source);
        return;
    }
    // Loading clears first: copying an object onto itself would free its children.
    if (src == this)
        return;
    platform::MemoryStream stream;
    const_cast<TrpComponent *>(src)->SaveToStream(stream, false, true);
    stream.seek(0);
    LoadFromStream(stream);
}

void TrpComponent::AssignAll(const TrpComponent &source)
{
    if (&source == this)
        return;
    platform::MemoryStream stream;
    const_cast<TrpComponent &>(source).SaveToStream(stream, true, true);
    stream.seek(0);
    LoadFromStream(stream);
}

void TrpComponent::LoadFromStream(platform::Stream &stream)
{
    Clear();
    TrpReport *report = Report();
    TrpXMLSerializer serializer(&stream);
    serializer.SetOwner(report);
    struct ActiveGuard {
        TrpReport *report;
        ~ActiveGuard()
        {
            if (report)
                report->SetActiveSerializer(nullptr);
        }
    } guard{report};
    if (report)
        report->SetActiveSerializer(&serializer);
    if (report && report->EngineOptions()->ThreadSafeMode()) {
        QMutexLocker lock(&reportUnitLock());
        serializer.ReadComponentTree(this);
    } else {
        serializer.ReadComponentTree(this);
    }
    if (report) {
        for (int i = 0; i < serializer.ErrorTexts().count(); ++i)
            report->ErrorList().add(serializer.ErrorTexts()[i]);
    }
}

void TrpComponent::SaveToStream(platform::Stream &stream, bool saveChildren, bool saveDefaultValues)
{
    TrpXMLSerializer serializer(&stream);
    serializer.SetOwner(Report());
    serializer.SetSerializeDefaultValues(saveDefaultValues);
    if (auto *report = dynamic_cast<TrpReport *>(this))
        serializer.SetOnGetAncestor([report](const QString &n) { return report->AncestorLookup(n); });
    serializer.WriteComponentTree(this, saveChildren);
}

void TrpComponent::Clear()
{
    if (m_clearing)
        return;
    m_clearing = true;
    // Last first, so that each child leaves the end of the list; a child
    // may take others with it, so the index is held to the list's size.
    for (qsizetype i = m_objects.size() - 1; i >= 0; --i) {
        if (i >= m_objects.size()) {
            i = m_objects.size();
            continue;
        }
        TrpComponent *c = m_objects[i];
        if (c->hasState(Ancestor))
            c->Clear();
        else
            platform::Component::free(c);
    }
    m_clearing = false;
}

void TrpComponent::notification(platform::Component *component, platform::Operation operation)
{
    platform::Component::notification(component, operation);
    if (operation == platform::Operation::Remove) {
        if (component == m_sourceComponent)
            m_sourceComponent = nullptr;
        if (component == m_sourceBand)
            m_sourceBand = nullptr;
    }
}

// --- alignment

namespace {

QString alignKey(const TrpView *v)
{
    const double left = v->Left();
    return left >= 0 ? u'1' + QString::asprintf("%9.2f", left) : u'0' + QString::asprintf("%9.2f", -left);
}

// The neighbour of Views[I] in direction Step (-1 left, +1 right).
TrpView *neighbour(const QList<TrpView *> &views, int i, int step)
{
    const TrpView *v = views[i];
    for (int j = i + step; j >= 0 && j < views.size(); j += step) {
        TrpView *q = views[j];
        if (q->AbsTop() >= v->AbsTop() + v->Height() - 0.0001 || v->AbsTop() >= q->AbsTop() + q->Height() - 0.0001)
            continue;
        if (v->Align() == baWidth) {
            if (step < 0 && q->Left() > v->Left())
                continue;
            if (step > 0 && v->Left() + v->Width() > q->Left() + q->Width())
                continue;
        }
        return q;
    }
    return nullptr;
}

} // namespace

void TrpComponent::AlignChildren()
{
    // Most bands hold no aligned object: nothing to sort or move.
    const bool anyAligned = std::any_of(m_objects.cbegin(), m_objects.cend(), [](const TrpComponent *c) {
        const auto *v = dynamic_cast<const TrpView *>(c);
        return v && v->Align() != baNone;
    });
    if (!anyAligned)
        return;
    QList<TrpView *> views;
    for (TrpComponent *c : m_objects) {
        if (auto *v = dynamic_cast<TrpView *>(c))
            views.append(v);
    }
    // Later in Objects sorts first among equal keys.
    std::reverse(views.begin(), views.end());
    QList<QString> keys;
    for (TrpView *v : views)
        keys.append(alignKey(v));
    QList<int> order(views.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keys[a].compare(keys[b], Qt::CaseInsensitive) < 0; });
    QList<TrpView *> sorted;
    for (int i : order)
        sorted.append(views[i]);

    for (int i = 0; i < sorted.size(); ++i) {
        TrpView *v = sorted[i];
        if (v->Align() == baLeft || v->Align() == baWidth) {
            TrpView *n = neighbour(sorted, i, -1);
            v->SetLeft(n ? n->Left() + n->Width() : 0);
        }
    }
    for (int i = int(sorted.size()) - 1; i >= 0; --i) {
        TrpView *v = sorted[i];
        if (v->Align() != baRight && v->Align() != baWidth)
            continue;
        TrpView *n = neighbour(sorted, i, +1);
        const double limit = n ? n->Left() : Width();
        if (v->Align() == baRight)
            v->SetLeft(limit - v->Width());
        else
            v->SetWidth(limit - v->Left());
    }
    for (TrpComponent *c : m_objects) {
        auto *v = dynamic_cast<TrpView *>(c);
        if (!v)
            continue;
        if (v->Align() == baCenter) {
            v->SetLeft((Width() - v->Width()) / 2);
        } else if (v->Align() == baBottom) {
            v->SetTop(Height() - v->Height());
        } else if (v->Align() == baClient) {
            v->SetLeft(0);
            v->SetTop(0);
            v->SetWidth(Width());
            v->SetHeight(Height());
        }
    }
}

// --- difference coding

QString TrpComponent::Diff(const TrpComponent &def) const
{
    QString t;
    if (FloatDiffers(m_left, def.m_left))
        t += quoted(QStringLiteral("l"), FloatToFileStr(m_left));
    if (DiffAlwaysTop() || FloatDiffers(m_top, def.m_top))
        t += quoted(QStringLiteral("t"), FloatToFileStr(m_top));
    if (FloatDiffers(m_width, def.m_width) && !DiffSkipsWidth())
        t += quoted(QStringLiteral("w"), FloatToFileStr(m_width));
    if (FloatDiffers(m_height, def.m_height))
        t += quoted(QStringLiteral("h"), FloatToFileStr(m_height));
    if (m_visible != def.m_visible)
        t += quoted(QStringLiteral("Visible"), m_visible ? QStringLiteral("1") : QStringLiteral("0"));
    if (!m_parentFont) {
        const platform::Font &f = *m_font;
        const platform::Font &d = *def.m_font;
        if (f.name() != d.name())
            t += quoted(QStringLiteral("Font.Name"), StrToXML(f.name()));
        if (f.size() != d.size())
            t += quoted(QStringLiteral("Font.Size"), QString::number(f.size()));
        if (f.color() != d.color())
            t += quoted(QStringLiteral("Font.Color"), QString::number(f.color()));
        if (f.style() != d.style())
            t += quoted(QStringLiteral("Font.Style"), QString::number(f.style()));
        if (f.charset() != d.charset())
            t += quoted(QStringLiteral("Font.Charset"), QString::number(f.charset()));
    }
    if (m_parentFont != def.m_parentFont)
        t += quoted(QStringLiteral("ParentFont"), m_parentFont ? QStringLiteral("1") : QStringLiteral("0"));
    if (tag() != def.tag())
        t += quoted(QStringLiteral("Tag"), QString::number(tag()));
    return t;
}

QString TrpComponent::FullDiff(const TrpComponent *def) const
{
    TrpXMLSerializer serializer(nullptr);
    serializer.SetOwner(Report());
    QString text = serializer.ObjectToText(const_cast<TrpComponent *>(this), QString(), nullptr);
    if (def)
        text += TrpComponent::Diff(*def);
    return text;
}

// --- TrpReportComponent

void TrpReportComponent::BeforePrint()
{
    SetSavedBounds(QRectF(Left(), Top(), Width(), Height()));
}

void TrpReportComponent::AfterPrint()
{
    const QRectF r = SavedBounds();
    SetBounds(r.x(), r.y(), r.width(), r.height());
}

QRectF TrpReportComponent::GetRealBounds() const
{
    return QRectF(QPointF(AbsLeft(), AbsTop()), QPointF(AbsLeft() + Width(), AbsTop() + Height()));
}

} // namespace bralvo::report
