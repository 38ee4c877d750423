#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

class TQuery;

// A column a grid shows: the field, its title and width in pixels.
struct TColumn {
    QString fieldName;
    QString title;
    int width = 64;
    Qt::Alignment titleAlignment = Qt::AlignCenter;
};

// Binds a query to a grid: the grid shows the query's rows as they are
// fetched, and the query's current row is the grid's selected row.
class TDataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    TDataSource(TQuery &dataSet, const QString &name, QObject *parent = nullptr);

    TQuery &DataSet() const { return m_query; }
    // The columns to show; none means every field of the result, titled by name.
    void SetColumns(QVector<TColumn> columns);
    const QVector<TColumn> &Columns() const { return m_columns; }
    // The result column behind a shown column, or -1 when the result lacks it.
    int FieldOfColumn(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void Reset();
    void OnRowsFetched(int count);
    void OnRowRemoved(int row);
    void MapFields();

    TQuery &m_query;
    QVector<TColumn> m_columns;
    QVector<int> m_fieldOf; // shown column -> result column
    int m_rows = 0;
    int m_marked = -1; // the row the indicator was last drawn at
};
