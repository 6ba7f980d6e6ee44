#include "report/data/trpdbdataset.h"

#include "platform/stream.h"
#include "report/model/reporterror.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/twidestrings.h"

namespace bralvo::report {

using platform::Variant;

const platform::ClassInfo &TrpDBDataset::staticClass()
{
    using T = TrpDBDataset;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDBDataset", &TrpCustomDBDataSet::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            auto outsideReport = [](const T &ds) { return ds.TrpDialogComponent::Report() == nullptr; };
            b.reference<data::TDataSet>("DataSet", &T::DataSet, &T::SetDataSet).storedIf(outsideReport);
            b.reference<data::TDataSource>("DataSource", &T::DataSource, &T::SetDataSource).storedIf(outsideReport);
        });
    return info;
}

TrpDBDataset::TrpDBDataset(platform::Component *owner) : TrpCustomDBDataSet(owner) {}

TrpDBDataset::~TrpDBDataset()
{
    if (m_hooked && m_effective) {
        m_effective->AfterOpen = m_savedAfterOpen;
        m_effective->BeforeClose = m_savedBeforeClose;
    }
}

void TrpDBDataset::SetDataSet(data::TDataSet *value)
{
    if (m_dataSet)
        removeFreeNotification(m_dataSet);
    m_dataSet = value;
    if (value) {
        freeNotification(value);
        SetDataSource(nullptr);
    }
    recomputeEffective();
}

void TrpDBDataset::SetDataSource(data::TDataSource *value)
{
    if (m_dataSource)
        removeFreeNotification(m_dataSource);
    m_dataSource = value;
    if (value) {
        freeNotification(value);
        if (m_dataSet)
            removeFreeNotification(m_dataSet);
        m_dataSet = nullptr;
    }
    recomputeEffective();
}

void TrpDBDataset::recomputeEffective()
{
    m_effective = m_dataSet ? m_dataSet : (m_dataSource ? m_dataSource->DataSet() : nullptr);
}

void TrpDBDataset::notification(platform::Component *component, platform::Operation operation)
{
    TrpCustomDBDataSet::notification(component, operation);
    if (operation != platform::Operation::Remove)
        return;
    if (component == m_dataSet || component == m_effective) {
        if (component == m_dataSet)
            m_dataSet = nullptr;
        m_hooked = false;
        m_effective = nullptr;
    }
    if (component == m_dataSource)
        m_dataSource = nullptr;
    recomputeEffective();
}

void TrpDBDataset::Initialize()
{
    recomputeEffective();
    if (!m_effective) {
        QString text = GetResources().Get(QStringLiteral("dbNotConn"));
        throw ReportError(text.replace(QStringLiteral("%s"), name()));
    }
    if (!m_hooked) {
        m_savedAfterOpen = m_effective->AfterOpen;
        m_savedBeforeClose = m_effective->BeforeClose;
        m_effective->AfterOpen = [this](data::TDataSet *ds) {
            rebuildFieldList();
            if (m_savedAfterOpen)
                m_savedAfterOpen(ds);
        };
        m_effective->BeforeClose = [this](data::TDataSet *ds) {
            if (m_savedBeforeClose)
                m_savedBeforeClose(ds);
            closeHook();
        };
        m_hooked = true;
    }
    m_rangeEnded = false;
    m_opened = false;
}

void TrpDBDataset::Finalize()
{
    if (!m_effective)
        return;
    if (m_bookmark) {
        if (m_effective->Active() && m_effective->BookmarkValid(m_bookmark))
            m_effective->GotoBookmark(m_bookmark);
        m_bookmark = 0;
    }
    if (CloseDataSource())
        Close();
    else
        m_effective->ReleaseStatement(); // no lock held between runs
    if (m_hooked) {
        m_effective->AfterOpen = m_savedAfterOpen;
        m_effective->BeforeClose = m_savedBeforeClose;
        m_savedAfterOpen = nullptr;
        m_savedBeforeClose = nullptr;
        m_hooked = false;
    }
    m_opened = false;
}

void TrpDBDataset::Open()
{
    if (m_opened)
        return;
    recomputeEffective();
    if (!m_effective)
        return;
    m_opened = true;
    m_effective->Open();
    rebuildFieldList();
    m_bookmark = (RangeBegin() == rbCurrent || RangeEnd() == reCurrent) ? m_effective->GetBookmark() : 0;
    TrpCustomDBDataSet::Open();
}

void TrpDBDataset::rebuildFieldList()
{
    platform::StringList &list = FieldList();
    GetFieldList(list);
    for (int i = 0; i < list.count(); ++i)
        list.setObject(i, m_effective ? m_effective->FindField(AliasToFieldName(list.at(i))) : nullptr);
}

void TrpDBDataset::closeHook()
{
    m_bookmark = 0;
    m_opened = false;
}

void TrpDBDataset::Close()
{
    TrpCustomDBDataSet::Close();
    closeHook();
    if (m_effective)
        m_effective->Close();
}
} // namespace bralvo::report
