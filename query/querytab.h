#pragma once

#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;
class TDBGrid;
class TDemoDM;
class TEdit;
class TEntryTab;
class TLookupButton;

// The query tab "单据查询": saved slips by customer, number, date range and
// payment, with the sum of their totals; voiding, loading back for
// correction and reprint, and the export of the list.
class TQueryTab : public QWidget {
    Q_OBJECT
public:
    TQueryTab(TEntryTab &entry, QWidget *parent = nullptr);
    void SetDataModule(TDemoDM *dm) { m_dm = dm; }
    TDemoDM &DM() const;
    // Brings the entry tab to the front, as the program does (no change event).
    std::function<void()> ShowEntryTab;

    // What the tab does each time it is selected: the last 30 days.
    void Enter();
    void BitBtn15Click(); // search
    void BitBtn16Click(); // export
    void BitBtn17Click(); // modify and reprint
    void BitBtn18Click(); // void
    void BitBtn19Click(); // date picker for Edit39
    void BitBtn20Click(); // date picker for Edit40
    // The colour of a cell of the list: red for a voided slip.
    QColor DBGrid1DrawColumnCell(int row) const;
    // Ctrl+Delete in the list.
    void DeleteSelectedRow();
    QString SumText() const;

    TEdit *Edit37 = nullptr;
    TEdit *Edit38 = nullptr;
    TEdit *Edit39 = nullptr;
    TEdit *Edit40 = nullptr;
    TLookupButton *BitBtn19 = nullptr;
    TLookupButton *BitBtn20 = nullptr;
    QRadioButton *rb1 = nullptr;
    QRadioButton *rb2 = nullptr;
    QRadioButton *rb3 = nullptr;
    QPushButton *BitBtn15 = nullptr;
    QPushButton *BitBtn16 = nullptr;
    QPushButton *BitBtn17 = nullptr;
    QPushButton *BitBtn18 = nullptr;
    QGroupBox *GroupBox4 = nullptr;
    TDBGrid *DBGrid1 = nullptr;
    QStatusBar *sb1 = nullptr;
    QLabel *SumLabel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PickDate(TEdit *field, TLookupButton *button, TEdit *next);
    TEntryTab &m_entry;
    TDemoDM *m_dm = nullptr;
};
