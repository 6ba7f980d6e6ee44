// The report dataset over a dataset of the data-access layer (reached
// directly or through a data source): the engine walks its records and
// reads fields by name or alias. Between Initialize and Finalize it hooks
// the dataset's AfterOpen and BeforeClose events (passing them on), and
// with rbCurrent / reCurrent a walk starts at, or ends on, the record that
// was current when the dataset was opened for the run.
#pragma once

#include "report/data/tdatasource.h"
#include "report/model/trpdataset.h"

namespace bralvo::report {

class TrpDBDataset : public TrpCustomDBDataSet {
    BRALVO_CLASS(TrpDBDataset)
public:
    explicit TrpDBDataset(platform::Component *owner);
    ~TrpDBDataset() override;

    data::TDataSet *DataSet() const { return m_dataSet; }
    // Clears DataSource when set.
    void SetDataSet(data::TDataSet *value);
    data::TDataSource *DataSource() const { return m_dataSource; }
    // Clears DataSet when set.
    void SetDataSource(data::TDataSource *value);
    // DataSet, else the data source's dataset, else nullptr.
    data::TDataSet *EffectiveDataSet() const { return m_effective; }

    // Throws ReportError "DataSet <Name> is not connected to data".
    void Initialize() override;
    void Finalize() override;
    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;
    QString DisplayText(const QString &fieldName) override;
    platform::Variant Value(const QString &fieldName) override;
    int DisplayWidth(const QString &fieldName) override;
    TrpFieldType FieldType(const QString &fieldName) override;
    bool IsBlobField(const QString &fieldName) override;
    int RecordCount() override;
    void CopyBlobTo(const QString &fieldName, platform::Persistent *target) override;
    void GetFieldList(platform::StringList &list) override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;
    bool IsOpened() const { return m_opened; }

private:
    void recomputeEffective();
    void rebuildFieldList();
    void closeHook();
    data::TField *listedField(const QString &fieldName, bool &listed);
    void addNotFound(const QString &fieldName);
    QString quotedName(const QString &fieldName) const;

    data::TDataSet *m_dataSet = nullptr;
    data::TDataSource *m_dataSource = nullptr;
    data::TDataSet *m_effective = nullptr;
    data::TDataSet::TBookmark m_bookmark = 0;
    bool m_rangeEnded = false;
    bool m_opened = false;
    bool m_hooked = false;
    data::TDataSet::NotifyEvent m_savedAfterOpen, m_savedBeforeClose;
};

} // namespace bralvo::report
