// Non-visual components, dataset names and the dataset lists.
#include "report/model/trpdataset.h"

#include "report/model/reporterror.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

#include <QMutex>

namespace bralvo::report {

namespace {

QList<TrpDataSet *> &dataSetList()
{
    static QList<TrpDataSet *> list;
    return list;
}

QMutex &dataSetListLock()
{
    static QMutex m;
    return m;
}

} // namespace

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

const platform::ClassInfo &TrpDataSet::staticClass()
{
    using T = TrpDataSet;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDataSet", &TrpDialogComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("UserName", &T::UserName, &T::SetUserName);
        });
    return info;
}

TrpDataSet::TrpDataSet(platform::Component *owner) : TrpDialogComponent(owner)
{
    QMutexLocker lock(&dataSetListLock());
    dataSetList().append(this);
}

TrpDataSet::~TrpDataSet()
{
    QMutexLocker lock(&dataSetListLock());
    dataSetList().removeAll(this);
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
    if (!name.isEmpty() && (m_userName.isEmpty() || m_userName == old))
        SetUserName(name);
    TrpDialogComponent::setName(name);
}

const QList<TrpDataSet *> &globalDataSets()
{
    return dataSetList();
}

TrpDataSet *FindGlobalDataSet(TrpDataSet *current, const QString &name, const TrpReport *report)
{
    if (name.isEmpty())
        return nullptr;
    QMutexLocker lock(&dataSetListLock());
    for (TrpDataSet *ds : dataSetList()) {
        if (ds->UserName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const TrpReport *owner = dynamic_cast<const TrpReport *>(ds->owner());
        if (owner && report && owner != report)
            continue;
        return ds;
    }
    return current;
}

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
        if (Items(i)->DataSet() && Items(i)->DataSet()->UserName().compare(name, Qt::CaseInsensitive) == 0)
            return Items(i);
    }
    return nullptr;
}

} // namespace bralvo::report
