// Report datasets: the cursor protocol, the user dataset, the bases of
// database components, and the global and per-report dataset lists.
#include "report/model/trpdataset.h"

#include "platform/collation.h"
#include "platform/valuecodec.h"
#include "report/model/trputils.h"
#include "report/model/reporterror.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

namespace bralvo::report {

const platform::EnumInfo &rangeBeginEnum()
{
    static const platform::EnumInfo info{QStringLiteral("TrpRangeBegin"), {"rbFirst", "rbCurrent"}};
    return info;
}

const platform::EnumInfo &rangeEndEnum()
{
    static const platform::EnumInfo info{QStringLiteral("TrpRangeEnd"), {"reLast", "reCurrent", "reCount"}};
    return info;
}

bool SameNameText(const QString &a, const QString &b)
{
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    static const QCollator collator = platform::userCollator(Qt::CaseInsensitive);
    return collator.compare(a, b) == 0;
}

// --- TrpDialogComponent

const platform::ClassInfo &TrpDialogComponent::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDialogComponent", &TrpReportComponent::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpDialogComponent::TrpDialogComponent(platform::Component *owner) : TrpReportComponent(owner)
{
    SetComponentStyle(ComponentStyle() & ~KeepInPreview);
    SetWidth(28);
    SetHeight(28);
}

void TrpDialogComponent::defineProperties(platform::PropertyFiler &filer)
{
    TrpReportComponent::defineProperties(filer);
    if (!Report())
        return;
    filer.defineProperty(
        QStringLiteral("pLeft"), [this](platform::ValueReader &r) { SetLeft(double(r.readInteger())); },
        [this](platform::ValueWriter &w) { w.writeInteger(roundHalfEven(Left())); }, true);
    filer.defineProperty(
        QStringLiteral("pTop"), [this](platform::ValueReader &r) { SetTop(double(r.readInteger())); },
        [this](platform::ValueWriter &w) { w.writeInteger(roundHalfEven(Top())); }, true);
}

// --- TrpDataSet

const platform::ClassInfo &TrpDataSet::staticClass()
{
    using T = TrpDataSet;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDataSet", &TrpDialogComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("Enabled", &T::Enabled, &T::SetEnabled, true);
            b.enumeration("RangeBegin", rangeBeginEnum(), &T::RangeBegin, &T::SetRangeBegin, rbFirst);
            b.enumeration("RangeEnd", rangeEndEnum(), &T::RangeEnd, &T::SetRangeEnd, reLast);
            b.integer("RangeEndCount", &T::RangeEndCount, &T::SetRangeEndCount, 0);
            b.string("UserName", &T::UserName, &T::SetUserName);
            b.method("OnCheckEOF");
            b.method("OnFirst");
            b.method("OnNext");
            b.method("OnPrior");
        });
    return info;
}

TrpGlobalDataSetList &TrpGlobalDataSetList::instance()
{
    static TrpGlobalDataSetList list;
    return list;
}

TrpDataSet::TrpDataSet(platform::Component *owner) : TrpDialogComponent(owner)
{
    TrpGlobalDataSetList &list = TrpGlobalDataSetList::instance();
    QMutexLocker lock(&list.m_lock);
    list.m_list.append(this);
}

TrpDataSet::~TrpDataSet()
{
    TrpGlobalDataSetList &list = TrpGlobalDataSetList::instance();
    QMutexLocker lock(&list.m_lock);
    list.m_list.removeAll(this);
}

void TrpDataSet::SetUserName(const QString &value)
{
    if (value.trimmed().isEmpty())
        throw ReportError(GetResources().Get(QStringLiteral("prInvProp")));
    m_userName = value;
}

void TrpDataSet::setName(const QString &name)
{
    const QString old = this->name();
    // A refused name (duplicate, invalid) must not move UserName.
    TrpDialogComponent::setName(name);
    if (!name.isEmpty() && (m_userName.isEmpty() || m_userName == old))
        SetUserName(name);
}

QString TrpDataSet::DisplayText(const QString &)
{
    return QString();
}

int TrpDataSet::DisplayWidth(const QString &)
{
    return 10;
}

TrpFieldType TrpDataSet::FieldType(const QString &)
{
    return fftNumeric;
}

platform::Variant TrpDataSet::Value(const QString &)
{
    return platform::Variant::null();
}

void TrpDataSet::Open()
{
    if (OnOpen)
        OnOpen(this);
}

void TrpDataSet::Close()
{
    if (OnClose)
        OnClose(this);
}

void TrpDataSet::First()
{
    m_recNo = 0;
    m_pastEnd = false;
    if (OnFirst)
        OnFirst(this);
}

