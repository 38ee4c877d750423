#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class TComboBox;
class TDBGrid;
class TDemoDM;
class TEdit;
class TFormmmxg;
class TQuery;

// The master-data tab "基础数据管理": customers, products and employees.
class TMasterTab : public QWidget {
    Q_OBJECT
public:
    explicit TMasterTab(QWidget *parent = nullptr);
    void SetDataModule(TDemoDM *dm);
    void SetPasswordDialog(TFormmmxg *dialog) { m_password = dialog; }
    TDemoDM &DM() const;
    // Each time the tab is selected: the three lists read afresh.
    void Enter();

    void BitBtn22Click();      // save a customer
    void BitBtn23Click();      // delete the selected customer
    void BitBtn24Click();      // save a product
    void BitBtn25Click();      // delete the selected product
    void SpeedButton17Click(); // add an employee
    void SpeedButton18Click(); // delete the selected employee
    void SpeedButton25Click(); // change the selected employee's password

    QGroupBox *GroupBox5 = nullptr;
    QGroupBox *GroupBox6 = nullptr;
    QGroupBox *GroupBox7 = nullptr;
    TEdit *Edit41 = nullptr;
    TEdit *Edit42 = nullptr;
    TEdit *Edit43 = nullptr;
    TEdit *Edit44 = nullptr;
    TEdit *Edit45 = nullptr;
    TEdit *Edit46 = nullptr;
    TEdit *Edit47 = nullptr;
    TComboBox *ComboBox3 = nullptr;
    TEdit *Edit48 = nullptr;
    TEdit *Edit49 = nullptr;
    QPushButton *BitBtn22 = nullptr;
    QPushButton *BitBtn23 = nullptr;
    QPushButton *BitBtn24 = nullptr;
    QPushButton *BitBtn25 = nullptr;
    QPushButton *SpeedButton17 = nullptr;
    QPushButton *SpeedButton18 = nullptr;
    QPushButton *SpeedButton25 = nullptr;
    TDBGrid *DBGrid2 = nullptr;
    TDBGrid *DBGrid3 = nullptr;
    TDBGrid *DBGrid4 = nullptr;

private:
    void Reopen(TQuery &query, const QString &statement);
    void DeleteCurrent(TQuery &query, const QString &table, const QString &what, const QString &nameField,
                       const QString &reopen);

    TDemoDM *m_dm = nullptr;
    TFormmmxg *m_password = nullptr;
};
