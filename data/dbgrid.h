#pragma once

#include "shell/controls.h"

#include <QTableView>
#include <functional>

class TDataSource;

// A read-only grid over a data source. The selected row and the query's
// current row follow each other.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(const QString &name, QWidget *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_source; }

    // Decides the text colour of a cell as it is drawn (row, shown column);
    // an invalid colour keeps the grid's own.
    using CellColor = std::function<QColor(int row, int column)>;
    void SetCellColor(CellColor colorOf);
    const CellColor &CellColorOf() const { return m_cellColor; }

    // Characters typed into the grid (Enter is 13), as for the edits.
    KeyPressHandler OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ApplyColumnWidths();
    void SyncFromQuery(int row);
    void OnCurrentChanged(const QModelIndex &current);

    TDataSource *m_source = nullptr;
    CellColor m_cellColor;
    bool m_syncing = false;
};