void TrpDataSet::Next()
{
    m_pastEnd = false;
    ++m_recNo;
    if (m_rangeEnd == reCount && m_recNo >= m_rangeEndCount) {
        m_recNo = m_rangeEndCount - 1;
        m_pastEnd = true;
        return;
    }
    if (OnNext)
        OnNext(this);
}

void TrpDataSet::Prior()
{
    --m_recNo;
    if (OnPrior)
        OnPrior(this);
}

bool TrpDataSet::Eof()
{
    bool eof = true;
    if (m_rangeEnd == reCount)
        eof = m_recNo >= m_rangeEndCount || m_pastEnd;
    else
        eof = !OnCheckEOF; // only the handler can bound such a walk
    if (OnCheckEOF)
        OnCheckEOF(this, eof);
    return eof;
}

int TrpDataSet::RecordCount()
{
    return m_rangeBegin == rbFirst && m_rangeEnd == reCount ? m_rangeEndCount : 0;
}

void TrpDataSet::GetFieldList(platform::StringList &list)
{
    list.clear();
}

bool TrpDataSet::HasField(const QString &fieldName)
{
    platform::StringList list;
    list.setCaseSensitive(false);
    GetFieldList(list);
    return list.indexOf(fieldName) >= 0;
}

// --- TrpUserDataSet

const platform::ClassInfo &TrpUserDataSet::staticClass()
{
    using T = TrpUserDataSet;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpUserDataSet", &TrpDataSet::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::StringList>("Fields", &T::Fields, &T::SetFields);
            b.method("OnGetValue");
        });
    return info;
}

TrpUserDataSet::TrpUserDataSet(platform::Component *owner)
    : TrpDataSet(owner), m_fields(std::make_unique<platform::StringList>())
{
}

TrpUserDataSet::~TrpUserDataSet() = default;

void TrpUserDataSet::SetFields(const platform::StringList *v)
{
    if (v && v != m_fields.get())
        m_fields->assign(*v);
}

platform::Variant TrpUserDataSet::Value(const QString &fieldName)
{
    platform::Variant value = platform::Variant::null();
    if (OnGetValue)
        OnGetValue(fieldName, value);
    return value;
}

QString TrpUserDataSet::DisplayText(const QString &fieldName)
{
    if (!OnGetValue)
        return QString();
    platform::Variant value = platform::Variant::null();
    OnGetValue(fieldName, value);
    return value.toString();
}

void TrpUserDataSet::GetFieldList(platform::StringList &list)
{
    list.assign(*m_fields);
}

// --- TrpCustomDBDataSet

const platform::ClassInfo &TrpCustomDBDataSet::staticClass()
{
    using T = TrpCustomDBDataSet;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomDBDataSet", &TrpDataSet::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("CloseDataSource", &T::CloseDataSource, &T::SetCloseDataSource, false);
            b.object<platform::StringList>("FieldAliases", &T::FieldAliases, &T::SetFieldAliases);
            b.boolean("OpenDataSource", &T::OpenDataSource, &T::SetOpenDataSource, true);
            b.method("OnClose");
            b.method("OnOpen");
        });
    return info;
}

TrpCustomDBDataSet::TrpCustomDBDataSet(platform::Component *owner)
    : TrpDataSet(owner), m_fieldAliases(std::make_unique<platform::StringList>())
{
    m_fieldList.setSorted(true);
    m_fieldList.setDuplicates(platform::StringList::Duplicates::Ignore);
}

TrpCustomDBDataSet::~TrpCustomDBDataSet() = default;

void TrpCustomDBDataSet::SetFieldAliases(const platform::StringList *v)
{
    if (v && v != m_fieldAliases.get())
        m_fieldAliases->assign(*v);
}

int TrpCustomDBDataSet::FieldsCount()
{
    platform::StringList list;
    GetFieldList(list);
    return list.count();
}

QString TrpCustomDBDataSet::AliasToFieldName(const QString &alias) const
{
    for (int i = 0; i < m_fieldAliases->count(); ++i) {
        const QString &line = m_fieldAliases->at(i);
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && SameNameText(line.mid(eq + 1), alias))
            return line.left(eq);
    }
    return alias;
}

QString TrpCustomDBDataSet::FieldNameToAlias(const QString &fieldName) const
{
    for (int i = 0; i < m_fieldAliases->count(); ++i) {
        const QString &line = m_fieldAliases->at(i);
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && SameNameText(line.left(eq), fieldName))
            return line.mid(eq + 1);
    }
    return fieldName;
}

// --- TrpCustomDatabase

const platform::ClassInfo &TrpCustomDatabase::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomDatabase", &TrpDialogComponent::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

void TrpCustomDatabase::DoBeforeConnect(bool &connected)
{
    TrpReport *report = Report();
    if (report && report->OnBeforeConnect)
        report->OnBeforeConnect(this, connected);
}

// --- global list

