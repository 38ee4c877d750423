#include "data/dbgrid.h"

#include "data/datasource.h"
#include "data/query.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TDBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_grid->CellColorOf())
            return;
        const QColor c = m_grid->CellColorOf()(index.row(), index.column());
        if (c.isValid()) {
            option->palette.setColor(QPalette::Text, c);
            option->palette.setColor(QPalette::HighlightedText, c);
        }
    }

private:
    TDBGrid *m_grid;
};

} // namespace

TDBGrid::TDBGrid(const QString &name, QWidget *parent) : QTableView(parent) {
    setObjectName(name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setItemDelegate(new CellDelegate(this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(16);
    verticalHeader()->setFont(QFont(font().family(), 7));
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
}

void TDBGrid::SetDataSource(TDataSource *source) {
    m_source = source;
    setModel(source);
    if (!source)
        return;
    connect(source, &QAbstractItemModel::modelReset, this, [this] {
        ApplyColumnWidths();
        SyncFromQuery(m_source->DataSet().RecNo());
    });
    connect(&source->DataSet(), &TQuery::CurrentRowChanged, this, &TDBGrid::SyncFromQuery);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { OnCurrentChanged(current); });
    ApplyColumnWidths();
    SyncFromQuery(source->DataSet().RecNo());
}

void TDBGrid::keyPressEvent(QKeyEvent *event) {
    DeliverKeyPress(OnKeyPress, event, [this](QKeyEvent *e) { QTableView::keyPressEvent(e); });
}

void TDBGrid::SetCellColor(CellColor colorOf) {
    m_cellColor = std::move(colorOf);
    viewport()->update();
}

void TDBGrid::ApplyColumnWidths() {
    if (!m_source)
        return;
    const auto &columns = m_source->Columns();
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
}

void TDBGrid::SyncFromQuery(int row) {
    if (m_syncing || !m_source)
        return;
    m_syncing = true;
    if (row < 0 || row >= m_source->rowCount()) {
        selectionModel()->clearCurrentIndex();
    } else {
        const int column = std::max(0, currentIndex().column());
        const QModelIndex index = m_source->index(row, column);
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (selectionBehavior() == QAbstractItemView::SelectRows)
            flags |= QItemSelectionModel::Rows;
        selectionModel()->setCurrentIndex(index, flags);
    }
    m_syncing = false;
}

void TDBGrid::OnCurrentChanged(const QModelIndex &current) {
    if (m_syncing || !m_source || !current.isValid())
        return;
    m_syncing = true;
    m_source->DataSet().SetRecNo(current.row());
    m_syncing = false;
}
