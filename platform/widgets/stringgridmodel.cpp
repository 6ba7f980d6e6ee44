// The compact cell store behind StringGrid.
#include "platform/widgets/stringgridmodel.h"

#include "platform/widgets/gridrowsource.h"

#include <QFont>

#include <algorithm>

namespace bralvo::platform {

StringGridModel::StringGridModel(QObject *parent) : QAbstractTableModel(parent) {}

StringGridModel::~StringGridModel() = default;

int StringGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StringGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant StringGridModel::data(const QModelIndex &index, int role) const
{
    const int col = index.column();
    const int row = index.row();
    if (!inside(col, row))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(col, row);
    const QVariant own = extra(col, row, role);
    if (own.isValid() || row >= m_fixedRows)
        return own;
    if (role == Qt::FontRole) {
        QFont bold;  // only the weight: family and size stay the grid's
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::BackgroundRole)
        return m_titleBrush;
    return {};
}

bool StringGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!inside(index.column(), index.row()))
        return false;
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        setText(index.column(), index.row(), value.toString());
    else
        setExtra(index.column(), index.row(), role, value);
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() < m_fixedRows)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void StringGridModel::setRows(int rows)
{
    rows = qMax(0, rows);
    if (rows == m_rows)
        return;
    materialize(qMin(rows, m_rows));
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_cells.resize(std::size_t(rows) * m_columns);
        m_rows = rows;
        endInsertRows();
        return;
    }
    beginRemoveRows({}, rows, m_rows - 1);
    m_cells.resize(std::size_t(rows) * m_columns);
    m_rows = rows;
    dropExtrasOutside();
    endRemoveRows();
}

void StringGridModel::setColumns(int columns)
{
    columns = qMax(0, columns);
    if (columns == m_columns)
        return;
    materialize(m_rows);
    beginResetModel();
    std::vector<QString> cells(std::size_t(m_rows) * columns);
    const int kept = qMin(columns, m_columns);
    for (int row = 0; row < m_rows; ++row)
        for (int col = 0; col < kept; ++col)
            cells[std::size_t(row) * columns + col] = std::move(m_cells[std::size_t(row) * m_columns + col]);
    m_cells.swap(cells);
    m_columns = columns;
    dropExtrasOutside();
    endResetModel();
}

QString StringGridModel::text(int col, int row) const
{
    if (!inside(col, row))
        return QString();
    if (!m_source)
        return m_cells[std::size_t(row) * m_columns + col];
    if (const auto written = m_written.constFind(key(col, row)); written != m_written.cend())
        return *written;
    return sourced(row) ? sourceText(col, row) : QString();
}

void StringGridModel::setText(int col, int row, const QString &text)
{
    if (!inside(col, row))
        return;
    if (m_source)
        m_written.insert(key(col, row), text);
    else
        m_cells[std::size_t(row) * m_columns + col] = text;
    announce(col, row);
}

bool StringGridModel::sourced(int row) const
{
    return m_source && row >= m_sourceFirst && row - m_sourceFirst < m_source->rowCount();
}

QString StringGridModel::sourceText(int col, int row) const
{
    QString text = m_source->text(col, row - m_sourceFirst);
    if (const auto formats = m_formats.constFind(col); formats != m_formats.cend())
        for (const CellFormat &format : *formats)
            text = format(row, text);
    return text;
}

void StringGridModel::materialize(int rows)
{
    if (!m_source)
        return;
    std::vector<QString> cells(std::size_t(rows) * m_columns);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < m_columns; ++col)
            cells[std::size_t(row) * m_columns + col] = text(col, row);
    m_source.reset();
    m_written.clear();
    m_formats.clear();
    // The cells beyond `rows` are dropped by the caller's resize.
    cells.resize(std::size_t(m_rows) * m_columns);
    m_cells.swap(cells);
}