QList<TrpDataSet *> globalDataSets()
{
    TrpGlobalDataSetList &list = TrpGlobalDataSetList::instance();
    list.Lock();
    const QList<TrpDataSet *> copy = list.List();
    list.Unlock();
    return copy;
}

TrpDataSet *FindGlobalDataSet(TrpDataSet *current, const QString &name, const platform::Component *owner)
{
    if (name.isEmpty())
        return nullptr;
    if (!owner)
        return current;
    const auto *ownerReport = dynamic_cast<const TrpReport *>(owner);
    TrpGlobalDataSetList &list = TrpGlobalDataSetList::instance();
    list.Lock();
    TrpDataSet *found = current;
    for (TrpDataSet *ds : list.List()) {
        if (!SameNameText(ds->UserName(), name))
            continue;
        // A dataset a report owns is invisible to other reports.
        const auto *dsReport = dynamic_cast<const TrpReport *>(ds->owner());
        if (ownerReport && dsReport && dsReport != ownerReport)
            continue;
        found = ds;
        break;
    }
    list.Unlock();
    return found;
}

// --- TrpDataSetItem

const platform::ClassInfo &TrpDataSetItem::staticClass()
{
    using T = TrpDataSetItem;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDataSetItem", &platform::CollectionItem::staticClass(), [](platform::Component *) { return new T; },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.reference<TrpDataSet>("DataSet", &T::DataSet, &T::SetDataSet);
            b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
        });
    return info;
}

void TrpDataSetItem::SetDataSet(TrpDataSet *ds)
{
    // The report hears of the dataset's end wherever the dataset lives.
    auto *sets = dynamic_cast<TrpReportDataSets *>(collection());
    if (ds && sets && sets->Report())
        sets->Report()->freeNotification(ds);
    m_dataSet = ds;
    m_dataSetName = ds ? ds->UserName() : QString();
}

QString TrpDataSetItem::DataSetName() const
{
    return m_dataSet ? m_dataSet->UserName() : m_dataSetName;
}

void TrpDataSetItem::SetDataSetName(const QString &name)
{
    m_dataSetName = name;
    auto *sets = dynamic_cast<TrpReportDataSets *>(collection());
    m_dataSet = FindGlobalDataSet(m_dataSet, name, sets ? sets->Report() : nullptr);
    if (m_dataSet && sets && sets->Report())
        sets->Report()->freeNotification(m_dataSet);
}

void TrpDataSetItem::assign(const platform::Persistent &source)
{
    const auto *s = dynamic_cast<const TrpDataSetItem *>(&source);
    if (!s) {
        platform::Persistent::assign(source);
        return;
    }
    m_dataSet = s->m_dataSet;
    m_dataSetName = s->m_dataSetName;
}

// --- TrpReportDataSets

const platform::ClassInfo &TrpReportDataSets::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpReportDataSets", &platform::Collection::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpReportDataSets::TrpReportDataSets(TrpReport *report)
    : platform::Collection([](platform::Collection *c) { return new TrpDataSetItem(c); }), m_report(report)
{
}

TrpDataSetItem *TrpReportDataSets::Add(TrpDataSet *ds)
{
    auto *item = static_cast<TrpDataSetItem *>(add());
    item->SetDataSet(ds);
    return item;
}

TrpDataSetItem *TrpReportDataSets::Find(const TrpDataSet *ds) const
{
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->DataSet() == ds)
            return Items(i);
    }
    return nullptr;
}

TrpDataSetItem *TrpReportDataSets::FindByName(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->DataSet() && SameNameText(Items(i)->DataSet()->UserName(), name))
            return Items(i);
    }
    return nullptr;
}

void TrpReportDataSets::Initialize()
{
    for (int i = 0; i < count(); ++i) {
        if (TrpDataSet *ds = Items(i)->DataSet()) {
            ds->SetReport(m_report);
            ds->Initialize();
        }
    }
}

void TrpReportDataSets::Finalize()
{
    for (int i = 0; i < count(); ++i) {
        if (TrpDataSet *ds = Items(i)->DataSet())
            ds->Finalize();
    }
}

void SetLinkedDataSet(platform::Component &owner, TrpDataSet *&link, QString &name, TrpDataSet *v)
{
    if (link == v)
        return;
    if (link)
        link->removeFreeNotification(&owner);
    link = v;
    if (link)
        link->freeNotification(&owner);
    name = v ? v->UserName() : QString();
}

void SetLinkedDataSetName(platform::Component &owner, TrpDataSet *&link, QString &name,
                          const QString &v, const platform::Component *report)
{
    name = v;
    TrpDataSet *found = FindGlobalDataSet(link, v, report);
    if (found == link)
        return;
    SetLinkedDataSet(owner, link, name, found);
    if (!found)
        name = v;
}

} // namespace bralvo::report
