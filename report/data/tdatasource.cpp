#include "report/data/tdatasource.h"

namespace bralvo::data {

const platform::ClassInfo &TDataSource::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TDataSource", &platform::Component::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TDataSource::TDataSource(platform::Component *owner) : platform::Component(owner) {}

TDataSource::~TDataSource()
{
    if (m_dataSet)
        m_dataSet->removeObserver(this);
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet) {
        m_dataSet->removeObserver(this);
        removeFreeNotification(m_dataSet);
    }
    m_dataSet = dataSet;
    if (m_dataSet) {
        m_dataSet->addObserver(this);
        freeNotification(m_dataSet);
    }
    dataSetChanged(m_dataSet, DataChange::Opened);
}

void TDataSource::addLink(MasterLink *link)
{
    if (!m_links.contains(link))
        m_links.append(link);
}

void TDataSource::removeLink(MasterLink *link)
{
    m_links.removeAll(link);
}

void TDataSource::dataSetChanged(TDataSet *, DataChange)
{
    const QList<MasterLink *> links = m_links;
    for (MasterLink *l : links)
        if (m_links.contains(l))
            l->masterChanged();
}

void TDataSource::notification(platform::Component *component, platform::Operation operation)
{
    platform::Component::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_dataSet) {
        m_dataSet = nullptr;
        dataSetChanged(nullptr, DataChange::Closed);
    }
}

} // namespace bralvo::data
