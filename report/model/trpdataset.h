// Non-visual report components and the dataset protocol's naming part:
// TrpDialogComponent (the base of datasets and database components),
// TrpDataSet with its UserName, the process-wide list of datasets through
// which names are resolved, and the report's list of the datasets it
// uses (TrpReportDataSets). The record cursor belongs to the datasets'
// own code.
#pragma once

#include "platform/collection.h"
#include "report/model/trpcomponent.h"

namespace bralvo::report {

class TrpReport;

class TrpDialogComponent : public TrpReportComponent {
    BRALVO_CLASS(TrpDialogComponent)
public:
    // Width and height 28; not kept in preview.
    explicit TrpDialogComponent(platform::Component *owner);
    void Draw(QPainter &, double, double, double, double) override {}
};

class TrpDataSet : public TrpDialogComponent {
    BRALVO_CLASS(TrpDataSet)
public:
    // Joins the process-wide dataset list; leaves it when destroyed.
    explicit TrpDataSet(platform::Component *owner);
    ~TrpDataSet() override;

    QString UserName() const { return m_userName; }
    // Throws ReportError with the library text "prInvProp" when Value is
    // blank; stores Value as given otherwise.
    virtual void SetUserName(const QString &value);
    // The user name follows a rename while it is empty or equal to the
    // old name.
    void setName(const QString &name) override;

private:
    QString m_userName;
};

// Every dataset of the process, in creation order.
const QList<TrpDataSet *> &globalDataSets();
// The registered dataset whose UserName equals Name (ignoring case) and
// that is not owned by another report than Report; nullptr for an empty
// name; Current when nothing matches.
TrpDataSet *FindGlobalDataSet(TrpDataSet *current, const QString &name, const TrpReport *report);

class TrpDataSetItem : public platform::CollectionItem {
    BRALVO_CLASS(TrpDataSetItem)
public:
    explicit TrpDataSetItem(platform::Collection *collection = nullptr) : platform::CollectionItem(collection) {}

    TrpDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TrpDataSet *ds);
    QString DataSetName() const;
    void SetDataSetName(const QString &name);
    void assign(const platform::Persistent &source) override;

private:
    TrpDataSet *m_dataSet = nullptr;
    QString m_dataSetName;
};

class TrpReportDataSets : public platform::Collection {
    BRALVO_CLASS(TrpReportDataSets)
public:
    explicit TrpReportDataSets(TrpReport *report = nullptr);

    TrpReport *Report() const { return m_report; }
    TrpDataSetItem *Items(int index) const { return static_cast<TrpDataSetItem *>(item(index)); }
    TrpDataSetItem *Add(TrpDataSet *ds);
    // The item holding exactly that dataset; nullptr when none.
    TrpDataSetItem *Find(const TrpDataSet *ds) const;
    TrpDataSetItem *FindByName(const QString &name) const;

private:
    TrpReport *m_report;
};

} // namespace bralvo::report
