// A data source links a dataset to what follows it: detail datasets that
// take their master's current record, lookup lists, grids.
#pragma once

#include "report/data/tdataset.h"

namespace bralvo::data {

// What a detail dataset implements to follow its master.
class MasterLink {
public:
    virtual ~MasterLink() = default;
    // The master opened, closed or moved to another record.
    virtual void masterChanged() = 0;
};

class TDataSource : public platform::Component, public platform::HandleTarget, public DataSetObserver {
    BRALVO_CLASS(TDataSource)
public:
    explicit TDataSource(platform::Component *owner = nullptr);
    ~TDataSource() override;
    QString scriptClassName() const override { return className(); }

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet);

    void addLink(MasterLink *link);
    void removeLink(MasterLink *link);

    void dataSetChanged(TDataSet *dataSet, DataChange change) override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    TDataSet *m_dataSet = nullptr;
    QList<MasterLink *> m_links;
};

} // namespace bralvo::data
