#include "data/datasource.h"

#include "data/query.h"

namespace {
constexpr int kFetchChunk = 256;
}

TDataSource::TDataSource(TQuery &dataSet, const QString &name, QObject *parent)
    : QAbstractTableModel(parent), m_query(dataSet) {
    setObjectName(name);
    connect(&m_query, &TQuery::Opened, this, &TDataSource::Reset);
    connect(&m_query, &TQuery::Closed, this, &TDataSource::Reset);
    connect(&m_query, &TQuery::RowsFetched, this, &TDataSource::OnRowsFetched);
    connect(&m_query, &TQuery::RowRemoved, this, &TDataSource::OnRowRemoved);
    // The row indicator follows the current row.
    connect(&m_query, &TQuery::CurrentRowChanged, this, [this](int row) {
        const int from = std::max(0, std::min(m_marked, row));
        const int to = std::min(m_rows - 1, std::max(m_marked, row));
        m_marked = row;
        if (m_rows > 0 && to >= from)
            emit headerDataChanged(Qt::Vertical, from, to);
    });
    Reset();
}

void TDataSource::SetColumns(QVector<TColumn> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    MapFields();
    endResetModel();
}

void TDataSource::MapFields() {
    m_fieldOf.clear();
    if (m_columns.isEmpty()) {
        for (int i = 0; i < m_query.FieldCount(); ++i)
            m_fieldOf.append(i);
        return;
    }
    for (const TColumn &c : std::as_const(m_columns))
        m_fieldOf.append(m_query.FieldIndex(c.fieldName));
}

int TDataSource::FieldOfColumn(int column) const {
    return column >= 0 && column < m_fieldOf.size() ? m_fieldOf[column] : -1;
}

void TDataSource::Reset() {
    beginResetModel();
    MapFields();
    m_rows = m_query.Active() ? m_query.FetchedCount() : 0;
    endResetModel();
}

void TDataSource::OnRowsFetched(int count) {
    if (!m_query.Active() || count <= m_rows)
        return;
    beginInsertRows(QModelIndex(), m_rows, count - 1);
    m_rows = count;
    endInsertRows();
}

void TDataSource::OnRowRemoved(int row) {
    if (row < 0 || row >= m_rows)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    --m_rows;
    endRemoveRows();
}

int TDataSource::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TDataSource::columnCount(const QModelIndex &parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_columns.isEmpty() ? m_fieldOf.size() : m_columns.size());
}

QVariant TDataSource::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || role != Qt::DisplayRole)
        return QVariant();
    return m_query.Text(index.row(), FieldOfColumn(index.column()));
}

QVariant TDataSource::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return m_query.Active() && section == m_query.RecNo() ? QStringLiteral("▶") : QString();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignCenter);
        return QVariant();
    }
    if (section < 0 || section >= columnCount())
        return QVariant();
    if (role == Qt::DisplayRole) {
        if (!m_columns.isEmpty())
            return m_columns[section].title;
        return m_query.FieldName(FieldOfColumn(section));
    }
    if (role == Qt::TextAlignmentRole && !m_columns.isEmpty())
        return QVariant::fromValue(m_columns[section].titleAlignment | Qt::AlignVCenter);
    return QVariant();
}

bool TDataSource::canFetchMore(const QModelIndex &parent) const {
    return !parent.isValid() && m_query.Active() && !m_query.AllFetched();
}

void TDataSource::fetchMore(const QModelIndex &parent) {
    if (parent.isValid())
        return;
    m_query.FetchUpTo(m_query.FetchedCount() + kFetchChunk);
}
