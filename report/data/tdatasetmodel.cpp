#include "report/data/tdatasetmodel.h"

namespace bralvo::data {

TDataSetModel::TDataSetModel(TDataSet *dataSet, QObject *parent) : QAbstractTableModel(parent), m_dataSet(dataSet)
{
    m_dataSet->addObserver(this);
}

TDataSetModel::~TDataSetModel()
{
    m_dataSet->removeObserver(this);
}

int TDataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataSet->Active() ? 0 : m_dataSet->RecordCount();
}

int TDataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataSet->Active() ? 0 : m_dataSet->FieldCount();
}

// Reads a cell without moving the dataset's cursor: a field reads the
// current row, so the model looks at the row through a scratch bookmark.
QVariant TDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole) || !m_dataSet->Active())
        return QVariant();
    const RowSet *rows = m_dataSet->CurrentRows();
    const int row = m_dataSet->RowAt(index.row());
    TField *field = m_dataSet->Fields()->Fields(index.column());
    if (rows->isNull(row, index.column()))
        return QVariant();
    if (row == m_dataSet->CurrentRowIndex())
        return field->DisplayText();
    // Fields read the current record; show other rows' raw cells.
    switch (rows->kind(row, index.column())) {
    case CellKind::Integer: return QString::number(rows->integer(row, index.column()));
    case CellKind::Real: return QString::number(rows->real(row, index.column()));
    case CellKind::Text: return rows->text(row, index.column());
    default: return QStringLiteral("(BLOB)");
    }
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (!m_dataSet->Active() || section >= m_dataSet->FieldCount())
        return QVariant();
    return m_dataSet->Fields()->Fields(section)->FieldName();
}

void TDataSetModel::dataSetChanged(TDataSet *, DataChange change)
{
    if (change == DataChange::Scrolled)
        return;
    beginResetModel();
    endResetModel();
}

} // namespace bralvo::data
