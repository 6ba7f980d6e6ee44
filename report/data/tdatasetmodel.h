// A read-only Qt table model over a dataset, for grids: one row per
// visible record in cursor order, one column per field; it follows the
// dataset's opening, closing and sorting.
#pragma once

#include "report/data/tdataset.h"

#include <QAbstractTableModel>

namespace bralvo::data {

class TDataSetModel : public QAbstractTableModel, public DataSetObserver {
public:
    explicit TDataSetModel(TDataSet *dataSet, QObject *parent = nullptr);
    ~TDataSetModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    // Display: the field's display text; edit role: its value as text.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void dataSetChanged(TDataSet *dataSet, DataChange change) override;

private:
    TDataSet *m_dataSet;
};

} // namespace bralvo::data