void StringGridModel::adoptRows(int firstRow, std::unique_ptr<GridRowSource> source, int rows)
{
    firstRow = qBound(0, firstRow, m_rows);
    rows = qMax(rows, firstRow + source->rowCount());
    beginResetModel();
    materialize(m_rows);
    QHash<quint64, QString> kept;
    for (int row = 0; row < firstRow; ++row)
        for (int col = 0; col < m_columns; ++col)
            if (const QString &cell = m_cells[std::size_t(row) * m_columns + col]; !cell.isEmpty())
                kept.insert(key(col, row), cell);
    std::vector<QString>().swap(m_cells);
    m_written.swap(kept);
    m_source = std::move(source);
    m_sourceFirst = firstRow;
    m_rows = rows;
    dropExtrasOutside();
    endResetModel();
}

void StringGridModel::formatRows(int col, int first, int last, const CellFormat &format)
{
    if (col < 0 || col >= m_columns)
        return;
    first = qMax(first, 0);
    last = qMin(last, m_rows - 1);
    bool lazily = false;
    for (int row = first; row <= last; ++row) {
        const bool written = m_source && m_written.contains(key(col, row));
        if (sourced(row) && !written)
            lazily = true;
        else
            setText(col, row, format(row, text(col, row)));
    }
    if (!lazily)
        return;
    // Only the source's rows in the range are formatted as they are read.
    const int sourceFirst = m_sourceFirst, sourceLast = m_sourceFirst + m_source->rowCount() - 1;
    const bool whole = first <= sourceFirst && last >= sourceLast;
    m_formats[col].push_back(whole ? format : CellFormat([format, first, last](int row, const QString &text) {
        return row >= first && row <= last ? format(row, text) : text;
    }));
    if (m_bulk == 0 && first <= last)
        emit dataChanged(index(first, col), index(last, col));
}

void StringGridModel::takeRows(int firstRow, std::vector<QString> &texts)
{
    if (firstRow < 0 || firstRow >= m_rows || m_columns == 0)
        return;
    materialize(m_rows);
    const std::size_t start = std::size_t(firstRow) * m_columns;
    const std::size_t count = std::min(texts.size() / m_columns * m_columns, m_cells.size() - start);
    std::move(texts.begin(), texts.begin() + std::ptrdiff_t(count), m_cells.begin() + std::ptrdiff_t(start));
    if (m_bulk == 0 && count > 0)
        emit dataChanged(index(firstRow, 0), index(firstRow + int(count / m_columns) - 1, m_columns - 1));
}

QVariant StringGridModel::extra(int col, int row, int role) const
{
    const auto found = m_extras.constFind(key(col, row));
    return found == m_extras.cend() ? QVariant() : found->value(role);
}

void StringGridModel::setExtra(int col, int row, int role, const QVariant &value)
{
    if (!inside(col, row))
        return;
    if (value.isValid())
        m_extras[key(col, row)].insert(role, value);
    else if (auto found = m_extras.find(key(col, row)); found != m_extras.end())
        found->remove(role);
    announce(col, row);
}

void StringGridModel::clearTexts()
{
    materialize(0);
    m_cells.resize(std::size_t(m_rows) * m_columns);
    for (QString &cell : m_cells)
        cell.clear();
    if (m_rows > 0 && m_columns > 0 && m_bulk == 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}

void StringGridModel::clearCells()
{
    materialize(0);
    m_cells.resize(std::size_t(m_rows) * m_columns);
    for (QString &cell : m_cells)
        cell.clear();
    m_extras.clear();
    if (m_rows > 0 && m_columns > 0 && m_bulk == 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}

void StringGridModel::setFixedRows(int rows)
{
    m_fixedRows = qMax(0, rows);
}

void StringGridModel::endBulk()
{
    if (m_bulk > 0 && --m_bulk == 0 && m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}

void StringGridModel::dropExtrasOutside()
{
    for (auto it = m_extras.begin(); it != m_extras.end();) {
        const int row = int(it.key() >> 32);
        const int col = int(it.key() & 0xffffffffu);
        it = inside(col, row) ? std::next(it) : m_extras.erase(it);
    }
}

void StringGridModel::announce(int col, int row)
{
    if (m_bulk == 0) {
        const QModelIndex changed = index(row, col);
        emit dataChanged(changed, changed);
    }
}

} // namespace bralvo::platform
